#!/usr/bin/env bash
# cpack's Debian package, built into a temporary folder: its name and control fields, the
# libraries it depends on, the same files as cmake --install puts in the prefix /usr owned by
# root, and programs that still run after cpack has stripped them.
# Usage: debian_package_test.sh CPACK BUILD_DIR SOURCE_DIR HAS_APP VERSION
set -uo pipefail
cpack=$1 build=$2 src=$3 has_app=$4 version=$5
# shellcheck source=tests/packaging/check_support.sh
. "$(dirname "$0")/check_support.sh"
needs dpkg-deb dpkg
needs dpkg-shlibdeps dpkg-dev

work=$(mktemp -d)
keep_install_manifest "$build" "$work"
if ! (cd "$build" && "$cpack" -G DEB -B "$work/out") >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  fail "cpack failed"
  finish
fi

arch=$(dpkg --print-architecture)
deb=$work/out/ormlax_${version}-1_${arch}.deb
check "cpack made $(basename "$deb"): $(ls "$work/out")" test -f "$deb"
[ -f "$deb" ] || finish

field() { dpkg-deb --field "$deb" "$1"; }
check "the package is ormlax, not \"$(field Package)\"" test "$(field Package)" = ormlax
check "the package's version is the program's, not \"$(field Version)\"" \
  test "$(field Version)" = "$version-1"
check "the package is for $arch" test "$(field Architecture)" = "$arch"
check "the package has a maintainer with an address" grep -q '<.*@.*>' <<<"$(field Maintainer)"
check "the package is in a section" test -n "$(field Section)"
description=$(field Description)
check "the description has a summary line and a longer text" \
  test "$(wc -l <<<"$description")" -gt 2
while IFS= read -r line; do
  check "the description's line \"$line\" fits 80 columns" test "${#line}" -le 80
done <<<"$description"
depends=$(field Depends)
libraries=(libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6printsupport6)
[ "$has_app" = 1 ] && libraries+=(libqt6widgets6)
for library in "${libraries[@]}"; do
  check "the package depends on $library: $depends" grep -q "\\b$library\\b" <<<"$depends"
done

# The same files as the installation, all of them root's.
dpkg-deb --contents "$deb" >"$work/contents"
sed -n 's|^[^ ]* [^ ]* *[0-9]* [0-9-]* [0-9:]* \./usr/\(.*[^/]\)$|\1|p' "$work/contents" |
  LC_ALL=C sort >"$work/packaged"
expected_files "$src" "$has_app" >"$work/expected"
check "the package holds the installation's files (< missing, > unexpected):
$(diff "$work/expected" "$work/packaged")" cmp -s "$work/expected" "$work/packaged"
check "every file in the package is root's: $(grep -v ' root/root ' "$work/contents" | head -3)" \
  test -z "$(grep -v ' root/root ' "$work/contents")"

# The stripped programs still run.
dpkg-deb --extract "$deb" "$work/root"
programs=(ormlax-cli)
[ "$has_app" = 1 ] && programs+=(ormlax)
for program in "${programs[@]}"; do
  shown=$("$work/root/usr/bin/$program" --version 2>&1)
  check "the packaged $program --version prints \"$program $version\", not \"$shown\"" \
    test "$shown" = "$program $version"
done

finish
