#!/usr/bin/env python3
"""The names of tests that the documents quote, and the names of table rows, checked against the
tests that exist, so that neither can drift:

- every `ctest ... -R EXPR` in README.md and docs/*.md matches a test of the build, each
  alternative of EXPR on its own; every --gtest_filter pattern matches one; every test name
  written in backticks (`Suite.Name`, `Suite.Name*`, `Prefix/Suite.Name/Row`) is one, or
  begins one when it ends in * or ...;
- every row name of a table in tests/ (`.name = "Row"`) is found, as a whole word, on that
  line of tests/ and on no other, so that a failing row's name leads to that row alone.

  scripts/check-test-names.py build/debug
"""
import fnmatch
import os
import re
import subprocess
import sys

CTEST_R = re.compile(r"ctest\b[^`\n]*?\s-R\s+('[^']*'|\"[^\"]*\"|[^\s`]+)")
GTEST_FILTER = re.compile(r"--gtest_filter=('[^']*'|\"[^\"]*\"|[^\s`]+)")
QUOTED_NAME = re.compile(r"`((?:\w+/)?[A-Z]\w*\.[A-Z]\w*(?:/\w+)?)(\*|\.\.\.)?`")
ROW_NAME = re.compile(r'\.name = "([^"]*)"')


def tests_of(build):
    listing = subprocess.run(["ctest", "--test-dir", build, "-N"], capture_output=True,
                             text=True, check=True).stdout
    return re.findall(r"^\s*Test\s+#\d+: (\S+)", listing, re.M)


def unquoted(expression):
    return expression[1:-1] if expression[:1] in "'\"" else expression


def quoted_names_missing(names):
    missing = []
    documents = ["README.md"] + sorted(os.path.join("docs", f) for f in os.listdir("docs")
                                       if f.endswith(".md"))
    for document in documents:
        with open(document, encoding="utf-8") as f:
            text = f.read()
        for match in CTEST_R.finditer(text):
            for alternative in unquoted(match.group(1)).split("|"):
                if not any(re.search(alternative, name) for name in names):
                    missing.append(f"{document}: ctest -R {alternative}")
        for match in GTEST_FILTER.finditer(text):
            for pattern in unquoted(match.group(1)).split(":"):
                if pattern.startswith("-"):
                    continue
                if not any(fnmatch.fnmatchcase(name, pattern) for name in names):
                    missing.append(f"{document}: --gtest_filter={pattern}")
        for match in QUOTED_NAME.finditer(text):
            name, open_end = match.group(1), match.group(2)
            found = (any(n.startswith(name) for n in names) if open_end else name in names)
            if not found:
                missing.append(f"{document}: `{match.group(0).strip('`')}`")
    return missing


def rows_not_unique():
    files = subprocess.run(["git", "ls-files", "tests"], capture_output=True, text=True,
                           check=True).stdout.split()
    lines = []
    for path in files:
        if re.search(r"\.(cpp|h|sh)$", path):
            with open(path, encoding="utf-8", errors="surrogateescape") as f:
                lines += [(path, n, line) for n, line in enumerate(f, 1)]
    problems = []
    for path, number, line in lines:
        for name in ROW_NAME.findall(line):
            if not re.fullmatch(r"[A-Za-z0-9]+", name):
                problems.append(f"{path}:{number}: row name \"{name}\" is not one word")
                continue
            word = re.compile(r"\b" + name + r"\b")
            elsewhere = [f"{p}:{n}" for p, n, l in lines if word.search(l) and (p, n) != (path, number)]
            if elsewhere:
                problems.append(f"{path}:{number}: row name {name} also at {', '.join(elsewhere)}")
    return problems


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    problems = [f"no such test: {m}" for m in quoted_names_missing(tests_of(build))]
    problems += rows_not_unique()
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
