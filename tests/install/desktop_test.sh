#!/usr/bin/env bash
# The desktop files are valid, the file types are known to the MIME database by glob
# and by content, and the manual is built with every section and searchable text.
#   desktop_test.sh SOURCE_DIR MANUAL_PDF
set -euo pipefail
src=$1
manual=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$src/desktop/korbena.desktop" || fail "desktop entry"
for xml in "$src"/desktop/*.xml "$src"/desktop/*.svg; do
    xmllint --noout "$xml" || fail "not well-formed: $xml"
done
if command -v update-mime-database >/dev/null; then
    mkdir -p "$tmp/mime/packages"
    cp "$src/desktop/korbena-mime.xml" "$tmp/mime/packages/korbena.xml"
    XDG_DATA_DIRS=$tmp update-mime-database "$tmp/mime" 2>"$tmp/mime.err" || fail "MIME database: $(cat "$tmp/mime.err")"
    [[ ! -s $tmp/mime.err ]] || fail "MIME database warns: $(cat "$tmp/mime.err")"
    grep -q "application/x-korbena-style:\*\.kbz" "$tmp/mime/globs" || fail "no .kbz glob"
    grep -q "application/x-korbena-data:\*\.lst" "$tmp/mime/globs" || fail "no .lst glob"
    grep -q "application/x-korbena-style:application-x-korbena-style" "$tmp/mime/icons" || fail "no icon"
fi

text=$tmp/manual.txt
pdftotext -enc UTF-8 "$manual" "$text" || fail "manual not readable"
for section in "画面の構成" "ラベルを作る" "シートの設定" "データの入力と取り込み" "連番" \
               "チェックデジット" "印刷" "印刷枚数" "開始位置" "印刷前チェック" "印刷位置の補正" \
               "ファイル形式" "korbena-cli"; do
    grep -q "$section" "$text" || fail "the manual lacks $section"
done
pdffonts "$manual" | grep -q "IPA.*yes" || fail "no embedded IPA font"
echo "desktop test passed"
