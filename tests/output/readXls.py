#!/usr/bin/python3
"""Reads a .xls workbook with xlrd (formatting on) and prints what the tests check as JSON.

readXls.py BOOK.xls     -> sheets, cells with their formats, fonts, palette, names, page setup
readXls.py --stream FILE -> size and MD5 of the container's "Workbook" stream
"""
import hashlib
import json
import struct
import sys

import xlrd
import xlrd.compdoc


def page_setups(stream):
    """Portrait flag of the SETUP record of each sheet substream, in sheet order."""
    flags, pos, sheet = [], 0, -1
    while pos + 4 <= len(stream):
        rtype, size = struct.unpack_from("<HH", stream, pos)
        body = stream[pos + 4:pos + 4 + size]
        if rtype == 0x0809 and struct.unpack_from("<H", body, 2)[0] == 0x10:
            sheet += 1
            flags.append(None)
        elif rtype == 0x00A1 and sheet >= 0:
            flags[sheet] = bool(struct.unpack_from("<H", body, 10)[0] & 0x02)
        elif rtype == 0 and size == 0:
            break  # padding after the last record
        pos += 4 + size
    return flags


def describe(path):
    book = xlrd.open_workbook(path, formatting_info=True)
    with open(path, "rb") as f:
        stream = xlrd.compdoc.CompDoc(f.read()).get_named_stream("Workbook")
    portrait = page_setups(stream)
    used_xfs = set()
    sheets = []
    for index, sheet in enumerate(book.sheets()):
        cells = {}
        for r in range(sheet.nrows):
            for c in range(sheet.ncols):
                cell = sheet.cell(r, c)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                used_xfs.add(cell.xf_index)
                cells["%d,%d" % (r, c)] = {"value": cell.value, "type": cell.ctype, "xf": cell.xf_index}
        sheets.append({
            "name": sheet.name,
            "nrows": sheet.nrows,
            "ncols": sheet.ncols,
            "cells": cells,
            "rowHeights": {str(r): info.height for r, info in sheet.rowinfo_map.items()},
            "colWidths": {str(c): info.width for c, info in sheet.colinfo_map.items()},
            "portrait": portrait[index] if index < len(portrait) else None,
        })
    xfs = {}
    for i in sorted(used_xfs):
        xf = book.xf_list[i]
        b = xf.border
        xfs[str(i)] = {
            "font": xf.font_index,
            "pattern": xf.background.fill_pattern,
            "fill": xf.background.pattern_colour_index,
            "left": [b.left_line_style, b.left_colour_index],
            "right": [b.right_line_style, b.right_colour_index],
            "top": [b.top_line_style, b.top_colour_index],
            "bottom": [b.bottom_line_style, b.bottom_colour_index],
            "hAlign": xf.alignment.hor_align,
            "vAlign": xf.alignment.vert_align,
            "rotation": xf.alignment.rotation,
        }
    fonts = [{"name": f.name, "height": f.height, "bold": bool(f.bold), "colour": f.colour_index}
             for f in book.font_list]
    palette = {str(i): list(rgb) for i, rgb in book.colour_map.items() if rgb is not None and 8 <= i < 64}
    names = []
    for n in book.name_obj_list:
        refs = []
        if n.result is not None and n.result.value:
            refs = [list(ref.coords) for ref in n.result.value]
        names.append({"name": n.name, "scope": n.scope, "builtin": bool(n.builtin), "refs": refs})
    return {"sheets": sheets, "xfs": xfs, "fonts": fonts, "palette": palette, "names": names}


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--stream":
        with open(sys.argv[2], "rb") as f:
            data = xlrd.compdoc.CompDoc(f.read()).get_named_stream("Workbook")
        print(json.dumps({"size": len(data), "md5": hashlib.md5(data).hexdigest()}))
    else:
        print(json.dumps(describe(sys.argv[1])))


if __name__ == "__main__":
    main()
