#!/usr/bin/env python3
"""Writes the page's source archive: the project's committed tree, as
`git archive` gives it, so that a school's server that hands out the page's
WebAssembly and scripts offers their source from the same place (GNU GPL,
version 3, section 6). The original of any face whose licence asks for the
source of a modified version to go with it is added under font-originals/.

    source_archive.py SOURCE_DIR OUT_FILE PREFIX FACES

FACES is the page's faces as its build lists them (faces.json).

Outside a git checkout (the tree unpacked from such an archive) the tree's
files are packed as they are, less the build folders.
"""
import pathlib
import subprocess
import sys
import tarfile

from font_terms import faces_of, originals_with_source

LEFT_OUT = {".git", ".cache", "node_modules"}


def is_checkout_root(source):
    top = subprocess.run(["git", "-C", str(source), "rev-parse", "--show-toplevel"],
                         capture_output=True, text=True)
    return top.returncode == 0 and pathlib.Path(top.stdout.strip()).resolve() == source


def main():
    source = pathlib.Path(sys.argv[1]).resolve()
    out, prefix = pathlib.Path(sys.argv[2]).resolve(), sys.argv[3]
    originals = originals_with_source(faces_of(sys.argv[4]))
    partial = out.with_name(out.name + ".partial")
    if is_checkout_root(source):
        if subprocess.run(["git", "-C", str(source), "diff", "--quiet", "HEAD"]).returncode:
            print(f"{out.name}: the uncommitted changes are not in the page's source archive",
                  file=sys.stderr)
        command = ["git", "-C", str(source), "archive", "--format=tar.gz",
                   f"--prefix={prefix}/font-originals/"]
        command += [f"--add-file={original}" for original in originals]
        command += [f"--prefix={prefix}/", "-o", str(partial), "HEAD"]
        subprocess.run(command, check=True)
    else:
        with tarfile.open(partial, "w:gz") as archive:
            for path in sorted(source.iterdir()):
                if path.name in LEFT_OUT or path.name.startswith("build"):
                    continue
                archive.add(path, f"{prefix}/{path.name}",
                            filter=lambda info: None if "/node_modules" in info.name else info)
            for original in originals:
                archive.add(original, f"{prefix}/font-originals/{pathlib.Path(original).name}")
    partial.replace(out)


if __name__ == "__main__":
    main()
