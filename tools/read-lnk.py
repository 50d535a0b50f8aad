#!/usr/bin/env python3
"""Prints what a Windows shortcut (.lnk, the shell link format) points at, one "key=value" a
line: target (the local path of its link information), working_dir, arguments, icon and
icon_index. scripts/check-windows-package.sh reads the setup program's Start menu shortcut
with it."""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, IS_UNICODE = 0x1, 0x2, 0x80
# The optional strings that follow the link information, in their order in the file.
STRINGS = [(0x4, "name"), (0x8, "relative_path"), (0x10, "working_dir"), (0x20, "arguments"),
           (0x40, "icon")]
HEADER_SIZE = 0x4C
LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")


def c_string(data, offset, unicode):
    if unicode:
        end = offset
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[offset:end].decode("utf-16-le")
    return data[offset:data.index(b"\0", offset)].decode("latin-1")


def read(data):
    if len(data) < HEADER_SIZE or struct.unpack_from("<I", data, 0)[0] != HEADER_SIZE or data[4:20] != LINK_CLSID:
        raise ValueError("not a shell link")
    flags, = struct.unpack_from("<I", data, 0x14)
    icon_index, = struct.unpack_from("<i", data, 0x38)
    fields = {"icon_index": str(icon_index)}
    offset = HEADER_SIZE
    if flags & HAS_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    if flags & HAS_LINK_INFO:
        size, header_size, _, _, base_offset = struct.unpack_from("<5I", data, offset)
        if header_size >= 0x24:
            fields["target"] = c_string(data, offset + struct.unpack_from("<I", data, offset + 28)[0], True)
        elif base_offset:
            fields["target"] = c_string(data, offset + base_offset, False)
        offset += size
    unicode = bool(flags & IS_UNICODE)
    for bit, name in STRINGS:
        if flags & bit:
            count, = struct.unpack_from("<H", data, offset)
            length = count * (2 if unicode else 1)
            text = data[offset + 2:offset + 2 + length]
            # Some writers count the terminating zero in.
            fields[name] = (text.decode("utf-16-le") if unicode else text.decode("latin-1")).rstrip("\0")
            offset += 2 + length
    return fields


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as link:
        for key, value in read(link.read()).items():
            print(f"{key}={value}")
