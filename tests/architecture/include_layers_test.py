#!/usr/bin/env python3
"""Fails when a file of src/ includes a header of a higher layer.

The layer order is written here once, lowest first. A file belongs to the entry with
the longest prefix of its path; entries on one line form one layer and may include
each other. docs/ARCHITECTURE.md explains the order.
"""
import pathlib
import re
import sys

LAYERS = [
    ["platform/text", "platform/calendar", "platform/files", "platform/profile"],
    ["platform/xls", "platform/jet/mdb", "platform/jet/sql"],
    ["platform/oledb"],
    ["platform/jet"],  # the provider and its ISAMs (jet/excel) choose each other
    ["platform/automation", "platform/odbc"],
    ["platform/odbc/xls_driver"],
    ["platform/registry"],
    ["com"],
    ["app"],  # the person (Output) and the task gate: the ground floor of the system
    ["connect"],  # settings, holders, options, statement runners, providers, driver check
    ["browser"],  # trees, conditions, the two sides
    ["adapters"],
    # Connecting a side, migrator.cfg and the configuration dialog work on both sides
    # and on the adapters' properties and new files.
    ["connecting"],
    ["tasks"],
    ["check", "maintenance", "trees"],
    ["shell"],  # the composition root
    ["gui", "cli"],
]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def layer_of(path):
    best, level = "", None
    for index, entries in enumerate(LAYERS):
        for entry in entries:
            if (path == entry or path.startswith(entry + "/") or path.startswith(entry + ".")) \
                    and len(entry) > len(best):
                best, level = entry, index
    return level


def violations(src):
    found = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        name = file.relative_to(src).as_posix()
        own = layer_of(name)
        for included in INCLUDE.findall(file.read_text(encoding="utf-8", errors="replace")):
            if not (src / included).exists():
                continue  # a header of the library's own folder or a system one
            theirs = layer_of(included)
            if own is None or theirs is None:
                found.append(f"{name}: no layer for {name if own is None else included}")
            elif theirs > own:
                found.append(f"{name} includes {included}, a higher layer")
    return found


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2] / "src")
    found = violations(src)
    for line in found:
        print(line)
    print(f"{len(found)} includes against the layers")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
