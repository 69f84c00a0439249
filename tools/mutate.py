#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Mutation check: plants one small fault at a time in engine/ files/ platform/ ui/ (sources, headers and
ui/main.cpp), rebuilds, runs the tests and reports how many faults the tests catch (killed/total), per folder.

usage: tools/mutate.py BUILD_DIR [--seed N] [--count N] [--mutants FILE [--named]] [--per-test] [--timeout S]
                        [--nice N]
  BUILD_DIR  a configured build folder of this checkout, e.g.
             cmake -S . -B build-mut -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O0 -DZP_BENCH=OFF
  --mutants  re-apply the mutants listed in an earlier report (its JSON) instead of choosing new ones, or
             hand-made ones: {"mutants": [{"rule": ..., "file": ..., "line": N, "text": LINE, "op": "line",
             "new": NEW LINE, "tests": [CTEST NAMES]}]} (the line is found by its text, nearest to N);
             tools/rule_faults.json is one. A mutant that names tests is reported with those of them that
             did not fail ("missed by"), so a renamed or weakened test shows up
  --named    run only the tests each mutant names (quicker; the report then covers only those)
  --unique   print, from a report, how many mutants each test kills and how many only it kills
  --per-test also run the stress test when a quicker test has killed the mutant (slower); without it
             every quick test still runs, so the report names each quick test that kills a mutant
Faults: a comparison negated, an integer constant moved by one, a statement deleted, && and || swapped, one
character of a string literal changed (a message, caption, filter or file line worded otherwise).
The figures cover only faults of these kinds: a test that catches none of the faults drawn may still be the
only guard of a rule no such fault reaches, so a test of a stated rule is never dropped on this evidence.
A mutant that does not compile is skipped and another is drawn; a test that times out kills its mutant.
The report goes to BUILD_DIR/mutation.json and BUILD_DIR/mutation.txt."""
import argparse, json, os, random, re, signal, subprocess, sys, time, xml.etree.ElementTree as ET
from collections import defaultdict

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ("engine", "files", "platform", "ui")
NICE = "10"   # builds and tests give way to other work on the machine; --nice 0 when they starve
NOT_MUTATION_TESTS = r"^(install|tools|play)\."   # desktop files, artwork, ./play: no product code runs there
CMP = {"<": ">=", ">=": "<", ">": "<=", "<=": ">", "==": "!=", "!=": "=="}
CMP_RE = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
LOGIC_RE = re.compile(r"&&|\|\|")
NUM_RE = re.compile(r"(?<![\w.])\d+(?![\w.])")
STR_RE = re.compile(r'"(?:[^"\\]|\\.)*"')
CALL_OR_ASSIGN_RE = re.compile(r"^[\w.:\->\[\]*]+\s*(=[^=]|\+=|-=|\*=|/=|\(|\+\+|--|<<)")
NOT_DELETED = ("return", "break", "continue", "case", "default", "using", "#", "}", "static_assert")


def product_sources():
    out = subprocess.check_output(["git", "-C", ROOT, "ls-files", *FOLDERS], text=True).split()
    return [f for f in out if f.endswith((".cpp", ".h"))]


ESCAPE_RE = re.compile(r"\\(x[0-9a-fA-F]+|[0-7]{1,3}|.)")


def changed_literal(literal):
    """The literal with one character changed: the middle letter's case swapped (a digit moved by one), else
    its first plain character made "_", else its first escape made "x"; None for an empty literal."""
    body = literal[1:-1]
    escaped = set()
    for m in ESCAPE_RE.finditer(body):
        escaped.update(range(m.start(), m.end()))
    plain = [i for i in range(len(body)) if i not in escaped]
    alnum = [i for i in plain if body[i].isalnum()]
    if alnum:
        i = alnum[len(alnum) // 2]
        c = body[i]
        new = str((int(c) + 1) % 10) if c.isdigit() else c.swapcase()
        new = "_" if new == c else new
    elif plain:
        i = plain[0]
        new = "_" if body[i] != "_" else "-"
    elif body:
        m = ESCAPE_RE.match(body)
        return '"x' + body[m.end():] + '"'
    else:
        return None
    return '"' + body[:i] + new + body[i + 1:] + '"'


def outside_strings(line, pos):
    return line[:pos].count('"') % 2 == 0 and "//" not in line[:pos]


def starts_statement(lines, i):
    for j in range(i - 1, -1, -1):
        s = lines[j].strip()
        if s and not s.startswith("//"):
            return s.endswith((";", "{", "}", ":")) or s.startswith("#")
    return True


def sites(path):
    """Every mutant of one file: (line number, line text, operator, occurrence, replacement)."""
    lines = open(os.path.join(ROOT, path), encoding="utf-8").read().split("\n")
    found = []
    for i, line in enumerate(lines):
        s = line.strip()
        if not s or s.startswith(("//", "#", "*", "/*")):
            continue
        for op, regex, repl in (("cmp", CMP_RE, lambda m: CMP[m.group()]),
                                ("logic", LOGIC_RE, lambda m: "||" if m.group() == "&&" else "&&"),
                                ("const", NUM_RE, lambda m: str(int(m.group()) + (1 if int(m.group()) == 0 else -1)))):
            for k, m in enumerate(regex.finditer(line)):
                if outside_strings(line, m.start()):
                    found.append((i + 1, line, op, k, repl(m)))
        for k, m in enumerate(STR_RE.finditer(line)):
            new = changed_literal(m.group())
            if new and "//" not in line[:m.start()]:
                found.append((i + 1, line, "str", k, new))
        if s.endswith(";") and not s.startswith(NOT_DELETED) and CALL_OR_ASSIGN_RE.match(s) \
                and starts_statement(lines, i):
            found.append((i + 1, line, "delete", 0, ""))
    return found


REGEX = {"cmp": CMP_RE, "logic": LOGIC_RE, "const": NUM_RE, "str": STR_RE}


def apply(mutant):
    """Writes the mutant into its file; returns the original text, or None when its line is gone."""
    path = os.path.join(ROOT, mutant["file"])
    text = open(path, encoding="utf-8").read()
    lines = text.split("\n")
    hits = [i for i, l in enumerate(lines) if l == mutant["text"]]
    if not hits:
        return None
    i = min(hits, key=lambda h: abs(h + 1 - mutant["line"]))
    if mutant["op"] == "delete":
        lines[i] = ""
    elif mutant["op"] == "line":
        lines[i] = mutant["new"]
    else:
        m = list(REGEX[mutant["op"]].finditer(lines[i]))[mutant["k"]]
        lines[i] = lines[i][:m.start()] + mutant["new"] + lines[i][m.end():]
    open(path, "w", encoding="utf-8").write("\n".join(lines))
    return text


def build(bdir):
    r = subprocess.run(["nice", "-n", NICE, "cmake", "--build", bdir, "-j2"], capture_output=True, text=True)
    return r.returncode == 0


def ctest(bdir, select, stop, timeout):
    """Names of the failing tests among those `select` picks; a run past `timeout` seconds fails as "timeout"."""
    junit = os.path.join(bdir, "mutation-junit.xml")
    if os.path.exists(junit):
        os.remove(junit)
    cmd = ["nice", "-n", NICE, "ctest", "--test-dir", bdir, *select, "-j2", "--timeout", str(timeout),
           "--output-junit", junit] + (["--stop-on-failure"] if stop else [])
    proc = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True,
                            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    try:
        proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, 9)
        proc.wait()
        return ["timeout"]
    if not os.path.exists(junit):
        return ["no test report"]
    return [case.get("name") for case in ET.parse(junit).getroot().iter("testcase")
            if case.get("status") not in ("run", "disabled", "notrun")]


def run_tests(bdir, per_test, timeout):
    """Names of the failing tests. The quick tests all run; the stress test only when none of them
    fails, or always with per_test."""
    failed = ctest(bdir, ["-E", NOT_MUTATION_TESTS + "|^stress"], False, timeout)
    if per_test or not failed:
        failed += ctest(bdir, ["-R", "^stress"], not per_test, timeout)
    return failed


def choose(seed, count):
    pool = [dict(file=f, line=l, text=t, op=o, k=k, new=n) for f in product_sources() for l, t, o, k, n in sites(f)]
    random.Random(seed).shuffle(pool)
    return pool, count


def folder(mutant):
    parts = mutant["file"].split("/")
    return "platform/qt" if parts[:2] == ["platform", "qt"] else parts[0]


def summary(results):
    per = defaultdict(lambda: [0, 0])
    for r in results:
        per[folder(r)][1] += 1
        per[folder(r)][0] += bool(r["killed_by"])
    per["all"] = [sum(v[0] for v in per.values()), sum(v[1] for v in per.values())]
    return "\n".join(f"{name:12} {k:4}/{n:<4} {100 * k / n:5.1f} %" for name, (k, n) in sorted(per.items()))


def unique_kills(report):
    """Per test: mutants it kills, and those no other test kills (the stress test counts only where it ran)."""
    kills, unique = defaultdict(int), defaultdict(int)
    for m in json.load(open(report))["mutants"]:
        for name in m["killed_by"]:
            kills[name] += 1
            unique[name] += len(m["killed_by"]) == 1
    for name in sorted(kills, key=lambda n: (unique[n], kills[n])):
        print(f"{unique[name]:3} unique {kills[name]:4} killed  {name}")


def main():
    global NICE
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("build_dir", help="or, with --unique, a report (mutation.json) to summarise per test")
    ap.add_argument("--unique", action="store_true")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--count", type=int, default=150)
    ap.add_argument("--mutants")
    ap.add_argument("--per-test", action="store_true")
    ap.add_argument("--named", action="store_true")
    ap.add_argument("--timeout", type=int, default=240)
    ap.add_argument("--nice", default=NICE)
    a = ap.parse_args()
    NICE = a.nice
    if a.unique:
        return unique_kills(a.build_dir)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("stopped: the mutated file is put back"))
    bdir = os.path.abspath(a.build_dir)
    if subprocess.run(["git", "-C", ROOT, "diff", "--quiet", "--", *FOLDERS]).returncode:
        sys.exit("product folders have uncommitted changes: commit or stash them first")
    if not build(bdir) or run_tests(bdir, True, a.timeout):
        sys.exit("the unmutated build fails its tests")
    if a.mutants:
        pool = [{k: v for k, v in r.items() if k not in ("killed_by", "missed_by")}
                for r in json.load(open(a.mutants))["mutants"]]
        count = len(pool)
    else:
        pool, count = choose(a.seed, a.count)
    results, skipped = [], 0
    try:
        for mutant in pool:
            if len(results) >= count:
                break
            original = apply(mutant)
            if original is None:
                skipped += 1
                continue
            try:
                compiled = build(bdir)
                if compiled:
                    started = time.time()
                    named = mutant.get("tests", [])
                    mutant["killed_by"] = (ctest(bdir, ["-R", "^(" + "|".join(map(re.escape, named)) + ")$"], False,
                                                 a.timeout) if a.named and named else
                                           run_tests(bdir, a.per_test, a.timeout))
                    missed = [name for name in named if name not in mutant["killed_by"]]
                    if missed:
                        mutant["missed_by"] = missed
                    results.append(mutant)
                    what = mutant.get("rule") or f"{mutant['op']} {mutant['new']!r}"
                    print(f"{len(results):3}/{count} {'killed' if mutant['killed_by'] else 'LIVES '} "
                          f"{mutant['file']}:{mutant['line']} {what} "
                          f"({time.time() - started:.0f} s) {' '.join(mutant['killed_by'])}"
                          + (f" MISSED BY {' '.join(missed)}" if missed else ""), flush=True)
                else:
                    skipped += 1
            finally:
                open(os.path.join(ROOT, mutant["file"]), "w", encoding="utf-8").write(original)
    finally:
        build(bdir)
        json.dump({"seed": a.seed, "skipped": skipped, "mutants": results}, open(os.path.join(bdir, "mutation.json"), "w"),
                  indent=1)
        missed = sum(1 for r in results if r.get("missed_by"))
        text = summary(results) + f"\n(skipped, not compiled or line gone: {skipped})\n" + \
            (f"(faults that a test named for them did not catch: {missed})\n" if missed else "")
        open(os.path.join(bdir, "mutation.txt"), "w").write(text)
        print(text)
        if subprocess.run(["git", "-C", ROOT, "diff", "--quiet", "--", *FOLDERS]).returncode:
            sys.exit("product folders differ from git after the run: check `git diff`")


if __name__ == "__main__":
    main()
