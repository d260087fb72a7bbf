#!/usr/bin/python3
"""Prints what python3-xlrd reads of a workbook as JSON, for the C++ tests.

Formatting is read when xlrd can (formatting_info=True); files whose formatting
records xlrd rejects are read again without it and say so ("formatting": false).
"""
import json
import sys

import xlrd


def date_text(value, datemode):
    """A date cell as ISO 8601 text ("2007-08-10", "2007-08-10 14:30:00"), or None
    for a bare time of day or a day xlrd calls ambiguous (before 1900-03-01)."""
    try:
        y, mo, d, h, mi, s = xlrd.xldate_as_tuple(value, datemode)
    except xlrd.xldate.XLDateError:
        return None
    if y == 0:
        return None
    day = "%04d-%02d-%02d" % (y, mo, d)
    return day if (h, mi, s) == (0, 0, 0) else day + " %02d:%02d:%02d" % (h, mi, s)


def cell_json(book, sheet, r, c, with_format):
    cell = sheet.cell(r, c)
    out = {"row": r, "col": c, "type": cell.ctype, "value": cell.value}
    if cell.ctype == xlrd.XL_CELL_DATE:
        out["value"] = repr(cell.value)
        out["date"] = date_text(cell.value, book.datemode)
    if with_format and cell.xf_index is not None:
        xf = book.xf_list[cell.xf_index]
        font = book.font_list[xf.font_index]
        b = xf.border
        out["format"] = {
            "bold": bool(font.bold),
            "hor_align": xf.alignment.hor_align,
            "borders": {"left": b.left_line_style, "right": b.right_line_style,
                        "top": b.top_line_style, "bottom": b.bottom_line_style},
            "fill_pattern": xf.background.fill_pattern,
            "fill_colour": xf.background.pattern_colour_index,
            "number_format": book.format_map[xf.format_key].format_str
            if xf.format_key in book.format_map else None,
        }
    return out


def name_json(book, name):
    out = {"name": name.name, "scope": name.scope, "hidden": bool(name.hidden),
           "text": getattr(name.result, "text", None)}  # other names shown by name
    try:
        sheet, rlo, rhi, clo, chi = name.area2d(clipped=False)  # xlrd gives the Sheet itself
        out["area"] = {"sheet": sheet.name,
                       "rlo": rlo, "rhi": rhi, "clo": clo, "chi": chi}
    except Exception:  # names that are not a single area
        pass
    return out


def sheet_json(book, sheet, with_format):
    out = {"name": sheet.name, "visibility": sheet.visibility,
           "nrows": sheet.nrows, "ncols": sheet.ncols,
           "cells": [cell_json(book, sheet, r, c, with_format)
                     for r in range(sheet.nrows) for c in range(sheet.row_len(r))
                     if sheet.cell_type(r, c) != xlrd.XL_CELL_EMPTY]}
    if with_format:
        out["frozen"] = bool(sheet.panes_are_frozen)
        out["frozen_rows"] = sheet.horz_split_pos if sheet.panes_are_frozen else 0
        out["frozen_cols"] = sheet.vert_split_pos if sheet.panes_are_frozen else 0
        out["col_widths"] = {str(c): info.width for c, info in sorted(sheet.colinfo_map.items())}
    return out


# xlrd's warnings and dumps go to stderr, so that stdout stays JSON.
def open_book(path):
    try:
        return xlrd.open_workbook(path, formatting_info=True, on_demand=False, logfile=sys.stderr), True
    except Exception:
        return xlrd.open_workbook(path, formatting_info=False, logfile=sys.stderr), False


def main():
    book, with_format = open_book(sys.argv[1])
    result = {"formatting": with_format, "datemode": book.datemode,
              "sheets": [sheet_json(book, book.sheet_by_index(i), with_format)
                         for i in range(book.nsheets)],
              "names": [name_json(book, n) for n in book.name_obj_list]}
    json.dump(result, sys.stdout, ensure_ascii=False, default=str)


if __name__ == "__main__":
    main()
