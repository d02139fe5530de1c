#!/usr/bin/env python3
"""Reads the resources back from a built Quillet.exe and fails unless they are
what the program and Explorer need:

- icon group 1 with nine images (16, 32 and 48 pixels at 4, 8 and 32 bits per
  pixel), each image present, well formed, and the same bytes as the
  committed .ico;
- a version record saying 1.0.0.0, with its Simplified Chinese string table
  (product name with its em dash, description, file names) and translation;
- the application manifest: themed controls, asInvoker, per-monitor DPI
  awareness, long paths, and no code page override.

With --generator and --generated it also runs the icon generator into a
temporary folder and fails unless every file it writes is byte-identical to
the committed one.

Usage: check_resources.py Quillet.exe [--generator make_icons.py --generated DIR]
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
ICON_ID = 1
ICON_FILE = "quillet.ico"
EXPECTED_IMAGES = sorted((size, bits) for size in (16, 32, 48) for bits in (4, 8, 32))

VERSION = (1, 0, 0, 0)
STRING_TABLE = "080404B0"
EXPECTED_STRINGS = {
    "FileVersion": "1.0.0.0",
    "ProductVersion": "1.0.0.0",
    "ProductName": "Vellmar\u2014Quillet",
    "FileDescription": "Vellmar Quillet \u5173\u952e\u5b57\u542f\u52a8\u5668",
    "OriginalFilename": "Quillet.exe",
    "InternalName": "Quillet",
}
TRANSLATION = struct.pack("<HH", 0x0804, 1200)

COMMON_CONTROLS = "Microsoft.Windows.Common-Controls"


class Image:
    """A PE32+ image: maps RVAs to file offsets."""

    def __init__(self, data):
        self.data = data
        (pe,) = struct.unpack_from("<I", data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        _, sections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        if struct.unpack_from("<H", data, opt)[0] != 0x20B:
            raise ValueError("not a PE32+ image")
        self.resource_rva, self.resource_size = struct.unpack_from("<II", data, opt + 112 + 2 * 8)
        table = opt + opt_size
        self.sections = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for _, vsize, vaddr, rawsize, rawptr in self.sections:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rawptr + rva - vaddr
        raise ValueError(f"RVA {rva:#x} outside every section")


def read_resources(image):
    """Returns {type: {name: {language: bytes}}} with numeric types and names
    (string names are kept as strings)."""
    if not image.resource_rva:
        return {}
    data = image.data
    base = image.offset(image.resource_rva)

    def name_of(entry_name):
        if entry_name & 0x80000000:
            at = base + (entry_name & 0x7FFFFFFF)
            (length,) = struct.unpack_from("<H", data, at)
            return data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
        return entry_name

    def directory(at, depth):
        named, ids = struct.unpack_from("<HH", data, at + 12)
        result = {}
        for i in range(named + ids):
            entry_name, target = struct.unpack_from("<II", data, at + 16 + 8 * i)
            key = name_of(entry_name)
            if target & 0x80000000:
                if depth == 2:
                    raise ValueError("resource directory deeper than three levels")
                result[key] = directory(base + (target & 0x7FFFFFFF), depth + 1)
            else:
                rva, size = struct.unpack_from("<II", data, base + target)
                start = image.offset(rva)
                if start + size > len(data):
                    raise ValueError(f"resource {key} runs past the end of the file")
                result[key] = data[start:start + size]
        return result

    return directory(base, 0)


def only_language(languages, what):
    if len(languages) != 1:
        raise ValueError(f"{what} exists in {len(languages)} languages, expected one")
    return next(iter(languages.values()))


def ico_images(ico):
    """The images of an .ico file as {(size, bits): bytes}."""
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    if reserved != 0 or kind != 1:
        raise ValueError("not an icon file")
    images = {}
    for i in range(count):
        width, _, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        images[(width or 256, bits)] = ico[offset:offset + size]
    return images


def check_icons(resources, committed_ico):
    problems = []
    groups = resources.get(RT_GROUP_ICON, {})
    if ICON_ID not in groups:
        return [f"no icon group with id {ICON_ID} (found {sorted(groups, key=str)})"]
    group = only_language(groups[ICON_ID], "the icon group")
    reserved, kind, count = struct.unpack_from("<HHH", group, 0)
    if reserved != 0 or kind != 1:
        problems.append(f"icon group header is {reserved}, {kind}; expected 0, 1")
    if len(group) != 6 + 14 * count:
        problems.append(f"icon group of {len(group)} bytes for {count} entries")
        count = min(count, (len(group) - 6) // 14)
    icons = resources.get(RT_ICON, {})
    committed = ico_images(committed_ico) if committed_ico else None
    found = []
    for i in range(count):
        width, height, colours, _, planes, bits, size, icon_id = struct.unpack_from(
            "<BBBBHHIH", group, 6 + 14 * i)
        width, height = width or 256, height or 256
        found.append((width, bits))
        where = f"icon image {icon_id} ({width}x{height}, {bits} bpp)"
        if width != height:
            problems.append(f"{where}: not square")
        if colours != (16 if bits == 4 else 0) or planes != 1:
            problems.append(f"{where}: colour count {colours}, planes {planes}")
        if icon_id not in icons:
            problems.append(f"{where}: listed in the group but missing")
            continue
        dib = only_language(icons[icon_id], where)
        if len(dib) != size:
            problems.append(f"{where}: {len(dib)} bytes, the group says {size}")
        header_size, dib_width, dib_height, _, dib_bits = struct.unpack_from("<IiiHH", dib, 0)
        if (header_size, dib_width, dib_height, dib_bits) != (40, width, 2 * height, bits):
            problems.append(f"{where}: bitmap header says {dib_width}x{dib_height}, {dib_bits} bpp")
        palette = 4 << bits if bits <= 8 else 0
        stride = lambda b: (width * b + 31) // 32 * 4
        expected_size = 40 + palette + stride(bits) * height + stride(1) * height
        if len(dib) != expected_size:
            problems.append(f"{where}: {len(dib)} bytes, a bitmap and mask of that shape take {expected_size}")
        if committed is not None and committed.get((width, bits)) != dib:
            problems.append(f"{where}: differs from the image in the committed {ICON_FILE}")
    if sorted(found) != EXPECTED_IMAGES:
        problems.append(f"icon images {sorted(found)}; expected {EXPECTED_IMAGES}")
    print(f"icon {ICON_ID}: {count} images: " + ", ".join(f"{s}px/{b}bpp" for s, b in found))
    return problems


def version_node(data, at):
    """One node of a version record: (key, value bytes, value is text, children, end)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    if length < 6 or at + length > len(data):
        raise ValueError(f"version node at {at} has length {length}")
    end = at + length
    key_at = at + 6
    key_end = key_at
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[key_at:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[value_at:value_at + value_bytes]
    children = []
    child = (value_at + value_bytes + 3) & ~3
    while child < end:
        node = version_node(data, child)
        children.append(node)
        child = (node[4] + 3) & ~3
    return key, value, kind == 1, children, end


def check_version(resources):
    versions = resources.get(RT_VERSION, {})
    if 1 not in versions:
        return ["no version record"]
    data = only_language(versions[1], "the version record")
    key, fixed, _, children, _ = version_node(data, 0)
    problems = []
    if key != "VS_VERSION_INFO" or len(fixed) != 52:
        return [f"version record starts with {key!r} and a {len(fixed)}-byte fixed part"]
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIIIII", fixed, 0)
    if signature != 0xFEEF04BD:
        problems.append(f"fixed file info signature {signature:#x}")
    split = lambda ms, ls: (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    for name, value in (("file", split(file_ms, file_ls)), ("product", split(product_ms, product_ls))):
        print(f"fixed {name} version: {'.'.join(map(str, value))}")
        if value != VERSION:
            problems.append(f"fixed {name} version {value}, expected {VERSION}")

    by_key = {child[0]: child for child in children}
    string_info = by_key.get("StringFileInfo")
    tables = {table[0]: table for table in string_info[3]} if string_info else {}
    if STRING_TABLE not in tables:
        problems.append(f"no string table {STRING_TABLE} (found {sorted(tables)})")
    else:
        strings = {}
        for name, value, is_text, _, _ in tables[STRING_TABLE][3]:
            text = value.decode("utf-16-le") if is_text else None
            strings[name] = text.rstrip("\0") if text is not None else None
        for name, expected in EXPECTED_STRINGS.items():
            print(f"{name}: {strings.get(name)!r}")
            if strings.get(name) != expected:
                problems.append(f"{name} is {strings.get(name)!r}, expected {expected!r}")
        if not strings.get("LegalCopyright"):
            problems.append("no LegalCopyright")
    var_file_info = by_key.get("VarFileInfo")
    variables = {var[0]: var[1] for var in var_file_info[3]} if var_file_info else {}
    translation = variables.get("Translation", b"")
    if translation != TRANSLATION:
        problems.append(f"translation {translation.hex()}, expected {TRANSLATION.hex()}")
    return problems


def local(tag):
    return tag.rsplit("}", 1)[-1]


def check_manifest(resources):
    manifests = resources.get(RT_MANIFEST, {})
    if 1 not in manifests:
        return [f"no manifest with id 1 (found {sorted(manifests, key=str)})"]
    text = only_language(manifests[1], "the manifest")
    try:
        root = ET.fromstring(text)
    except ET.ParseError as error:
        return [f"manifest is not well-formed XML: {error}"]
    problems = []
    elements = list(root.iter())

    def texts(name):
        return [(e.text or "").strip() for e in elements if local(e.tag) == name]

    identities = [e.attrib for e in elements if local(e.tag) == "assemblyIdentity"]
    if not any(a.get("name") == COMMON_CONTROLS and a.get("version", "").startswith("6.") for a in identities):
        problems.append("no dependency on common controls version 6")
    levels = [e.get("level") for e in elements if local(e.tag) == "requestedExecutionLevel"]
    if levels != ["asInvoker"]:
        problems.append(f"requested execution levels {levels}, expected ['asInvoker']")
    awareness = texts("dpiAwareness")
    if not awareness or [part.strip() for part in awareness[0].split(",")][0] != "PerMonitorV2":
        problems.append(f"dpiAwareness {awareness}, expected PerMonitorV2 first")
    if texts("dpiAware") != ["true/PM"]:
        problems.append(f"dpiAware {texts('dpiAware')}, expected ['true/PM']")
    if texts("longPathAware") != ["true"]:
        problems.append(f"longPathAware {texts('longPathAware')}, expected ['true']")
    if any(local(e.tag) == "activeCodePage" for e in elements):
        problems.append("the manifest sets activeCodePage; the entry file must stay in the ANSI code page")
    print(f"manifest: {len(text)} bytes; dpiAwareness {awareness}; execution level {levels}")
    return problems


def check_generator(generator, generated):
    """Runs the generator into a temporary folder; every file must match the committed one."""
    problems = []
    with tempfile.TemporaryDirectory() as out:
        run = subprocess.run([sys.executable, generator, out], capture_output=True, text=True)
        if run.returncode != 0:
            return [f"the generator failed ({run.returncode}): {run.stderr.strip()}"]
        names = sorted(os.listdir(out))
        if not names:
            return ["the generator wrote nothing"]
        for name in names:
            committed = os.path.join(generated, name)
            with open(os.path.join(out, name), "rb") as f:
                fresh = f.read()
            if not os.path.exists(committed):
                problems.append(f"the generator writes {name}, which is not committed")
                continue
            with open(committed, "rb") as f:
                kept = f.read()
            same = fresh == kept
            print(f"generated {name}: {len(fresh)} bytes, {'identical' if same else 'DIFFERENT'}")
            if not same:
                problems.append(f"{name} differs from a fresh run of the generator; regenerate and commit it")
    return problems


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("--generator")
    parser.add_argument("--generated")
    args = parser.parse_args(argv)
    with open(args.exe, "rb") as f:
        image = Image(f.read())
    resources = read_resources(image)
    committed_ico = None
    if args.generated:
        with open(os.path.join(args.generated, ICON_FILE), "rb") as f:
            committed_ico = f.read()
    problems = []
    for check in (lambda: check_icons(resources, committed_ico), lambda: check_version(resources),
                  lambda: check_manifest(resources)):
        try:
            problems += check()
        except (ValueError, struct.error, KeyError, IndexError) as error:
            problems.append(f"unreadable resource: {error}")
    if args.generator:
        problems += check_generator(args.generator, args.generated or ".")
    for problem in problems:
        print("FAIL:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
