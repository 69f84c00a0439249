# SPDX-License-Identifier: MIT
"""Writes the Qt resource list that compiles the window's pictures into the program."""

from xml.sax.saxutils import escape


def qrc_text(files):
    """Resource collection listing `files` (paths relative to the .qrc file) under the prefix "/"."""
    lines = ["<!DOCTYPE RCC>", '<RCC version="1.0">', '  <qresource prefix="/">']
    lines += ["    <file>%s</file>" % escape(name) for name in files]
    lines += ["  </qresource>", "</RCC>", ""]
    return "\n".join(lines)


def write_qrc(path, files):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(qrc_text(files))
