#!/usr/bin/env bash
# The installed tree as a software centre, a menu and `man` read it: the
# metainfo file and the menu entries validate, the metainfo names what is
# installed, every manual page is installed in its section and renders
# without a warning, and the version numbers agree.
#
# usage: metadata_test.sh CMAKE BINARY_DIR SOURCE_DIR VERSION
set -uo pipefail

cmake=$1 build=$2 source=$3 version=$4
failed=0
checked=0

check() {
  # check DESCRIPTION COMMAND...: the command must succeed.
  local what=$1
  shift
  checked=$((checked + 1))
  local output
  if ! output=$("$@" 2>&1); then
    failed=$((failed + 1))
    printf 'FAIL: %s\n%s\n' "$what" "$output"
  fi
}

quiet() {
  # quiet COMMAND...: succeeds when the command succeeds and prints nothing.
  local output
  output=$("$@" 2>&1) || { printf '%s\n' "$output"; return 1; }
  [ -z "$output" ] || { printf '%s\n' "$output"; return 1; }
}

for tool in appstreamcli desktop-file-validate groff man lexgrog gzip; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAIL: $tool is missing; scripts/install-deps.sh installs it"
    exit 1
  fi
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
if ! "$cmake" --install "$build" --prefix "$prefix" >/dev/null; then
  echo "FAIL: cmake --install $build"
  exit 1
fi
share=$prefix/share

# --- The software centre's metadata -----------------------------------------
shopt -s nullglob
metainfo=("$share"/metainfo/*.metainfo.xml)
check "one metainfo file is installed in share/metainfo" test ${#metainfo[@]} -eq 1
for file in "${metainfo[@]}"; do
  check "appstreamcli validate --no-net $(basename "$file")" \
    appstreamcli validate --no-net "$file"
  text=$(<"$file")
  # The component launches an installed menu entry (checked against the
  # tree: a missing desktop file is a validation failure there).
  check "appstreamcli validate-tree: the metainfo with the menu entry it launches" \
    appstreamcli validate-tree --no-net "$prefix"
  launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' <<<"$text")
  check "the metainfo names a launchable menu entry" test -n "$launchable"
  binaries=$(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' <<<"$text")
  check "the metainfo provides at least the game" grep -qx kalvex <<<"$binaries"
  for binary in $binaries; do
    check "the provided binary $binary is installed" test -x "$prefix/bin/$binary"
  done
  newest=$(sed -n 's:.*<release version="\([^"]*\)".*:\1:p' <<<"$text" | head -n 1)
  check "the newest release in the metainfo ($newest) is the version $version" \
    test "$newest" = "$version"
done

entries=("$share"/applications/*.desktop)
check "a menu entry is installed" test ${#entries[@]} -ge 1
for entry in "${entries[@]}"; do
  check "desktop-file-validate $(basename "$entry")" quiet desktop-file-validate "$entry"
done

# --- The Debian changelog ---------------------------------------------------
changelog_head=$(head -n 1 "$source/cmake/debian/changelog")
check "the package changelog's newest entry ($changelog_head) is the version $version" \
  test "$changelog_head" = "kalvex ($version) unstable; urgency=medium"

# --- The manual pages -------------------------------------------------------
pages=("$source"/docs/man/*.[1-9])
check "manual pages exist in docs/man" test ${#pages[@]} -ge 3
for page in "${pages[@]}"; do
  name=$(basename "$page")
  section=${name##*.}
  installed=$share/man/man$section/$name.gz
  check "$name is installed compressed in man$section" gzip -t "$installed"
  check "$name is installed unchanged" cmp -s "$page" <(gzip -dc "$installed")
  check "$name renders with groff -ww without a message" \
    quiet groff -ww -man -Tutf8 -z "$page"
  check "$name renders with man -l without a warning" \
    quiet sh -c 'MANWIDTH=80 man --warnings -E UTF-8 -l "$1" >/dev/null' sh "$installed"
  # Its NAME line feeds whatis and apropos: "name \- summary" for this page.
  whatis=$(lexgrog "$installed" 2>&1)
  check "$name has a NAME line for whatis ($whatis)" \
    grep -q "\"${name%.*} - [^\"]" <<<"$whatis"
done

for program in "$prefix"/bin/*; do
  name=$(basename "$program")
  found=("$share"/man/man[1-9]/"$name".[1-9].gz)
  check "the installed program $name has a manual page" test ${#found[@]} -eq 1
done

echo "$((checked - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
