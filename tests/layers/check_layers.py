#!/usr/bin/env python3
"""Every source folder includes only the folders below it: the windows on top,
what they share and the class library underneath, so that the layers read
top-down.

    check_layers.py <source folder>
"""
import pathlib
import re
import sys

# Bottom first. A folder may include itself and any folder before it.
LAYERS = ["resources", "runtime", "settings", "platform", "skin", "app", "tuning", "shell"]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.MULTILINE)


def main():
    root = pathlib.Path(sys.argv[1])
    faults = []
    for level, folder in enumerate(LAYERS):
        for source in sorted((root / folder).rglob("*")):
            if source.suffix not in (".h", ".cpp", ".rc"):
                continue
            for included in INCLUDE.findall(source.read_text(errors="replace")):
                if included in LAYERS and LAYERS.index(included) > level:
                    faults.append(f"{source.relative_to(root)} includes {included}/, a layer above {folder}/")
    for fault in faults:
        print(fault)
    print(f"layers: {'fail' if faults else 'ok'} ({' < '.join(LAYERS)})")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
