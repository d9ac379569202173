#!/usr/bin/env python3
"""Mutation testing of the native suite, and the size of the tests against the code.

    tools/mutate.py [--count 100] [--seed 1] [--timeout 60] [--commit HEAD] [--tests-from REV]
    tools/mutate.py --size

One small fault at a time is planted into the product code that the native suite reaches
(every folder of src/ but src/platform/win32): a comparison flipped, < for <= and back,
+ 1 for + 2, && for ||, true for false, a CR LF written as LF, a call statement removed.
Each mutant is built with the native preset in a throw-away git worktree of the commit, with
its own build folder, so the checkout is never touched; the native suite then runs with a
time limit per test and --stop-on-failure. A mutant is caught when the suite fails (a test
that hangs fails once its limit passes); a mutant that does not build is counted apart and
left out of the score. Between mutants every process whose program lies in the worktree is
ended. The same seed and count draw the same mutants from the same commit.

--tests-from REV runs the suite of REV (tests/, fuzz/ and the top CMakeLists.txt) against the
product code of --commit: the way to compare two suites on exactly the same mutants.

--size prints the non-blank lines of tests/ (its C++ sources and shell scripts) and of src/ (its C++
sources) and their ratio.
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCE_SUFFIXES = {".cpp", ".h"}
SUITE_PARTS = ["tests", "fuzz", "CMakeLists.txt"]

# (kind, pattern, replacement). Patterns match on the code part of a line (comments and
# string literals blanked out), except the line-end kind, which looks inside literals.
def both_ways(a, b, before, after):
    """a to b and b to a, each where the text before and after the operator fits."""
    return [(f"{x} to {y}", re.compile(before + re.escape(x) + after), y) for x, y in ((a, b), (b, a))]


SPACED = (r"(?<= )", r"(?= )")
OPERATORS = [
    *both_ways("==", "!=", r"(?<=[\w)\]'\" ])", r"(?=[\w(\s'\"-])"),
    *both_ways("<", "<=", *SPACED),
    *both_ways(">", ">=", *SPACED),
    ("+ 1 to + 2", re.compile(r"(?<= )\+ 1(?![\w.])"), "+ 2"),
    ("- 1 to - 2", re.compile(r"(?<= )- 1(?![\w.])"), "- 2"),
    *both_ways("&&", "||", *SPACED),
    *both_ways("true", "false", r"\b", r"\b"),
]
LINE_END = ("CR LF to LF", re.compile(r"\\r\\n"), r"\n")
# A whole line that is one call statement: name(...); with balanced parentheses.
CALL_STATEMENT = re.compile(r"^(\s*)((?:[\w:]+(?:\.|->))*[\w:]+\(.*\);)\s*$")


def blank_literals_and_comments(line):
    """The line with string and character literals blanked and any // comment cut off."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(quote if c == quote else " ")
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))[: len(line)]


def git(*args):
    return subprocess.run(["git", *args], cwd=ROOT, check=True, capture_output=True).stdout


def product_files(commit):
    """The product files of the commit (not of the checkout), with their text."""
    for name in sorted(git("ls-tree", "-r", "--name-only", commit, "src").decode().splitlines()):
        rel = Path(name)
        if rel.suffix in SOURCE_SUFFIXES and "win32" not in rel.parts[1:3]:
            yield rel, git("show", f"{commit}:{name}").decode("latin-1")


def candidates(commit):
    """Every possible mutant, in a fixed order: (file, line number, column, kind, old, new)."""
    found = []
    for rel, text in product_files(commit):
        in_block_comment = False
        for number, line in enumerate(text.splitlines(), 1):
            stripped = line.strip()
            if in_block_comment:
                in_block_comment = "*/" not in stripped
                continue
            if stripped.startswith("/*"):
                in_block_comment = "*/" not in stripped
                continue
            if not stripped or stripped.startswith(("#", "//", "static_assert")):
                continue
            code = blank_literals_and_comments(line)
            for kind, pattern, new in OPERATORS:
                for m in pattern.finditer(code):
                    found.append((str(rel), number, m.start(), kind, m.group(0), new))
            kind, pattern, new = LINE_END
            for m in pattern.finditer(line):
                if code[m.start()] == " ":  # inside a literal
                    found.append((str(rel), number, m.start(), kind, m.group(0), new))
            call = CALL_STATEMENT.match(code)
            if call and code.count("(") == code.count(")") and not stripped.startswith(("return", "throw")):
                start = call.start(2)
                found.append((str(rel), number, start, "statement removed", line[start:].rstrip(), ";"))
    return found


def apply(text_lines, mutant):
    _, number, column, _, old, new = mutant
    line = text_lines[number - 1]
    assert line[column:column + len(old)] == old, mutant
    changed = list(text_lines)
    changed[number - 1] = line[:column] + new + line[column + len(old):]
    return changed


def end_processes_in(folder):
    """Ends every process whose program lies in folder (a mutant's helper left running)."""
    folder = str(folder)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            exe = os.readlink(f"/proc/{pid}/exe")
        except OSError:
            continue
        if exe.startswith(folder + "/"):
            try:
                os.kill(int(pid), signal.SIGKILL)
            except OSError:
                pass


def release(work):
    """Ends what a mutant left behind in its worktree: every process whose program lies there,
    then every mount there (the fault tests' small device of a killed test), deepest first,
    since a mount point cannot be removed while it is one."""
    end_processes_in(work)
    folder = str(work)
    with open("/proc/self/mounts", encoding="utf-8") as mounts:
        points = [line.split()[1].replace("\\040", " ") for line in mounts]
    for point in sorted((p for p in points if p.startswith(folder + "/")), key=len, reverse=True):
        subprocess.run(["umount", "--lazy", point], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def clear_scratch(work, scratch):
    release(work)
    shutil.rmtree(scratch, ignore_errors=True)


def run(cmd, cwd, log, timeout=None, env=None):
    with open(log, "ab") as out:
        try:
            return subprocess.run(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, timeout=timeout,
                                  env=env).returncode
        except subprocess.TimeoutExpired:
            return -1


def suite(work, log, per_test):
    # The tests copy programs into their temporary folders (the loader beside its log); with
    # those folders inside the worktree, a copy that a mutant left running lies there too,
    # and is ended with the rest.
    scratch = work / "build" / "tmp"
    clear_scratch(work, scratch)
    scratch.mkdir(parents=True)
    # A temporary folder like the system's: the ordinary user of the fault tests writes there too.
    scratch.chmod(0o1777)
    try:
        return run(["ctest", "--preset", "native", "--stop-on-failure", "--timeout", str(per_test), "-j2"], work, log,
                   timeout=per_test * 20, env=dict(os.environ, TMPDIR=str(scratch)))
    finally:
        clear_scratch(work, scratch)


def mutation_run(args):
    everything = candidates(args.commit)
    count = min(args.count, len(everything))
    drawn = random.Random(args.seed).sample(everything, count)
    temp = Path(tempfile.mkdtemp(prefix="orvo-mutants-"))
    # The fault tests run part of a case as an ordinary user, who must reach the tests'
    # temporary folders inside the worktree: mkdtemp's folder admits its owner only.
    temp.chmod(0o755)
    work = temp / "tree"
    log = temp / "log.txt"
    subprocess.run(["git", "worktree", "add", "--detach", str(work), args.commit], cwd=ROOT, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if args.tests_from:
        # The suite: tests/, and fuzz/ with the top CMakeLists.txt that hooks in the replay of
        # the fuzz inputs.
        for part in SUITE_PARTS:
            if (work / part).is_dir():
                shutil.rmtree(work / part)
        subprocess.run(["git", "checkout", args.tests_from, "--", *SUITE_PARTS], cwd=work, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    started = time.time()
    try:
        # The corpus of real INI files lies beside the checkout; the worktree sees the same one.
        corpus = ROOT.parent / "shared"
        if corpus.is_dir() and not (work.parent / "shared").exists():
            (work.parent / "shared").symlink_to(corpus)
        tests = f", tests of {args.tests_from}" if args.tests_from else ""
        # A name such as HEAD is printed with the commit it stood for, so that a kept output says
        # what it measured.
        mutated = subprocess.run(["git", "rev-parse", "--short", args.commit], cwd=ROOT, check=True,
                                 capture_output=True, text=True).stdout.strip()
        if mutated != args.commit:
            mutated = f"{args.commit} ({mutated})"
        print(f"mutants: {count} of {len(everything)} drawn with seed {args.seed} from {mutated}{tests}; "
              f"worktree {work}", flush=True)
        # The native preset as it stands, without debug information: a mutant relinks every
        # program, and the links are most of its time.
        configure = ["cmake", "--preset", "native", "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"]
        if run(configure, work, log) or run(["cmake", "--build", "--preset", "native"], work, log):
            sys.exit(f"mutants: the unchanged tree does not build (see {log})")
        if suite(work, log, args.timeout):
            sys.exit(f"mutants: the unchanged tree fails its suite (see {log})")
        caught, survivors, unbuilt = 0, [], []
        for k, mutant in enumerate(drawn, 1):
            file = work / mutant[0]
            original = file.read_text(encoding="latin-1")
            lines = original.split("\n")
            file.write_text("\n".join(apply(lines, mutant)), encoding="latin-1")
            where = f"{mutant[0]}:{mutant[1]} {mutant[4]} -> {mutant[5]}"
            mutant_started = time.time()
            try:
                if run(["cmake", "--build", "--preset", "native"], work, log):
                    unbuilt.append(where)
                    verdict = "does not build"
                elif suite(work, log, args.timeout):
                    caught += 1
                    verdict = "caught"
                else:
                    survivors.append(where)
                    verdict = "NOT CAUGHT"
            finally:
                file.write_text(original, encoding="latin-1")
            print(f"[{k}/{count}] {verdict:14} {time.time() - mutant_started:5.0f} s  {where}", flush=True)
        built = count - len(unbuilt)
        minutes = (time.time() - started) / 60
        print(f"\ncaught {caught} of {built} built mutants ({100.0 * caught / max(built, 1):.1f}%), "
              f"{len(survivors)} not caught, {len(unbuilt)} did not build; seed {args.seed}, "
              f"count {count}, {minutes:.1f} min")
        for where in survivors:
            print(f"  not caught: {where}")
        for where in unbuilt:
            print(f"  did not build: {where}")
    finally:
        release(work)
        subprocess.run(["git", "worktree", "remove", "--force", str(work)], cwd=ROOT, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        shutil.rmtree(temp, ignore_errors=True)


def non_blank_lines(folder, suffixes):
    total = 0
    for path in (ROOT / folder).rglob("*"):
        if path.is_file() and path.suffix in suffixes:
            total += sum(1 for line in path.read_text(encoding="latin-1").splitlines() if line.strip())
    return total


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--timeout", type=int, default=60, help="seconds per test")
    parser.add_argument("--commit", default="HEAD", help="the commit to mutate")
    parser.add_argument("--tests-from", metavar="REV", help="run the tests of REV instead of the commit's own")
    parser.add_argument("--size", action="store_true", help="print the size of tests/ against src/")
    parser.add_argument("--list", action="store_true", help="print the drawn mutants without running them")
    args = parser.parse_args()
    if args.size:
        tests, src = non_blank_lines("tests", SOURCE_SUFFIXES | {".sh"}), non_blank_lines("src", SOURCE_SUFFIXES)
        print(f"tests/ {tests} non-blank lines, src/ {src}: ratio {tests / src:.3f}")
        return
    if args.list:
        everything = candidates(args.commit)
        for m in random.Random(args.seed).sample(everything, min(args.count, len(everything))):
            print(f"{m[0]}:{m[1]} {m[3]}: {m[4]} -> {m[5]}")
        return
    mutation_run(args)


if __name__ == "__main__":
    main()
