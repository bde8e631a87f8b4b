#!/usr/bin/env python3
"""Reads the manifest and the version resource back from a built Windows
program, or the version resource and the NSIS kind from the installer, and
checks what a Windows user and Windows itself will see.

usage: check_resources.py program   brisbolt.exe        1.0.0.0
       check_resources.py installer brisbolt-setup.exe  1.0.0.0 x86-ansi|amd64-unicode
"""
import struct
import sys
import xml.etree.ElementTree as ET

RT_VERSION = 16
RT_MANIFEST = 24
MACHINES = {0x14C: "x86", 0x8664: "amd64"}
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10 and 11",
}
ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V2 = "{urn:schemas-microsoft-com:asm.v2}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"


class Failure(Exception):
    pass


class Pe:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = data = f.read()
        if data[:2] != b"MZ":
            raise Failure("%s: no MZ header" % path)
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise Failure("%s: no PE signature" % path)
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        directories_at = opt + (96 if magic == 0x10B else 112)
        count = struct.unpack_from("<I", data, directories_at - 4)[0]
        self.directories = [struct.unpack_from("<II", data, directories_at + 8 * i) for i in range(count)]
        table = opt + optional_size
        self.sections = []
        for i in range(sections):
            name, vsize, vaddr, rsize, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rsize), raw))

    def offset(self, rva):
        for vaddr, size, raw in self.sections:
            if vaddr <= rva < vaddr + size:
                return raw + rva - vaddr
        raise Failure("address 0x%X is in no section" % rva)

    def resources(self):
        """{(type, name): bytes} for every resource with a numeric type and name."""
        rva, size = self.directories[2]
        if not size:
            return {}
        base = self.offset(rva)
        found = {}

        def entries(at):
            named, numbered = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                yield (None if ident & 0x80000000 else ident), target

        for rtype, type_at in entries(0):
            for name, name_at in entries(type_at & 0x7FFFFFFF):
                for _, leaf in entries(name_at & 0x7FFFFFFF):
                    data_rva, data_size = struct.unpack_from("<II", self.data, base + leaf)
                    at = self.offset(data_rva)
                    found[(rtype, name)] = self.data[at:at + data_size]
        return found

    def imports(self):
        rva, size = self.directories[1]
        names = set()
        if not size:
            return names
        at = self.offset(rva)
        wide = self.machine == 0x8664
        while True:
            lookup, _, _, _, first = struct.unpack_from("<IIIII", self.data, at)
            if not lookup and not first:
                return names
            entry = self.offset(lookup or first)
            while True:
                thunk = struct.unpack_from("<Q" if wide else "<I", self.data, entry)[0]
                if not thunk:
                    break
                if not thunk >> (63 if wide else 31):
                    name_at = self.offset(thunk & 0x7FFFFFFF) + 2
                    names.add(self.data[name_at:self.data.index(b"\0", name_at)].decode("ascii"))
                entry += 8 if wide else 4
            at += 20


def version_info(block):
    """The fixed file version and the string table of a VS_VERSIONINFO."""

    def node(at):
        length, value_length, kind = struct.unpack_from("<HHH", block, at)
        end = block.index(b"\0\0", at + 6)
        while (end - at) % 2:
            end = block.index(b"\0\0", end + 1)
        key = block[at + 6:end].decode("utf-16-le")
        value_at = (end + 2 + 3) & ~3
        return key, length, value_length, kind, value_at

    key, length, value_length, _, value_at = node(0)
    if key != "VS_VERSION_INFO":
        raise Failure("the version resource starts with %r" % key)
    signature, _, ms, ls, pms, pls = struct.unpack_from("<IIIIII", block, value_at)
    if signature != 0xFEEF04BD:
        raise Failure("no VS_FIXEDFILEINFO in the version resource")
    fixed = "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    product = "%d.%d.%d.%d" % (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF)
    strings = {}

    def walk(at, end, depth):
        while at < end:
            key, length, value_length, kind, value_at = node(at)
            if length == 0:
                break
            if depth == 2:
                text = block[value_at:value_at + 2 * value_length].decode("utf-16-le")
                strings[key] = text.rstrip("\0")
            elif key in ("StringFileInfo",) or depth == 1:
                walk(value_at, at + length, depth + 1)
            at = (at + length + 3) & ~3

    walk((value_at + value_length + 3) & ~3, length, 0)
    return fixed, product, strings


def check_version(pe, version, expected):
    blocks = [data for (rtype, _), data in pe.resources().items() if rtype == RT_VERSION]
    if len(blocks) != 1:
        raise Failure("%d version resources, not 1" % len(blocks))
    fixed, product, strings = version_info(blocks[0])
    if fixed != version:
        raise Failure("file version %s, not %s" % (fixed, version))
    if product != version:
        raise Failure("product version %s, not %s" % (product, version))
    for name, value in expected.items():
        if strings.get(name) != value:
            raise Failure("version string %s is %r, not %r" % (name, strings.get(name), value))
    return strings


def check_manifest(pe, version):
    manifests = {name: data for (rtype, name), data in pe.resources().items() if rtype == RT_MANIFEST}
    if list(manifests) != [1]:
        raise Failure("manifest resources %s, not exactly number 1 (the one Windows reads for a program)"
                      % sorted(manifests))
    root = ET.fromstring(manifests[1])
    identity = root.find(ASM_V1 + "assemblyIdentity")
    if identity is None:
        raise Failure("the manifest has no assemblyIdentity (Windows XP refuses to start the program)")
    architecture = MACHINES.get(pe.machine)
    if identity.get("processorArchitecture") != architecture:
        raise Failure("manifest says %s, the program is %s" % (identity.get("processorArchitecture"), architecture))
    if identity.get("version") != version:
        raise Failure("manifest version %s, not %s" % (identity.get("version"), version))
    # asm.v3 here stops Windows XP before SP3 from starting the program.
    levels = root.findall("%strustInfo/%ssecurity/%srequestedPrivileges/%srequestedExecutionLevel"
                          % (ASM_V2, ASM_V2, ASM_V2, ASM_V2))
    if len(levels) != 1 or levels[0].get("level") != "highestAvailable" or levels[0].get("uiAccess") != "false":
        raise Failure("no asm.v2 requestedExecutionLevel highestAvailable without uiAccess")
    declared = {os.get("Id") for os in root.iter(COMPAT + "supportedOS")}
    if declared != set(SUPPORTED_OS):
        raise Failure("supported systems %s, not %s" % (sorted(declared), sorted(SUPPORTED_OS)))
    if any(e.tag.endswith("dependency") for e in root.iter()):
        raise Failure("the manifest asks for a side-by-side assembly (common controls 6?)")
    return architecture


def main(argv):
    if len(argv) < 4 or argv[1] not in ("program", "installer"):
        print(__doc__)
        return 2
    kind, path, version = argv[1:4]
    pe = Pe(path)
    if kind == "program":
        strings = check_version(pe, version, {
            "ProductName": "Brisbolt", "CompanyName": "Corvelle", "OriginalFilename": "brisbolt.exe",
            "FileVersion": version, "ProductVersion": version})
        architecture = check_manifest(pe, version)
        print("%s: %s manifest (highestAvailable, %d systems), version %s of %s by %s"
              % (path, architecture, len(SUPPORTED_OS), version, strings["ProductName"], strings["CompanyName"]))
        return 0
    target = argv[4]
    if b"Nullsoft" not in pe.data:
        raise Failure("not an NSIS installer")
    check_version(pe, version, {"ProductName": "Brisbolt", "CompanyName": "Corvelle", "FileVersion": version})
    want = {"x86-ansi": ("x86", "A"), "amd64-unicode": ("amd64", "W")}[target]
    if MACHINES.get(pe.machine) != want[0]:
        raise Failure("the installer is for %s, not %s" % (MACHINES.get(pe.machine), want[0]))
    # An ANSI installer calls the ...A functions; a Unicode one would not
    # start on Windows 95, 98 or Me.
    imports = pe.imports()
    for function in ("GetModuleFileName", "CreateFile", "RegOpenKeyEx"):
        if function + want[1] not in imports:
            raise Failure("the installer does not import %s%s: not %s" % (function, want[1], target))
    print("%s: NSIS %s installer, version %s of Brisbolt by Corvelle" % (path, target, version))
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except Failure as failure:
        print("resources: fail: %s" % failure)
        sys.exit(1)
