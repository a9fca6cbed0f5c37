#!/usr/bin/env bash
# Checks a built korbena .deb: the programs, templates, manual, desktop entry, icons,
# file types and manual pages are in it, its version is the project's, and it depends
# on the Qt libraries it links, the IPA fonts and fontconfig, and on nothing of the
# build (compilers, -dev packages, test tools).
#   package_check.sh FILE.deb VERSION [WINDOW]   WINDOW OFF: a build without the window program
set -euo pipefail
deb=$1
version=$2
window=${3:-ON}
fail() { echo "FAIL: $*" >&2; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
expected=(./usr/bin/korbena-cli ./usr/share/korbena/conf/KORBENA.dat ./usr/share/korbena/conf/KORBENA.lst
          ./usr/share/korbena/style/A4-65-JAN.kbz ./usr/share/korbena/barimage/
          ./usr/share/korbena/barcode.pdf ./usr/share/man/man1/korbena-cli.1.gz)
if [[ $window != OFF ]]; then
    expected+=(./usr/bin/korbena ./usr/share/applications/korbena.desktop
               ./usr/share/icons/hicolor/scalable/apps/korbena.svg
               ./usr/share/icons/hicolor/scalable/mimetypes/application-x-korbena-style.svg
               ./usr/share/icons/hicolor/scalable/mimetypes/application-x-korbena-data.svg
               ./usr/share/mime/packages/korbena.xml)
fi
for f in "${expected[@]}"; do
    grep -qxF "$f" <<<"$files" || fail "the package lacks $f"
done

info=$(dpkg-deb --info "$deb")
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
for p in libqt6core6 libqt6gui6 libqt6svg6 libqt6printsupport6 libzint2.11 fonts-ipafont-gothic fonts-ipafont-mincho fontconfig qt6-translations-l10n; do
    grep -q "\b$p\b" <<<"$depends" || fail "Depends lacks $p: $depends"
done
for p in -dev gtest benchmark clang "\bzint\b" zbar python; do
    ! grep -q -- "$p" <<<"$depends" || fail "Depends holds $p: $depends"
done
grep -qx " Version: $version" <<<"$info" || fail "version: $(grep Version <<<"$info")"
grep -q "バーコード" <<<"$info" || fail "no Japanese description"

# Unpacked anywhere and run by a normal user with a fresh working folder, the program
# finds its templates and prints the default sheet.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
dpkg-deb -x "$deb" "$tmp/root"
mkdir -m 777 "$tmp/run"
as_user=()
[[ $(id -u) -eq 0 ]] && command -v runuser >/dev/null && as_user=(runuser -u nobody --)
(cd "$tmp/run" && "${as_user[@]}" env XDG_DATA_HOME="$tmp/run/xdg" HOME="$tmp/run" \
    "$tmp/root/usr/bin/korbena-cli" print --out sheet.pdf) || fail "the packaged korbena-cli did not print"
pdftotext "$tmp/run/sheet.pdf" - | grep -q "りんご" || fail "the packaged program printed no default sheet"
echo "package check passed: $deb"
echo "$info"
