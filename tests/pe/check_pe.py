#!/usr/bin/env python3
"""Reads the PE header of a Windows executable: fails unless it asks for ASLR
(with high-entropy addresses) and DEP, and unless every DLL it imports is one
of Windows' own. Usage: check_pe.py PROGRAM.exe"""
import struct
import sys

FLAGS = {0x0040: "ASLR (--dynamicbase)", 0x0020: "high-entropy VA", 0x0100: "DEP (--nxcompat)"}
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
               "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll"}


class Image:
    """A PE32+ image: its DLL characteristics, data directories and sections."""

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


def main(path):
    with open(path, "rb") as f:
        image = Image(f.read())
    dlls = image.imports()
    print(f"size: {len(image.data)} bytes; flags {image.flags:#06x}; imports: {', '.join(dlls)}")
    problems = [f"missing {name}" for flag, name in FLAGS.items() if not image.flags & flag]
    problems += [f"imports {dll}, not a system DLL" for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
