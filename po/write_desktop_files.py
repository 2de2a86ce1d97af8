#!/usr/bin/env python3
"""Writes the installed menu entry and AppStream metainfo in every language.

    write_desktop_files.py ENTRY.desktop ENTRY_OUT METAINFO.xml METAINFO_OUT LANGUAGE.po...

The files in packaging/ hold the Japanese (Name[ja], GenericName[ja],
Comment[ja]; <name xml:lang="ja">, <summary xml:lang="ja">) next to the
untranslated defaults. Each of those Japanese texts is looked up in every
catalogue, and its translation written right after it under the catalogue's
Language as it stands (Name[pt_BR], xml:lang="pt_BR"): the locale form the
desktop looks up, and the one Debian 12's AppStream (0.16) matches to a
pt_BR desktop; it passes xml:lang="pt-BR" by, while later versions read both.
Everything else is copied as it is. A catalogue lacking one of these texts
stops the build, as it does for the program's own table.

The untranslated defaults are the English: desktops fall back to them for
any language without its own key, and AppStream reads the untranslated tag as
English. So the English catalogue adds nothing here; an [en] key or
xml:lang="en" would only be a second English name beside the first.
"""

import re
import sys
import xml.etree.ElementTree as ElementTree
from xml.sax.saxutils import escape, unescape

# The reader sits next to this script; no bytecode is left in the source tree.
sys.dont_write_bytecode = True
from po_file import header_field, read_po  # noqa: E402

DESKTOP_KEYS = ("Name", "GenericName", "Comment")
UNTRANSLATED = "en"
METAINFO_LINE = re.compile(r'^(\s*)<(name|summary) xml:lang="ja">([^<]*)</\2>\s*$')
LOCALE = re.compile(r"^[a-z]{2,3}(_[A-Z]{2})?(@[A-Za-z]+)?$")

failures = []


def read_catalogue(path):
    entries = read_po(path)
    tag = header_field(entries, "Language")
    if not tag or not LOCALE.match(tag):
        failures.append(f"{path}: Language {tag!r} is not a locale such as pt_BR")
    messages = {e["id"]: e["str"] for e in entries
                if e["id"] and "ctxt" not in e and not e["fuzzy"] and e.get("str")}
    return path, tag, messages


def translation(catalogue, japanese):
    path, _, messages = catalogue
    if japanese not in messages:
        failures.append(f"{path}: no translation of {japanese!r}")
    return messages.get(japanese, "")


def desktop_unescape(value):
    return re.sub(r"\\(.)", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r"}.get(
        m.group(1), m.group(1)), value)


def desktop_escape(value):
    value = value.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t").replace("\r", "\\r")
    return "\\s" + value[1:] if value.startswith(" ") else value


def translated_desktop_entry(text, catalogues):
    lines, group, found = [], None, set()
    tags = {tag for _, tag, _ in catalogues}
    for line in text.splitlines():
        if line.startswith("["):
            group = line
        match = re.match(r"^(\w+)\[([^]]+)\]=(.*)$", line)
        if group == "[Desktop Entry]" and match and match.group(1) in DESKTOP_KEYS:
            name, locale, value = match.groups()
            if locale in tags:
                failures.append(f"the menu entry holds {name}[{locale}] itself; it comes from the catalogue")
            if locale == "ja":
                found.add(name)
                lines.append(line)
                japanese = desktop_unescape(value)
                for catalogue in catalogues:
                    lines.append(f"{name}[{catalogue[1]}]={desktop_escape(translation(catalogue, japanese))}")
                continue
        lines.append(line)
    for name in DESKTOP_KEYS:
        if name not in found:
            failures.append(f"the menu entry has no {name}[ja] to translate")
    return "\n".join(lines) + "\n"


def translated_metainfo(text, catalogues):
    lines, found = [], []
    for line in text.splitlines():
        lines.append(line)
        match = METAINFO_LINE.match(line)
        if match:
            indent, element, japanese = match.groups()
            found.append(element)
            for catalogue in catalogues:
                value = escape(translation(catalogue, unescape(japanese)))
                lines.append(f'{indent}<{element} xml:lang="{catalogue[1]}">{value}</{element}>')
    if sorted(found) != ["name", "summary"]:
        failures.append(f"the metainfo has {found} in Japanese, not one name and one summary")
    out = "\n".join(lines) + "\n"
    try:
        ElementTree.fromstring(out.encode("utf-8"))
    except ElementTree.ParseError as error:
        failures.append(f"the translated metainfo is not XML: {error}")
    return out


def main():
    entry_in, entry_out, metainfo_in, metainfo_out = sys.argv[1:5]
    catalogues = [c for c in map(read_catalogue, sys.argv[5:]) if c[1] != UNTRANSLATED]
    with open(entry_in, encoding="utf-8") as source:
        entry = translated_desktop_entry(source.read(), catalogues)
    with open(metainfo_in, encoding="utf-8") as source:
        metainfo = translated_metainfo(source.read(), catalogues)
    if failures:
        sys.exit("\n".join(failures))
    for path, text in ((entry_out, entry), (metainfo_out, metainfo)):
        with open(path, "w", encoding="utf-8") as out:
            out.write(text)


main()
