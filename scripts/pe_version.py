#!/usr/bin/python3
"""Prints what a Windows program says about its version, one name=value a line:

  machine=x86_64 | i686
  FixedFileVersion=1.3.2.0       the numbers of the version resource
  FixedProductVersion=1.3.2.0
  FileVersion=1.3.2              its strings, from the first string table
  ProductVersion=1.3.2
  VersionLine=LARKSPUR32 Version 1.3.2   string resource 105, the about box's line

Reads the resources straight from the file with the standard library alone, so
packaging needs no Windows tool. Exits 1 with a message on a file it cannot read.
"""
import struct
import sys

MACHINES = {0x8664: "x86_64", 0x014C: "i686"}
RT_STRING = 6
RT_VERSION = 16
VERSION_LINE_ID = 105


class NotAProgram(Exception):
    pass


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise NotAProgram("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise NotAProgram("no PE header")
        self.machine, sections, optional_size = struct.unpack_from("<HH12xH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = {0x10B: optional + 96, 0x20B: optional + 112}.get(magic)
        if directories is None:
            raise NotAProgram("unknown optional header 0x%x" % magic)
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((rva, max(size, raw_size), raw))
        if self.resource_rva == 0:
            raise NotAProgram("no resources")
        self.resource_base = self.offset(self.resource_rva)

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise NotAProgram("address 0x%x lies in no section" % rva)

    def subdirectory(self, directory, wanted_id):
        """The entry of directory (an offset into the resources) for wanted_id;
        None picks the first entry, as for the language level."""
        named, ids = struct.unpack_from("<HH", self.data, self.resource_base + directory + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", self.data, self.resource_base + directory + 16 + 8 * i)
            if wanted_id is None or (not name & 0x80000000 and name == wanted_id):
                return target & 0x7FFFFFFF
        return None

    def resource(self, type_id, name_id):
        directory = 0
        for wanted in (type_id, name_id, None):
            directory = self.subdirectory(directory, wanted)
            if directory is None:
                return None
        rva, size = struct.unpack_from("<II", self.data, self.resource_base + directory)
        start = self.offset(rva)
        return self.data[start:start + size]


def align4(n):
    return (n + 3) & ~3


def version_blocks(data, start, end):
    """(key, type, value bytes, children start, block end) for each block of a
    version resource between start and end; offsets count from the resource's
    first byte, which is what the 32-bit alignment is relative to."""
    pos = start
    while pos + 6 <= end:
        length, value_length, kind = struct.unpack_from("<HHH", data, pos)
        if length < 6:
            return
        block_end = min(pos + length, end)
        key_end = pos + 6
        while key_end + 1 < block_end and data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[pos + 6:key_end].decode("utf-16-le")
        value_start = align4(key_end + 2)
        value_size = value_length * 2 if kind == 1 else value_length
        value = data[value_start:min(value_start + value_size, block_end)]
        yield key, kind, value, align4(value_start + value_size), block_end
        pos = align4(block_end)


def read_version(pe):
    data = pe.resource(RT_VERSION, 1)
    if data is None:
        raise NotAProgram("no version resource")
    facts = {}
    for key, _, value, children, end in version_blocks(data, 0, len(data)):
        if key != "VS_VERSION_INFO":
            continue
        signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", value, 0)
        if signature != 0xFEEF04BD:
            raise NotAProgram("version resource without its fixed part")
        numbers = lambda ms, ls: "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
        facts["FixedFileVersion"] = numbers(file_ms, file_ls)
        facts["FixedProductVersion"] = numbers(product_ms, product_ls)
        for info, _, _, tables, info_end in version_blocks(data, children, end):
            if info != "StringFileInfo":
                continue
            for _, _, _, strings, table_end in version_blocks(data, tables, info_end):
                for name, _, text, _, _ in version_blocks(data, strings, table_end):
                    facts.setdefault(name, text.decode("utf-16-le").split("\0")[0])
                break
    return facts


def read_string(pe, string_id):
    block = pe.resource(RT_STRING, string_id // 16 + 1)
    if block is None:
        return None
    pos = 0
    for _ in range(string_id % 16):
        pos += 2 + 2 * struct.unpack_from("<H", block, pos)[0]
    length = struct.unpack_from("<H", block, pos)[0]
    return block[pos + 2:pos + 2 + 2 * length].decode("utf-16-le")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: pe_version.py PROGRAM.exe")
    path = sys.argv[1]
    try:
        with open(path, "rb") as f:
            pe = PeFile(f.read())
        facts = read_version(pe)
        facts["VersionLine"] = read_string(pe, VERSION_LINE_ID)
    except (OSError, NotAProgram, struct.error, UnicodeDecodeError) as e:
        sys.exit("pe_version.py: %s: %s" % (path, e))
    print("machine=%s" % MACHINES.get(pe.machine, "0x%04x" % pe.machine))
    for name in ("FixedFileVersion", "FixedProductVersion", "FileVersion", "ProductVersion", "VersionLine"):
        print("%s=%s" % (name, facts.get(name) or ""))


if __name__ == "__main__":
    main()
