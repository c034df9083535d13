#!/usr/bin/env python3
"""Writes a Windows shortcut (.lnk) to a local file, as the shell would keep it.

    python3 scripts/shortcut.py <shortcut.lnk> 'C:\\windows\\notepad.exe' [arguments]

Only what a shortcut to a local file needs: the header, the link information
with the target's path, and the arguments when given.
"""

import struct
import sys

LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")
HAS_LINK_INFO, HAS_ARGUMENTS, IS_UNICODE = 0x02, 0x20, 0x80
SHOW_NORMAL, FIXED_DRIVE = 1, 3


def shortcut(target, arguments=""):
    flags = HAS_LINK_INFO | IS_UNICODE | (HAS_ARGUMENTS if arguments else 0)
    header = struct.pack("<I16sII24xIiI2x2x8x", 0x4C, LINK_CLSID, flags, 0, 0, 0, SHOW_NORMAL)
    volume = struct.pack("<IIII", 17, FIXED_DRIVE, 0, 16) + b"\0"
    path = target.encode("mbcs" if sys.platform == "win32" else "cp1252") + b"\0"
    volume_at = 28
    path_at = volume_at + len(volume)
    suffix_at = path_at + len(path)
    info_size = suffix_at + 1
    info = struct.pack("<IIIIIII", info_size, 28, 1, volume_at, path_at, 0, suffix_at)
    info += volume + path + b"\0"
    strings = b""
    if arguments:
        strings = struct.pack("<H", len(arguments)) + arguments.encode("utf-16-le")
    return header + info + strings + struct.pack("<I", 0)


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(shortcut(sys.argv[2], sys.argv[3] if len(sys.argv) == 4 else ""))
