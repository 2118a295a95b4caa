#!/usr/bin/env bash
# What `cmake --install` puts under a prefix and what the Debian package holds:
# every program, the desktop entry, the session type, the thumbnailer entry,
# the icons and the man pages; and the package's Depends and maintainer
# scripts.
# Usage: package_test.sh BUILD_DIR PROGRAM...
set -euo pipefail
build=$1
shift
programs=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The files every install holds, relative to the prefix.
expected=(
  share/applications/kestrix.desktop
  share/mime/packages/kestrix.xml
  share/thumbnailers/kestrix.thumbnailer
  share/icons/hicolor/scalable/apps/kestrix.svg
)
for size in 16 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/kestrix.png")
done
for program in "${programs[@]}"; do
  expected+=("bin/$program" "share/man/man1/$program.1")
done

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in "${expected[@]}"; do
  [ -f "$work/prefix/$file" ] || fail "the install lacks $file"
done
for program in "${programs[@]}"; do
  [ -x "$work/prefix/bin/$program" ] || fail "bin/$program is not executable"
  # A man page that says nothing is no page: it names its program.
  grep -q -- "$program" "$work/prefix/share/man/man1/$program.1" 2>/dev/null ||
    fail "the man page of $program does not name it"
done

# The desktop entry, the session type and the thumbnailer name one type.
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$work/prefix/share/mime/packages/kestrix.xml")
[ -n "$type" ] || fail "the MIME file declares no type"
grep -qx "MimeType=$type;" "$work/prefix/share/applications/kestrix.desktop" ||
  fail "the desktop entry does not open $type"
grep -qx "MimeType=$type;" "$work/prefix/share/thumbnailers/kestrix.thumbnailer" ||
  fail "the thumbnailer entry is not for $type"
grep -qx 'Exec=kestrix-thumbnailer -s %s %i %o' "$work/prefix/share/thumbnailers/kestrix.thumbnailer" ||
  fail "the thumbnailer entry does not run kestrix-thumbnailer -s %s %i %o"

# The package, built from the same install.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$(find "$work/package" -maxdepth 1 -name '*.deb' | head -n 1)
if [ -z "$deb" ]; then
  fail "no .deb was built"
else
  contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
  for file in "${expected[@]}"; do
    grep -qx "./usr/$file" <<<"$contents" || fail "the package lacks /usr/$file"
  done
  depends=$(dpkg-deb -f "$deb" Depends)
  # Found by dpkg-shlibdeps in the programs, not written by hand.
  for library in libc6 libqt6core6 libqt6gui6; do
    grep -q "\b$library\b" <<<"$depends" || fail "Depends lacks $library: $depends"
  done
  dpkg-deb -e "$deb" "$work/control"
  for script in postinst postrm; do
    [ -x "$work/control/$script" ] || fail "the package has no executable $script"
    grep -q update-mime-database "$work/control/$script" || fail "$script does not refresh the MIME database"
    grep -q update-desktop-database "$work/control/$script" || fail "$script does not refresh the desktop database"
  done
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install and package hold every file (${#expected[@]} files, ${#programs[@]} programs)"
