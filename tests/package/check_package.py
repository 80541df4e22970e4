#!/usr/bin/env python3
"""Checks the package players download, or a program alone, without running it.

    check_package.py --zip dist/quillory-V-win32.zip --source DIR --version V
    check_package.py --exe quillory.exe --source DIR --version V

The package: its name, its three files in order, the two texts as the sources' text with CRLF
line endings, its line in SHA256SUMS beside it. The program: a 32-bit GUI executable without
link time stamp, debug sections or symbols, at most 480 KB, that loads on Windows XP SP3 (its
subsystem version at most 5.1, every import on the list of xp-imports.txt beside this file) and
carries the manifest, icon and version of the sources. Prints one line per finding and ends
with status 1 when anything is wrong.
"""
import argparse
import hashlib
import io
import os
import struct
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import pe as pefile  # noqa: E402

MAX_SIZE = 480 * 1024  # the M4A reader and the scaling for every screen brought it past 448
XP = (5, 1)
XP_IMPORTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'xp-imports.txt')
I386, PE32, GUI = 0x14C, 0x10B, 2

failures = []


def check(ok, what):
    print(('ok:   ' if ok else 'FAIL: ') + what)
    if not ok:
        failures.append(what)


def crlf(path):
    with open(path, 'rb') as f:
        return f.read().replace(b'\n', b'\r\n')


def xp_imports(path):
    """{dll in lower case: {function}} of the list of the functions known on Windows XP SP3."""
    known = {}
    dll = None
    with open(path) as f:
        for line in f:
            line = line.strip()
            if line.startswith('[') and line.endswith(']'):
                dll = known.setdefault(line[1:-1].lower(), set())
            elif line and not line.startswith('#') and dll is not None:
                dll.add(line)
    return known


def icon_images(ico):
    """The images of an .ico file, in the order of its directory."""
    _, kind, count = struct.unpack_from('<HHH', ico)
    if kind != 1:
        return []
    images = []
    for i in range(count):
        size, offset = struct.unpack_from('<II', ico, 6 + 16 * i + 8)
        images.append(ico[offset:offset + size])
    return images


def check_program(data, source, version):
    try:
        exe = pefile.Pe(data)
    except pefile.PeError as error:
        check(False, 'quillory.exe is a PE file: %s' % error)
        return
    check(exe.machine == I386 and exe.magic == PE32,
          'machine 0x%x, optional header 0x%x (want 0x%x, 0x%x: 32-bit x86)'
          % (exe.machine, exe.magic, I386, PE32))
    check(exe.subsystem == GUI, 'subsystem %d (want %d: GUI)' % (exe.subsystem, GUI))
    check(exe.timestamp == 0, 'link time stamp %d (want 0)' % exe.timestamp)
    check(len(data) <= MAX_SIZE, 'size %d bytes (at most %d)' % (len(data), MAX_SIZE))
    debug = [name for name, *_ in exe.sections if name.startswith(('.debug', '.zdebug'))]
    check(not debug, 'debug sections: %s' % (' '.join(debug) or 'none'))
    check(exe.symbol_table == 0 and exe.symbol_count == 0,
          'symbol table: %d symbols' % exe.symbol_count)
    check(exe.directories[6][1] == 0, 'debug directory: %d bytes' % exe.directories[6][1])

    check(exe.subsystem_version <= XP, 'subsystem version %d.%d (Windows XP loads up to %d.%d)'
          % (exe.subsystem_version + XP))
    known = xp_imports(XP_IMPORTS)
    imports = exe.imported_functions()
    unknown = ['%s!%s' % (dll, function) for dll, function in imports
               if function not in known.get(dll.lower(), ())]
    check(bool(imports) and not unknown, '%d imports from %s; not on the list of Windows XP SP3: %s'
          % (len(imports), ' '.join(exe.imports()), ' '.join(unknown) or 'none'))

    # The manifest of the sources, with the version's numbers where they stand in it.
    manifest = exe.resource(pefile.RT_MANIFEST, 1)
    major, minor = (version.split('.') + ['0'])[:2]
    with open(os.path.join(source, 'res', 'quillory.manifest.in'), 'rb') as f:
        expected = f.read().replace(b'@PROJECT_VERSION_MAJOR@', major.encode()).replace(
            b'@PROJECT_VERSION_MINOR@', minor.encode())
    check(manifest == expected, 'manifest (resource 1) is res/quillory.manifest.in of %s' % version)
    check(b'xmlns="urn:schemas-microsoft-com:asm.v3"' not in (manifest or b''),
          'manifest: no default namespace asm.v3, which Windows XP refuses (use a prefix)')

    with open(os.path.join(source, 'res', 'quillory.ico'), 'rb') as f:
        images = icon_images(f.read())
    group = exe.resource(pefile.RT_GROUP_ICON) or b''
    shown = []
    if len(group) >= 6:
        (count,) = struct.unpack_from('<H', group, 4)
        for i in range(count):
            (icon_id,) = struct.unpack_from('<H', group, 6 + 14 * i + 12)
            shown.append(exe.resource(pefile.RT_ICON, icon_id))
    check(bool(images) and shown == images,
          'icon: %d images, res/quillory.ico has %d, same bytes: %s'
          % (len(shown), len(images), shown == images))

    try:
        info = pefile.version_info(exe.resource(pefile.RT_VERSION) or b'')
    except (pefile.PeError, struct.error) as error:
        check(False, 'version resource: %s' % error)
        return
    numbers = tuple(int(part) for part in version.split('.'))
    numbers += (0,) * (4 - len(numbers))
    for name in ('FileVersion', 'ProductVersion'):
        found = info['strings'].get(name)
        check(found == version, '%s "%s" (want "%s")' % (name, found, version))
    for name in ('FILEVERSION', 'PRODUCTVERSION'):
        check(info[name] == numbers, '%s %s (want %s)' % (name, info[name], numbers))


def check_zip(path, source, version):
    name = 'quillory-%s-win32.zip' % version
    check(os.path.basename(path) == name, 'package name %s (want %s)'
          % (os.path.basename(path), name))
    with open(path, 'rb') as f:
        data = f.read()
    sums = os.path.join(os.path.dirname(path), 'SHA256SUMS')
    line = '%s  %s\n' % (hashlib.sha256(data).hexdigest(), os.path.basename(path))
    with open(sums) as f:
        check(f.read() == line, 'SHA256SUMS holds the line "%s"' % line.strip())
    with zipfile.ZipFile(io.BytesIO(data)) as package:
        names = package.namelist()
        check(names == ['quillory.exe', 'README.txt', 'LICENSE.txt'],
              'files: %s' % ' '.join(names))
        check(package.testzip() is None, 'every file reads back with its CRC')
        for packed, original in (('README.txt', 'docs/README.txt'), ('LICENSE.txt', 'LICENSE')):
            text = package.read(packed) if packed in names else b''
            check(text == crlf(os.path.join(source, original)) and b'\r\n' in text,
                  '%s is %s with CRLF line endings' % (packed, original))
            check(all(32 <= byte < 127 or byte in b'\r\n' for byte in text),
                  '%s is plain ASCII text' % packed)
        program = package.read('quillory.exe') if 'quillory.exe' in names else b''
    check_program(program, source, version)


def main():
    parser = argparse.ArgumentParser()
    target = parser.add_mutually_exclusive_group(required=True)
    target.add_argument('--zip')
    target.add_argument('--exe')
    parser.add_argument('--source', required=True, help='the source tree')
    parser.add_argument('--version', required=True, help="CMake's project version")
    arguments = parser.parse_args()
    if arguments.zip:
        check_zip(arguments.zip, arguments.source, arguments.version)
    else:
        with open(arguments.exe, 'rb') as f:
            check_program(f.read(), arguments.source, arguments.version)
    print('%d problems' % len(failures))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
