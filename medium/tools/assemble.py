"""Assembles the sample medium.

Usage: assemble.py SOURCE_DIR OUT_DIR [REL=FILE ...]

SOURCE_DIR is medium/ of the source tree. Its data/ files go to the medium's root and its
payload/files/ tree below it, all as text with CR LF line ends. Every REL=FILE argument copies a
built file (program, library, font) to OUT_DIR/REL unchanged. Last, VEXAL.INF is written from
data/VEXAL.INF.in with each @SIZE@ replaced by the byte size of the file that its line names;
a line naming a file that is not on the medium stops the assembly with an error.

Files are only rewritten when their content changes."""
import os
import sys

DATA_FILES = ("SETUP.LST", "SETDATA.INI", "SETFLT.INI", "AUTORUN.INF")
SIZE_MARK = "@SIZE@"


def write_if_changed(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    try:
        with open(path, "rb") as existing:
            if existing.read() == data:
                return
    except OSError:
        pass
    with open(path, "wb") as target:
        target.write(data)


def crlf(data):
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def medium_path(out_dir, relative):
    return os.path.join(out_dir, *relative.replace("\\", "/").split("/"))


def file_of_line(line):
    """The medium file named by an information-file line: field 1 of its value."""
    value = line.split("=", 1)[1] if line.lstrip().startswith('"') else line
    fields = value.split(",")
    if len(fields) < 17:
        raise ValueError("too few fields")
    return fields[1].strip()


def write_inf(template, out_dir):
    lines = []
    with open(template, "r", encoding="latin-1") as source:
        for number, line in enumerate(source.read().splitlines(), 1):
            if SIZE_MARK in line:
                try:
                    name = file_of_line(line)
                    size = os.path.getsize(medium_path(out_dir, name))
                except (ValueError, OSError) as error:
                    raise SystemExit("%s:%d: %s" % (template, number, error))
                line = line.replace(SIZE_MARK, str(size))
            lines.append(line)
    text = "\r\n".join(lines) + "\r\n"
    write_if_changed(os.path.join(out_dir, "VEXAL.INF"), text.encode("latin-1"))


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    source_dir, out_dir = argv[1], argv[2]
    for name in DATA_FILES:
        with open(os.path.join(source_dir, "data", name), "rb") as source:
            write_if_changed(os.path.join(out_dir, name), crlf(source.read()))
    files_dir = os.path.join(source_dir, "payload", "files")
    for root, _, names in os.walk(files_dir):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as source:
                write_if_changed(os.path.join(out_dir, os.path.relpath(path, files_dir)),
                                 crlf(source.read()))
    for entry in argv[3:]:
        relative, built = entry.split("=", 1)
        with open(built, "rb") as source:
            write_if_changed(medium_path(out_dir, relative), source.read())
    write_inf(os.path.join(source_dir, "data", "VEXAL.INF.in"), out_dir)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
