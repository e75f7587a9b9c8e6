#!/usr/bin/env python3
"""Checks that the libraries only call down the layers.

For each library of a build, every symbol it needs and does not define
itself must not be defined by a library it may not stand on. Only strong
definitions count: inline functions and templates are emitted weakly by
every library that uses them. Prints every upward call and exits 1 when
there is one.
  python3 scripts/check_links.py BUILD_DIR
"""
import os
import subprocess
import sys

# Each library and the libraries it may use, the layers below it.
FORM_READING = ["tessaly_core", "tessaly_streaming", "tessaly_components"]
FRAMEWORK = FORM_READING + ["tessaly_framework_controls", "tessaly_stock"]
ALLOWED = {
    "tessaly_core": [],
    "tessaly_streaming": ["tessaly_core"],
    "tessaly_components": ["tessaly_core", "tessaly_streaming"],
    "tessaly_framework_controls": FORM_READING,
    "tessaly_stock": FORM_READING + ["tessaly_framework_controls"],
    "tessaly_load": FORM_READING,
    "tessaly_controls": FRAMEWORK,
    "tessaly_viewer": FRAMEWORK + ["tessaly_load", "tessaly_controls"],
}
STRONG = set("TDBR")  # text, data, bss, read-only data


def find_archive(build, name):
    for base, _, files in os.walk(build):
        if f"lib{name}.a" in files:
            return os.path.join(base, f"lib{name}.a")
    return None


def symbols(archive):
    """(defined strongly, defined at all, needed) mangled symbol sets."""
    out = subprocess.run(["nm", "--format=posix", archive], capture_output=True, text=True, check=True).stdout
    strong, defined, needed = set(), set(), set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) < 2 or parts[0].endswith(":") or line.endswith("]:"):
            continue
        name, kind = parts[0], parts[1]
        if kind == "U":
            needed.add(name)
        else:
            defined.add(name)
            if kind in STRONG:
                strong.add(name)
    return strong, defined, needed - defined


def demangle(names):
    out = subprocess.run(["c++filt"], input="\n".join(names), capture_output=True, text=True).stdout
    return out.splitlines()


def main(build):
    tables = {}
    for name in ALLOWED:
        archive = find_archive(build, name)
        if not archive:
            print(f"check_links: no lib{name}.a under {build}", file=sys.stderr)
            return 1
        tables[name] = symbols(archive)
    failures = 0
    for name, allowed in ALLOWED.items():
        needed = tables[name][2]
        for other in ALLOWED:
            if other == name or other in allowed:
                continue
            upward = sorted(needed & tables[other][0])
            for symbol in demangle(upward)[:10]:
                print(f"{name} calls {other}, which it may not stand on: {symbol}")
            failures += len(upward)
    if failures:
        print(f"{failures} call(s) against the layers")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
