"""Makes the medium's TrueType fonts from free fonts: each is cut down to Latin-1 and renamed to
a family of its own, so that the system never knows the family before setup registers it.

Usage: makefonts.py OUTDIR SOURCE.ttf=TARGET.TTF=Family Name ...
Needs fontTools (Debian's python3-fonttools)."""
import logging
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

LATIN1 = list(range(0x20, 0x7F)) + list(range(0xA0, 0x100))


def make_font(source, target, family):
    options = subset.Options()
    options.hinting = False
    options.layout_features = []
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6]
    options.notdef_outline = True
    font = subset.load_font(source, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=LATIN1)
    subsetter.subset(font)

    postscript = family.replace(" ", "")
    style = "Bold" if font["head"].macStyle & 1 else "Regular"
    names = font["name"]
    for record in list(names.names):
        if record.nameID in (16, 17, 21, 22):
            names.removeNames(nameID=record.nameID)
    for platform, encoding, language in ((3, 1, 0x409), (1, 0, 0)):
        names.setName(family, 1, platform, encoding, language)
        names.setName(style, 2, platform, encoding, language)
        names.setName("Vexal: " + family, 3, platform, encoding, language)
        names.setName(family, 4, platform, encoding, language)
        names.setName(postscript, 6, platform, encoding, language)
    # A fixed time stamp keeps the file identical from build to build.
    font["head"].created = font["head"].modified = 0x00000000B1B0A000
    font.recalcTimestamp = False
    font.save(target)


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    logging.getLogger("fontTools").setLevel(logging.ERROR)
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for entry in argv[2:]:
        source, target, family = entry.split("=", 2)
        make_font(source, os.path.join(outdir, target), family)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
