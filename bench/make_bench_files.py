#!/usr/bin/env python3
"""Makes the driver files of the installation benchmark and compresses them in SZDD format.

Each file is a stand-in for a driver image: a mix of incompressible "code" bytes, phrases from a shared
pool (strings, instruction patterns), tables of growing numbers and zero runs, so that LZ compression
has about as much to do as with a real image and expansion costs what it costs for one. The content
depends only on the file's number: every build gives the same bytes.

Outputs, in a directory emptied first:
  <out>/originals/qb<NNN>.bin   the files as installed, uncompressed
  <out>/BENCH/QB<NNN>.BI_       the same, compressed with mscompress

Only the Python standard library is used.

With --distinct D only the first D files are made and compressed, and every further file is a copy of one
of them (file N holds what file N mod D holds): mscompress reads one byte per system call, and compressing
200 distinct files of 256 KiB takes about 40 s. Each copy is still a file of its own, read and written by
both sides of the benchmark like any other, so what is measured does not change.

Usage: python3 make_bench_files.py --out DIR --count N --size BYTES [--distinct D] [--mscompress PROGRAM]
                                   [--stamp FILE]
"""

import argparse
import hashlib
import os
import shutil
import struct
import subprocess
import sys

# The sample driver files' generator has the random numbers and helpers the bench files need too.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sample", "drivers"))
from make_driver_images import SZDD_MAGIC, Random, fresh_directory  # noqa: E402


class Noise:
    """Incompressible bytes, fast: SHA-256 in counter mode over the file's seed."""

    def __init__(self, seed):
        self.seed = struct.pack("<I", seed)
        self.counter = 0
        self.pending = b""

    def bytes(self, n):
        while len(self.pending) < n:
            block = hashlib.sha256(self.seed + struct.pack("<Q", self.counter)).digest()
            self.counter += 1
            self.pending += block
        out, self.pending = self.pending[:n], self.pending[n:]
        return out


WORDS = (b"driver adapter channel controller protocol message buffer layer interrupt register "
         b"capi isdn quorel config device handle timeout status error request confirm indication "
         b"response connect disconnect listen facility data b3 ncci plci appl info reason").split()


def phrase_pool():
    """Phrases that recur within and across files, as strings and instruction sequences do in images."""
    rng = Random(0x51C0DE)
    pool = []
    for i in range(192):
        if i % 3 == 0:
            words = [WORDS[rng.below(len(WORDS))] for _ in range(rng.between(2, 7))]
            pool.append(b" ".join(words) + b"\0")
        elif i % 3 == 1:
            # A prologue-like sequence: a few fixed opcodes with varying operands.
            ops = [b"\x55\x8b\xec", b"\x83\xec", b"\x53\x56\x57", b"\x8b\x45", b"\x89\x45", b"\xe8", b"\xc3"]
            seq = b""
            for _ in range(rng.between(4, 10)):
                seq += ops[rng.below(len(ops))] + bytes([rng.below(256)])
            pool.append(seq)
        else:
            pool.append(bytes(rng.below(256) for _ in range(rng.between(8, 40))))
    return pool


def make_file(number, size, pool):
    rng = Random(0x9E3779B9 ^ (number * 2654435761))
    noise = Noise(number)
    parts = []
    length = 0
    while length < size:
        kind = rng.below(100)
        if kind < 22:
            part = noise.bytes(rng.between(4, 40))
        elif kind < 72:
            part = pool[rng.below(len(pool))]
        elif kind < 90:
            base, step = rng.next(), rng.between(1, 64)
            part = b"".join(struct.pack("<I", (base + k * step) & 0xFFFFFFFF) for k in range(rng.between(2, 12)))
        else:
            part = bytes(rng.between(4, 160))
        parts.append(part)
        length += len(part)
    return b"".join(parts)[:size]


def compressed_name(name):
    return name[:-1].upper() + "_"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--out", required=True)
    parser.add_argument("--count", type=int, required=True)
    parser.add_argument("--size", type=int, required=True)
    parser.add_argument("--distinct", type=int, default=0, help="distinct contents (default: every file)")
    parser.add_argument("--mscompress", default="mscompress")
    parser.add_argument("--stamp")
    args = parser.parse_args()

    originals = os.path.join(args.out, "originals")
    compressed = os.path.join(args.out, "BENCH")
    # mscompress writes <name>_ next to each file and refuses to overwrite: it works in a scratch copy.
    scratch = os.path.join(args.out, "scratch")
    for directory in (originals, compressed, scratch):
        fresh_directory(directory)
    distinct = args.count if args.distinct <= 0 else min(args.distinct, args.count)
    pool = phrase_pool()
    names = []
    for number in range(distinct):
        name = "qb%03d.bin" % number
        content = make_file(number, args.size, pool)
        for directory in (originals, scratch):
            with open(os.path.join(directory, name), "wb") as f:
                f.write(content)
        names.append(name)
    # One call for all files: starting mscompress once per file would dominate the build step.
    subprocess.run([args.mscompress] + names, cwd=scratch, check=True)
    for name in names:
        target = os.path.join(compressed, compressed_name(name))
        os.replace(os.path.join(scratch, name + "_"), target)
        with open(target, "rb") as f:
            if f.read(len(SZDD_MAGIC)) != SZDD_MAGIC:
                sys.exit("%s: mscompress did not write an SZDD file" % target)
    for number in range(distinct, args.count):
        name, model = "qb%03d.bin" % number, names[number % distinct]
        shutil.copyfile(os.path.join(originals, model), os.path.join(originals, name))
        shutil.copyfile(os.path.join(compressed, compressed_name(model)),
                        os.path.join(compressed, compressed_name(name)))
    packed = sum(os.path.getsize(os.path.join(compressed, compressed_name(name))) for name in names)
    shutil.rmtree(scratch)
    print("bench files: %d x %d bytes (%d distinct), compressed to %.0f%%"
          % (args.count, args.size, distinct, 100.0 * packed / (distinct * args.size)))
    if args.stamp:
        with open(args.stamp, "w") as f:
            f.write("%d %d\n" % (args.count, args.size))


if __name__ == "__main__":
    main()
