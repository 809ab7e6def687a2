#!/usr/bin/env python3
"""Writes the broken NTX files of this folder (see README.md) from one sound index.

The sound index is written here from the file layout alone: key "val(InvBr)", key size 30,
60 keys 1..60 for records 1..60, three leaves under one root. Run it from this folder:
    /usr/bin/python3 make_corpus.py
"""
import struct

PAGE = 1024
KEY = 30
ITEM = KEY + 8
MAXI = 24
HALF = 12
FIRST_SLOT = 2 * MAXI + 4


def key(n):
    return str(n).rjust(KEY, "0").encode()


def page(items, children):
    """items: [(recno, key bytes)], children: len(items) + 1 child offsets."""
    b = bytearray(PAGE)
    struct.pack_into("<H", b, 0, len(items))
    for slot in range(MAXI + 1):
        at = FIRST_SLOT + slot * ITEM
        struct.pack_into("<H", b, 2 + 2 * slot, at)
        if slot < len(children):
            struct.pack_into("<I", b, at, children[slot])
        if slot < len(items):
            struct.pack_into("<I", b, at + 4, items[slot][0])
            b[at + 8:at + 8 + KEY] = items[slot][1]
    return b


def header(root, free=0, counter=1, expression=b"val(InvBr)", key_size=KEY, item=ITEM,
           maxi=MAXI, half=HALF, signature=6, descending=0):
    b = bytearray(PAGE)
    struct.pack_into("<HHIIHHHHH", b, 0, signature, counter, root, free, item, key_size, 0,
                     maxi, half)
    b[22:22 + len(expression)] = expression
    b[280] = descending
    return b


def sound():
    leaves = [list(range(1, 20)), list(range(21, 40)), list(range(41, 61))]
    out = bytearray()
    offsets = []
    for i, leaf in enumerate(leaves):
        offsets.append(PAGE * (i + 1))
        out += page([(n, key(n)) for n in leaf], [0] * (len(leaf) + 1))
    root_at = PAGE * 4
    out += page([(20, key(20)), (40, key(40))], offsets)
    return header(root_at) + out, root_at, offsets


def child_at(b, page_at, slot):
    at = page_at + struct.unpack_from("<H", b, page_at + 2 + 2 * slot)[0]
    return at


def set_child(b, page_at, slot, value):
    struct.pack_into("<I", b, child_at(b, page_at, slot), value)


def main():
    base, root, leaves = sound()
    files = {"sound.ntx": bytes(base)}
    files["empty.ntx"] = bytes(header(PAGE) + page([], [0]))

    def variant(name, change):
        b = bytearray(base)
        change(b)
        files[name] = bytes(b)

    variant("bad_signature.ntx", lambda b: struct.pack_into("<H", b, 0, 9))
    variant("key_size_disagrees.ntx", lambda b: b.__setitem__(slice(0, PAGE),
            header(root, key_size=31, item=39, maxi=24, half=12)))
    variant("capacity_disagrees.ntx", lambda b: struct.pack_into("<H", b, 18, 30))
    variant("expression_unterminated.ntx", lambda b: b.__setitem__(slice(22, 278), b"x" * 256))
    variant("expression_other_field.ntx", lambda b: b.__setitem__(slice(22, 33), b"Sifra" + bytes(6)))
    variant("descending.ntx", lambda b: b.__setitem__(280, 1))
    variant("root_not_on_page.ntx", lambda b: struct.pack_into("<I", b, 4, 1500))
    variant("root_beyond_end.ntx", lambda b: struct.pack_into("<I", b, 4, len(b)))
    variant("free_beyond_end.ntx", lambda b: struct.pack_into("<I", b, 8, 1 << 20))
    variant("count_above_maximum.ntx", lambda b: struct.pack_into("<H", b, root, 25))
    variant("item_offset_outside.ntx", lambda b: struct.pack_into("<H", b, root + 2, 1020))
    variant("mixed_pointers.ntx", lambda b: set_child(b, root, 1, 0))
    variant("child_loops_to_root.ntx", lambda b: set_child(b, root, 0, root))

    def leaf_loop(b):
        for slot in range(20):
            set_child(b, leaves[0], slot, root)
    variant("leaf_loops_to_root.ntx", leaf_loop)

    def swap(b):
        set_child(b, root, 0, leaves[1])
        set_child(b, root, 1, leaves[0])
    variant("siblings_swapped.ntx", swap)
    variant("shared_child.ntx", lambda b: set_child(b, root, 1, leaves[0]))
    variant("free_list_in_use.ntx", lambda b: struct.pack_into("<I", b, 8, leaves[0]))

    def free_loop(b):
        at = len(b)
        b += page([], [at])
        struct.pack_into("<I", b, 8, at)
    variant("free_list_loop.ntx", free_loop)
    files["cut_inside_root.ntx"] = bytes(base[:root + 512])
    files["header_cut_short.ntx"] = bytes(base[:500])

    for name, data in files.items():
        with open(name, "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
