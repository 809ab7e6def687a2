#!/usr/bin/python3
"""Prints every record of a DBF table as read by dbfread, an independent reader, one line
per record and one tab-separated value per field: text without trailing blanks, numbers
with the field's decimals, dates as dd.mm.yyyy (empty when none), logicals as T or F."""
import sys

from dbfread import DBF


def canonical(field, value):
    if field.type == 'N':
        return '%.*f' % (field.decimal_count, value or 0)
    if field.type == 'D':
        return value.strftime('%d.%m.%Y') if value else ''
    if field.type == 'L':
        return 'T' if value else 'F'
    return value


table = DBF(sys.argv[1], encoding='cp1250', load=False)
for record in table:
    print('\t'.join(canonical(f, record[f.name]) for f in table.fields))
