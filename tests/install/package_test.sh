#!/usr/bin/env bash
# The Debian package built from this build folder with CPack: its contents, its declared
# dependencies, the desktop entry validated, and the extracted kavrina-cli run in place on a
# fresh data folder (the user's data folder, since an installed tool keeps no data beside
# itself). Arguments: the build folder, the build-tree kavrina-cli.
set -euo pipefail
build=$1
built_cli=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$tmp"/out/kavrina_*.deb)

contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/kavrina ./usr/bin/kavrina-cli ./usr/share/applications/kavrina.desktop \
            ./usr/share/icons/hicolor/16x16/apps/kavrina.png \
            ./usr/share/icons/hicolor/48x48/apps/kavrina.png \
            ./usr/share/icons/hicolor/256x256/apps/kavrina.png; do
  grep -q " $path\$" <<<"$contents" || fail "$path missing from the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 libzip4 libcurl4 libxlsxwriter4; do
  grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

dpkg-deb -x "$deb" "$tmp/root"
desktop-file-validate "$tmp/root/usr/share/applications/kavrina.desktop" ||
  fail "desktop entry not valid"
file "$tmp/root/usr/share/icons/hicolor/256x256/apps/kavrina.png" 2>/dev/null |
  grep -qv "256 x 256" && fail "the 256 icon is not 256 pixels"

cli="$tmp/root/usr/bin/kavrina-cli"
mkdir -p "$tmp/home" "$tmp/elsewhere"
run() { (cd "$tmp/elsewhere" && env -u KAVRINA_HOME HOME="$tmp/home" "$@"); }

# With $XDG_DATA_HOME the data lie in $XDG_DATA_HOME/kavrina, made on first use.
help=$(run XDG_DATA_HOME="$tmp/xdg" "$cli" --help)
grep -qx "Folder sa podacima: $tmp/xdg/kavrina" <<<"$help" || fail "help names: $help"
printf 'InvBr;Naziv;DatumN;RAOsn\n41;Sto;15.03.2024;12.500,00\n' >"$tmp/elsewhere/sredstva.csv"
out=$(run XDG_DATA_HOME="$tmp/xdg" "$cli" uvoz sredstva.csv) || fail "uvoz: $out"
[ -f "$tmp/xdg/kavrina/DBF/MDOS.dbf" ] || fail "no MDOS.dbf in the data folder"
[ ! -e "$tmp/elsewhere/DBF" ] || fail "the installed tool wrote data where it was started"
[ ! -e "$tmp/root/usr/bin/DBF" ] || fail "the installed tool wrote data beside itself"
csv=$(run XDG_DATA_HOME="$tmp/xdg" "$cli" izvoz MDOS)
grep -q '^41,Sto,15.03.2024,.*,12500.000,' <<<"$csv" || fail "asset not read back: $csv"

# Without it, ~/.local/share/kavrina.
help=$(run "$cli" --help)
grep -qx "Folder sa podacima: $tmp/home/.local/share/kavrina" <<<"$help" || fail "help names: $help"

# The tool in its build folder still works where it is started.
help=$(run "$built_cli" --help)
grep -qx "Folder sa podacima: $tmp/elsewhere" <<<"$help" || fail "build-tree help names: $help"
echo "package test passed: $deb"
