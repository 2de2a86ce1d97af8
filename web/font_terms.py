"""The terms the page's faces are served under.

Each face is cut from a font that Debian installs (subset_fonts.py), and a
cut-down font is a modified one: the IPA Font License lets it go out only
under a name, font name and file name without the original's, with the means
to put the original back; Liberation 1.x (GNU GPL 2 with Red Hat's font
exception) wants every reference to its trademark out of a modified
version's file names, and its source available; Liberation 2.x (SIL Open
Font License 1.1) reserves the names Liberation, Tinos, Arimo and Cousine.
So every face gets a name of its own here, keeps its copyright notice and
licence fields, and the served fonts/ folder gets the licence of the package
the original came from, read from the installed package, and a note on how
each face was made and how to put the original back.
"""
import dataclasses
import json
import os
import pathlib
import re
import shutil
import subprocess

import fontTools


@dataclasses.dataclass(frozen=True)
class Face:
    original: str  # the installed font it is cut from
    file: str  # the served WOFF2
    family: str  # its font name, none of the original's
    style: str = "Regular"

    @property
    def full_name(self):
        return self.family if self.style == "Regular" else f"{self.family} {self.style}"

    @property
    def licence_file(self):
        return self.file.removesuffix(".woff2") + ".LICENSE.txt"


def faces_of(path):
    """The faces the page serves, as its build lists them (faces.json, written
    from the core's faces): each cut from the installed font that fontconfig
    finds for the desktop's face, which the desktop draws with too."""
    faces = []
    for face in json.loads(pathlib.Path(path).read_text(encoding="utf-8")):
        pattern = f"{face['original']}:style={face['style']}"
        found, families = subprocess.run(["fc-match", "-f", "%{file}|%{family}", pattern],
                                          check=True, capture_output=True,
                                          text=True).stdout.split("|")
        # fontconfig offers a stand-in for a face it lacks; only the face itself will do.
        if face["original"] not in families.split(","):
            raise SystemExit(f"{pattern}: not installed (fontconfig offers {families})")
        faces.append(Face(os.path.realpath(found), face["file"], face["family"], face["style"]))
    return faces


# What the faces above lack of the other languages' letters (the Chinese
# characters IPA has no glyph for, Vietnamese's stacked accents) comes from
# WenQuanYi Micro Hei, which the desktop's fontconfig falls back on as well.
EXTRA = Face("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", "tavrine-extra.woff2",
             "Tavrine Extra")

# Names no served face may carry, whichever of the licences above the
# installed original is under.
RESERVED_NAMES = ("IPA", "Liberation", "Tinos", "Arimo", "Cousine")
# The copyright notice and the licence's description and address stay as the
# original has them, as every one of the licences asks.
NOTICE_NAME_IDS = {0, 13, 14}
# The trademark notice, the description (of the original: Debian 13's
# Liberation Serif says it is based on Tinos), and the typographic, WWS and
# variation names that would carry the original's family on.
DROPPED_NAME_IDS = {7, 10, 16, 17, 18, 20, 21, 22, 25}


def rename(font, face):
    """Gives the subset `font` the names of `face` in every name field."""
    table = font["name"]
    version = table.getDebugName(5) or ""
    names = {
        1: face.family,
        2: face.style,
        3: f"{face.full_name}; {version}; cut for the Tavrine page",
        4: face.full_name,
        6: f"{face.family.replace(' ', '')}-{face.style}",
    }
    table.names = [r for r in table.names
                   if r.nameID not in names and r.nameID not in DROPPED_NAME_IDS]
    # fontTools keeps the Windows names only; browsers read those.
    for name_id, text in names.items():
        table.setName(text, name_id, 3, 1, 0x409)
    for record in table.names:
        if record.nameID in NOTICE_NAME_IDS:
            continue
        text = record.toUnicode()
        for reserved in RESERVED_NAMES:
            if reserved.lower() in text.lower():
                raise SystemExit(f"{face.file}: name {record.nameID} still says {text!r}")


@dataclasses.dataclass(frozen=True)
class Terms:
    package: str
    version: str
    copyright: pathlib.Path  # the package's copyright file, with its licence
    licence: str  # what it is, for the note
    with_source: bool  # whether a modified version must come with its source


def terms_of(face):
    """Reads the terms of the installed package that `face` is cut from."""
    owner = subprocess.run(["dpkg-query", "-S", face.original], check=True,
                           capture_output=True, text=True).stdout
    package = owner.split(":")[0]
    version = subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], check=True,
                             capture_output=True, text=True).stdout
    copyright = pathlib.Path("/usr/share/doc") / package / "copyright"
    text = copyright.read_text(encoding="utf-8")
    if "IPA Font License Agreement v1.0" in text:
        licence, with_source = "the IPA Font License Agreement v1.0", False
    elif "License: Apache-2.0 or GPL-3+ with Font exception" in text:
        licence = ("the Apache License, version 2.0, or, at your choice, the GNU General\n"
                   "  Public License, version 3 or later, with a font exception")
        with_source = False
    elif "open font license" in text.lower():
        licence, with_source = "the SIL Open Font License, version 1.1", False
    elif "GNU General Public License v.2" in text:
        licence = ("the GNU General Public License, version 2, with Red Hat's\n"
                   "  font exception and trademark terms")
        with_source = True
    else:
        # Only terms read and followed here may go out with the page.
        raise SystemExit(f"{face.original}: the terms of {package} are not known here")
    return Terms(package, version, copyright, licence, with_source)


def originals_with_source(faces):
    """The originals whose licence asks for the source of a modified version."""
    return [face.original for face in faces if terms_of(face).with_source]


def write_terms(out_dir, options, faces):
    """Writes each face's licence and the note on how the faces were made."""
    out_dir = pathlib.Path(out_dir)
    common = set()
    sections = []
    for face in faces:
        terms = terms_of(face)
        shutil.copyfile(terms.copyright, out_dir / face.licence_file)
        # The full text of every licence the copyright file refers to.
        text = terms.copyright.read_text(encoding="utf-8")
        common.update(re.findall(r"/usr/share/common-licenses/([\w.+-]+[\w+])", text))
        original = pathlib.Path(face.original).name
        source = ""
        if terms.with_source:
            source = (f"\n  Its source: the original goes with the page's source archive\n"
                      f"  (../tavrine-source.tar.gz, folder font-originals/); the source\n"
                      f"  of the original is Debian's source package of {terms.package}\n"
                      f"  {terms.version}.")
        sections.append(
            f"{face.file}: the font \"{face.full_name}\"\n"
            f"  Cut from {face.original}\n"
            f"  (Debian package {terms.package} {terms.version}).\n"
            f"  Licensed, as the original, under {terms.licence}.\n"
            f"  The full text is in {face.licence_file}.{source}\n"
            f"  To put the original back: install {terms.package} (or take the\n"
            f"  original from where its licence file says it is published), copy\n"
            f"  {original} into this folder, and in ../controls.css (../languages.css\n"
            f"  for the faces of the other languages' letters) replace\n"
            f"  url(\"fonts/{face.file}\") format(\"woff2\") with\n"
            f"  url(\"fonts/{original}\") format(\"truetype\"), and in\n"
            f"  ../service_worker.js \"fonts/{face.file}\" with \"fonts/{original}\".\n"
            f"  The page goes on calling it \"{face.family}\".\n")
    for name in sorted(common):
        shutil.copyfile(f"/usr/share/common-licenses/{name}", out_dir / f"{name}.txt")
    used = ", ".join(f"{key} = {value!r}" for key, value in options.items())
    note = (
        "The faces of the Tavrine page\n"
        "=============================\n\n"
        "Each face here is a modified version of a font Debian installs: cut\n"
        "down to the characters the page shows and renamed, so that it carries\n"
        "neither the original's name nor its file name. The copyright notice and\n"
        "the licence fields inside each font are the original's. Each is\n"
        "licensed under the original's terms, whose full text lies beside it.\n\n"
        + "\n".join(sections) +
        "\nHow they were made\n"
        "------------------\n\n"
        "By web/subset_fonts.py and web/font_terms.py of the page's source\n"
        "(../tavrine-source.tar.gz), which rebuild them from the installed\n"
        f"originals, with fontTools {fontTools.version} (Debian's python3-fonttools),\n"
        f"subset options:\n  {used}.\n"
        "The glyphs kept are those of the characters of index.html, of the texts\n"
        "the lesson writes at run time and of printable ASCII. The names (name\n"
        "IDs 1 to 4 and 6) are replaced; the trademark notice and the\n"
        "description (name IDs 7 and 10) and any typographic family names are\n"
        "left out. No other file was made on the way.\n")
    if common:
        note += ("\nThe copyright files refer to the full texts of "
                 + ", ".join(f"{name}.txt" for name in sorted(common)) + ", also here.\n")
    (out_dir / "README.txt").write_text(note, encoding="utf-8")
