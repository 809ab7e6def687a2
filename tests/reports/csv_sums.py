#!/usr/bin/python3
"""Reads a booking-note CSV with Python's csv module and prints its header, the number of
lines and the sums of the debit and credit columns (exact decimals)."""
import csv
import sys
from decimal import Decimal

with open(sys.argv[1], newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f))
print(",".join(rows[0]))
print("lines", len(rows) - 1)
print("duguje", sum(Decimal(r[3]) for r in rows[1:]))
print("potrazuje", sum(Decimal(r[4]) for r in rows[1:]))
print("dates", ",".join(sorted({r[0] for r in rows[1:]})))
