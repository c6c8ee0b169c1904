"""pe_image.py: reads what a Windows PE file (EXE or DLL, 32- or 64-bit) says about itself:
its machine, exports, imports (load-time and delay-loaded) and resource tree.

Standard library only, so the static checks run wherever the build runs."""
import struct

MACHINES = {0x014C: "i386", 0x8664: "x86-64", 0xAA64: "arm64", 0x01C4: "arm"}
IMAGE_FILE_DLL = 0x2000
DIR_EXPORT, DIR_IMPORT, DIR_RESOURCE, DIR_DELAY_IMPORT = 0, 1, 2, 13


class PeFormatError(Exception):
    pass


class Export:
    def __init__(self, ordinal, name, rva, forwarder):
        self.ordinal = ordinal
        self.name = name            # None when exported by ordinal only
        self.rva = rva
        self.forwarder = forwarder  # "OTHER.Function" when forwarded, else None

    def __repr__(self):
        return f"{self.name or '(no name)'} @{self.ordinal}"


class PeImage:
    def __init__(self, data):
        self.data = data
        self._read_headers()
        self.export_dll_name, self.exports = self._read_exports()
        self.imports = self._read_imports()
        self.delay_imports = self._read_delay_imports()
        self.resources = self._read_resources()

    @classmethod
    def from_file(cls, path):
        with open(path, "rb") as source:
            return cls(source.read())

    # ---- headers and addressing ---------------------------------------------------------

    def _unpack(self, fmt, offset):
        size = struct.calcsize(fmt)
        if offset < 0 or offset + size > len(self.data):
            raise PeFormatError(f"structure at file offset {offset:#x} runs past the end of the file")
        return struct.unpack_from(fmt, self.data, offset)

    def _read_headers(self):
        if self.data[:2] != b"MZ":
            raise PeFormatError("no MZ signature: not a Windows executable")
        pe = self._unpack("<I", 0x3C)[0]
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise PeFormatError("no PE signature")
        machine, sections, _, _, _, optional_size, self.characteristics = self._unpack("<HHIIIHH", pe + 4)
        self.machine = MACHINES.get(machine, f"unknown machine {machine:#06x}")
        optional = pe + 24
        magic = self._unpack("<H", optional)[0]
        if magic == 0x10B:
            self.is_64bit, count_at, dirs_at = False, optional + 92, optional + 96
        elif magic == 0x20B:
            self.is_64bit, count_at, dirs_at = True, optional + 108, optional + 112
        else:
            raise PeFormatError(f"unknown optional header magic {magic:#x}")
        count = min(self._unpack("<I", count_at)[0], 16)
        self.directories = [self._unpack("<II", dirs_at + 8 * i) for i in range(count)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, va, raw_size, raw_at = self._unpack("<8sIIII", table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("latin-1"), va, max(vsize, raw_size), raw_at, raw_size))

    @property
    def is_dll(self):
        return bool(self.characteristics & IMAGE_FILE_DLL)

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def offset_of(self, rva):
        for _, va, size, raw_at, raw_size in self.sections:
            if va <= rva < va + size:
                if rva - va >= raw_size:
                    raise PeFormatError(f"RVA {rva:#x} lies in a section's uninitialised part")
                return raw_at + rva - va
        raise PeFormatError(f"RVA {rva:#x} lies in no section")

    def read_at(self, rva, size):
        offset = self.offset_of(rva)
        return self.data[offset:offset + size]

    def string_at(self, rva):
        offset = self.offset_of(rva)
        end = self.data.find(b"\0", offset)
        if end < 0:
            raise PeFormatError(f"unterminated string at RVA {rva:#x}")
        return self.data[offset:end].decode("latin-1")

    # ---- exports and imports ------------------------------------------------------------

    def _read_exports(self):
        rva, size = self.directory(DIR_EXPORT)
        if not rva:
            return None, []
        at = self.offset_of(rva)
        (_, _, _, _, name_rva, base, functions, names,
         functions_rva, names_rva, ordinals_rva) = self._unpack("<IIHHIIIIIII", at)
        names_by_index = {}
        for i in range(names):
            name = self.string_at(self._unpack("<I", self.offset_of(names_rva + 4 * i))[0])
            index = self._unpack("<H", self.offset_of(ordinals_rva + 2 * i))[0]
            names_by_index.setdefault(index, []).append(name)
        exports = []
        for index in range(functions):
            target = self._unpack("<I", self.offset_of(functions_rva + 4 * index))[0]
            if not target:
                continue  # unused slot in the ordinal range
            forwarder = self.string_at(target) if rva <= target < rva + size else None
            for name in names_by_index.get(index, [None]):
                exports.append(Export(base + index, name, target, forwarder))
        return self.string_at(name_rva), exports

    def _thunk_names(self, table_rva):
        """Names (or '#ordinal') of the functions listed in an import name table."""
        width, ordinal_flag = (8, 1 << 63) if self.is_64bit else (4, 1 << 31)
        names = []
        while True:
            value = int.from_bytes(self.read_at(table_rva + width * len(names), width), "little")
            if not value:
                return names
            if value & ordinal_flag:
                names.append(f"#{value & 0xFFFF}")
            else:
                names.append(self.string_at((value & 0x7FFFFFFF) + 2))

    def _read_imports(self):
        rva, _ = self.directory(DIR_IMPORT)
        imports = {}
        while rva:
            name_table, _, _, name_rva, address_table = self._unpack("<IIIII", self.offset_of(rva))
            if not (name_table or name_rva or address_table):
                break
            imports[self.string_at(name_rva)] = self._thunk_names(name_table or address_table)
            rva += 20
        return imports

    def _read_delay_imports(self):
        rva, _ = self.directory(DIR_DELAY_IMPORT)
        imports = {}
        while rva:
            fields = self._unpack("<IIIIIIII", self.offset_of(rva))
            if not any(fields):
                break
            imports[self.string_at(fields[1])] = self._thunk_names(fields[4])
            rva += 32
        return imports

    # ---- resources ----------------------------------------------------------------------

    def _read_resources(self):
        """{type: {name: {language: bytes}}}; ids are ints, named entries upper-case strings."""
        rva, _ = self.directory(DIR_RESOURCE)
        if not rva:
            return {}
        root = self.offset_of(rva)

        def key(name_field):
            if name_field & 0x80000000:
                at = root + (name_field & 0x7FFFFFFF)
                length = self._unpack("<H", at)[0]
                return self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le").upper()
            return name_field

        def level(offset, depth):
            _, _, _, _, named, numbered = self._unpack("<IIHHHH", root + offset)
            result = {}
            for i in range(named + numbered):
                name_field, target = self._unpack("<II", root + offset + 16 + 8 * i)
                if target & 0x80000000:
                    if depth == 2:
                        raise PeFormatError("resource tree deeper than type/name/language")
                    result[key(name_field)] = level(target & 0x7FFFFFFF, depth + 1)
                else:
                    data_rva, size, _, _ = self._unpack("<IIII", root + target)
                    result[key(name_field)] = self.read_at(data_rva, size)
            return result

        return level(0, 0)

    def resource(self, kind, name):
        """The data of one resource in its first language, or None."""
        languages = self.resources.get(kind, {}).get(name)
        if not isinstance(languages, dict) or not languages:
            return None
        return next(iter(languages.values()))
