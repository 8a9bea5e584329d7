#!/usr/bin/env bash
# Mutation testing for developers (not part of the test command): applies a fixed, seeded
# sample of small mutations (a comparison flipped, a statement dropped, a constant changed by
# one, a condition inverted), rebuilds a private copy of the tree after each, runs the suite and
# counts the mutants it kills. Two groups are sampled apart, each with the seed:
#   logic   the logic libraries and the MIDI/WAV parsers (48 mutants)
#   engine  the render-ahead stretch: ring, deck, clock, limiter, normaliser, output keeper (32)
# The same seed and the same product code give the same mutants, so the counts before and
# after a change to the tests can be compared.
#   scripts/mutate.sh [--group G] [--seed N] [--count N] [--only LIST] [--list] [--keep]
#     --group G  logic, engine or all (default all)
#     --seed N   the sample's seed (default 2026)
#     --count N  how many mutants to sample per group (default 48 and 32)
#     --only L   run only these mutants of the sample, as in 3,7-9 (to split a run over machines
#                or days, or to run again the ones that survived)
#     --list     print the sampled mutants and stop
#     --keep     keep the private copy and its build (in /tmp) for a look afterwards
set -euo pipefail
cd "$(dirname "$0")/.."
exec /usr/bin/env python3 - "$@" <<'PYTHON'
import argparse, glob, json, os, random, re, shutil, subprocess, sys, tempfile, time

ENGINE_SOURCES = glob.glob("src/engine/*.cpp") + glob.glob("src/platform/audio/*.cpp")


def engine_files(pattern):
    return [f for f in ENGINE_SOURCES if re.search(pattern, os.path.basename(f))]


GROUPS = {
    "logic": (48, sorted(set(
        glob.glob("src/app/*.cpp") + glob.glob("src/browser/*.cpp") + glob.glob("src/queue/*.cpp")
        + glob.glob("src/playback/*.cpp") + glob.glob("src/model/*.cpp")
        + engine_files(r"(smf|rmid|smpte|wavdecoder|wavdatasizefix|preparedmidi|midinormal)")))),
    "engine": (32, sorted(set(engine_files(
        r"^(sampleringbuffer|samplering|playbackdeck|playbackledger|renderworker|positionclock"
        r"|statusticker|positionticker|outputlimiter|midinormaliser|outputkeeper)\.cpp$")))),
}

COMPARISONS = {" == ": " != ", " != ": " == ", " < ": " >= ", " >= ": " < ",
               " > ": " <= ", " <= ": " > "}
LOGIC = {" && ": " || ", " || ": " && ", "true": "false", "false": "true"}
STATEMENT = re.compile(r"^\s*(?!return\b|case\b|default\b|break\b|continue\b|using\b|"
                       r"const\b|auto\b|static\b|constexpr\b|std::\w+<|int\b|bool\b|char\b|"
                       r"double\b|float\b|unsigned\b|long\b|[A-Z]\w*\s+\w+\s*[=({;])"
                       r"[\w.\->:\[\]*&()]+(\(.*\)|\s*([-+*/|&]?=|\+\+|--)\s*.*)\s*;\s*$")
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")


def code_part(line):
    """The line with string and character literals blanked and comments cut off."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(c if c == quote else " ")
            quote = None if c == quote else quote
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def sites(files):
    found = []
    for path in files:
        with open(path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        in_comment = False
        for number, line in enumerate(lines, 1):
            stripped = line.strip()
            if in_comment:
                in_comment = "*/" not in stripped
                continue
            if stripped.startswith("/*"):
                in_comment = "*/" not in stripped
                continue
            if not stripped or stripped.startswith(("#", "//")):
                continue
            code = code_part(line)
            for old, new in list(COMPARISONS.items()) + list(LOGIC.items()):
                pattern = re.escape(old) if old.startswith(" ") else r"\b%s\b" % old
                for m in re.finditer(pattern, code):
                    found.append((path, number, m.start(), old, new, "flip"))
            for m in NUMBER.finditer(code):
                value = int(m.group(1))
                found.append((path, number, m.start(), m.group(1), str(value + 1), "constant"))
            if STATEMENT.match(code) and not stripped.endswith(("{", ",")):
                found.append((path, number, 0, line, "", "drop"))
    return found


def apply(tree, site):
    """Mutates the tree's copy of the site's file; returns its path and its unmutated text."""
    path, number, column, old, new, kind = site
    full = os.path.join(tree, path)
    with open(full, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    line = lines[number - 1]
    if kind == "drop":
        lines[number - 1] = ""
    else:
        assert line[column:column + len(old)] == old, (site, line)
        lines[number - 1] = line[:column] + new + line[column + len(old):]
    with open(full, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))
    return full, original


def describe(site):
    path, number, column, old, new, kind = site
    if kind == "drop":
        return "%s:%d drop `%s`" % (path, number, old.strip())
    return "%s:%d `%s` -> `%s`" % (path, number, old.strip(), new.strip())


def run(command, cwd, timeout, log):
    try:
        return subprocess.run(command, cwd=cwd, stdout=log, stderr=subprocess.STDOUT,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return 124


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--group", choices=["logic", "engine", "all"], default="all")
    parser.add_argument("--seed", type=int, default=2026)
    parser.add_argument("--count", type=int, default=0)
    parser.add_argument("--only", default="")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--keep", action="store_true")
    args = parser.parse_args()

    sample, group_of = [], {}
    for group in (["logic", "engine"] if args.group == "all" else [args.group]):
        count, files = GROUPS[group]
        candidates = sites(files)
        chosen = random.Random(args.seed).sample(candidates,
                                                 min(args.count or count, len(candidates)))
        print("%s: %d mutation sites in %d files; %d sampled with seed %d"
              % (group, len(candidates), len(files), len(chosen), args.seed))
        for site in chosen:
            group_of[len(sample)] = group
            sample.append(site)
    if args.list:
        for index, site in enumerate(sample):
            print("  %-6s %s" % (group_of[index], describe(site)))
        return 0

    tree = tempfile.mkdtemp(prefix="orvane-mutate.")
    os.chmod(tree, 0o755)  # run as root, some tests become an ordinary user and start the program
    try:
        files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], check=True,
                               capture_output=True, text=True).stdout.split("\n")
        for name in filter(None, files):
            if os.path.isfile(name):
                os.makedirs(os.path.join(tree, os.path.dirname(name)), exist_ok=True)
                shutil.copy2(name, os.path.join(tree, name))
        build = os.path.join(tree, "build")
        env_launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
        log = open(os.path.join(tree, "mutate.log"), "w")
        print("building the unmutated tree in %s ..." % tree, flush=True)
        if run(["cmake", "-S", tree, "-B", build, "-G", "Ninja",
                "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DORVANE_BUILD_BENCH=OFF"] + env_launcher,
               tree, 600, log) or run(["ninja", "-C", build], tree, 3600, log):
            print("the unmutated tree does not build: see %s/mutate.log" % tree)
            return 1
        ctest = ["ctest", "--test-dir", build, "-j2", "--timeout", "180", "--stop-on-failure",
                 "--output-on-failure"]  # a kill says which check failed
        # The quick tests first: most mutants die there, and the rest need not run, nor be built.
        stages = [["-L", "^logic$"], ["-L", "^engine$"], ["-LE", "^(logic|engine|install)$"]]

        def outputs_of(stage):
            """What the stage's tests run: the build's files among their commands' words."""
            listing = subprocess.run(ctest + stage + ["--show-only=json-v1"], cwd=tree,
                                     check=True, capture_output=True, text=True).stdout
            words = [w for test in json.loads(listing)["tests"] for w in test.get("command", [])]
            return sorted({os.path.relpath(w, build) for w in words
                           if w.startswith(build + os.sep) and os.path.isfile(w)})

        stage_outputs = [outputs_of(stage) for stage in stages]

        def suite_outcome():
            """Returns "stillborn" when a stage does not build, "killed" when its tests fail."""
            for stage, outputs in zip(stages, stage_outputs):
                if run(["ninja", "-C", build] + outputs, tree, 1200, log):
                    return "stillborn"
                if run(ctest + stage, tree, 1800, log):
                    return "killed"
            return None

        if suite_outcome():
            print("the suite fails on the unmutated tree: see %s/mutate.log" % tree)
            return 1
        tally = {group: {"killed": 0, "SURVIVED": 0, "stillborn": 0} for group in GROUPS}
        wanted = set()
        for part in [p for p in args.only.split(",") if p] or ["1-%d" % len(sample)]:
            first, _, last = part.partition("-")
            wanted.update(range(int(first), min(int(last or first), len(sample)) + 1))
        for index, site in enumerate(sample, 1):
            if index not in wanted:
                continue
            started = time.time()
            path, original = apply(tree, site)
            # Built stage by stage: a mutant that does not compile is stillborn in the first stage
            # that builds the file.
            outcome = suite_outcome() or "SURVIVED"
            tally[group_of[index - 1]][outcome] += 1
            # Written afresh: the restored file must be newer than the mutant's object, or the
            # next build would keep the mutant.
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
            print("%3d/%d %-6s %-9s %s (%.0f s)" % (index, len(sample), group_of[index - 1],
                                                    outcome, describe(site),
                                                    time.time() - started), flush=True)
        for group, counts in tally.items():
            run_count = sum(counts.values())
            if not run_count:
                continue
            viable = counts["killed"] + counts["SURVIVED"]
            print("%s mutants: %d run, %d built, %d killed, %d survived (%d %% killed)"
                  % (group, run_count, viable, counts["killed"], counts["SURVIVED"],
                     100 * counts["killed"] // max(viable, 1)))
        return 0
    finally:
        if args.keep:
            print("kept: %s" % tree)
        else:
            shutil.rmtree(tree, ignore_errors=True)


sys.exit(main())
PYTHON
