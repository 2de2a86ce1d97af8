#!/usr/bin/env python3
"""Cuts Debian's IPA and Liberation faces down to the characters the lesson
page can show (CHARACTERS, written by the page's build from the control table
and the lesson's captions) and writes them as WOFF2, each with its licence
beside it.

    subset_fonts.py CHARACTERS OUT_DIR
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


def main():
    characters, out_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    out_dir.mkdir(parents=True, exist_ok=True)
    text = characters.read_text(encoding="utf-8")
    # Every printable ASCII character: the pupil's numbers and the equation
    # text, and any Latin text.
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
