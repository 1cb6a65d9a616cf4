#!/bin/sh
# Renders the shipped templates filled with the print fixture's invoices into docs/,
# through the program's own export. Run from the source tree after a build:
#   tools/template-screenshots.sh build
set -e
build=${1:-build}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$build/tools/kelvane_mkdb" "$dir/trfp.db" >/dev/null
sqlite3 "$dir/trfp.db" < tests/data/print_invoices.sql
# The overlay shows its values over the drawing of the blank form; a one-line seller name
# suits the shipped layout's single name row.
sqlite3 "$dir/trfp.db" "insert into fpdz (fpdz) values ('$PWD/tests/data/print_blank_form.png');
    update title set 是否打印格式 = 1, 销货单位名称 = '青石制造有限公司' where cid = 2;"
cp templates/*.fr3 "$dir/"
export QT_QPA_PLATFORM=offscreen
for t in zzsfp zzsfpa4; do
    "$build/bin/kelvane" export --dir "$dir" --invoice 2 --template $t.fr3 --to docs/template-$t.png
done
"$build/bin/kelvane" export --dir "$dir" --invoice 5 --template fpqd.fr3 --to docs/template-fpqd.png
"$build/bin/kelvane" export --dir "$dir" --invoice 5 --template zyfpqd.fr3 --to "$dir/zyfpqd.png"
cp "$dir/zyfpqd_1.png" docs/template-zyfpqd.png
