#!/usr/bin/env python3
"""Reads the resources back from a built Quillet.exe and fails unless they are
what the program and Explorer need: a version record of the project's version
with its Simplified Chinese strings and translation; a manifest with themed
controls, asInvoker, per-monitor DPI awareness, long paths and no code page
override.

Usage: check_resources.py Quillet.exe --version X.Y.Z
"""
import argparse
import re
import struct
import sys

from check_pe import Image

RT_VERSION, RT_MANIFEST = 16, 24
STRINGS = {"ProductName": "Vellmar\u2014Quillet", "FileDescription": "Vellmar Quillet \u5173\u952e\u5b57\u542f\u52a8\u5668",
           "OriginalFilename": "Quillet.exe", "InternalName": "Quillet"}


def resources(image):
    """{type: {name: bytes}} of the image's resources, each in exactly one language."""
    data, base = image.data, image.offset(image.directories[2][0])

    def directory(at, depth):
        named, ids = struct.unpack_from("<HH", data, at + 12)
        result = {}
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, at + 16 + 8 * i)
            if depth < 2:
                result[name] = directory(base + (target & 0x7FFFFFFF), depth + 1)
            else:
                rva, size = struct.unpack_from("<II", data, base + target)
                result[name] = data[image.offset(rva):image.offset(rva) + size]
        return result

    tree = directory(base, 0)
    for kind in tree.values():
        for name, languages in kind.items():
            if len(languages) != 1:
                raise ValueError(f"resource {name} in {len(languages)} languages")
            kind[name] = next(iter(languages.values()))
    return tree


def check_version(tree, version):
    record = tree.get(RT_VERSION, {}).get(1, b"")
    text = record.decode("utf-16-le", "replace")
    fixed = record.find(struct.pack("<I", 0xFEEF04BD))
    found = struct.unpack_from("<IIII", record, fixed + 8) if fixed >= 0 else ()
    wanted = tuple(int(part) for part in (version.split(".") + ["0"] * 4)[:4])  # 1.0.0 is 1.0.0.0
    ms, ls = (wanted[0] << 16) | wanted[1], (wanted[2] << 16) | wanted[3]
    problems = [] if found == (ms, ls, ms, ls) else [f"fixed versions {found}, expected {wanted} for file and product"]
    dotted = ".".join(map(str, wanted))
    for key, value in dict(STRINGS, FileVersion=dotted, ProductVersion=dotted).items():
        if not re.search(re.escape(key) + r"\0+" + re.escape(value) + r"\0", text):
            problems.append(f"no {key} {value!r} in the version record")
    if "080404B0" not in text or struct.pack("<HH", 0x0804, 1200) not in record:
        problems.append("no Simplified Chinese string table and translation")
    return problems


def check_manifest(tree):
    text = re.sub(r"<!--.*?-->", "", tree.get(RT_MANIFEST, {}).get(1, b"").decode("utf-8", "replace"), flags=re.S)
    wanted = {r'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.': "themed controls",
              r'level="asInvoker"': "asInvoker", r">\s*PerMonitorV2\b": "PerMonitorV2 first",
              r">\s*true/PM\s*<": "dpiAware true/PM", r"longPathAware[^>]*>\s*true\s*<": "long paths"}
    problems = [f"the manifest lacks {what}" for pattern, what in wanted.items() if not re.search(pattern, text)]
    if "activeCodePage" in text:
        problems.append("the manifest sets activeCodePage; the entry file must stay in the ANSI code page")
    return problems


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("--version", required=True, help="the project's version, as CMake has it")
    args = parser.parse_args(argv)
    with open(args.exe, "rb") as f:
        image = Image(f.read())
    try:
        tree = resources(image)
        problems = check_version(tree, args.version) + check_manifest(tree)
    except (ValueError, struct.error) as error:
        problems = [f"unreadable resources: {error}"]
    for problem in problems:
        print("FAIL:", problem)
    print(f"{len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
