#!/bin/sh
# scripts/run with no display, on a fresh build folder that borrows the programs of
# an existing build: it must say why no window opens, build the sample database,
# migrate it into a workbook that xlrd reads back, and replace that workbook on a
# second run instead of adding to it.
#   run_without_display_test.sh SOURCE_DIR BUILD_DIR
set -eu
source_dir=$1
build_dir=$(cd "$2" && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/build/src"
ln -s "$build_dir/src/cli" "$scratch/build/src/cli"

fail() {
    echo "FAIL: $*" >&2
    cat "$scratch/out" >&2
    exit 1
}

run() {
    env -u DISPLAY -u WAYLAND_DISPLAY TABVEX_BUILD_DIR="$scratch/build" "$source_dir/scripts/run" >"$scratch/out" 2>&1 ||
        fail "scripts/run ended with status $?"
    head -n 1 "$scratch/out" | grep -q "^run: no display" || fail "the first line does not say there is no display"
    workbook="$scratch/build/samples/sample.xls"
    grep -qF "The sample database is now the workbook $workbook" "$scratch/out" || fail "the workbook's place is not named"
    grep -qF "libreoffice --calc \"$workbook\"" "$scratch/out" || fail "how to open the workbook is not said"
    /usr/bin/python3 "$source_dir/tests/support/xlrd_dump.py" "$workbook" >"$scratch/book.json" || fail "xlrd cannot read $workbook"
    /usr/bin/python3 - "$scratch/book.json" <<'PY' || fail "the workbook does not hold the sample database"
import json, sys
book = json.load(open(sys.argv[1]))
sheets = {sheet["name"]: sheet for sheet in book["sheets"]}
for name, rows in (("Customers", 7), ("Products", 6), ("Orders", 7)):
    assert name in sheets, "no sheet " + name
    assert sheets[name]["nrows"] == rows, "%s has %d rows" % (name, sheets[name]["nrows"])
texts = {cell["value"] for sheet in sheets.values() for cell in sheet["cells"]}
for text in ("Müller & Söhne GmbH", "Ελληνικά Τρόφιμα Α.Ε.", "Анна Смирнова", "株式会社さくら商事", "1234.5678"):
    assert text in texts, "missing " + text
PY
}

run
test -f "$scratch/build/samples/sample.mdb" || fail "no sample database was built"
run
echo "PASS"
