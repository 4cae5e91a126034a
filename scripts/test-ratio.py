#!/usr/bin/env python3
"""Prints how long the tests are against the code they test.

Counts non-blank, non-comment lines: every file under tests/ (sources,
scripts, golden files) against the C++ sources and resource scripts of
common/, vantrel/ and vantrelsync/. Exits 1 when the tests pass the limit
(0.40 of the code), so that `make test` keeps them lean.
"""
import sys
from pathlib import Path

LIMIT = 0.40
CODE_DIRS = ["common", "vantrel", "vantrelsync"]
CODE_SUFFIXES = {".cpp", ".h", ".rc"}
HASH_COMMENTS = {".sh", ".py", ".dict", ".cmake"}


def counted_lines(path):
    count = 0
    in_block = False
    hash_comments = path.suffix in HASH_COMMENTS
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        text = line.strip()
        if in_block:
            in_block = "*/" not in text
            continue
        if not text:
            continue
        if hash_comments:
            if text.startswith("#"):
                continue
        elif text.startswith("//"):
            continue
        elif text.startswith("/*"):
            in_block = "*/" not in text
            continue
        count += 1
    return count


def main():
    root = Path(__file__).resolve().parent.parent
    tests = sum(counted_lines(p) for p in (root / "tests").rglob("*") if p.is_file())
    code = sum(counted_lines(p) for d in CODE_DIRS for p in (root / d).rglob("*")
               if p.is_file() and p.suffix in CODE_SUFFIXES)
    ratio = tests / code if code else 0.0
    print(f"tests {tests} lines, code {code} lines: ratio {ratio:.3f} (limit {LIMIT:.2f})")
    return 1 if ratio > LIMIT and "--report-only" not in sys.argv else 0


if __name__ == "__main__":
    sys.exit(main())
