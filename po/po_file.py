"""Reads the lesson's PO files: the template and one catalogue a language.

Shared by the build's writers (write_catalogue.py, write_desktop_files.py) so
that every one of them reads a catalogue the same way.
"""

import re
import sys


def unquote(text):
    body = text[1:-1]
    return re.sub(r'\\(.)', lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), body)


def read_po(path):
    """The entries of a PO file, one to a paragraph: dicts with id, str,
    maybe ctxt, and fuzzy."""
    entries = []
    with open(path, encoding="utf-8") as po:
        paragraphs = po.read().split("\n\n")
    names = {"msgctxt": "ctxt", "msgid": "id", "msgstr": "str"}
    for paragraph in paragraphs:
        entry, field = {"fuzzy": False}, None
        for line in paragraph.strip().split("\n"):
            line = line.strip()
            if line.startswith("#,"):
                entry["fuzzy"] = "fuzzy" in line
            elif line.startswith("#") or not line:
                continue
            elif line.startswith('"') and field:
                entry[field] += unquote(line)
            else:
                keyword, _, rest = line.partition(" ")
                if keyword not in names:
                    sys.exit(f"{path}: cannot read: {line}")
                field = names[keyword]
                entry[field] = unquote(rest)
        if "id" in entry:
            entries.append(entry)
    return entries


def key(entry):
    return (entry["ctxt"] + "\x04" if "ctxt" in entry else "") + entry["id"]


def header_field(entries, name):
    for entry in entries:
        if entry["id"] == "" and "ctxt" not in entry:
            for line in entry["str"].split("\n"):
                if line.startswith(name + ":"):
                    return line.split(":", 1)[1].strip()
    return None
