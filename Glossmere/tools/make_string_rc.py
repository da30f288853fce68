#!/usr/bin/env python3
"""Turns StringTable.txt ("number<TAB>text" lines, UTF-8) into the resource
script of the module's string table, also UTF-8, for windres -c 65001.

    make_string_rc.py StringTable.txt StringTable.rc
"""
import sys


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '""') + '"'


def main():
    source, target = sys.argv[1], sys.argv[2]
    rows = []
    with open(source, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line:
                continue
            number, text = line.split("\t", 1)
            rows.append((int(number), text))
    out = ["// Generated from StringTable.txt by make_string_rc.py; do not edit.",
           "LANGUAGE 0, 0", "STRINGTABLE", "BEGIN"]
    out += ["    %d, %s" % (number, quoted(text)) for number, text in rows]
    out.append("END")
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
