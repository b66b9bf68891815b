#!/usr/bin/env python3
"""Checks that a Windows program starts on Windows NT 4.0, without running it.

NT 4.0 refuses an image that is not PE32 for the i386, or that asks for a later subsystem or system
version, and it refuses to start a program that imports one function its DLLs do not export. Wine's DLLs
export the functions of every later Windows, so only a look at the file shows this.

Checked: PE32 (optional header magic 0x10B), machine i386, subsystem and operating system version 4.0 or
lower, no delay-load imports (the loader of NT 4.0 knows none, and they would hide an import), and every
imported function on the list of functions that NT 4.0 SP6 exports (one "DLL function" pair a line, '#'
starts a comment; DLL names compare without regard to case). A new import fails until someone has checked
it against the documentation and added it to the list.

Usage: check_nt4_startable.py PROGRAM EXPORT_LIST
"""

import struct
import sys


class Image:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        self.pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[self.pe:self.pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        (self.machine, sections, _, _, _, optional_size, _) = struct.unpack_from("<HHIIIHH", data, self.pe + 4)
        self.optional = self.pe + 24
        self.magic = struct.unpack_from("<H", data, self.optional)[0]
        table = self.optional + optional_size
        self.sections = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, self.optional + offset)[0]

    def directory(self, index):
        count = struct.unpack_from("<I", self.data, self.optional + 92)[0]
        if index >= count:
            return 0, 0
        return struct.unpack_from("<II", self.data, self.optional + 96 + 8 * index)

    def offset(self, rva):
        for _, virtual_size, virtual_address, raw_size, raw_offset in self.sections:
            if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
                return raw_offset + rva - virtual_address
        raise ValueError("address %#x lies in no section" % rva)

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def imports(self):
        rva, _ = self.directory(1)
        found = []
        if not rva:
            return found
        at = self.offset(rva)
        while True:
            lookup, _, _, name, thunks = struct.unpack_from("<IIIII", self.data, at)
            if not name:
                return found
            dll = self.string(name)
            entry = self.offset(lookup or thunks)
            while True:
                value = struct.unpack_from("<I", self.data, entry)[0]
                if not value:
                    break
                found.append((dll, "#%d" % (value & 0xFFFF) if value & 0x80000000 else self.string(value + 2)))
                entry += 4
            at += 20


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as f:
        image = Image(f.read())
    allowed = set()
    with open(sys.argv[2]) as f:
        for line in f:
            words = line.split("#", 1)[0].split()
            if len(words) == 2:
                allowed.add((words[0].lower(), words[1]))
            elif words:
                sys.exit("%s: not a 'DLL function' line: %s" % (sys.argv[2], line.strip()))

    problems = []
    if image.magic != 0x10B:
        problems.append("not PE32 (optional header magic %#x)" % image.magic)
    if image.machine != 0x14C:
        problems.append("machine %#x, not i386" % image.machine)
    for name, offset in (("operating system", 40), ("subsystem", 48)):
        major, minor = image.u16(offset), image.u16(offset + 2)
        if (major, minor) > (4, 0):
            problems.append("%s version %d.%d, later than 4.0" % (name, major, minor))
    if image.directory(13)[0]:
        problems.append("delay-load imports")
    imports = image.imports()
    for dll, function in imports:
        if (dll.lower(), function) not in allowed:
            problems.append("imports %s from %s, which is not on the list of NT 4.0 SP6" % (function, dll))
    if not imports:
        problems.append("no imports found: not a program this check understands")
    for problem in problems:
        print("%s: %s" % (sys.argv[1], problem))
    if problems:
        sys.exit(1)
    print("%s: PE32 i386, subsystem 4.0, %d imports from %d DLLs, all exported by NT 4.0 SP6"
          % (sys.argv[1], len(imports), len({dll.lower() for dll, _ in imports})))


if __name__ == "__main__":
    main()
