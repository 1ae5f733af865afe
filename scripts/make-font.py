#!/usr/bin/python3
"""Makes font/myfont.ttf, the symbol font "Ventrix" of Nivar, from DejaVu Sans Mono.

The prover writes its logical symbols as single bytes; the editor shows each byte as the
Latin-1 character of that code point. This font draws those code points as the symbols:
0xF7 as for-all, 0xF6 as there-exists and so on. Every other character keeps its DejaVu
glyph. Run with Debian's python3 and python3-fonttools; fonts-dejavu-core gives the source.
The build does not run this script: the generated font is kept in the repository.
"""
import os
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"
HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = os.path.join(HERE, "..", "font", "myfont.ttf")

SYMBOLS_HEADER = os.path.join(HERE, "..", "src", "model", "symbols.h")


def read_symbols(path):
    """symbol byte -> the Unicode character whose glyph it shows, from the prover's own table
    (the constants and the Codes array of src/model/symbols.h)."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    bytes_of = {name: int(value, 16) for name, value in
                re.findall(r"constexpr unsigned char (\w+) = (0x[0-9A-Fa-f]+);", text)}
    table = text[text.index("Codes[]"):]
    table = table[:table.index("};")]
    pairs = re.findall(r"\{(\w+), U'\\u([0-9A-Fa-f]{4})'\}", table)
    symbols = {bytes_of[name]: int(code, 16) for name, code in pairs}
    if len(symbols) != 12:
        sys.exit(f"{path}: expected 12 symbols, read {len(symbols)}")
    return symbols


SYMBOLS = read_symbols(SYMBOLS_HEADER)


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
