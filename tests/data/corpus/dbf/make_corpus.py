#!/usr/bin/python3
"""Writes the corpus of broken table files next to this script. Each file is a small
table with one fault; README.md lists them. Run again after changing a case."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def descriptor(name, ftype, width, decimals=0):
    return name.encode().ljust(11, b'\0')[:11] + ftype.encode() + b'\0' * 4 + bytes([width, decimals]) + b'\0' * 14


def table(fields, records, version=0x03, count=None, header_len=None, record_len=None,
          terminator=b'\x0d\x00'):
    descs = b''.join(descriptor(*f) for f in fields)
    hl = header_len if header_len is not None else 32 + 32 * len(fields) + 2
    rl = record_len if record_len is not None else 1 + sum(f[2] for f in fields)
    n = count if count is not None else len(records)
    head = struct.pack('<BBBBIHH', version, 23, 10, 16, n, hl, rl) + b'\0' * 20
    return head + descs + terminator + b''.join(records) + b'\x1a'


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)


ok_fields = [('SIFRA', 'C', 3), ('IZNOS', 'N', 6, 2)]
ok_records = [b' 001  1.50', b' 002 12.25']

write('valid.dbf', table(ok_fields, ok_records))
write('truncated_header.dbf', table(ok_fields, ok_records)[:20])
write('truncated_descriptors.dbf', table(ok_fields, ok_records)[:50])
write('header_length_disagrees.dbf', table(ok_fields, ok_records, header_len=32 + 32 * 3 + 2))
write('header_length_too_small.dbf', table(ok_fields, ok_records, header_len=40))
write('record_length_too_small.dbf', table(ok_fields, ok_records, record_len=5))
write('count_beyond_data.dbf', table(ok_fields, ok_records, count=10))
write('count_huge.dbf', table(ok_fields, ok_records, count=0xFFFFFFFF))
write('zero_width_field.dbf', table([('SIFRA', 'C', 0), ('IZNOS', 'N', 6, 2)], [b' 1.50  ']))
write('missing_terminator.dbf', table(ok_fields, ok_records, terminator=b'  '))
write('name_without_nul.dbf', table([('ABCDEFGHIJK', 'C', 3)], [b' abc']))
write('empty_name.dbf', table([('', 'C', 3)], [b' abc']))
write('version_foreign.dbf', table(ok_fields, ok_records, version=0x30))
write('unknown_type.dbf', table([('SIFRA', 'X', 3)], [b' abc']))
write('date_width_wrong.dbf', table([('DAN', 'D', 6)], [b' 231016']))
write('numeric_decimals_too_many.dbf', table([('IZNOS', 'N', 3, 3)], [b'0.5']))
write('memo_without_memo_version.dbf', table([('TEKST', 'M', 10)], [b'          1']))
# A memo field pointing past its memo file (the .dbt holds only block 0 and block 1).
write('memo_block_beyond.dbf', table([('TEKST', 'M', 10)], [b'        99'.rjust(11)], version=0x83))
write('memo_block_beyond.dbt', struct.pack('<I', 2) + b'\0' * 508 + b'tekst\x1a'.ljust(512, b'\0'))
# A memo file cut inside block 0.
write('memo_file_truncated.dbf', table([('TEKST', 'M', 10)], [b'         1'.rjust(11)], version=0x83))
write('memo_file_truncated.dbt', b'\x02\x00')
