#!/usr/bin/env python3
"""Checks that the diskette and CD images hold the whole distribution, byte for byte.

Both images are read back with the tools a person would use (mcopy, xorriso) into scratch directories and
compared with the distribution directory; names compare without regard to case, as Windows reads them from
FAT and ISO 9660. The diskette image must be a 1.44 MB one.

Usage: check_media.py --dist DIR --diskette IMAGE --cd IMAGE
"""

import argparse
import os
import subprocess
import sys
import tempfile

DISKETTE_BYTES = 1474560


def files_below(root):
    found = {}
    for directory, _, names in os.walk(root):
        for name in names:
            path = os.path.join(directory, name)
            relative = os.path.relpath(path, root).replace(os.sep, "\\").upper().split(";")[0]
            with open(path, "rb") as f:
                found[relative] = f.read()
    return found


def compare(what, expected, found):
    problems = []
    for name in sorted(set(expected) | set(found)):
        if name not in found:
            problems.append("%s lacks %s" % (what, name))
        elif name not in expected:
            problems.append("%s holds %s, which the distribution does not" % (what, name))
        elif found[name] != expected[name]:
            problems.append("%s: %s differs from the distribution's" % (what, name))
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--dist", required=True)
    parser.add_argument("--diskette", required=True)
    parser.add_argument("--cd", required=True)
    args = parser.parse_args()

    expected = files_below(args.dist)
    problems = []
    if os.path.getsize(args.diskette) != DISKETTE_BYTES:
        problems.append("the diskette image has %d bytes, not %d" % (os.path.getsize(args.diskette), DISKETTE_BYTES))
    with tempfile.TemporaryDirectory() as scratch:
        diskette = os.path.join(scratch, "diskette")
        cd = os.path.join(scratch, "cd")
        os.makedirs(diskette)
        environment = dict(os.environ, MTOOLS_SKIP_CHECK="1")
        subprocess.run(["mcopy", "-s", "-n", "-i", args.diskette, "::*", diskette], check=True, env=environment)
        subprocess.run(["xorriso", "-report_about", "WARNING", "-osirrox", "on", "-indev", args.cd,
                        "-extract", "/", cd], check=True)
        problems += compare("the diskette", expected, files_below(diskette))
        problems += compare("the CD", expected, files_below(cd))
    for problem in problems:
        print(problem)
    if problems:
        sys.exit(1)
    used = sum(len(content) for content in expected.values())
    print("both images hold the %d files of the distribution (%d bytes; the diskette holds %d)"
          % (len(expected), used, DISKETTE_BYTES))


if __name__ == "__main__":
    main()
