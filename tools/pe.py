#!/usr/bin/env python3
"""Reads a Windows executable (PE32 or PE32+): headers, sections, imported DLLs, resources and
the version resource. Used by tools/package.sh to name the package after the program's version
and by the checks of the packaged program (tests/package/).

    python3 tools/pe.py version EXE     prints the ProductVersion of the version resource
    python3 tools/pe.py show EXE        prints what the checks look at
"""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class PeError(Exception):
    pass


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b'MZ':
            raise PeError('no MZ header')
        (pe,) = self._unpack('<I', 0x3C)
        if data[pe:pe + 4] != b'PE\0\0':
            raise PeError('no PE signature')
        (self.machine, count, self.timestamp, self.symbol_table, self.symbol_count,
         optional_size, self.characteristics) = self._unpack('<HHIIIHH', pe + 4)
        optional = pe + 24
        (self.magic,) = self._unpack('<H', optional)
        if self.magic not in (0x10B, 0x20B):
            raise PeError('unknown optional header magic 0x%x' % self.magic)
        self.image_base = (self._unpack('<I', optional + 28)[0] if self.magic == 0x10B
                           else self._unpack('<Q', optional + 24)[0])
        self.subsystem, self.dll_characteristics = self._unpack('<HH', optional + 68)
        self.subsystem_version = self._unpack('<HH', optional + 48)
        directories = optional + (96 if self.magic == 0x10B else 112)
        (directory_count,) = self._unpack('<I', directories - 4)
        self.directories = [self._unpack('<II', directories + 8 * i)
                            for i in range(min(directory_count, 16))]
        self.directories += [(0, 0)] * (16 - len(self.directories))
        self.sections = []
        table = optional + optional_size
        for i in range(count):
            raw_name, virtual_size, rva, raw_size, raw_offset = self._unpack(
                '<8sIIII', table + 40 * i)
            self.sections.append((self._section_name(raw_name), rva, max(virtual_size, raw_size),
                                  raw_offset, raw_size))

    def _unpack(self, layout, offset):
        size = struct.calcsize(layout)
        if offset < 0 or offset + size > len(self.data):
            raise PeError('truncated at offset 0x%x' % offset)
        return struct.unpack_from(layout, self.data, offset)

    def _section_name(self, raw):
        name = raw.rstrip(b'\0').decode('latin-1')
        # Names longer than 8 characters ("/4") are kept in the COFF string table, after the
        # symbols: that is how the linker names the .debug_* sections.
        if name.startswith('/') and name[1:].isdigit() and self.symbol_table:
            start = self.symbol_table + 18 * self.symbol_count + int(name[1:])
            end = self.data.find(b'\0', start)
            if 0 <= start < len(self.data) and end > start:
                name = self.data[start:end].decode('latin-1')
        return name

    def offset_of(self, rva):
        for _, start, size, raw_offset, raw_size in self.sections:
            if start <= rva < start + size and rva - start < raw_size:
                return raw_offset + rva - start
        raise PeError('address 0x%x is in no section' % rva)

    def read(self, rva, size):
        offset = self.offset_of(rva)
        if offset + size > len(self.data):
            raise PeError('data at 0x%x runs past the end of the file' % rva)
        return self.data[offset:offset + size]

    def string_at(self, rva):
        offset = self.offset_of(rva)
        end = self.data.find(b'\0', offset)
        if end < 0:
            raise PeError('unterminated string at 0x%x' % rva)
        return self.data[offset:end].decode('latin-1')

    def imports(self):
        """The DLLs the program loads at its start and those it loads on first use."""
        names = []
        for index, entry_size, name_field in ((1, 20, 12), (13, 32, 4)):
            rva, size = self.directories[index]
            if not rva:
                continue
            entry = rva
            while True:
                fields = struct.unpack('<5I', self.read(entry, 20))
                if not any(fields):
                    break
                names.append(self.string_at(fields[name_field // 4]))
                entry += entry_size
        return names

    def imported_functions(self):
        """[(dll, function)] of the imports and delay imports, in the order of the tables; a
        function imported by ordinal is named "#N"."""
        found = []
        wide = self.magic == 0x20B
        by_ordinal = 1 << 63 if wide else 1 << 31
        # (directory, entry size, field of the DLL's name, field of its name table)
        for index, entry_size, name_field, table_field in ((1, 20, 3, 0), (13, 32, 1, 4)):
            rva, _ = self.directories[index]
            entry = rva
            while rva:
                fields = struct.unpack('<%dI' % (entry_size // 4), self.read(entry, entry_size))
                if not any(fields):
                    break
                dll = self.string_at(fields[name_field])
                # The import lookup table; an old linker may leave only the address table.
                table = fields[table_field] or fields[4 if index == 1 else 3]
                while True:
                    (thunk,) = struct.unpack('<Q' if wide else '<I',
                                             self.read(table, 8 if wide else 4))
                    if not thunk:
                        break
                    found.append((dll, '#%d' % (thunk & 0xFFFF) if thunk & by_ordinal
                                  else self.string_at((thunk & 0x7FFFFFFF) + 2)))
                    table += 8 if wide else 4
                entry += entry_size
        return found

    def resources(self):
        """{(type, name, language): bytes}; types and names are numbers or strings."""
        root, _ = self.directories[2]
        found = {}
        if not root:
            return found

        def entries(directory):
            named, numbered = struct.unpack('<HH', self.read(directory + 12, 4))
            for i in range(named + numbered):
                key, target = struct.unpack('<II', self.read(directory + 16 + 8 * i, 8))
                if key & 0x80000000:
                    (length,) = struct.unpack('<H', self.read(root + (key & 0x7FFFFFFF), 2))
                    key = self.read(root + (key & 0x7FFFFFFF) + 2, 2 * length).decode('utf-16-le')
                yield key, target

        def walk(directory, path):
            for key, target in entries(directory):
                if target & 0x80000000:
                    walk(root + (target & 0x7FFFFFFF), path + (key,))
                else:
                    data_rva, size = struct.unpack('<II', self.read(root + target, 8))
                    found[path + (key,)] = self.read(data_rva, size)

        walk(root, ())
        return found

    def resource(self, kind, name=None):
        """The data of the first resource of the type (and name), in any language."""
        for (found_kind, found_name, _), data in sorted(self.resources().items(), key=str):
            if found_kind == kind and (name is None or found_name == name):
                return data
        return None


def version_info(data):
    """The fixed part and the strings of a version resource (VS_VERSIONINFO)."""

    def block(offset):
        length, value_length, kind = struct.unpack_from('<HHH', data, offset)
        end = offset + length
        key_start = offset + 6
        key_end = key_start
        while data[key_end:key_end + 2] != b'\0\0':
            key_end += 2
        key = data[key_start:key_end].decode('utf-16-le')
        value_start = (key_end + 2 + 3) & ~3
        # Text values count their length in characters, binary ones in bytes.
        value_size = value_length * 2 if kind == 1 else value_length
        value = data[value_start:value_start + value_size]
        children = []
        child = (value_start + value_size + 3) & ~3
        while child < end:
            children.append(block(child))
            (child_length,) = struct.unpack_from('<H', data, child)
            if child_length == 0:
                raise PeError('empty block in the version resource')
            child = (child + child_length + 3) & ~3
        return key, kind, value, children

    key, _, fixed, children = block(0)
    if key != 'VS_VERSION_INFO' or len(fixed) < 52:
        raise PeError('not a version resource')
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from('<6I', fixed)
    if signature != 0xFEEF04BD:
        raise PeError('bad signature of the fixed version info')
    split = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    strings = {}
    for child_key, _, _, tables in children:
        if child_key == 'StringFileInfo':
            for _, _, _, values in tables:
                for name, _, value, _ in values:
                    strings[name] = value.decode('utf-16-le').rstrip('\0')
    return {'FILEVERSION': split(file_ms, file_ls),
            'PRODUCTVERSION': split(product_ms, product_ls), 'strings': strings}


def load(path):
    with open(path, 'rb') as f:
        return Pe(f.read())


def main(argv):
    if len(argv) != 3 or argv[1] not in ('version', 'show'):
        sys.exit(__doc__)
    pe = load(argv[2])
    version = version_info(pe.resource(RT_VERSION) or b'')
    if argv[1] == 'version':
        print(version['strings']['ProductVersion'])
        return
    print('machine 0x%x, magic 0x%x, subsystem %d, time stamp %d, %d bytes'
          % (pe.machine, pe.magic, pe.subsystem, pe.timestamp, len(pe.data)))
    print('sections:', ' '.join(name for name, *_ in pe.sections))
    print('imports:', ' '.join(pe.imports()))
    for dll, function in pe.imported_functions():
        print('  %s %s' % (dll, function))
    print('resources:', ' '.join('%s/%s/%s' % key for key in sorted(pe.resources(), key=str)))
    print('version:', version)


if __name__ == '__main__':
    main(sys.argv)
