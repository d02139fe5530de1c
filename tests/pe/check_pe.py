#!/usr/bin/env python3
# Reads a built Windows executable and fails unless it is a PE32+ image that
# asks for ASLR (with high-entropy addresses) and DEP, imports no DLL but
# Windows' own, and carries its manifest (themed controls, asInvoker,
# per-monitor DPI awareness, long paths, no code page override) and, given the
# project's version, a version record of that version for file and product,
# with the product name, in a Simplified Chinese string table that the record's
# translation names (else Explorer shows none of it).
# Usage: check_pe.py PROGRAM.exe [X.Y.Z]
import re
import struct
import sys

FLAGS = {0x0040: "ASLR (--dynamicbase)", 0x0020: "high-entropy VA", 0x0100: "DEP (--nxcompat)"}
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
               "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll"}
MANIFEST = {r'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.': "themed controls",
            r'level="asInvoker"': "asInvoker", r">\s*PerMonitorV2\b": "PerMonitorV2 first",
            r">\s*true/PM\s*<": "dpiAware true/PM", r"longPathAware[^>]*>\s*true\s*<": "long paths"}
RT_VERSION, RT_MANIFEST = 16, 24


# A PE32+ image: its DLL characteristics, data directories and sections.
class Image:
    def __init__(self, data):
        self.data = data
        (pe,) = struct.unpack_from("<I", data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0" or struct.unpack_from("<H", data, pe + 24)[0] != 0x20B:
            raise ValueError("not a PE32+ image")
        _, sections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        self.flags = struct.unpack_from("<H", data, pe + 24 + 70)[0]
        self.directories = [struct.unpack_from("<II", data, pe + 24 + 112 + 8 * i) for i in range(3)]
        table = pe + 24 + opt_size
        self.sections = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for _, vsize, vaddr, rawsize, rawptr in self.sections:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rawptr + rva - vaddr
        raise ValueError(f"RVA {rva:#x} outside every section")

    def imports(self):
        dlls, at = [], self.offset(self.directories[1][0])
        while any(entry := struct.unpack_from("<IIIII", self.data, at)):
            name = self.offset(entry[3])
            dlls.append(self.data[name:self.data.index(b"\0", name)].decode("ascii"))
            at += 20
        return dlls

    def resource(self, kind):
        # The bytes of resource 1 of this kind, in its first language; b"" when there is none.
        at = base = self.offset(self.directories[2][0])
        for wanted in (kind, 1, None):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            entries = [struct.unpack_from("<II", self.data, at + 16 + 8 * i) for i in range(named + ids)]
            target = next((target for name, target in entries if wanted in (None, name)), None)
            if target is None:
                return b""
            at = base + (target & 0x7FFFFFFF)
        rva, size = struct.unpack_from("<II", self.data, at)
        return self.data[self.offset(rva):self.offset(rva) + size]


def version_problems(record, version):
    wanted = tuple(int(part) for part in (version.split(".") + ["0"] * 4)[:4])  # 1.0.0 is 1.0.0.0
    ms, ls = (wanted[0] << 16) | wanted[1], (wanted[2] << 16) | wanted[3]
    fixed = record.find(struct.pack("<I", 0xFEEF04BD))
    found = struct.unpack_from("<IIII", record, fixed + 8) if fixed >= 0 else ()
    problems = [] if found == (ms, ls, ms, ls) else [f"fixed versions {found}, expected {wanted} for file and product"]
    text, dotted = record.decode("utf-16-le", "replace"), ".".join(map(str, wanted))
    for key, value in {"ProductName": "Vellmar\u2014Quillet", "FileVersion": dotted, "ProductVersion": dotted}.items():
        if not re.search(re.escape(key) + r"\0+" + re.escape(value) + r"\0", text):
            problems.append(f"no {key} {value!r} in the version record")
    if "080404B0" not in text or struct.pack("<HH", 0x0804, 1200) not in record:
        problems.append("no Simplified Chinese string table and translation")
    return problems


def main(path, version=None):
    with open(path, "rb") as f:
        image = Image(f.read())
    dlls = image.imports()
    print(f"size: {len(image.data)} bytes; flags {image.flags:#06x}; imports: {', '.join(dlls)}")
    problems = [f"missing {name}" for flag, name in FLAGS.items() if not image.flags & flag]
    problems += [f"imports {dll}, not a system DLL" for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    manifest = re.sub(r"<!--.*?-->", "", image.resource(RT_MANIFEST).decode("utf-8", "replace"), flags=re.S)
    problems += [f"the manifest lacks {what}" for pattern, what in MANIFEST.items() if not re.search(pattern, manifest)]
    problems += ["the manifest sets activeCodePage: CP_ACP must stay the system's"] * ("activeCodePage" in manifest)
    problems += version_problems(image.resource(RT_VERSION), version) if version else []
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
