#!/usr/bin/env python3
"""Keeps product files and functions small enough to read.

Reports every product source over MAX_FILE_LINES lines and every function
body over MAX_FUNCTION_LINES lines, and exits 1 when there is one. The
declaration tables are left out: the class tables (StaticClassInfo), one
line per published property, and the identifier and enumeration tables.
Tests, fuzz targets and benchmarks are not product code.
"""
import os
import re
import sys

MAX_FILE_LINES = 900
MAX_FUNCTION_LINES = 80
PRODUCT_DIRS = ["viewer", "controls", "tools"]
TABLES = re.compile(r"\b(StaticClassInfo|\w*Idents|\w*EnumInfo|Register\w*Classes)\s*\(")


def strip_code(text):
    """The text with comments, strings and character literals blanked, so
    that only real braces are counted; line breaks are kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            out.append("\n" * text.count("\n", i, j))
            i = j
        elif text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.match(r'R"([^(]*)\(', text[i:])
            end = text.find(")" + m.group(1) + '"', i) if m else -1
            j = n if end < 0 else end + len(m.group(1)) + 2
            out.append('""' + "\n" * text.count("\n", i, j))
            i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def long_functions(path):
    """(first line, length, head) of each over-long function body: a brace
    block whose enclosing blocks are all namespaces or class bodies."""
    text = strip_code(open(path, encoding="utf-8", errors="replace").read())
    found = []
    stack = []  # (kind, first line, head) per open brace
    head_start = 0
    line = 1
    for i, c in enumerate(text):
        if c == "\n":
            line += 1
        elif c in ";{}":
            if c == "{":
                head = " ".join(text[head_start:i].split())
                head = re.sub(r"^(#.*?\s)+", "", head)
                if re.search(r"\b(class|struct|namespace|union|enum)\b[^()]*$", head) or head.endswith('extern ""'):
                    kind = "scope"
                elif "(" in head and not re.search(r"=\s*$", head) and all(k == "scope" for k, _, _ in stack):
                    kind = "function"
                else:
                    kind = "block"
                stack.append((kind, line, head))
            elif c == "}" and stack:
                kind, first, head = stack.pop()
                length = line - first + 1
                if kind == "function" and length > MAX_FUNCTION_LINES and not TABLES.search(head):
                    found.append((first, length, head[-100:]))
            head_start = i + 1
    return found


def main(root):
    failures = 0
    for folder in PRODUCT_DIRS:
        for base, _, files in os.walk(os.path.join(root, folder)):
            for name in sorted(files):
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(base, name)
                rel = os.path.relpath(path, root)
                count = sum(1 for _ in open(path, encoding="utf-8", errors="replace"))
                if count > MAX_FILE_LINES:
                    print(f"{rel}: {count} lines (at most {MAX_FILE_LINES})")
                    failures += 1
                for first, length, signature in long_functions(path):
                    print(f"{rel}:{first}: a function of {length} lines (at most {MAX_FUNCTION_LINES}): {signature}")
                    failures += 1
    if failures:
        print(f"{failures} file(s) or function(s) too long")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")))
