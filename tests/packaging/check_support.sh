# shellcheck shell=bash
# Shared by the installation tests: failures are counted, every one says what is wrong, and the
# test ends with a summary line and a status that fails when any check failed.
failures=0
checks=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# check DESCRIPTION COMMAND...: runs COMMAND and counts DESCRIPTION as failed unless it succeeds.
check() {
  local what=$1
  shift
  checks=$((checks + 1))
  if ! "$@"; then
    fail "$what"
  fi
}

# Ends the test.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures of $checks checks failed"
    exit 1
  fi
  echo "all $checks checks passed"
}

# needs TOOL PACKAGE: the test cannot run without TOOL (scripts/install-dependencies.sh installs it).
needs() {
  if ! command -v "$1" >/dev/null 2>&1; then
    echo "FAIL: $1 is missing; install the Debian package $2 (scripts/install-dependencies.sh does)"
    exit 1
  fi
}

# keep_install_manifest BUILD_DIR WORK_DIR: cmake --install and cpack write the list of what
# they installed into the build folder; the list of an earlier real installation is put back
# when the test ends, since it is how that one is removed again. WORK_DIR is removed then too.
keep_install_manifest() {
  manifest=$1/install_manifest.txt
  manifest_work=$2
  if [ -f "$manifest" ]; then
    cp -p "$manifest" "$manifest_work/manifest"
  fi
  trap restore_install_manifest EXIT
}
restore_install_manifest() {
  if [ -f "$manifest_work/manifest" ]; then
    cp -p "$manifest_work/manifest" "$manifest"
  else
    rm -f "$manifest"
  fi
  rm -rf "$manifest_work"
}

# The files below DIR, one relative path a line, sorted.
files_below() {
  (cd "$1" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
}

# The files the installation holds, relative to its prefix, for a source tree SRC; HAS_APP says
# whether the desktop program is built.
expected_files() {
  local src=$1 has_app=$2
  {
    echo bin/ormlax-cli
    echo share/man/man1/ormlax-cli.1.gz
    if [ "$has_app" = 1 ]; then
      echo bin/ormlax
      echo share/man/man1/ormlax.1.gz
      echo share/applications/ormlax.desktop
      echo share/icons/hicolor/scalable/apps/ormlax.svg
      for size in 16 32 48 64 128 256; do
        echo "share/icons/hicolor/${size}x${size}/apps/ormlax.png"
      done
    fi
    echo share/doc/ormlax/README.md
    for folder in docs examples; do
      if [ -d "$src/$folder" ]; then
        files_below "$src/$folder" | grep -v '/\.git[^/]*$' | grep -v '^\.git[^/]*$' |
          sed "s|^|share/doc/ormlax/$folder/|"
      fi
    done
  } | LC_ALL=C sort
}
