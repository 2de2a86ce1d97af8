#!/usr/bin/env python3
"""Compiles the lesson's catalogues into a C++ table of the core.

    write_catalogue.py OUTPUT.cpp TEMPLATE.pot LANGUAGE.po...

Each catalogue must translate every message of the template, and nothing
else, with no fuzzy entry and the same places {1}..{9}: a catalogue that
falls short stops the build rather than show a pupil Japanese she cannot
read. The languages come in the order given.
"""

import re
import sys

# The reader sits next to this script; no bytecode is left in the source tree.
sys.dont_write_bytecode = True
from po_file import header_field, key, read_po  # noqa: E402

PLACE = re.compile(r"\{[1-9]\}")


def literal(text):
    out = '"'
    for byte in text.encode("utf-8"):
        c = chr(byte)
        if c in '"\\':
            out += "\\" + c
        elif byte < 0x20 or byte == 0x7F:
            out += "\\%03o" % byte
        elif byte >= 0x80:
            out += "\\%03o" % byte
        else:
            out += c
    return out + '"'


def main():
    output, template, catalogues = sys.argv[1], sys.argv[2], sys.argv[3:]
    wanted = {key(e) for e in read_po(template) if e["id"]}
    files = []
    failures = []
    for path in catalogues:
        entries = read_po(path)
        tag = header_field(entries, "Language")
        if not tag:
            failures.append(f"{path}: no Language header")
            continue
        messages = {}
        for entry in entries:
            if not entry["id"]:
                continue
            k = key(entry)
            if entry["fuzzy"]:
                failures.append(f"{path}: fuzzy: {k!r}")
            elif not entry.get("str"):
                failures.append(f"{path}: not translated: {k!r}")
            elif sorted(PLACE.findall(entry["id"])) != sorted(PLACE.findall(entry["str"])):
                failures.append(f"{path}: places differ: {k!r}")
            elif k not in wanted:
                failures.append(f"{path}: not in the template: {k!r}")
            messages[k] = entry.get("str", "")
        for k in sorted(wanted - messages.keys()):
            failures.append(f"{path}: missing: {k!r}")
        own = messages.get("language name\x04日本語")
        files.append((tag.replace("_", "-"), own, messages))
    if failures:
        sys.exit("\n".join(failures))

    # One list of keys for all languages, each language's translations in
    # the keys' order: the Japanese is stored once, however many languages.
    keys = sorted(wanted, key=lambda k: k.encode("utf-8"))
    lines = ["// Written by po/write_catalogue.py from po/*.po when the program is built.",
             '#include "lesson/catalogue_data.h"', "", "namespace {",
             "constexpr std::string_view kKeys[] = {"]
    lines += [f"    {literal(k)}," for k in keys]
    lines.append("};")
    for n, (tag, own, messages) in enumerate(files):
        lines.append(f"constexpr std::string_view kTranslations{n}[] = {{")
        lines += [f"    {literal(messages[k])}," for k in keys]
        lines.append("};")
    if files:
        lines.append("constexpr CatalogueFile kFiles[] = {")
        for n, (tag, own, messages) in enumerate(files):
            lines.append(f"    {{{literal(tag)}, {literal(own)}, kTranslations{n}}},")
        lines.append("};")
    lines += ["} // namespace", "",
              "std::span<const std::string_view> CatalogueKeys()", "{", "    return kKeys;", "}", "",
              "std::span<const CatalogueFile> CatalogueFiles()", "{",
              "    return " + ("kFiles" if files else "{}") + ";", "}", ""]
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(lines))


main()
