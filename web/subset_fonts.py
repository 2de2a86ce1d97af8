#!/usr/bin/env python3
"""Cuts Debian's IPA and Liberation faces down to the characters the lesson
page shows and writes them as WOFF2, each with its licence beside it.

    subset_fonts.py PAGE OUT_DIR
"""
import pathlib
import shutil
import sys

from fontTools import subset

FACES = [
    ("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf", "ipagp.woff2"),
    ("/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf", "ipamp.woff2"),
    ("/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf", "ipam.woff2"),
    ("/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf",
     "LiberationSerif-Italic.woff2"),
]
LICENCES = [
    ("/usr/share/doc/fonts-ipafont-gothic/copyright", "IPA-fonts-copyright.txt"),
    ("/usr/share/doc/fonts-liberation/copyright", "Liberation-fonts-copyright.txt"),
]
# Texts that the lesson writes at run time: the toggles' other captions, the
# pupil's numbers and the equation text.
RUNTIME_TEXT = "接 線 １ ２ 1 本 補助線なしあり 0123456789-+=^xyabcd"


def main():
    page, out_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    out_dir.mkdir(parents=True, exist_ok=True)
    text = page.read_text(encoding="utf-8") + RUNTIME_TEXT
    # Every printable ASCII character, so that any Latin text still shows.
    text += "".join(chr(c) for c in range(0x20, 0x7F))
    for source, target in FACES:
        options = subset.Options()
        options.flavor = "woff2"
        options.layout_features = ["*"]
        options.name_IDs = ["*"]
        options.notdef_outline = True
        font = subset.load_font(source, options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        subset.save_font(font, str(out_dir / target), options)
    for source, target in LICENCES:
        shutil.copyfile(source, out_dir / target)


if __name__ == "__main__":
    main()
