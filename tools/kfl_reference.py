#!/usr/bin/env python3
"""The routine reference of the manual and the tables it documents.

The reference lives in doc/reference/*.md. Every entry starts with a heading
"### NAME" and, for a library routine or a built-in function, a synopsis line:

    `CURVE(XRAY, YRAY, N)` · routine · signature `FR,FR,I` · level 2-3
    `N = NLMESS(CSTR)` · function · signature `S` · result INT · level 1-3
    `ABS(X)` · built-in · signature `*`

Commands (SRC is the source tree):
    check SRC            fails when a row of the routine table (binding/routine_table.cpp)
                         or of the function table (interp/builtins.cpp) has no entry,
                         when an entry's synopsis differs from its row, or when an entry
                         still holds the skeleton's placeholder
    skeleton SRC         prints skeleton entries (name, signature, level from the level
                         checks in the code) for every row that has no entry yet
    index SRC OUT        writes the Markdown index of all entries (routine search page)
    examples SRC OUTDIR  writes every ```kfl block of doc/ as OUTDIR/<page>-<n>.kfl and
                         the files the examples use (```kfl NAME) to OUTDIR/<page>.files/
"""
import os
import re
import sys

PLACEHOLDER = "(to be written)"
SYNOPSIS = re.compile(
    r"^`(?:(?P<target>[A-Z%][A-Z0-9]*) = )?(?P<name>[A-Z][A-Z0-9]*)\((?P<args>[^)]*)\)`"
    r" · (?P<kind>routine|function|built-in) · signature `(?P<sig>[^`]*)`")
HEADING = re.compile(r"^### (.+?)\s*$")


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def routine_rows(src):
    """(procedure rows, function rows) of the routine table, as (name, signature)."""
    text = read(os.path.join(src, "binding", "routine_table.cpp"))
    start = text.index("procedure_rows[] = {")
    middle = text.index("function_rows[] = {")
    row = re.compile(r'\{"([A-Z0-9]+)", "([^"]*)"\}')
    end = text.index("};", middle)
    return row.findall(text[start:middle]), row.findall(text[middle:end])


def builtin_rows(src):
    text = read(os.path.join(src, "interp", "builtins.cpp"))
    return re.findall(r'\{\{"([A-Z0-9]+)", "([^"]*)", [01]\}', text)


def code_levels(src):
    """Routine name (upper case) -> level text, from the level checks in the code."""
    levels = {}
    pattern = re.compile(r'(soft_level_check\(|level_check\((\d), (\d), )"([a-z0-9]+)"\)')
    for root in ("plot", "binding"):
        for dirpath, _, files in os.walk(os.path.join(src, root)):
            for name in files:
                if not name.endswith(".cpp"):
                    continue
                for m in pattern.finditer(read(os.path.join(dirpath, name))):
                    routine = m.group(4).upper()
                    if m.group(2) is None:
                        levels.setdefault(routine, "any (warns outside 1-3)")
                    elif m.group(2) == m.group(3):
                        levels.setdefault(routine, m.group(2))
                    else:
                        levels.setdefault(routine, m.group(2) + "-" + m.group(3))
    return levels


def reference_files(src):
    folder = os.path.join(src, "doc", "reference")
    return [os.path.join(folder, f) for f in sorted(os.listdir(folder)) if f.endswith(".md")]


def entries(src):
    """Every entry: dict with file, anchor names, heading, synopsis match, body."""
    found = []
    for path in reference_files(src):
        current = None
        for line in read(path).splitlines():
            m = HEADING.match(line)
            if m or line.startswith("## ") or line.startswith("# "):
                current = None
            if m:
                current = {"file": os.path.basename(path), "heading": m.group(1),
                           "names": [n.strip() for n in m.group(1).split(",")],
                           "synopsis": None, "body": []}
                found.append(current)
                continue
            if current is None:
                continue
            current["body"].append(line)
            if current["synopsis"] is None and line.strip():
                current["synopsis"] = SYNOPSIS.match(line) or False
    return found


def argument_count(args):
    return 0 if not args.strip() else len(args.split(","))


def check(src):
    procedures, functions = routine_rows(src)
    expected = {}
    for name, sig in procedures:
        expected[(name, "routine")] = sig
    for name, sig in functions:
        expected[(name, "function")] = sig
    for name, sig in builtin_rows(src):
        expected[(name, "built-in")] = sig
    problems = []
    seen = {}
    for e in entries(src):
        where = "%s: ### %s" % (e["file"], e["heading"])
        if any(PLACEHOLDER in line for line in e["body"]):
            problems.append(where + ": still holds the placeholder " + PLACEHOLDER)
        m = e["synopsis"]
        if not m:
            continue
        name, kind, sig = m.group("name"), m.group("kind"), m.group("sig")
        if e["names"] != [name]:
            problems.append(where + ": the synopsis names " + name)
        if (name, kind) not in expected:
            problems.append(where + ": no %s %s in the tables" % (kind, name))
            continue
        if (name, kind) in seen:
            problems.append(where + ": second entry (first in %s)" % seen[(name, kind)])
        seen[(name, kind)] = e["file"]
        if sig != expected[(name, kind)]:
            problems.append(where + ": signature `%s`, the table has `%s`" % (sig, expected[(name, kind)]))
        if "." not in sig.split(","):
            codes = 0 if sig == "" else len(sig.split(","))
            if argument_count(m.group("args")) != codes:
                problems.append(where + ": %d argument names for %d parameters"
                                % (argument_count(m.group("args")), codes))
        if kind == "function" and not m.group("target"):
            problems.append(where + ": a library function's synopsis shows its result variable")
    for (name, kind) in sorted(expected):
        if (name, kind) not in seen:
            problems.append("no reference entry for the %s %s (signature `%s`): add \"### %s\" with its "
                            "synopsis line to a page of doc/reference/ (\"tools/kfl_reference.py skeleton .\" "
                            "prints a skeleton)" % (kind, name, expected[(name, kind)], name))
    for p in problems:
        print(p)
    print("%d entries checked, %d problems" % (len(seen), len(problems)))
    return 1 if problems else 0


ARGUMENT_NAMES = {"I": "N", "H": "N", "X": "X", "S": "CSTR", "FR": "XRAY", "IR": "IRAY",
                  "BR": "BRAY", "HR": "HRAY", "AR": "ARRAY", "U": "VAR", "V": "CBUF",
                  "*": "X", ".": "..."}


def skeleton(src):
    procedures, functions = routine_rows(src)
    levels = code_levels(src)
    documented = {(e["synopsis"].group("name"), e["synopsis"].group("kind"))
                  for e in entries(src) if e["synopsis"]}
    rows = [(n, s, "routine") for n, s in procedures] + [(n, s, "function") for n, s in functions]
    rows += [(n, s, "built-in") for n, s in builtin_rows(src)]
    for name, sig, kind in rows:
        if (name, kind) in documented:
            continue
        codes = [c for c in sig.split(",") if c]
        args = ", ".join("%s%d" % (ARGUMENT_NAMES.get(c, "A"), i + 1) for i, c in enumerate(codes))
        call = "%s(%s)" % (name, args)
        if kind == "function":
            call = "V = " + call
        line = "`%s` · %s · signature `%s`" % (call, kind, sig)
        if kind != "built-in":
            line += " · level " + levels.get(name, "?")
        print("### %s\n\n%s\n\n%s\n" % (name, line, PLACEHOLDER))
    return 0


def anchor(name):
    """The HTML identifier pandoc gives the heading "### NAME"."""
    text = re.sub(r"[^\w\- ]", "", name.lower()).replace(" ", "-")
    text = re.sub(r"^[^a-z]+", "", text)
    return text or "section"


def index(src, out):
    rows = []
    for e in entries(src):
        page = e["file"][:-3] + ".html"
        m = e["synopsis"]
        kind = m.group("kind") if m else e["file"][:-3]
        summary = ""
        for line in e["body"][1 if m else 0:]:
            if line.strip():
                summary = line.strip()
                break
        summary = summary.split(". ")[0].rstrip(".")
        rows.append((e["heading"], page, anchor(e["heading"]), kind, summary))
    rows.sort(key=lambda r: r[0].lstrip("%"))
    with open(out, "w", encoding="utf-8") as f:
        f.write("---\ntitle: Index of routines, functions, statements and system variables\n---\n\n")
        f.write('<input id="search" type="search" placeholder="Type a name or a word" '
                'oninput="filterIndex(this.value)" autofocus>\n\n')
        f.write('<table id="index">\n<thead><tr><th>Name</th><th>Kind</th><th>What it does</th>'
                '</tr></thead>\n<tbody>\n')
        for heading, page, ident, kind, summary in rows:
            summary = summary.replace("`", "").replace("&", "&amp;").replace("<", "&lt;")
            f.write('<tr><td><a href="reference/%s#%s">%s</a></td><td>%s</td><td>%s</td></tr>\n'
                    % (page, ident, heading, kind, summary))
        f.write("</tbody>\n</table>\n\n")
        f.write("<script>\nfunction filterIndex(text) {\n"
                "  const words = text.toLowerCase().split(/\\s+/).filter(w => w);\n"
                "  for (const row of document.querySelectorAll('#index tbody tr')) {\n"
                "    const line = row.textContent.toLowerCase();\n"
                "    row.style.display = words.every(w => line.includes(w)) ? '' : 'none';\n"
                "  }\n}\n</script>\n")
    return 0


def examples(src, outdir):
    """Runnable blocks are fenced "```kfl"; a block fenced "```kfl NAME" (or any
    other language with a file name, such as "```kdf NAME") is a file the page's
    examples use: it is written to OUTDIR/<page>.files/NAME."""
    os.makedirs(outdir, exist_ok=True)
    count = 0
    for dirpath, _, files in os.walk(os.path.join(src, "doc")):
        for name in sorted(files):
            if not name.endswith(".md"):
                continue
            path = os.path.join(dirpath, name)
            page = os.path.relpath(path, os.path.join(src, "doc"))[:-3].replace(os.sep, "_")
            block, target, n = None, None, 0
            for number, line in enumerate(read(path).splitlines(), 1):
                fence = re.match(r"^```(\w+)(?: +(\S+))?\s*$", line)
                if block is None and fence and (fence.group(1) == "kfl" or fence.group(2)):
                    block, first, target = [], number + 1, fence.group(2)
                elif block is not None and line.strip() == "```":
                    if target:
                        folder = os.path.join(outdir, page + ".files")
                        os.makedirs(folder, exist_ok=True)
                        with open(os.path.join(folder, target), "w") as f:
                            f.write("\n".join(block) + "\n")
                    else:
                        n += 1
                        # A block that shows a whole script keeps its own header line.
                        if block and block[0].upper().startswith("%KFL"):
                            block = block[1:]
                        with open(os.path.join(outdir, "%s-%02d.kfl" % (page, n)), "w") as f:
                            f.write("%%KFL\n// %s line %d\n" % (os.path.relpath(path, src), first))
                            f.write("\n".join(block) + "\n")
                        count += 1
                    block = None
                elif block is not None:
                    block.append(line)
    print("%d examples written to %s" % (count, outdir))
    return 0


def main(argv):
    if len(argv) >= 3 and argv[1] == "check":
        return check(argv[2])
    if len(argv) >= 3 and argv[1] == "skeleton":
        return skeleton(argv[2])
    if len(argv) >= 4 and argv[1] == "index":
        return index(argv[2], argv[3])
    if len(argv) >= 4 and argv[1] == "examples":
        return examples(argv[2], argv[3])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
