#!/usr/bin/env python3
"""Reads the resources of a built serial_lookup.exe (32- or 64-bit) on the build machine and checks
them: version 1.0.0.0 with the Simplified-Chinese string table 080404B0, the icon group DEFAULT_ICON
with its four images, and no manifest.

    check_resources.py serial_lookup.exe [...]
"""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


class Pe:
    def __init__(self, data):
        self.data = data
        (pe,) = struct.unpack_from("<I", data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        (magic,) = struct.unpack_from("<H", data, optional)
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva, _ = struct.unpack_from("<II", data, directories + 2 * 8)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, vsize, rva, raw_size, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((rva, max(vsize, raw_size), raw))
        self.root = self.offset(self.resource_rva) if self.resource_rva else None

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address %#x outside the sections" % rva)

    def entries(self, directory):
        """(name or id, is directory, offset in the resource section) of one directory."""
        named, ids = struct.unpack_from("<12xHH", self.data, self.root + directory)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", self.data, self.root + directory + 16 + 8 * i)
            if name & 0x80000000:
                at = self.root + (name & 0x7FFFFFFF)
                (length,) = struct.unpack_from("<H", self.data, at)
                name = self.data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield name, bool(target & 0x80000000), target & 0x7FFFFFFF

    def resources(self):
        """{type: {name: {language: bytes}}}"""
        found = {}
        if self.root is None:
            return found
        for kind, _, names in self.entries(0):
            for name, _, languages in self.entries(names):
                for language, _, leaf in self.entries(languages):
                    rva, size = struct.unpack_from("<II", self.data, self.root + leaf)
                    at = self.offset(rva)
                    found.setdefault(kind, {}).setdefault(name, {})[language] = self.data[at:at + size]
        return found


def only(languages):
    return next(iter(languages.values()))


def version_blocks(data, at=0):
    """(key, value bytes, value type, children) of a VS_VERSIONINFO node and its children."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    cursor = (key_end + 2 + 3) & ~3
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[cursor:cursor + value_bytes]
    cursor = (cursor + value_bytes + 3) & ~3
    children = []
    while cursor < end:
        child, child_end = version_blocks(data, cursor)
        children.append(child)
        cursor = (child_end + 3) & ~3
    return (key, value, kind, children), end


def check(path):
    failures = []

    def expect(condition, what):
        if not condition:
            failures.append(what)

    with open(path, "rb") as f:
        resources = Pe(f.read()).resources()

    versions = resources.get(RT_VERSION, {})
    expect(len(versions) == 1, "one version resource")
    if versions:
        (key, fixed, _, children), _ = version_blocks(only(next(iter(versions.values()))))
        expect(key == "VS_VERSION_INFO", "the version resource's key")
        signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
        expect(signature == 0xFEEF04BD, "the fixed version's signature")
        expect((file_ms, file_ls) == (0x00010000, 0), "file version 1.0.0.0")
        expect((product_ms, product_ls) == (0x00010000, 0), "product version 1.0.0.0")
        tables = {c[0]: c[3] for c in children}
        strings = {}
        for table in tables.get("StringFileInfo", []):
            if table[0] == "080404B0":
                strings = {s[0]: s[1].decode("utf-16-le").rstrip("\0") for s in table[3]}
        expect(strings, "a string table 080404B0")
        wanted = {
            "CompanyName": "Tovik",
            "FileDescription": "苹果序列号查询",
            "ProductName": "苹果序列号查询",
            "FileVersion": "1.0.0.0",
            "ProductVersion": "1.0.0.0",
        }
        for name, value in wanted.items():
            expect(strings.get(name) == value, "%s %r (is %r)" % (name, value, strings.get(name)))
        translations = [v[1] for v in tables.get("VarFileInfo", []) if v[0] == "Translation"]
        expect(translations == [struct.pack("<HH", 0x0804, 1200)], "translation 0804, 1200")

    groups = resources.get(RT_GROUP_ICON, {})
    expect(list(groups) == ["DEFAULT_ICON"], "one icon group, DEFAULT_ICON (are: %r)" % list(groups))
    if "DEFAULT_ICON" in groups:
        group = only(groups["DEFAULT_ICON"])
        reserved, kind, count = struct.unpack_from("<HHH", group)
        expect((reserved, kind, count) == (0, 1, 4), "an icon group of four images")
        images = []
        icons = resources.get(RT_ICON, {})
        for i in range(count):
            width, height, _, _, _, bits, size, image_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            image = only(icons[image_id]) if image_id in icons else b""
            expect(len(image) == size, "image %d of %d bytes" % (image_id, size))
            if len(image) >= 16:
                _, bmp_width, bmp_height, _, bmp_bits = struct.unpack_from("<IiiHH", image)
                expect((bmp_width, bmp_height, bmp_bits) == (width, 2 * height, bits),
                       "image %d's bitmap header matches its group entry" % image_id)
            images.append((width, height, bits))
        expect(sorted(images) == [(16, 16, 8), (16, 16, 32), (32, 32, 8), (32, 32, 32)],
               "32x32 and 16x16 at 8 and 32 bpp (are: %r)" % sorted(images))

    expect(RT_MANIFEST not in resources, "no manifest resource")
    return failures


def main():
    failed = False
    for path in sys.argv[1:]:
        failures = check(path)
        for failure in failures:
            print("%s: expected %s" % (path, failure))
        print("%s: %s" % (path, "resources as expected" if not failures else "%d failures" % len(failures)))
        failed = failed or bool(failures)
    return 1 if failed or len(sys.argv) < 2 else 0


if __name__ == "__main__":
    sys.exit(main())
