#!/usr/bin/env bash
# cmake --install into a temporary DESTDIR, checked as a desktop and a user would find it: the
# files in their freedesktop places and nothing else, programs that run and know their version,
# a valid menu entry that starts an installed program and names an installed icon, icons of the
# sizes their folders say, manual pages that format without warnings and describe every option
# the programs take, and the guide as it is in the source tree.
# Usage: install_layout_test.sh CMAKE BUILD_DIR SOURCE_DIR HAS_APP VERSION
set -uo pipefail
cmake=$1 build=$2 src=$3 has_app=$4 version=$5
# shellcheck source=tests/packaging/check_support.sh
. "$(dirname "$0")/check_support.sh"
needs desktop-file-validate desktop-file-utils
needs man man-db

work=$(mktemp -d)
keep_install_manifest "$build" "$work"
stage=$work/stage
prefix=$stage/usr
if ! DESTDIR=$stage "$cmake" --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  fail "cmake --install failed"
  finish
fi

# Exactly the expected files.
expected_files "$src" "$has_app" >"$work/expected"
files_below "$prefix" >"$work/installed"
check "the installed files are the expected ones (< missing, > unexpected):
$(diff "$work/expected" "$work/installed")" cmp -s "$work/expected" "$work/installed"
check "nothing is installed outside the prefix: $(ls "$stage")" test "$(ls "$stage")" = usr

# The programs run from where they are installed.
programs=(ormlax-cli)
[ "$has_app" = 1 ] && programs+=(ormlax)
for program in "${programs[@]}"; do
  check "bin/$program is executable" test -x "$prefix/bin/$program"
  shown=$("$prefix/bin/$program" --version 2>&1)
  check "$program --version prints \"$program $version\", not \"$shown\"" \
    test "$shown" = "$program $version"
done
mkdir "$work/job"
cp "$prefix/share/doc/ormlax/examples/greeting.asm" "$work/job/"
check "the installed ormlax-cli assembles the installed greeting example" \
  "$prefix/bin/ormlax-cli" assemble --dir "$work/job" greeting
"$prefix/bin/ormlax-cli" run --dir "$work/job" greeting.obj >"$work/job/paper" 2>"$work/job/err"
check "the greeting runs to its stop instruction: $(cat "$work/job/err")" \
  grep -qx "stopped: stop instruction" "$work/job/err"
check "the greeting prints its first line: $(head -3 "$work/job/paper")" \
  grep -q "^Hello from the ORMLAX I\.\$" "$work/job/paper"

# The menu entry.
if [ "$has_app" = 1 ]; then
  desktop=$prefix/share/applications/ormlax.desktop
  problems=$(desktop-file-validate "$desktop" 2>&1)
  check "desktop-file-validate finds nothing to say: $problems" test -z "$problems"
  key() { sed -n "s/^$1=//p" "$desktop"; }
  check "the entry is an application" test "$(key Type)" = Application
  check "the entry runs without a terminal" test "$(key Terminal)" = false
  check "the entry has a name" test -n "$(key Name)"
  exec_line=$(key Exec)
  exec_program=${exec_line%% *}
  check "Exec starts the installed ormlax, not \"$exec_line\"" \
    test "$exec_program" = ormlax -o "$exec_program" = /usr/bin/ormlax
  check "TryExec names the installed ormlax, not \"$(key TryExec)\"" \
    test -x "$prefix/bin/$(basename "$(key TryExec)")"
  icon=$(key Icon)
  check "the entry's icon \"$icon\" is installed as SVG" \
    test -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg"
  check "the SVG icon is an SVG drawing" grep -q "<svg " "$prefix/share/icons/hicolor/scalable/apps/$icon.svg"
  for png in "$prefix"/share/icons/hicolor/*x*/apps/"$icon".png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    # A PNG file: its signature, then the IHDR chunk with width and height as 32-bit numbers.
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    check "$png is a PNG file" test "$signature" = 89504e470d0a1a0a
    width=$(od -An -tu1 -j16 -N4 "$png" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    height=$(od -An -tu1 -j20 -N4 "$png" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
    check "the icon in $folder is ${width}x$height" test "${width}x$height" = "$folder"
  done
fi

# The manual pages. The options each program names in its own help must all be in its page.
options_of() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
for program in "${programs[@]}"; do
  page=$prefix/share/man/man1/$program.1.gz
  check "$page is a whole gzip file" gzip -t "$page"
  text=$(LC_ALL=C.UTF-8 MANWIDTH=4000 man --warnings -l "$page" 2>"$work/man.err")
  check "man -l $program.1.gz formats without warnings: $(cat "$work/man.err")" test ! -s "$work/man.err"
  check "the page of $program begins with its name" \
    grep -q "^ *$program - " <<<"$text"
  check "the page of $program carries the version $version" grep -q "ormlax $version" <<<"$text"
  if [ "$program" = ormlax ]; then
    help=$("$prefix/bin/ormlax" --help)
  else
    help=$("$prefix/bin/ormlax-cli" help)
    commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z-]*\) .*/\1/p' <<<"$help")
    check "ormlax-cli help lists its commands" test -n "$commands"
    for command in $commands; do
      check "the page of ormlax-cli describes the command $command" \
        grep -q "ormlax-cli $command" <<<"$text"
      help+=$'\n'$("$prefix/bin/ormlax-cli" help "$command")
    done
  fi
  for option in $(options_of <<<"$help"); do
    check "the page of $program describes $option" grep -q -- "$option\\b" <<<"$text"
  done
done

# The guide, as it is in the source tree.
check "the installed README is the source's" cmp -s "$src/README.md" "$prefix/share/doc/ormlax/README.md"
for folder in docs examples; do
  if [ -d "$src/$folder" ]; then
    check "the installed $folder/ is the source's" \
      diff -r -x '.git*' "$src/$folder" "$prefix/share/doc/ormlax/$folder"
  fi
done
check "the example script stays executable" \
  test -x "$prefix/share/doc/ormlax/examples/offline/make-report.sh"

finish
