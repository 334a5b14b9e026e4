#!/usr/bin/env python3
"""Checks the translations in translations/*.ts against the code.

    check-translations.py LUPDATE SOURCE_ROOT TS_FILE... -- SOURCE_FOLDER...

Each .ts file is first brought up to date with the code in a scratch copy
(lupdate over the given folders), so that a text added to the code but not
to the translations counts as missing. Then every message must have a
finished translation whose placeholders (%1 .. %9) are the source's, with an
access key (&) exactly where the source has one. Prints every fault and exits
with 1 when there is one.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(\d)")


def access_keys(text):
    """The number of access-key marks: single ampersands, not "&&"."""
    return len(re.findall(r"&(?!&)", text.replace("&&", "")))


def faults_in(ts_path, shown_name):
    faults = []
    root = ET.parse(ts_path).getroot()
    for context in root.findall("context"):
        name = context.findtext("name")
        for message in context.findall("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            where = f"{shown_name}: {name}: {source!r}"
            kind = translation.get("type") if translation is not None else "missing"
            text = (translation.text or "") if translation is not None else ""
            if kind in ("unfinished", "missing") or not text:
                faults.append(f"{where}: not translated")
                continue
            if kind in ("obsolete", "vanished"):
                continue
            if sorted(set(PLACEHOLDER.findall(source))) != sorted(set(PLACEHOLDER.findall(text))):
                faults.append(f"{where}: placeholders differ in {text!r}")
            if access_keys(source) != access_keys(text):
                faults.append(f"{where}: access keys (&) differ in {text!r}")
    return faults


def main(argv):
    if "--" not in argv or len(argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    split = argv.index("--")
    lupdate, source_root, ts_files = argv[1], argv[2], argv[3:split]
    folders = [os.path.join(source_root, folder) for folder in argv[split + 1:]]
    if not ts_files:
        print("no translation files given", file=sys.stderr)
        return 1
    faults = []
    with tempfile.TemporaryDirectory() as scratch:
        for ts in ts_files:
            copy = os.path.join(scratch, os.path.basename(ts))
            shutil.copyfile(ts, copy)
            run = subprocess.run(
                [lupdate, "-silent", "-locations", "none", "-no-obsolete",
                 "-I", os.path.join(source_root, "src"), *folders, "-ts", copy],
                capture_output=True, text=True)
            if run.returncode != 0:
                faults.append(f"{os.path.basename(ts)}: lupdate failed: {run.stderr.strip()}")
                continue
            faults += faults_in(copy, os.path.basename(ts))
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} fault(s); after changing shown texts, run the "
              "update_translations_<catalogue> target and translate what it marks unfinished")
        return 1
    print(f"{len(ts_files)} translation file(s) complete")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
