#!/usr/bin/python3
"""Compares workbooks pairwise with python3-xlrd: sheets (names, visibility, sizes),
cell types and values, and defined names (name, scope, area).

Arguments: ORIGINAL COPY [ORIGINAL COPY ...]. Prints one JSON object mapping each
original to "same" or to a description of the first difference."""
import json
import sys

import xlrd


def describe(path):
    book = xlrd.open_workbook(path, formatting_info=False, logfile=sys.stderr)
    sheets = []
    for sheet in book.sheets():
        cells = {}
        for r in range(sheet.nrows):
            for c in range(sheet.row_len(r)):
                cell = sheet.cell(r, c)
                if cell.ctype != xlrd.XL_CELL_EMPTY:
                    cells[(r, c)] = (cell.ctype, repr(cell.value))
        sheets.append((sheet.name, sheet.visibility, sheet.nrows, sheet.ncols, cells))
    names = []
    for name in book.name_obj_list:
        try:
            sheet, rlo, rhi, clo, chi = name.area2d(clipped=False)
            area = (sheet.name, rlo, rhi, clo, chi)
        except Exception:
            area = None
        names.append((name.name, name.scope, area))
    return sheets, names


def first_difference(a, b):
    sheets_a, names_a = a
    sheets_b, names_b = b
    if [s[:4] for s in sheets_a] != [s[:4] for s in sheets_b]:
        return "sheets differ: %r / %r" % ([s[:4] for s in sheets_a], [s[:4] for s in sheets_b])
    for sa, sb in zip(sheets_a, sheets_b):
        if sa[4] != sb[4]:
            keys = sorted(set(sa[4]) ^ set(sb[4]) | {k for k in sa[4] if sa[4].get(k) != sb[4].get(k)})
            k = keys[0]
            return "sheet %s cell %r: %r / %r" % (sa[0], k, sa[4].get(k), sb[4].get(k))
    if names_a != names_b:
        return "names differ: %r / %r" % (names_a, names_b)
    return "same"


def main():
    args = sys.argv[1:]
    result = {}
    for original, copy in zip(args[0::2], args[1::2]):
        try:
            result[original] = first_difference(describe(original), describe(copy))
        except Exception as error:  # the copy could not be read
            result[original] = "xlrd failed: %s: %s" % (type(error).__name__, error)
    json.dump(result, sys.stdout)


if __name__ == "__main__":
    main()
