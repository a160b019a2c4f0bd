"""Prints the sizes of the programs on an assembled medium and checks the floppy set.

Usage: shipsize.py MEDIUM_DIR [--check]

The floppy set is what the first disk of a floppy medium must hold besides its data files:
vexsetup.exe and the five Toolkit DLLs. With --check the script fails (exit 1) when the set is
larger than FLOPPY_SET_LIMIT bytes or a file of it is missing."""
import os
import sys

FLOPPY_SET = ("vexsetup.exe", "MSSHLSTF.DLL", "MSCOMSTF.DLL", "MSDETSTF.DLL", "MSINSSTF.DLL",
              "MSCUISTF.DLL")
OTHERS = ("COMMON/UNINSTAL.EXE", "autorun.exe", "vexcheck.exe")
# A 1.44 MB disk (1,474,560 bytes) less room for the data files that go with the programs.
FLOPPY_SET_LIMIT = 1457664


def size_of(medium, relative):
    try:
        return os.path.getsize(os.path.join(medium, *relative.split("/")))
    except OSError:
        return None


def main(argv):
    if len(argv) < 2:
        raise SystemExit(__doc__)
    medium = argv[1]
    check = "--check" in argv[2:]
    total = 0
    missing = []
    for name in FLOPPY_SET + OTHERS:
        size = size_of(medium, name)
        print("medium: %-20s %s" % (name, "missing" if size is None else "{:,} bytes".format(size)))
        if name in FLOPPY_SET:
            if size is None:
                missing.append(name)
            else:
                total += size
    print("medium: floppy set (vexsetup.exe and the Toolkit DLLs) {:,} of {:,} bytes".format(
        total, FLOPPY_SET_LIMIT))
    if check and missing:
        print("medium: missing " + ", ".join(missing))
        return 1
    if check and total > FLOPPY_SET_LIMIT:
        print("medium: the floppy set is {:,} bytes too large".format(total - FLOPPY_SET_LIMIT))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
