#!/usr/bin/python3
"""Makes font/myfont.ttf, the symbol font "Ventrix" of Nivar, from DejaVu Sans Mono.

The prover writes its logical symbols as single bytes; the editor shows each byte as the
Latin-1 character of that code point. This font draws those code points as the symbols:
0xF7 as for-all, 0xF6 as there-exists and so on. Every other character keeps its DejaVu
glyph. Run with Debian's python3 and python3-fonttools; fonts-dejavu-core gives the source.
The build does not run this script: the generated font is kept in the repository.
"""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = os.path.join(HERE, "..", "font", "myfont.ttf")

# symbol byte -> the Unicode character whose glyph it shows
SYMBOLS = {
    0xF7: 0x2200,  # for all
    0xF6: 0x2203,  # there exists
    0xAC: 0x00AC,  # not
    0xFD: 0x2227,  # and
    0xFC: 0x2228,  # or
    0xF4: 0x2192,  # implies
    0xF3: 0x2194,  # equivalent
    0xDF: 0x2264,  # less or equal
    0xDD: 0x2265,  # greater or equal
    0xE1: 0x2260,  # not equal
    0xE4: 0x22A4,  # true
    0xE7: 0x22A5,  # false
}


def main():
    font = TTFont(SOURCE)
    keep = set(range(0x20, 0x7F)) | set(range(0xA0, 0x100)) | set(SYMBOLS.values())
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.layout_features = []
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(keep))
    subsetter.subset(font)

    best = font.getBestCmap()
    glyph_of = {byte: best[code] for byte, code in SYMBOLS.items()}
    for table in font["cmap"].tables:
        if table.isUnicode():
            for byte, glyph in glyph_of.items():
                table.cmap[byte] = glyph

    names = font["name"]
    for record in list(names.names):
        if record.nameID in (1, 16):
            names.setName("Ventrix", record.nameID, record.platformID, record.platEncID,
                          record.langID)
        elif record.nameID in (4, 18):
            names.setName("Ventrix", record.nameID, record.platformID, record.platEncID,
                          record.langID)
        elif record.nameID == 6:
            names.setName("Ventrix", record.nameID, record.platformID, record.platEncID,
                          record.langID)
        elif record.nameID == 3:
            names.setName("Ventrix: symbol font of Nivar", record.nameID, record.platformID,
                          record.platEncID, record.langID)
    font.save(TARGET)
    print("wrote", os.path.normpath(TARGET), os.path.getsize(TARGET), "bytes")


if __name__ == "__main__":
    sys.exit(main())
