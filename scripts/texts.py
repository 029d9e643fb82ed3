#!/usr/bin/env python3
"""The window's texts and their English translation.

Every string literal with Japanese in it in BAN/, QELMA/ and helpgo/ (outside
comments; keldra-cli prints its Japanese as it is and is not read) is a window
text, shown through Tr() (handler logic) or the window's tx(). Their English
lives in translations/keldra_en.ts, context "keldra".

    scripts/texts.py update   # adds new texts to the .ts (to be translated), drops vanished ones
    scripts/texts.py check    # exit 1 unless every text has an English translation without Japanese
    scripts/texts.py list     # every text, with the files it is in

A new window text: write it in Japanese in Tr("...") or tx("...") (a %1, %2
... where a value goes in, filled by Fill() or QString::arg()), run
`scripts/texts.py update`, and write its English into the <translation> of the
new entry in translations/keldra_en.ts (removing type="unfinished").
"""
import os
import re
import sys
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["BAN", "QELMA", "helpgo"]
# the screenshot scenes' sample files, not texts of the window
SKIP = [os.path.join("QELMA", "shots")]
TS = os.path.join(ROOT, "translations", "keldra_en.ts")
CONTEXT = "keldra"
# Japanese literals that are not texts: the window's font family names, and
# the word for ko looked for in a book's comments.
NOT_TEXTS = {"ＭＳ Ｐゴシック", "ＭＳ 明朝", "劫"}
# Shown as they are in every language (the language menu, so that a user
# finds it whatever the window speaks, and its note on the change).
AS_WRITTEN = {"言語 / Language", "日本語", "言語は次に起動したときに切り替わります。\nThe language changes at the next start."}

JAPANESE = re.compile("[\u3000-\u30ff\u3400-\u9fff\uf900-\ufaff\uff00-\uffef]")
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|"((?:[^"\\\n]|\\.)*)"|\'(?:[^\'\\\n]|\\.)*\'', re.S)
ESCAPES = {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}


def unescape(text):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(0)), text)


def collect():
    """{text: [file:line, ...]} of every Japanese literal of the window's code."""
    texts = {}
    for folder in FOLDERS:
        for base, _, files in os.walk(os.path.join(ROOT, folder)):
            if any(os.path.relpath(base, ROOT).startswith(skip) for skip in SKIP):
                continue
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(base, name)
                source = open(path, encoding="utf-8").read()
                for m in TOKEN.finditer(source):
                    if m.group(1) is None:
                        continue
                    text = unescape(m.group(1))
                    if not JAPANESE.search(text) or text in NOT_TEXTS or text in AS_WRITTEN:
                        continue
                    where = "%s:%d" % (os.path.relpath(path, ROOT), source.count("\n", 0, m.start()) + 1)
                    texts.setdefault(text, []).append(where)
    return texts


def read_ts():
    """{source: translation or None when unfinished}, in file order."""
    if not os.path.exists(TS):
        return {}
    out = {}
    for message in ET.parse(TS).getroot().iter("message"):
        source = message.findtext("source") or ""
        node = message.find("translation")
        done = node is not None and node.get("type") not in ("unfinished", "obsolete", "vanished") and node.text
        out[source] = node.text if done else None
    return out


def write_ts(entries):
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>", '<TS version="2.1" language="en" sourcelanguage="ja">',
             "<context>", "    <name>%s</name>" % CONTEXT]
    for source, translation in entries:
        lines.append("    <message>")
        lines.append("        <source>%s</source>" % escape(source))
        if translation is None:
            lines.append('        <translation type="unfinished"></translation>')
        else:
            lines.append("        <translation>%s</translation>" % escape(translation))
        lines.append("    </message>")
    lines += ["</context>", "</TS>", ""]
    with open(TS, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def placeholders(text):
    return sorted(set(re.findall(r"%[1-9]", text)))


def main(argv):
    command = argv[1] if len(argv) > 1 else "check"
    texts = collect()
    known = read_ts()
    if command == "list":
        for text, where in texts.items():
            print("%s\t%s" % (text.replace("\n", "\\n"), " ".join(where)))
        return 0
    if command == "update":
        entries = [(s, t) for s, t in known.items() if s in texts]
        entries += [(s, None) for s in texts if s not in known]
        write_ts(entries)
        print("%d texts, %d to translate" % (len(entries), sum(t is None for _, t in entries)))
        return 0
    if command == "check":
        problems = []
        for text, where in texts.items():
            if text not in known:
                problems.append("%s: not in keldra_en.ts (run scripts/texts.py update): %s" % (where[0], text))
            elif known[text] is None:
                problems.append("%s: no English yet: %s" % (where[0], text))
            elif JAPANESE.search(known[text]):
                problems.append("%s: the English holds Japanese: %s" % (where[0], known[text]))
            elif placeholders(known[text]) != placeholders(text):
                problems.append("%s: the English does not keep %s: %s" % (where[0], " ".join(placeholders(text)), text))
        for p in problems:
            print(p)
        print("%d window texts, %d without a sound English translation" % (len(texts), len(problems)))
        return 1 if problems else 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
