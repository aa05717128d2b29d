#!/usr/bin/env python3
"""Reads a Windows program back with pefile, as Windows would: its subsystem, its version record,
its icon group and its hardening. Exit status 1 with a line for each thing that is wrong.
    /usr/bin/python3 tests/windows/pe_check.py path/to/Mezolin.exe --version 1.00 \
        --fixed-version 1.0.0.0 [--original-filename Mezolin.exe]
With --hardened, only the hardening of each file named, or of each PE file under each folder
named:
    /usr/bin/python3 tests/windows/pe_check.py --hardened path/to/unpacked/zip
"""
import argparse
import os
import struct
import sys

import pefile

WINDOWS_GUI = 2
RT_GROUP_ICON = 14
# Loaded anywhere in the whole 64-bit address space, never run from data pages.
HARDENING = {'DYNAMIC_BASE': 0x40, 'HIGH_ENTROPY_VA': 0x20, 'NX_COMPAT': 0x100}


def hardening_problems(pe):
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    return [f'DllCharacteristics 0x{flags:04x} lacks {name}'
            for name, bit in HARDENING.items() if not flags & bit]


def pe_files(paths):
    for path in paths:
        if not os.path.isdir(path):
            yield path
            continue
        for folder, _, names in os.walk(path):
            for name in sorted(names):
                with open(os.path.join(folder, name), 'rb') as f:
                    if f.read(2) == b'MZ':
                        yield os.path.join(folder, name)


def check_hardened(paths):
    checked, failed = 0, 0
    for path in pe_files(paths):
        checked += 1
        for problem in hardening_problems(pefile.PE(path, fast_load=True)):
            print(f'FAIL: {path}: {problem}', file=sys.stderr)
            failed = 1
    if not checked:
        print(f'FAIL: no PE file in {paths}', file=sys.stderr)
        return 1
    if not failed:
        print(f'ok: {checked} PE files, each with ' + ', '.join(HARDENING))
    return failed


def main(path, version, fixed_version, original_filename):
    pe = pefile.PE(path)
    problems = []
    if pe.OPTIONAL_HEADER.Subsystem != WINDOWS_GUI:
        problems.append(f'subsystem {pe.OPTIONAL_HEADER.Subsystem}, not Windows GUI')
    problems += hardening_problems(pe)

    strings = {}
    translations = []
    for info in getattr(pe, 'FileInfo', []):
        for entry in info:
            for table in getattr(entry, 'StringTable', []):
                strings[table.LangID.decode()] = {
                    k.decode(): v.decode() for k, v in table.entries.items()}
            for var in getattr(entry, 'Var', []):
                for value in var.entry.values():  # such as '0x0409 0x04b0'
                    language, codepage = (int(word, 16) for word in value.split())
                    translations.append(f'{language:04X}{codepage:04X}')
    table = strings.get('040904B0') or strings.get('040904b0')
    if table is None:
        problems.append(f'no string table 040904B0 (tables: {sorted(strings)})')
    else:
        for key, wanted in (('FileVersion', version), ('ProductVersion', version),
                            ('ProductName', 'Mezolin'), ('InternalName', 'Mezolin'),
                            ('OriginalFilename', original_filename)):
            if table.get(key) != wanted:
                problems.append(f'{key} is {table.get(key)!r}, not {wanted!r}')
    if '040904B0' not in translations:
        problems.append(f'translation 040904B0 missing ({translations})')
    fixed = pe.VS_FIXEDFILEINFO[0]
    parts = [int(part) for part in fixed_version.split('.')]
    wanted = ((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3])
    for kind in ('File', 'Product'):
        found = (getattr(fixed, kind + 'VersionMS'), getattr(fixed, kind + 'VersionLS'))
        if found != wanted:
            problems.append(f'fixed {kind.lower()} version is not {fixed_version}')

    sizes = set()
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != RT_GROUP_ICON:
            continue
        for name in kind.directory.entries:
            for lang in name.directory.entries:
                data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
                _, _, count = struct.unpack_from('<HHH', data)
                for i in range(count):
                    width, height = struct.unpack_from('<BB', data, 6 + 14 * i)
                    sizes.add((width or 256, height or 256))
    for size in ((16, 16), (32, 32)):
        if size not in sizes:
            problems.append(f'icon group lacks {size[0]}x{size[1]} (has {sorted(sizes)})')

    for problem in problems:
        print(f'FAIL: {path}: {problem}', file=sys.stderr)
    if not problems:
        print(f'ok: {path}: Windows GUI, version {version} ({fixed_version}), '
              f'{original_filename}, 040904B0, icons {sorted(sizes)}')
    return 1 if problems else 0


if __name__ == '__main__':
    if sys.argv[1:2] == ['--hardened']:
        sys.exit(check_hardened(sys.argv[2:]))
    parser = argparse.ArgumentParser()
    parser.add_argument('path')
    parser.add_argument('--version', required=True)
    parser.add_argument('--fixed-version', required=True)
    parser.add_argument('--original-filename', default='Mezolin.exe')
    arguments = parser.parse_args()
    sys.exit(main(arguments.path, arguments.version, arguments.fixed_version,
                  arguments.original_filename))
