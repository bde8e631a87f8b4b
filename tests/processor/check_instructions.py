#!/usr/bin/env python3
"""Checks that 32-bit Windows files run on a 486: disassembles the code of
each one and looks for instructions that only later processors have. A
Pentium, Pentium MMX, K5, K6, 6x86, WinChip or 486 stops at any of them with
an illegal-instruction fault ("This program has performed an illegal
operation" on Windows 9x, 0xC000001D on NT).

Refused: CMOVcc and FCMOVcc, FCOMI and FUCOMI (and their P forms), CMPXCHG8B,
RDTSC, SYSENTER and SYSEXIT, the long NOPs (0F 1F), and every MMX, SSE or
later instruction (any that names an MMX or XMM register, and those without
one: the fences, prefetches, MXCSR and FXSAVE forms, and the like).

MinGW's linker puts data at the end of .text, after the code: the
constructor and destructor lists (each a word of -1, pointers into the image,
a word of 0) and C++'s exception tables. Disassembled, those decode as
anything (sqrtps, movd %mm6, ...); the two lists are found, everything from
them to the end of .text is left out, and the output says where.

usage: check_instructions.py [--objdump PROGRAM] file...
Prints, for each file, how many it found and where; exits 1 when any file has
one (or cannot be read).
"""
import argparse
import re
import struct
import subprocess
import sys

REFUSED = re.compile(
    r"^(cmov[a-z]+|fcmov[a-z]+|fcomip?|fucomip?|cmpxchg8b|rdtscp?|rdpmc|sysenter|sysexit|"
    r"emms|femms|ldmxcsr|stmxcsr|fxsave|fxrstor|[lsm]fence|clflush\w*|prefetch\w*|movnti|"
    r"maskmovq|pshufw|pavg[bw]|pextrw|pinsrw|pmaxsw|pmaxub|pminsw|pminub|pmovmskb|pmulhuw|psadbw|"
    r"fisttp\w*|monitor|mwait|rdrand|rdseed)$"
)
MEDIA_REGISTER = re.compile(r"%[xy]?mm\d")
LINE = re.compile(r"^\s*([0-9a-f]+):\s+(\S+)\s*(.*)$")


def pe_layout(path):
    """(image base, image size, [(name, vaddr, raw offset, raw size)]) of a PE file."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"MZ":
        raise ValueError("not a Windows program (no MZ header)")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a Windows program (no PE signature)")
    count, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    if struct.unpack_from("<H", data, opt)[0] != 0x10B:
        raise ValueError("not a 32-bit (PE32) program")
    base, = struct.unpack_from("<I", data, opt + 28)
    size, = struct.unpack_from("<I", data, opt + 56)
    sections = []
    for i in range(count):
        name, _, vaddr, raw_size, raw = struct.unpack_from("<8sIIII", data, opt + optional_size + 40 * i)
        sections.append((name.rstrip(b"\0").decode("ascii", "replace"), vaddr, raw, raw_size))
    return data, base, size, sections


def pointer_list(text, at, base, size):
    """End of a -1, pointers..., 0 list that starts at text[at], or None."""
    if text[at:at + 4] != b"\xff\xff\xff\xff":
        return None
    end = at + 4
    while end + 4 <= len(text):
        word, = struct.unpack_from("<I", text, end)
        if word == 0:
            return end + 4
        if not base <= word < base + size:
            return None
        end += 4
    return None


def data_at_end_of_text(path):
    """Address range of what the linker puts after the code in .text: the
    constructor list, the destructor list right behind it, and the exception
    tables. The last such pair of lists marks the start."""
    data, base, size, sections = pe_layout(path)
    for name, vaddr, raw, raw_size in sections:
        if name != ".text":
            continue
        text = data[raw:raw + raw_size]
        for at in range(len(text) - len(text) % 4 - 4, -1, -4):
            constructors_end = pointer_list(text, at, base, size)
            if constructors_end is not None and pointer_list(text, constructors_end, base, size) is not None:
                return [(base + vaddr + at, base + vaddr + raw_size)]
    return []


def refused_in(path, objdump):
    lists = data_at_end_of_text(path)
    listing = subprocess.run([objdump, "-d", "--no-show-raw-insn", path], capture_output=True, text=True)
    if listing.returncode != 0:
        raise ValueError("objdump failed: " + listing.stderr.strip())
    hits = []
    for line in listing.stdout.splitlines():
        match = LINE.match(line)
        if not match:
            continue
        address, mnemonic, operands = int(match.group(1), 16), match.group(2), match.group(3)
        if mnemonic in ("lock", "rep", "repz", "repnz", "data16", "addr16") and operands:
            mnemonic, _, operands = operands.partition(" ")
        long_nop = mnemonic.startswith("nop") and operands.strip() != ""
        if not (long_nop or REFUSED.match(mnemonic) or MEDIA_REGISTER.search(operands)):
            continue
        if any(start <= address < end for start, end in lists):
            continue
        hits.append((address, (mnemonic + " " + operands).strip()))
    return hits, lists


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()
    failed = False
    for path in args.files:
        name = path.rsplit("/", 1)[-1]
        try:
            hits, lists = refused_in(path, args.objdump)
        except (OSError, ValueError) as error:
            print("%s: cannot be checked: %s" % (path, error))
            failed = True
            continue
        skipped = ", ".join("0x%x-0x%x" % r for r in lists)
        print("%s: %d instruction(s) a 486 lacks%s" % (name, len(hits),
              "" if not skipped else " (left out as data: constructor lists and exception tables, %s)" % skipped))
        kinds = {}
        for _, text in hits:
            kinds[text.split(" ")[0]] = kinds.get(text.split(" ")[0], 0) + 1
        if hits:
            failed = True
            print("  by kind: " + ", ".join("%s %d" % k for k in sorted(kinds.items(), key=lambda k: -k[1])))
            for address, text in hits[:25]:
                print("  0x%08x  %s" % (address, text))
            if len(hits) > 25:
                print("  ... and %d more" % (len(hits) - 25))
    print("instructions: " + ("fail" if failed else "pass"))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
