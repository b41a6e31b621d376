#!/usr/bin/env python3
"""Names the first member that differs between two builds of the downloads.

first_difference.py FIRST_DIST SECOND_DIST WORK
"""
import io, os, subprocess, sys, tarfile, zipfile


def deb_members(path):
    """(name, bytes) of a .deb's ar members and of the files in its tarballs."""
    members = []
    data = open(path, "rb").read()
    at = 8  # "!<arch>\n"
    while at + 60 <= len(data):
        name, size = data[at:at + 16].decode().strip().rstrip("/"), int(data[at + 48:at + 58])
        body = data[at + 60:at + 60 + size]
        members.append((name + " (ar header)", data[at:at + 60]))
        if ".tar" in name:
            with tarfile.open(fileobj=io.BytesIO(body)) as archive:
                for info in archive:
                    content = archive.extractfile(info).read() if info.isfile() else b""
                    members.append((f"{name}:{info.name} (mtime {info.mtime})", content))
        members.append((name, body))
        at += 60 + size + size % 2
    return members


def zip_members(path):
    with zipfile.ZipFile(path) as archive:
        return [(f"{i.filename} (time {i.date_time})", archive.read(i)) for i in archive.infolist()]


def setup_members(path, work, which):
    """An NSIS setup is opened by 7z where it is installed; otherwise whole."""
    folder = f"{work}/{which}-setup"
    done = subprocess.run(["7z", "x", "-y", f"-o{folder}", path], capture_output=True)
    if done.returncode != 0:
        return [(os.path.basename(path), open(path, "rb").read())]
    members = []
    for root, _, files in sorted(os.walk(folder)):
        for name in sorted(files):
            members.append((os.path.relpath(f"{root}/{name}", folder), open(f"{root}/{name}", "rb").read()))
    return members + [(os.path.basename(path), open(path, "rb").read())]


def main():
    first, second, work = sys.argv[1:4]
    for name in sorted(os.listdir(first)):
        a, b = f"{first}/{name}", f"{second}/{name}"
        if not os.path.exists(b) or open(a, "rb").read() == open(b, "rb").read():
            continue
        read = {".deb": deb_members, ".zip": zip_members}.get(os.path.splitext(name)[1])
        pairs = zip(read(a), read(b)) if read else zip(setup_members(a, work, "first"),
                                                       setup_members(b, work, "second"))
        for (name_a, bytes_a), (name_b, bytes_b) in pairs:
            if name_a != name_b or bytes_a != bytes_b:
                print(f"{name} differs first in {name_a}" + (f" / {name_b}" if name_a != name_b else ""))
                break
        else:
            print(f"{name} differs outside its members")


if __name__ == "__main__":
    main()
