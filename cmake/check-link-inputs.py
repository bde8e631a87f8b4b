#!/usr/bin/env python3
"""Fails the build when a program was linked with anything from outside the
given folders: reads the LOAD lines of the linker's map (-Wl,-Map), the
start files and libraries the linker actually opened. The i486 build must
take its whole runtime from the i486 cache, none from Debian's prebuilt one.

usage: check-link-inputs.py program.map allowed-folder...
"""
import os
import sys


def main():
    map_path, allowed = sys.argv[1], [os.path.realpath(folder) for folder in sys.argv[2:]]
    base = os.path.dirname(os.path.realpath(map_path))
    loaded, outside = 0, []
    with open(map_path, encoding="utf-8", errors="replace") as f:
        for line in f:
            if not line.startswith("LOAD "):
                continue
            path = line[5:].strip()
            loaded += 1
            real = os.path.realpath(path if os.path.isabs(path) else os.path.join(base, path))
            if not any(real == folder or real.startswith(folder + os.sep) for folder in allowed):
                outside.append(real)
    name = os.path.basename(map_path)
    if not loaded:
        print("%s: no LOAD lines: not a linker map" % name)
        return 1
    if outside:
        print("%s: %d of %d link inputs come from outside %s:" % (name, len(outside), loaded, ", ".join(allowed)))
        for path in outside:
            print("  " + path)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
