#!/usr/bin/env python3
"""Checks what a 32-bit Windows program needs from the system before it can
start: every DLL and function in its import table must be on the reviewed list
and must be one that Windows 95 already has; functions the list marks as looked
up at run time must not be imported at all. Also checks the PE header: an i386
program for Windows 4.0.

usage: check_imports.py program.exe imports-list.txt
"""
import struct
import sys

I386 = 0x14C
PE32 = 0x10B
GUI = 2
OLDEST = "95"


class PeError(Exception):
    pass


def read_pe(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"MZ":
        raise PeError("no MZ header")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE signature")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    if magic != PE32:
        raise PeError("not a 32-bit (PE32) program: optional header magic 0x%X" % magic)
    header = {
        "machine": machine,
        "os": struct.unpack_from("<HH", data, opt + 40),
        "subsystem version": struct.unpack_from("<HH", data, opt + 48),
        "subsystem": struct.unpack_from("<H", data, opt + 68)[0],
    }
    directory_count = struct.unpack_from("<I", data, opt + 92)[0]
    directories = [struct.unpack_from("<II", data, opt + 96 + 8 * i) for i in range(directory_count)]
    table = opt + optional_size
    section_list = []
    for i in range(sections):
        _, vsize, vaddr, rsize, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
        section_list.append((vaddr, max(vsize, rsize), raw))

    def offset(rva):
        for vaddr, size, raw in section_list:
            if vaddr <= rva < vaddr + size:
                return raw + rva - vaddr
        raise PeError("address 0x%X is in no section" % rva)

    def text(rva):
        at = offset(rva)
        return data[at:data.index(b"\0", at)].decode("ascii")

    imports = []
    if directory_count > 1 and directories[1][0]:
        at = offset(directories[1][0])
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", data, at)
            if name == 0:
                break
            dll = text(name)
            thunk = offset(lookup or first)
            while True:
                entry = struct.unpack_from("<I", data, thunk)[0]
                if entry == 0:
                    break
                if entry & 0x80000000:
                    imports.append((dll, "#%d" % (entry & 0xFFFF)))
                else:
                    imports.append((dll, text(entry + 2)))
                thunk += 4
            at += 20
    delayed = directory_count > 13 and directories[13][0] != 0
    return header, imports, delayed, data


def read_list(path):
    entries = {}
    for number, line in enumerate(open(path, encoding="ascii"), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        fields = line.split()
        if len(fields) not in (3, 4) or (len(fields) == 4 and fields[3] != "runtime"):
            raise SystemExit("%s:%d: expected 'DLL function first-windows [runtime]'" % (path, number))
        dll, function, version = fields[:3]
        entries[(dll.upper(), function)] = (version, len(fields) == 4, number)
    return entries


def check(program, list_path):
    problems = []
    header, imports, delayed, data = read_pe(program)
    if header["machine"] != I386:
        problems.append("machine 0x%X, not i386" % header["machine"])
    if header["os"] != (4, 0):
        problems.append("operating-system version %d.%d, not 4.0" % header["os"])
    if header["subsystem version"] != (4, 0):
        problems.append("subsystem version %d.%d, not 4.0" % header["subsystem version"])
    if header["subsystem"] != GUI:
        problems.append("subsystem %d, not the Windows GUI" % header["subsystem"])
    if delayed:
        problems.append("delay-loaded imports: the list cannot vouch for them")

    entries = read_list(list_path)
    for dll, function in imports:
        entry = entries.get((dll.upper(), function))
        if entry is None:
            problems.append("%s %s is imported but not on the reviewed list" % (dll, function))
            continue
        version, runtime, number = entry
        if runtime:
            problems.append("%s %s is imported statically, but the list says it is looked up at run time "
                            "(line %d)" % (dll, function, number))
        elif version != OLDEST:
            problems.append("%s %s first came with Windows %s and is imported statically: look it up at run "
                            "time instead (line %d)" % (dll, function, version, number))
    for (dll, function), (version, runtime, number) in entries.items():
        if runtime and function.encode("ascii") + b"\0" not in data:
            problems.append("%s %s: listed as looked up at run time, but the program does not name it "
                            "(line %d)" % (dll, function, number))
    return imports, problems


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    try:
        imports, problems = check(sys.argv[1], sys.argv[2])
    except (OSError, PeError, struct.error, ValueError) as e:
        print("%s: %s" % (sys.argv[1], e))
        return 1
    dlls = sorted({dll for dll, _ in imports})
    print("%s: %d functions from %s" % (sys.argv[1], len(imports), ", ".join(dlls)))
    for problem in problems:
        print("  " + problem)
    print("imports: %s" % ("fail" if problems else "every one is on Windows 95"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
