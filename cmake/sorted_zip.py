#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Packs a folder into a zip that comes out byte for byte the same on every
machine: entries sorted by name, each dated SOURCE_DATE_EPOCH in UTC (a zip's
DOS time has no time zone, so the local one would leak in), programs and
folders rwxr-xr-x and other files rw-r--r-- whatever the umask, and no owner
or extra time fields.

Usage: sorted_zip.py FOLDER ZIP SOURCE_DATE_EPOCH
The entries are named FOLDER's last component and the paths below it.
"""
import os
import stat
import sys
import time
import zipfile


def entries(folder):
    top = os.path.basename(os.path.normpath(folder))
    parent = os.path.dirname(os.path.normpath(folder))
    found = [top]
    for root, dirs, files in os.walk(folder):
        found += [os.path.relpath(os.path.join(root, name), parent) for name in dirs + files]
    # A folder comes right before what it holds.
    return parent, sorted(found, key=lambda path: path.split(os.sep))


def main():
    folder, output, epoch = sys.argv[1], sys.argv[2], int(sys.argv[3])
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip cannot date before 1980
    parent, names = entries(folder)
    with zipfile.ZipFile(output + ".part", "w") as archive:
        for name in names:
            path = os.path.join(parent, name)
            mode = os.stat(path).st_mode
            arcname = name.replace(os.sep, "/")
            if stat.S_ISDIR(mode):
                info = zipfile.ZipInfo(arcname + "/", stamp)
                info.external_attr = (stat.S_IFDIR | 0o755) << 16 | 0x10
                archive.writestr(info, b"")
            else:
                info = zipfile.ZipInfo(arcname, stamp)
                permissions = 0o755 if mode & stat.S_IXUSR else 0o644
                info.external_attr = (stat.S_IFREG | permissions) << 16
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as source:
                    archive.writestr(info, source.read(), compresslevel=9)
    os.replace(output + ".part", output)


if __name__ == "__main__":
    main()
