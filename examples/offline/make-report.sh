#!/usr/bin/env bash
# The off-line example, step by step: the program's words packed into a program tape, the
# program run (it writes the report tape on servo 1), and the report printed through board 5
# into a text file and into a PDF file.
# Usage: make-report.sh [ORMLAX-CLI]  (run in a folder holding report.words and 5.pgb)
set -euo pipefail
cli=${1:-ormlax-cli}

"$cli" text-to-tape --overwrite report.words program.tape
"$cli" run --mount 1=report.tape program.tape
"$cli" print --overwrite --board 5 report.tape report.txt
"$cli" print --overwrite --board 5 --pdf report.pdf report.tape
