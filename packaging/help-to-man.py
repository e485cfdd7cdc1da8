#!/usr/bin/env python3
"""Writes ovbank's manual page from its own --help text, so the two never disagree.

usage: help-to-man.py OVBANK VERSION OUT

The help text's shape: a "usage:" line, then blocks under headings that end with a colon, each
row "  left  right" (a synopsis or option and what it does), and lines "Heading: text".
"""
import re
import subprocess
import sys

NAME = "ovbank \\- build, check and export sample banks of the Orvelanta sampler sound module"
DESCRIPTION = (
    "ovbank does the bank manager's jobs without a window: it makes scripts and bank files, "
    "loads them back, checks them, works on the WAV files of the sample library, exports a "
    "bank's samples and copies a bank to the module's SD card. Messages go to standard error "
    "as \"Caption: text\", reports to standard output. Questions that only offer to show a "
    "report are answered Yes, every other one No unless \\-\\-yes is given; each question is "
    "printed with the answer taken."
)
SEE_ALSO = ".BR orvelanta-bank-manager (1)"


def escape(text):
    """Text as roff reads it literally: backslashes, minus signs, and no request at a line start."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text.startswith((".", "'")) else text


def heading(text):
    """A section heading: the words before a comma; the rest becomes the section's first line."""
    title, _, rest = text.partition(",")
    return [".SH " + escape(title.strip().upper())] + ([escape(rest.strip().capitalize()) + "."]
                                                      if rest.strip() else [])


def convert(help_text, version):
    out = [f'.TH OVBANK 1 "" "ovbank {version}" "User Commands"', ".SH NAME", NAME]
    for line in help_text.splitlines():
        usage = re.match(r"usage: ovbank (.*)", line)
        row = re.match(r"  (\S.*?)  +(\S.*)", line)
        labelled = re.match(r"(\S[^:]*): (.+)", line)
        if usage:
            out += [".SH SYNOPSIS", ".B ovbank", escape(usage.group(1)),
                    ".SH DESCRIPTION", DESCRIPTION]
        elif row:
            out += [".TP", "\\fB" + escape(row.group(1)) + "\\fR", escape(row.group(2))]
        elif line.endswith(":"):
            out += heading(line[:-1])
        elif labelled:
            out += heading(labelled.group(1)) + [escape(labelled.group(2))]
        elif line.strip():
            out += [".PP", escape(line.strip())]
    return "\n".join(out + [".SH SEE ALSO", SEE_ALSO]) + "\n"


def main():
    program, version, target = sys.argv[1:4]
    help_text = subprocess.run([program, "--help"], check=True, capture_output=True,
                               text=True).stdout
    with open(target, "w", encoding="utf-8") as f:
        f.write(convert(help_text, version))


if __name__ == "__main__":
    main()
