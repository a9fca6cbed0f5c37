#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed korbena-cli with a
# fresh working folder: it must print the default sheet. Then the same program without
# its templates must say so and leave the working folder for a later run to fill.
#   install_test.sh BUILD_DIR VERSION [WINDOW]   WINDOW OFF: a build without the window program
set -euo pipefail
build=$1
version=$2
window=${3:-ON}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
expected=(bin/korbena-cli share/korbena/conf/KORBENA.dat share/korbena/conf/KORBENA.lst
          share/korbena/style/A4-65-JAN.kbz share/korbena/barcode.pdf share/man/man1/korbena-cli.1.gz)
[[ $window == OFF ]] || expected+=(bin/korbena share/applications/korbena.desktop
    share/icons/hicolor/scalable/apps/korbena.svg share/mime/packages/korbena.xml)
for f in "${expected[@]}"; do
    [[ -e $prefix/$f ]] || fail "not installed: $f"
done
[[ -d $prefix/share/korbena/barimage ]] || fail "no barimage template folder"

cli=$prefix/bin/korbena-cli
[[ $("$cli" --version) == "korbena-cli $version" ]] || fail "--version: $("$cli" --version)"
"$cli" --help | grep -q "^commands:" || fail "--help lacks the commands"
"$cli" print --help | grep -q -- "--copies" || fail "print --help"
zcat "$prefix/share/man/man1/korbena-cli.1.gz" | grep -q '^\.SS print' || fail "man page lacks print"

# Installed, with a fresh working folder: the default sheet.
export XDG_DATA_HOME=$tmp/xdg
work=$XDG_DATA_HOME/tesselink/korbenaXe10
(cd "$tmp" && "$cli" print --out x.pdf) || fail "installed print failed"
pdftotext "$tmp/x.pdf" - | grep -q "りんご" || fail "the default sheet lacks its first title"
cmp -s "$work/conf/KORBENA.dat" "$prefix/share/korbena/conf/KORBENA.dat" || fail "conf not filled"
[[ -f $work/style/A4-24-JAN.kbz ]] || fail "style not filled"

# A copied program without templates: a clear message, nothing half made.
alone=$tmp/alone
mkdir -p "$alone/bin"
cp "$cli" "$alone/bin/"
export XDG_DATA_HOME=$tmp/xdg2
work=$XDG_DATA_HOME/tesselink/korbenaXe10
status=0
"$alone/bin/korbena-cli" print --out "$tmp/y.pdf" 2>"$tmp/err" || status=$?
[[ $status -eq 1 ]] || fail "without templates: status $status"
grep -q "templates were not found in $alone/share/korbena" "$tmp/err" || fail "message: $(cat "$tmp/err")"
[[ ! -e $work/conf ]] || fail "an empty conf was left behind"
# The templates appear: the next run fills the folder and prints.
cp -r "$prefix/share" "$alone/"
"$alone/bin/korbena-cli" print --out "$tmp/y.pdf" || fail "the run with templates failed"
[[ -f $work/conf/KORBENA.lst && -f $tmp/y.pdf ]] || fail "the later run did not fill the folder"

# An empty conf left by an earlier version stays the user's, and the message says how to refill it.
export XDG_DATA_HOME=$tmp/xdg3
mkdir -p "$XDG_DATA_HOME/tesselink/korbenaXe10/conf"
status=0
"$cli" print --out "$tmp/z.pdf" 2>"$tmp/err" || status=$?
[[ $status -eq 1 ]] && grep -q "remove the folder .*/conf" "$tmp/err" || fail "empty conf: $(cat "$tmp/err")"
echo "install test passed"
