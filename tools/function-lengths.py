#!/usr/bin/env python3
"""Lists the longest function bodies of C++ sources, longest first.

Usage: tools/function-lengths.py [-n COUNT] [PATH ...]
Without paths it reads the product code (runtime/ lib/ copy/ setting/
plugin/) and lists the 10 longest. A function's length counts the lines from
the first line of its signature (after any template header) to its closing
brace, both included, as clang-format lays the code out.

The sources are read token by token, with comments, string and character
literals and preprocessor lines left out. A brace opens a function body when
the declaration before it names a function before its parameter list (no
'=' comes first, which would make it an initialiser); every brace inside a
body, a lambda's too, belongs to that body. Braced member initialisers after
a constructor's ':' are told from the body by the name right before them.
"""

import argparse
import os
import re
import sys

PRODUCT = ["runtime", "lib", "copy", "setting", "plugin"]
TOKEN = re.compile(
    r"""(?P<skip>//[^\n]*|/\*.*?\*/|^[ \t]*\#(?:\\\n|[^\n])*)
      | (?P<text>(?:u8|u|U|L)?R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"
               |(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*"
               |(?:u8|u|U|L)?'(?:\\.|[^'\\\n])+')
      | (?P<word>[A-Za-z_]\w*|\d[\w.']*)
      | (?P<punct>::|[^\s\w])""",
    re.S | re.M | re.X,
)
IDENTIFIER = re.compile(r"[A-Za-z_]\w*$")
SCOPE_KEYWORDS = {"class", "struct", "union", "enum", "namespace"}
# Words whose parentheses come before a function's name.
ATTRIBUTES = {"__declspec", "__attribute__", "alignas", "decltype"}


def tokens(text):
    """Yields (token, line) pairs, with lines counted from 1 and template
    headers left out."""
    template_depth = None
    for match in TOKEN.finditer(text):
        line = text.count("\n", 0, match.start()) + 1
        if match.lastgroup == "skip":
            continue
        token = '""' if match.group("text") else match.group(0)
        if token == "template":
            template_depth = 0
            continue
        if template_depth is not None:
            template_depth += {"<": 1, ">": -1}.get(token, 0)
            if template_depth == 0 and token == ">":
                template_depth = None
            continue
        yield token, line


def function_name(head):
    """The qualified name before the declaration's parameter list, or None."""
    for i, token in enumerate(head):
        if token == "=":
            return None
        if token != "(" or (i > 0 and head[i - 1] in ATTRIBUTES):
            continue
        j = i - 1
        while j >= 0 and not IDENTIFIER.match(head[j]):
            j -= 1  # the symbol of an operator
        if j < 0:
            return None
        name = head[j : i]
        while j >= 2 and head[j - 1] == "::" and IDENTIFIER.match(head[j - 2]):
            j -= 2
            name = head[j : j + 2] + name
        if j >= 1 and head[j - 1] == "~":
            name = ["~"] + name
        return "".join(name)
    return None


def is_member_initialiser(head):
    """True for the '{' of 'Name{...}' in a constructor's initialiser list."""
    return (len(head) >= 3 and ")" in head[:-2] and head[-2] in (":", ",")
            and IDENTIFIER.match(head[-1]) is not None)


def functions(path):
    """Yields (length, first line, name) for every function body in path."""
    with open(path, encoding="utf-8", errors="replace") as source:
        text = source.read()
    head, head_line = [], None
    stack = []  # per open brace outside bodies: "scope" or "other"
    body = None  # (first line, name, depth) of the body being read
    for token, line in tokens(text):
        if body:
            first, name, depth = body
            depth += {"{": 1, "}": -1}.get(token, 0)
            body = (first, name, depth) if depth else None
            if not depth:
                yield line - first + 1, first, name
                head, head_line = [], None
            continue
        if token == "{":
            name = function_name(head)
            if is_member_initialiser(head) or (not name and not SCOPE_KEYWORDS & set(head)
                                                 and head[:1] != ["extern"]):
                stack.append("other")
                head.append(token)
            elif name and not SCOPE_KEYWORDS & set(head[: head.index("(")]):
                body = (head_line, name, 1)
            else:
                stack.append("scope")
                head, head_line = [], None
        elif token == "}":
            if stack and stack.pop() == "other":
                head.append(token)
            else:
                head, head_line = [], None
        elif token == ";" and not (stack and stack[-1] == "other"):
            head, head_line = [], None
        elif token == ":" and head in (["public"], ["private"], ["protected"]):
            head, head_line = [], None
        else:
            head_line = head_line or line
            head.append(token)


def sources(paths):
    for path in paths:
        if os.path.isfile(path):
            yield path
            continue
        for folder, folders, names in os.walk(path):
            folders.sort()
            for name in sorted(names):
                if name.endswith((".cpp", ".h")):
                    yield os.path.join(folder, name)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n", 1)[0])
    parser.add_argument("-n", type=int, default=10, help="how many to list (0: all)")
    parser.add_argument("paths", nargs="*", default=PRODUCT)
    args = parser.parse_args()
    found = sorted(((length, path, first, name)
                    for path in sources(args.paths)
                    for length, first, name in functions(path)),
                   key=lambda f: (-f[0], f[1], f[2]))
    for length, path, first, name in found[: args.n or None]:
        print(f"{length:4d}  {path}:{first}  {name}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
