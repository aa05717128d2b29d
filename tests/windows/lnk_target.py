#!/usr/bin/env python3
"""Prints the target path of a Windows shortcut (.lnk), read from its link information as the
shell reads it. Exit status 1 when it holds none.
    /usr/bin/python3 tests/windows/lnk_target.py Mezolin.lnk
"""
import struct
import sys

HAS_TARGET_ID_LIST = 0x1
HAS_LINK_INFO = 0x2
HEADER_SIZE = 0x4C


def target(data):
    flags = struct.unpack_from('<I', data, 0x14)[0]
    offset = HEADER_SIZE
    if flags & HAS_TARGET_ID_LIST:
        offset += 2 + struct.unpack_from('<H', data, offset)[0]
    if not flags & HAS_LINK_INFO:
        return None
    header_size = struct.unpack_from('<I', data, offset + 4)[0]
    base_offset = struct.unpack_from('<I', data, offset + 16)[0]
    if header_size >= 0x24:  # the Unicode path is there too
        unicode_offset = struct.unpack_from('<I', data, offset + 28)[0]
        start = offset + unicode_offset
        end = start
        while data[end:end + 2] != b'\0\0':
            end += 2
        return data[start:end].decode('utf-16-le')
    start = offset + base_offset
    return data[start:data.index(b'\0', start)].decode('mbcs' if sys.platform == 'win32' else 'latin-1')


if __name__ == '__main__':
    with open(sys.argv[1], 'rb') as link:
        path = target(link.read())
    if not path:
        sys.exit(f'{sys.argv[1]}: no target path')
    print(path)
