#!/usr/bin/env bash
# Packs the Debian package from a finished build, unpacks it into a temporary root with
# dpkg -x and checks it the way a user meets it: the commands start from there, keep their
# data in the per-user folder, and the launcher and icons are where the desktop looks.
# usage: check-deb.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/vimbro-deb-XXXXXX")
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "check-deb: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/out/vimbro-suite_*_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no vimbro-suite_<version>_<arch>.deb produced"
case "$(basename "$deb")" in
  vimbro-suite_[0-9]*.[0-9]*.[0-9]*_$(dpkg --print-architecture).deb) ;;
  *) fail "unexpected package name $(basename "$deb")" ;;
esac

# Declared dependencies: the libraries found by dpkg-shlibdeps and the Korean face.
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 libsqlite3-0 libjpeg62-turbo libgif7 libcurl4 fonts-nanum; do
  grep -q "\b$dep\b" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

root="$work/root"
dpkg -x "$deb" "$root"
lib="$root/usr/lib/vimbro-suite"
for f in usr/bin/vimbro-suite usr/bin/vimbro-tool usr/lib/vimbro-suite/Brelt.rcc \
         usr/lib/vimbro-suite/vimbro-installed usr/lib/vimbro-suite/help/001_AboutVimbroSuite.htm \
         usr/share/applications/vimbro-suite.desktop usr/share/mime/packages/vimbro-suite.xml; do
  [ -e "$root/$f" ] || fail "$f missing"
done
# Every library the programs need resolves: ours through the run path, the rest on the system.
for f in "$lib/Vimbro" "$lib/vimbro-tool" "$lib"/*.so; do
  if ldd "$f" | grep -q "not found"; then ldd "$f" >&2; fail "unresolved library in $f"; fi
done
# The icon theme sizes, each drawn at its size.
for size in 48 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/vimbro-suite.png"
  [ -f "$icon" ] || fail "icon ${size}x${size} missing"
  got=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$icon")
  [ "$got" = "${size}x${size}" ] || fail "icon ${size}x${size} is $got"
done
desktop-file-validate "$root/usr/share/applications/vimbro-suite.desktop" || fail "desktop file refused"
grep -q '^Exec=vimbro-suite %F$' "$root/usr/share/applications/vimbro-suite.desktop" || fail "desktop file does not pass files"

# The unpacked tool from a fresh account: 67 models, data in the per-user folder only.
home="$work/home"
mkdir -p "$home"
chmod -R a-w "$lib"
run() { env -u VIMBRO_HOME -u XDG_DATA_HOME HOME="$home" XDG_CONFIG_HOME="$home/.config" "$@"; }
models=$(run "$root/usr/bin/vimbro-tool" models)
count=$(grep -c . <<<"$models")
[ "$count" -eq 67 ] || fail "vimbro-tool models printed $count lines, not 67"
grep -q "사용자 정의" <<<"$models" || fail "no user-defined model"
run "$root/usr/bin/vimbro-tool" catalog list >/dev/null || fail "catalog list failed"
user="$home/.local/share/VimbroSuite"
[ -f "$user/zldb.mdb" ] || fail "no catalogue in $user"
[ "$(ls "$user/data" | wc -l)" -eq 67 ] || fail "per-user data folder does not hold the 67 model files"
chmod -R u+w "$lib"
extra=$(cd "$lib" && ls | grep -vE '^(Vimbro|vimbro-tool|vimbro-installed|Brelt\.rcc|data|help|lib.*\.so)$' || true)
[ -z "$extra" ] || fail "the program folder got files: $extra"
echo "check-deb: $(basename "$deb") passed"
