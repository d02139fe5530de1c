#!/usr/bin/env python3
"""Reads the PE header of a Windows executable: fails unless it asks for ASLR
(with high-entropy addresses) and DEP, and unless every DLL it imports is one
of Windows' own. Prints what it found."""
import struct
import sys

DYNAMIC_BASE, HIGH_ENTROPY_VA, NX_COMPAT = 0x0040, 0x0020, 0x0100
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
    "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll",
}


def read_pe(data):
    (pe,) = struct.unpack_from("<I", data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    machine, sections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    magic, = struct.unpack_from("<H", data, opt)
    if magic != 0x20B:
        raise ValueError("not a PE32+ image")
    dll_characteristics, = struct.unpack_from("<H", data, opt + 70)
    import_rva, _ = struct.unpack_from("<II", data, opt + 112 + 8)
    table = pe + 24 + opt_size
    section_list = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def offset(rva):
        for _, vsize, vaddr, rawsize, rawptr in section_list:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rawptr + rva - vaddr
        raise ValueError("RVA outside every section")

    dlls = []
    at = offset(import_rva)
    while True:
        entry = struct.unpack_from("<IIIII", data, at)
        if not any(entry):
            break
        name_at = offset(entry[3])
        dlls.append(data[name_at:data.index(b"\0", name_at)].decode("ascii"))
        at += 20
    return dll_characteristics, dlls


def main(path):
    with open(path, "rb") as f:
        data = f.read()
    flags, dlls = read_pe(data)
    problems = []
    for flag, name in ((DYNAMIC_BASE, "ASLR (--dynamicbase)"), (HIGH_ENTROPY_VA, "high-entropy VA"),
                       (NX_COMPAT, "DEP (--nxcompat)")):
        print(f"{name}: {'yes' if flags & flag else 'NO'}")
        if not flags & flag:
            problems.append(f"missing {name}")
    print(f"size: {len(data)} bytes; imports: {', '.join(dlls)}")
    problems += [f"imports {dll}, not a system DLL" for dll in dlls if dll.lower() not in SYSTEM_DLLS]
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
