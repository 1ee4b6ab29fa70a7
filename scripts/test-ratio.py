#!/usr/bin/env python3
"""Tests against code, counted honestly: every tracked .cpp/.h file under src/, tests/ and fuzz/
is laid out by the project's .clang-format (a region switched off is laid out too: lines packed
there would count as packed lines), then its non-blank lines are counted. Prints both sums and
the ratio; exits 1 above the limit.

  scripts/test-ratio.py             # from anywhere in the checkout, limit 33.3%
  scripts/test-ratio.py --limit 40
"""
import argparse
import os
import re
import subprocess
import sys

OFF = re.compile(r"^\s*//\s*clang-format\s+(off|on)\b.*$", re.M)


def formatted_lines(path):
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        text = OFF.sub("", f.read())
    out = subprocess.run(["clang-format", "--style=file", f"--assume-filename={path}"],
                         input=text, capture_output=True, text=True, errors="surrogateescape")
    if out.returncode != 0:
        sys.exit(f"clang-format failed on {path}: {out.stderr.strip()}")
    return sum(1 for line in out.stdout.splitlines() if line.strip())


def count(folders):
    files = subprocess.run(["git", "ls-files", "--", *folders], capture_output=True, text=True,
                           check=True).stdout.split()
    return sum(formatted_lines(f) for f in files if re.search(r"\.(cpp|cc|h|hpp)$", f))


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--limit", type=float, default=33.3, help="highest ratio, in percent")
    args = parser.parse_args()
    os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    code, tests = count(["src"]), count(["tests", "fuzz"])
    ratio = 100.0 * tests / max(1, code)
    print(f"formatted non-blank lines: src/ {code}, tests/ + fuzz/ {tests}: "
          f"tests are {ratio:.1f}% of the code (limit {args.limit}%)")
    return 0 if ratio <= args.limit else 1


if __name__ == "__main__":
    sys.exit(main())
