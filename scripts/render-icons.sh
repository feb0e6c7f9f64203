#!/usr/bin/env bash
# Renders the program's icon, packaging/icons/ormlax.svg, into the PNG sizes that are installed
# beside it. Run it after changing the drawing (needs Debian's librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"

for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" ormlax.svg --output "ormlax-$size.png"
done
echo "Rendered ormlax.svg at 16, 32, 48, 64, 128 and 256 pixels."
