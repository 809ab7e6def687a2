#!/usr/bin/python3
"""Reads an XLSX file with openpyxl (an independent reader) and prints one line per cell:

    SHEET!A1 s TEXT                  a text cell
    SHEET!B5 n VALUE FORMAT          a number with its number format
    SHEET!C5 d YYYY-MM-DD FORMAT     a date cell
    SHEET!D9 f FORMULA = VALUE FMT   a formula with the value stored in the file

and a line "SHEET freeze CELL" for the frozen panes of each sheet."""
import datetime
import sys

import openpyxl


def number(value):
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


def main(path):
    formulas = openpyxl.load_workbook(path)
    values = openpyxl.load_workbook(path, data_only=True)
    for ws in formulas.worksheets:
        stored = values[ws.title]
        print(f"{ws.title} freeze {ws.freeze_panes}")
        for row in ws.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                where = f"{ws.title}!{cell.coordinate}"
                value = cell.value
                if isinstance(value, str) and value.startswith("="):
                    cached = stored[cell.coordinate].value
                    print(f"{where} f {value} = {number(cached)} {cell.number_format}")
                elif isinstance(value, datetime.datetime):
                    print(f"{where} d {value.date().isoformat()} {cell.number_format}")
                elif isinstance(value, (int, float)):
                    print(f"{where} n {number(value)} {cell.number_format}")
                else:
                    print(f"{where} s {value}")


if __name__ == "__main__":
    main(sys.argv[1])
