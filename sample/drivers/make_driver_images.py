#!/usr/bin/env python3
"""Makes the sample driver files of the distribution and compresses them.

The driver images (kernel and protocol drivers, DOS loader, tools) are never run or loaded by
SETUP.EXE, so they are stand-ins: PE (or, for the DOS loader, MZ) files with plausible headers
and sections of pseudo-random "code", repeated instruction patterns, strings, tables and zero
runs, so that SZDD compression has something to do. The files that the installed file versions
dialog lists carry the version record:

    E8 52 A7 04 61 78 CA 12   marker
    xx xx xx xx               4 bytes the reader skips (here: DOS time and date of the build)
    major, minor, revision    unsigned 16-bit little-endian each

The CAPI 2.0 DLL is built by the compiler (capi2032.cpp); it is copied in and checked for its
record like the others.

Outputs:
  <originals>/<installed name>                     every file as installed, uncompressed
  <compressed>/<source subdirectory>/<source name>  the same, SZDD-compressed with mscompress

Only the Python standard library is used; the output is the same byte for byte on every run.

The PE images are made for one processor (--machine): i386 for the shipped distribution, x64 for the
test distribution that runs under 64-bit Wine; the CAPI 2.0 DLL given must be built for the same.

Usage: python3 make_driver_images.py --originals DIR --compressed DIR --capi-dll FILE
           --mscompress PROGRAM --version MAJOR MINOR REVISION --machine i386|x64 [--stamp FILE]
(numbers in C notation, so 0x10 is sixteen)
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

MARKER = bytes([0xE8, 0x52, 0xA7, 0x04, 0x61, 0x78, 0xCA, 0x12])
# The skipped bytes: DOS time 12:00:00 and date 1999-06-14, as in a FAT directory entry.
BUILD_STAMP = struct.pack("<HH", 12 << 11, ((1999 - 1980) << 9) | (6 << 5) | 14)
SZDD_MAGIC = b"SZDD\x88\xf0\x27\x33"

# installed name, source subdirectory, source (compressed) name, kind, revision offset or None
# (None: no version record), size in bytes, description.
# The revision offset is added to the base revision so that each protocol driver has its own.
FILES = [
    ("kxbus.sys", "DRIVER", "KXBUS.SY_", "sys", 0, 40 * 1024,
     "Quorel ISDN adapter bus driver"),
    ("qdss1.sys", "DRIVER", "QDSS1.SY_", "sys", 1, 22 * 1024,
     "Quorel D-channel protocol DSS1 (Euro-ISDN)"),
    ("q1tr6.sys", "DRIVER", "Q1TR6.SY_", "sys", 2, 19 * 1024,
     "Quorel D-channel protocol 1TR6 (German national ISDN)"),
    ("qni1.sys", "DRIVER", "QNI1.SY_", "sys", 3, 17 * 1024,
     "Quorel D-channel protocol National ISDN-1"),
    ("qdssx31.sys", "DRIVER", "QDSSX31.SY_", "sys", 4, 27 * 1024,
     "Quorel D-channel protocol DSS1 with X.31 packet data"),
    ("qni1x31.sys", "DRIVER", "QNI1X31.SY_", "sys", 5, 25 * 1024,
     "Quorel D-channel protocol National ISDN-1 with X.31 packet data"),
    ("CAPI2032.DLL", "DRIVER", "CAPI2032.DL_", "dll", 0, None,
     "Quorel CAPI 2.0 DLL"),
    ("dxbridge.exe", "DRIVER", "DXBRIDGE.EX_", "dos", None, 9 * 1024,
     "Quorel CAPI 2.0 DOS bridge"),
    ("qtrace.exe", "TOOLS", "QTRACE.EX_", "console", None, 31 * 1024,
     "Quorel D-channel trace"),
    ("capitest.exe", "TOOLS", "CAPITEST.EX_", "console", None, 21 * 1024,
     "Quorel CAPI 2.0 test"),
]


class Random:
    """xorshift32: small, and the same on every Python version."""

    def __init__(self, seed):
        self.state = (seed & 0xFFFFFFFF) or 0x2545F491

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x

    def below(self, n):
        return self.next() % n

    def between(self, low, high):
        return low + self.below(high - low + 1)

    def bytes(self, n):
        return bytes(self.next() & 0xFF for _ in range(n))

    def choice(self, items):
        return items[self.below(len(items))]


def version_record(major, minor, revision):
    return MARKER + BUILD_STAMP + struct.pack("<HHH", major, minor, revision)


def align(value, to):
    return (value + to - 1) // to * to


# Byte patterns that compilers emit over and over; they make the "code" compress like code.
X64_PROLOGUES = [
    bytes.fromhex("48895c2408574883ec20"),
    bytes.fromhex("4883ec28"),
    bytes.fromhex("48895c24084889742410574883ec30"),
    bytes.fromhex("40534883ec20"),
]
X64_EPILOGUES = [
    bytes.fromhex("488b5c24304883c4205fc3"),
    bytes.fromhex("4883c428c3"),
    bytes.fromhex("488b5c2440488b7424484883c4305fc3"),
    bytes.fromhex("4883c4205bc3"),
]
X64_CALLS = [
    bytes.fromhex("488bcb"),       # mov rcx, rbx
    bytes.fromhex("33d2"),         # xor edx, edx
    bytes.fromhex("8bc8"),         # mov ecx, eax
    bytes.fromhex("85c0"),         # test eax, eax
    bytes.fromhex("7407"),         # je short
    bytes.fromhex("488d0d"),       # lea rcx, [rip+...]
]
I386_PROLOGUES = [
    bytes.fromhex("558bec83ec10"),      # push ebp; mov ebp, esp; sub esp, 16
    bytes.fromhex("8bff558bec"),
    bytes.fromhex("558bec535657"),
    bytes.fromhex("5356578b7c2410"),
]
I386_EPILOGUES = [
    bytes.fromhex("8be55dc3"),
    bytes.fromhex("5f5e5bc9c20800"),
    bytes.fromhex("5f5e5bc3"),
    bytes.fromhex("c9c20400"),
]
I386_CALLS = [
    bytes.fromhex("8bcb"),         # mov ecx, ebx
    bytes.fromhex("33d2"),         # xor edx, edx
    bytes.fromhex("50"),           # push eax
    bytes.fromhex("85c0"),         # test eax, eax
    bytes.fromhex("7407"),         # je short
    bytes.fromhex("8d4df0"),       # lea ecx, [ebp-16]
]
PATTERNS = {"i386": (I386_PROLOGUES, I386_CALLS, I386_EPILOGUES), "x64": (X64_PROLOGUES, X64_CALLS, X64_EPILOGUES)}


def code_section(rng, machine, size):
    prologues, calls, epilogues = PATTERNS[machine]
    out = bytearray()
    while len(out) < size:
        out += rng.choice(prologues)
        for _ in range(rng.between(2, 12)):
            out += rng.choice(calls)
            out += b"\xe8" + rng.bytes(4)            # call rel32
            # the operands vary; keep runs short so that the whole still compresses
            out += rng.bytes(rng.between(2, 10))
        out += rng.choice(epilogues)
        out += b"\xcc" * (-len(out) % 16)         # int3 padding between functions
    return bytes(out[:size])


def string_table(rng, name, description, kind, size):
    texts = [
        description,
        "Copyright (C) 1997-1999 Quorel Communications. All rights reserved.",
        "%s: driver entry" % name,
        "%s: unload" % name,
    ]
    if kind == "sys":
        texts += ["\\Device\\%s" % name.split(".")[0], "\\DosDevices\\%s" % name.split(".")[0].upper(),
                  "\\Registry\\Machine\\System\\CurrentControlSet\\Services\\kxbus\\Parameters"]
        for timer in (301, 302, 303, 304, 305, 306, 308, 309, 310, 313, 314, 316, 317, 318, 319, 322):
            texts.append("%s: layer 3 timer T%d expired on controller %%u, call reference %%04x" % (name, timer))
        for message in ("SETUP", "CALL PROCEEDING", "ALERTING", "CONNECT", "CONNECT ACKNOWLEDGE",
                        "DISCONNECT", "RELEASE", "RELEASE COMPLETE", "INFORMATION", "STATUS", "FACILITY"):
            texts.append("%s: received %s in state %%u" % (name, message))
    else:
        texts += ["usage: %s [/c controller] [/o file] [/v]" % name,
                  "CAPI_REGISTER failed: error %04x",
                  "CAPI_PUT_MESSAGE failed: error %04x",
                  "controller %u: %u B channels, supported protocols %08lx"]
        for info in range(0x3301, 0x3312):
            texts.append("Info %04x: see the manual, chapter 9" % info)
    out = bytearray()
    while len(out) < size:
        out += rng.choice(texts).encode("ascii") + b"\0"
        out += b"\0" * (-len(out) % 8)
    return bytes(out[:size])


def data_section(rng, size):
    out = bytearray()
    while len(out) < size:
        choice = rng.below(3)
        if choice == 0:
            out += b"\0" * rng.between(64, 512)
        elif choice == 1:  # a table of rising 16-bit values
            start = rng.below(1000)
            out += b"".join(struct.pack("<H", start + 3 * i) for i in range(rng.between(16, 96)))
        else:
            out += rng.bytes(rng.between(16, 96))
    return bytes(out[:size])


DOS_STUB = (bytes.fromhex("0e1fba0e00b409cd21b8014ccd21")
            + b"This program cannot be run in DOS mode.\r\r\n$")


def mz_header(load_size, header_paragraphs, relocation_offset):
    """The 28 bytes of a DOS header without relocations, for a program of load_size bytes."""
    pages = (load_size + 511) // 512
    last = load_size % 512
    return struct.pack("<2s13H", b"MZ", last, pages, 0, header_paragraphs, 0x0010, 0xFFFF,
                       0x0000, 0x00B8, 0x0000, 0x0000, 0x0000, relocation_offset, 0x0000)


def pe_image(rng, machine, name, description, kind, size, record):
    """A PE32 file for i386 or a PE32+ file for x64 whose headers describe its sections correctly."""
    file_alignment, section_alignment = 0x200, 0x1000
    body = size - 0x400
    text_size = body * 45 // 100
    rdata_size = body * 30 // 100
    data_size = body - text_size - rdata_size
    rdata = bytearray(string_table(rng, name, description, kind, rdata_size))
    if record is not None:
        at = align(rng.between(rdata_size // 4, rdata_size // 2), 8)
        rdata[at:at + len(record)] = record
    sections = [
        (b".text", code_section(rng, machine, text_size), 0x60000020),
        (b".rdata", bytes(rdata), 0x40000040),
        (b".data", data_section(rng, data_size), 0xC0000040),
    ]
    if kind == "sys":
        # Drivers keep their start-up code in a section that is discarded once it has run.
        init_size = text_size // 6
        sections[0] = (b".text", sections[0][1][:text_size - init_size], 0x68000020)
        sections.insert(1, (b"INIT", code_section(rng, machine, init_size), 0xE2000020))

    headers_size = 0x400
    table = bytearray()
    raw = headers_size
    virtual = section_alignment
    raw_data = bytearray()
    for section_name, content, characteristics in sections:
        raw_size = align(len(content), file_alignment)
        table += struct.pack("<8sIIIIIIHHI", section_name, len(content), virtual, raw_size, raw, 0, 0, 0, 0,
                             characteristics)
        raw_data += content + b"\0" * (raw_size - len(content))
        raw += raw_size
        virtual += align(len(content), section_alignment)
    image_size = virtual
    code_size = align(len(sections[0][1]), file_alignment)

    subsystem = 1 if kind == "sys" else 3
    if machine == "i386":
        # Windows NT 4.0's images: PE32, linker and subsystem version 4.0, 32-bit machine.
        machine_field, characteristics = 0x014C, 0x0102
        image_base = 0x10000 if kind == "sys" else 0x400000
        optional = struct.pack("<HBBIIIIII", 0x10B, 4, 0, code_size, len(raw_data) - code_size, 0,
                               section_alignment + 0x40, section_alignment, section_alignment + code_size)
        optional += struct.pack("<IIIHHHHHHIIIIHHIIIIII", image_base, section_alignment, file_alignment,
                                4, 0, 1, 0, 4, 0, 0, image_size, headers_size, 0, subsystem, 0,
                                0x40000 if kind == "sys" else 0x100000, 0x1000, 0x100000, 0x1000, 0, 16)
    else:
        machine_field, characteristics = 0x8664, 0x0022  # executable image, large address aware
        image_base = 0x10000 if kind == "sys" else 0x140000000
        optional = struct.pack("<HBBIIIII", 0x20B, 6, 0, code_size, len(raw_data) - code_size, 0,
                               section_alignment + 0x40, section_alignment)
        optional += struct.pack("<QIIHHHHHHIIIIHHQQQQII", image_base, section_alignment, file_alignment,
                                4, 0, 1, 0, 4, 0, 0, image_size, headers_size, 0, subsystem, 0,
                                0x40000 if kind == "sys" else 0x100000, 0x1000, 0x100000, 0x1000, 0, 16)
    optional += b"\0" * (16 * 8)
    new_header_offset = 0x80
    coff = struct.pack("<4sHHIIIHH", b"PE\0\0", machine_field, len(sections), 0x3765A2C0, 0, 0, len(optional),
                       characteristics)
    # The DOS part: a 64-byte header pointing at the PE header, and the stub that says so.
    header = mz_header(0x490, 4, 0x40)
    header += b"\0" * (0x3C - len(header)) + struct.pack("<I", new_header_offset) + DOS_STUB
    header += b"\0" * (new_header_offset - len(header))
    header += coff + optional + table
    assert len(header) <= headers_size
    header += b"\0" * (headers_size - len(header))
    return bytes(header + raw_data)


def dos_image(rng, name, description, size):
    """A real-mode MZ program: 16-bit "code" that prints through INT 21h, strings ending in '$'."""
    header_paragraphs = 2
    out = bytearray()
    messages = [description, "Copyright (C) 1997-1999 Quorel Communications.",
                "CAPI 2.0 interface installed on INT F1h.", "CAPI 2.0 driver not loaded.",
                "Usage: %s [/u] [/i:nn]" % name.upper(), "Already resident."]
    while len(out) < size - 32 - 1024:
        out += bytes.fromhex("b409ba") + struct.pack("<H", rng.below(0x2000)) + bytes.fromhex("cd21")
        out += rng.bytes(rng.between(4, 24))
        out += bytes.fromhex("5589e5") + rng.bytes(rng.between(4, 16)) + bytes.fromhex("5dc3")
    strings = bytearray()
    while len(strings) < 1024:
        strings += rng.choice(messages).encode("ascii") + b"\r\n$"
    body = bytes(out) + bytes(strings)
    body = body[:size - 32]
    return mz_header(size, header_paragraphs, 0x1C) + b"\0" * 4 + body


def make_image(installed, machine, kind, size, description, record):
    rng = Random(zlib.crc32(installed.encode("ascii")))
    if kind == "dos":
        return dos_image(rng, installed.split(".")[0], description, size)
    return pe_image(rng, machine, installed, description, kind, size, record)


def find_record(content):
    """The version numbers after the first marker, or None; mirrors the reader of the file versions dialog."""
    at = content.find(MARKER)
    if at < 0:
        return None
    numbers = content[at + len(MARKER) + 4:at + len(MARKER) + 10]
    if len(numbers) < 6:
        return None
    return struct.unpack("<HHH", numbers)


def compress(original, target, mscompress):
    """mscompress writes <name>_ next to the file and refuses to overwrite; do it in a scratch directory."""
    with tempfile.TemporaryDirectory(dir=os.path.dirname(target)) as scratch:
        copy = os.path.join(scratch, os.path.basename(original))
        shutil.copyfile(original, copy)
        subprocess.run([mscompress, copy], check=True)
        os.replace(copy + "_", target)
    with open(target, "rb") as f:
        if f.read(len(SZDD_MAGIC)) != SZDD_MAGIC:
            sys.exit("%s: mscompress did not write an SZDD file" % target)


def fresh_directory(path):
    if os.path.isdir(path):
        shutil.rmtree(path)
    os.makedirs(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--originals", required=True)
    parser.add_argument("--compressed", required=True)
    parser.add_argument("--capi-dll", required=True)
    parser.add_argument("--mscompress", default="mscompress")
    parser.add_argument("--version", nargs=3, required=True, metavar=("MAJOR", "MINOR", "REVISION"))
    parser.add_argument("--machine", required=True, choices=sorted(PATTERNS))
    parser.add_argument("--stamp")
    args = parser.parse_args()
    major, minor, revision = (int(v, 0) for v in args.version)

    fresh_directory(args.originals)
    fresh_directory(args.compressed)
    for installed, subdirectory, source, kind, offset, size, description in FILES:
        expected = None if offset is None else (major, minor, revision + offset)
        original = os.path.join(args.originals, installed)
        if kind == "dll":
            shutil.copyfile(args.capi_dll, original)
        else:
            record = None if expected is None else version_record(*expected)
            with open(original, "wb") as f:
                f.write(make_image(installed, args.machine, kind, size, description, record))
        with open(original, "rb") as f:
            content = f.read()
        # A second marker would be ignored by the reader, and a marker in a file without a record would
        # make the dialog show a version; neither may happen by chance.
        if content.count(MARKER) != (0 if expected is None else 1) or find_record(content) != expected:
            sys.exit("%s: version record is %s, expected %s" % (installed, find_record(content), expected))
        os.makedirs(os.path.join(args.compressed, subdirectory), exist_ok=True)
        compress(original, os.path.join(args.compressed, subdirectory, source), args.mscompress)
    if args.stamp:
        with open(args.stamp, "w") as f:
            f.write("%d.%d.%d\n" % (major, minor, revision))


if __name__ == "__main__":
    main()
