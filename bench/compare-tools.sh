#!/usr/bin/env bash
# Times quorvex-batch against `xargs -P2 sed -i`, `sd` and `rg -c` on the same jobs, on a tmpfs
# and on a real (journaled) disk, and checks that every tool's output is byte-identical.
#
#   bench/compare-tools.sh [options]
#     --reps N            runs per tool and job (default 5); the figure shown is the median
#     --files N           files in the tree corpus (default 20000, about 179 MB)
#     --large-mb N        size of the one large file (default 200)
#     --dense-mb N        size of the dense file, a hit every ~19 bytes (default 20)
#     --jobs LIST         comma-separated subset of: tree-tmpfs, tree-disk, large, dense, count,
#                         general-wild, general-nocase, cyrillic (the large file: a Russian
#                         literal in either case, in UTF-8 and in code page 1251), tree-cyrillic
#                         (a Russian literal over the tree, beside the ASCII job), large-wild
#                         (<b>[*1]</b> over the large file) (default: all), and sync-policies
#                         (the disk tree with --sync=file, batch and none) and regex (regular
#                         expressions on the large file against sd, a count over the tree
#                         against rg -c), which are not in the default set
#     --also NAME=PATH    also time another quorvex-batch build (for example the one before a
#                         change), interleaved with the others; may be repeated
#     --tmpfs DIR         where the tmpfs runs work (default /dev/shm/quorvex-bench)
#     --disk DIR          where the disk runs work (default build-bench/disk, on the work tree's
#                         file system)
#
# The corpora are made from a fixed seed and kept between runs (in the two work folders). Every
# run gets a fresh copy, synced to disk before the clock starts. Tools are interleaved (each rep
# runs every tool once, in turn) so that noise from other work on the machine spreads evenly.
# Ratios are quorvex's median over the other tool's median: below 1 means quorvex is faster.
# Peak memory is the largest resident set of the timed process and its children.
# Needs python3, sed, xargs; sd and rg when installed (apt-get install sd ripgrep).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

if [ "${QUORVEX_BENCH_NO_BUILD:-}" != 1 ]; then
  cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEX_BUILD_BENCH=ON \
    -DQUORVEX_BUILD_TESTS=OFF >/dev/null
  cmake --build build-bench -j2 --target quorvex-batch >/dev/null
fi
export QUORVEX_TOOL=${QUORVEX_TOOL:-$ROOT/build-bench/src/cli/quorvex-batch}
export QUORVEX_ROOT=$ROOT
exec python3 - "$@" <<'PY'
import argparse, hashlib, os, random, resource, shutil, statistics, subprocess, sys, time

ap = argparse.ArgumentParser(prog="compare-tools.sh")
ap.add_argument("--reps", type=int, default=5)
ap.add_argument("--files", type=int, default=20000)
ap.add_argument("--large-mb", type=int, default=200)
ap.add_argument("--dense-mb", type=int, default=20)
ap.add_argument("--jobs", default="tree-tmpfs,tree-disk,large,dense,count,general-wild,general-nocase,"
                                  "cyrillic,tree-cyrillic,large-wild")
ap.add_argument("--also", action="append", default=[])
ap.add_argument("--tmpfs", default="/dev/shm/quorvex-bench")
ap.add_argument("--disk", default=os.path.join(os.environ["QUORVEX_ROOT"], "build-bench/disk"))
args = ap.parse_args()
jobs = args.jobs.split(",")
quorvex = [("quorvex", os.environ["QUORVEX_TOOL"])]
for extra in args.also:
    name, path = extra.split("=", 1)
    quorvex.append((name, os.path.abspath(path)))
quorvex_names = {name for name, _ in quorvex}
have = {tool: shutil.which(tool) is not None for tool in ("sd", "rg")}
for tool, present in have.items():
    if not present:
        print(f"note: {tool} is not installed; its columns are left out", file=sys.stderr)
ENV = dict(os.environ, LC_ALL="C")
os.makedirs(args.tmpfs, exist_ok=True)

# ---- corpora, from a fixed seed -------------------------------------------------------------
ASCII_WORDS = ["lorem", "ipsum", "dolor", "sit", "amet", "consectetur", "adipiscing", "elit",
               "<b>bold</b>", "<i>it</i>", "<br>", "sed", "do", "eiusmod", "tempor", "needles"]
CYR_WORDS = ["иголка", "ИГОЛКА", "стог", "сена", "съешь", "ещё", "этих", "мягких", "булок",
             "Ёлка", "щука"]

def lines_pool(rng, count, cyrillic_share, needle_share):
    pool = []
    for _ in range(count):
        words = []
        for _ in range(rng.randint(6, 16)):
            r = rng.random()
            if r < needle_share:
                words.append("needle")
            elif r < needle_share + cyrillic_share:
                words.append(rng.choice(CYR_WORDS))
            else:
                words.append(rng.choice(ASCII_WORDS))
        pool.append(" ".join(words))
    return pool

def make_tree(root, files):
    rng = random.Random(20261207)
    utf8_pool = lines_pool(rng, 3000, 0.25, 0.03)
    ascii_pool = lines_pool(rng, 3000, 0.0, 0.03)
    kinds = ["htm-utf8-meta", "htm-1251-meta", "txt-utf8-crlf", "txt-1251", "htm-ascii", "txt-ascii-crlf"]
    weights = [30, 20, 20, 10, 10, 10]
    for i in range(files):
        kind = rng.choices(kinds, weights)[0]
        folder = os.path.join(root, "d%03d" % (i % 200), "s%d" % (i % 7))
        os.makedirs(folder, exist_ok=True)
        size = rng.randint(1500, 16500)
        pool = ascii_pool if "ascii" in kind else utf8_pool
        body, n = [], 0
        while n < size:
            line = rng.choice(pool)
            body.append(line)
            n += len(line) + 1
        eol = "\r\n" if "crlf" in kind or kind == "htm-1251-meta" else "\n"
        text = eol.join(body) + eol
        encoding = "cp1251" if "1251" in kind else "utf-8"
        if kind.startswith("htm"):
            meta = {"htm-utf8-meta": '<meta charset="utf-8">',
                    "htm-1251-meta": '<meta http-equiv="Content-Type" content="text/html; charset=windows-1251">',
                    "htm-ascii": ""}[kind]
            text = f"<html><head>{meta}<title>page {i}</title></head>{eol}<body>{eol}{text}</body></html>{eol}"
        ext = "htm" if kind.startswith("htm") else "txt"
        with open(os.path.join(folder, "f%05d.%s" % (i, ext)), "wb") as f:
            f.write(text.encode(encoding))

def make_large(path, mb):
    rng = random.Random(42)
    pool = lines_pool(rng, 5000, 0.1, 0.05)
    target = mb * 1024 * 1024
    with open(path, "wb") as f:
        n = 0
        while n < target:
            chunk = ("\n".join(rng.choice(pool) for _ in range(2000)) + "\n").encode()
            f.write(chunk)
            n += len(chunk)

def make_dense(path, mb):
    rng = random.Random(19)
    letters = "abcdefghij klmnopqrst"
    pieces = ["".join(rng.choice(letters) for _ in range(13)) for _ in range(997)]
    target = mb * 1024 * 1024
    with open(path, "wb") as f:
        n = 0
        while n < target:
            chunk = "".join("needle" + rng.choice(pieces) for _ in range(4096)) + "\n"
            f.write(chunk.encode())
            n += len(chunk)

def make_large_regex(path, mb):
    # The large file's text with an address now and then, for the regular expression jobs.
    rng = random.Random(43)
    pool = lines_pool(rng, 5000, 0.1, 0.05)
    pool += [line + " user%d@host%d.com" % (i, i % 97) for i, line in enumerate(pool[:500])]
    target = mb * 1024 * 1024
    with open(path, "wb") as f:
        n = 0
        while n < target:
            chunk = ("\n".join(rng.choice(pool) for _ in range(2000)) + "\n").encode()
            f.write(chunk)
            n += len(chunk)

def corpus(base, name, maker, *maker_args):
    path = os.path.join(base, "pristine", name)
    stamp = path + ".made"
    if not os.path.exists(stamp):
        shutil.rmtree(path, ignore_errors=True)
        if os.path.exists(path):
            os.remove(path)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        print(f"making {path} ...", file=sys.stderr)
        maker(path, *maker_args)
        open(stamp, "w").close()
    return path

# ---- running ---------------------------------------------------------------------------------
def fresh_copy(pristine, work):
    if os.path.isdir(work):
        shutil.rmtree(work)
    elif os.path.exists(work):
        os.remove(work)
    subprocess.run(["cp", "-a", pristine, work], check=True)
    # Nothing of the copy may still wait to be written when the clock starts.
    subprocess.run(["sync", "-f", work], check=True)

MEMORY_FILE = os.path.join(args.tmpfs, "peak-rss")

def timed(command, measure_memory):
    # A forked child starts with its parent's peak, so the memory of this script would count:
    # GNU time, small itself, measures the quorvex runs (the other tools' memory is not shown).
    if measure_memory:
        command = f"/usr/bin/time -f %M -o {MEMORY_FILE} {command}"
    start = time.monotonic()
    proc = subprocess.Popen(command, shell=True, env=ENV, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    out = proc.stdout.read()
    proc.wait()
    wall = time.monotonic() - start
    memory = float("nan")
    if measure_memory:
        with open(MEMORY_FILE) as f:
            memory = int(f.read().split()[-1]) / 1024.0
    return wall, memory, out

def digest(path):
    h = hashlib.sha1()
    if os.path.isfile(path):
        with open(path, "rb") as f:
            h.update(f.read())
        return h.hexdigest()
    for folder, dirs, files in os.walk(path):
        dirs.sort()
        for name in sorted(files):
            full = os.path.join(folder, name)
            h.update(os.path.relpath(full, path).encode())
            with open(full, "rb") as f:
                h.update(hashlib.sha1(f.read()).digest())
    return h.hexdigest()

results = []  # (job, tool, median s, median MB, runs)
mismatches = []

def run_job(job, base, pristine, tools, check_against, counts=False, unchecked=()):
    times = {name: [] for name, _ in tools}
    mems = {name: [] for name, _ in tools}
    outputs = {}
    for rep in range(args.reps):
        # Each rep starts with another tool: on a disk, the run right after another tool's mass
        # deletions meets a slow inode allocator, which would always fall on the same tool.
        turn = rep % len(tools)
        for name, template in tools[turn:] + tools[:turn]:
            work = os.path.join(base, "work")
            if not counts or rep == 0 and name == tools[0][0]:
                fresh_copy(pristine, work)
            wall, mem, out = timed(template.format(work=work), name.split()[0] in quorvex_names)
            times[name].append(wall)
            mems[name].append(mem)
            if rep == 0:
                outputs[name] = out if counts else digest(work)
    reference = outputs.get(check_against)
    for name, _ in tools:
        if reference is not None and not counts and name not in unchecked and outputs[name] != reference:
            mismatches.append(f"{job}: {name} output differs from {check_against}")
        results.append((job, name, statistics.median(times[name]), statistics.median(mems[name]),
                        times[name]))
    return outputs

def q_tools(options):
    return [(name, f"'{path}' {options}") for name, path in quorvex]

FIND_XARGS = "find {work} -type f -print0 | xargs -0 "

def tree_replace(job, base):
    pristine = corpus(base, "tree", make_tree, args.files)
    tools = q_tools("-c -f needle -r haystack -R {work}")
    tools.append(("xargs -P2 sed -i", FIND_XARGS + "-P2 -n 500 sed -i s/needle/haystack/g"))
    if have["sd"]:
        tools.append(("sd", FIND_XARGS + "sd -s needle haystack"))
    run_job(job, base, pristine, tools, "xargs -P2 sed -i")

def file_replace(job, base, name, maker, mb):
    pristine = corpus(base, name, maker, mb)
    tools = q_tools("-c -f needle -r haystack {work}")
    tools.append(("sed -i", "sed -i s/needle/haystack/g {work}"))
    if have["sd"]:
        tools.append(("sd", "sd -s needle haystack {work}"))
    run_job(job, base, pristine, tools, "sed -i")

def tree_count(job, base):
    pristine = corpus(base, "tree", make_tree, args.files)
    tools = q_tools("-c -f needle -R {work}")
    if have["rg"]:
        tools.append(("rg -c", "rg -c needle {work}"))
    outputs = run_job(job, base, pristine, tools, None, counts=True)
    totals = {}
    for name, _ in quorvex:
        lines = [l for l in outputs[name].decode("utf-8", "replace").splitlines() if l.strip()]
        totals[name] = lines[-1].split()[-1] if lines else "?"
    if len(set(totals.values())) > 1:
        mismatches.append(f"{job}: totals differ {totals}")
    if have["rg"]:
        expected = subprocess.run(f"rg -o --no-filename needle {pristine} | wc -l", shell=True,
                                  capture_output=True, text=True, env=ENV).stdout.strip()
        if totals[quorvex[0][0]] != expected:
            mismatches.append(f"{job}: quorvex counted {totals[quorvex[0][0]]}, rg -o {expected}")

def general(job, base, options):
    pristine = corpus(base, "tree", make_tree, args.files)
    run_job(job, base, pristine, q_tools(options + " -R {work}"), quorvex[-1][0])

def regex_replace(job, base, pattern, replacement):
    pristine = corpus(base, "large-regex.txt", make_large_regex, args.large_mb)
    tools = q_tools(f"-c -x -f '{pattern}' -r '{replacement}' {{work}}")
    if have["sd"]:
        tools.append(("sd", f"sd '{pattern}' '{replacement}' {{work}}"))
    run_job(job, base, pristine, tools, "sd" if have["sd"] else quorvex[-1][0])

def regex_count(job, base, pattern):
    pristine = corpus(base, "tree", make_tree, args.files)
    tools = q_tools(f"-c -x -f '{pattern}' -R {{work}}")
    if have["rg"]:
        tools.append(("rg -c", f"rg -c '{pattern}' {{work}}"))
    outputs = run_job(job, base, pristine, tools, None, counts=True)
    lines = [l for l in outputs[quorvex[0][0]].decode("utf-8", "replace").splitlines() if l.strip()]
    total = lines[-1].split()[-1] if lines else "?"
    if have["rg"]:
        # The pattern meets only ASCII around it, so rg's reading of bytes counts the same.
        expected = subprocess.run(f"rg -o --no-filename '{pattern}' {pristine} | wc -l", shell=True,
                                  capture_output=True, text=True, env=ENV).stdout.strip()
        if total != expected:
            mismatches.append(f"{job}: quorvex counted {total}, rg -o {expected}")

def sync_policies(job, base):
    pristine = corpus(base, "tree", make_tree, args.files)
    name, path = quorvex[0]
    tools = [(f"{name} --sync={policy}", f"'{path}' --sync={policy} -c -f needle -r haystack -R {{work}}")
             for policy in ("file", "batch", "none")]
    run_job(job, base, pristine, tools, tools[-1][0])

def general_memory(job, base):
    pristine = corpus(base, "large.txt", make_large, args.large_mb)
    run_job(job, base, pristine, q_tools("-w -f 'need[?]e' -r haystack {work}"), quorvex[-1][0])

def make_large_cp1251(path, mb):
    source = corpus(args.tmpfs, "large.txt", make_large, mb)
    with open(source, "rb") as f, open(path, "wb") as out:
        out.write(f.read().decode("utf-8").encode("cp1251"))

# The same Russian word in either case; code page 1251 has no peer, so its output is checked
# against our own general path (--json reads every file into a document).
def cyrillic(base):
    pristine = corpus(base, "large.txt", make_large, args.large_mb)
    tools = q_tools("-c -f иголка -r ИГОЛКА {work}")
    tools.append(("sd -s", "sd -s иголка ИГОЛКА {work}"))
    run_job(f"{args.large_mb} MB Cyrillic replace, case, tmpfs", base, pristine, tools, "sd -s")
    tools = q_tools("-f иголка -r нитка {work}")
    tools.append(("sd (?i)", "sd '(?i)иголка' нитка {work}"))
    run_job(f"{args.large_mb} MB Cyrillic replace, any case, tmpfs", base, pristine, tools, "sd (?i)")
    pristine = corpus(base, "large-1251.txt", make_large_cp1251, args.large_mb)
    for options, how in (("-c -f иголка -r ИГОЛКА", "case"), ("-f иголка -r нитка", "any case")):
        tools = q_tools(options + " {work}")
        tools.append(("general path", f"'{quorvex[0][1]}' --json {options} {{work}} >/dev/null"))
        run_job(f"{args.large_mb} MB code page 1251 Cyrillic replace, {how}, tmpfs", base, pristine,
                tools, "general path")

def tree_cyrillic(job, base):
    pristine = corpus(base, "tree", make_tree, args.files)
    name, path = quorvex[0]
    tools = q_tools("-c -f иголка -r ИГОЛКА -R {work}")
    tools.append((f"{name} ASCII", f"'{path}' -c -f needle -r haystack -R {{work}}"))
    tools.append(("general path", f"'{path}' --json -c -f иголка -r ИГОЛКА -R {{work}} >/dev/null"))
    run_job(job, base, pristine, tools, "general path", unchecked=(f"{name} ASCII",))

def large_wild(job, base):
    pristine = corpus(base, "large.txt", make_large, args.large_mb)
    tools = q_tools("-c -w -W -f '<b>[*1]</b>' -r '<i>[B1]</i>' {work}")
    tools.append(("sd", "sd '(?s)<b>(.*?)</b>' '<i>$1</i>' {work}"))
    run_job(job, base, pristine, tools, "sd")

for job in jobs:
    if job == "cyrillic":
        cyrillic(args.tmpfs)
    elif job == "tree-cyrillic":
        tree_cyrillic("tree Cyrillic replace, tmpfs", args.tmpfs)
    elif job == "large-wild":
        large_wild(f"{args.large_mb} MB <b>[*1]</b> replace, tmpfs", args.tmpfs)
    elif job == "tree-tmpfs":
        tree_replace("tree replace, tmpfs", args.tmpfs)
    elif job == "tree-disk":
        tree_replace("tree replace, disk", args.disk)
    elif job == "large":
        file_replace(f"{args.large_mb} MB replace, tmpfs", args.tmpfs, "large.txt", make_large, args.large_mb)
        general_memory(f"{args.large_mb} MB wildcard replace (general path), tmpfs", args.tmpfs)
    elif job == "dense":
        file_replace(f"dense {args.dense_mb} MB replace, tmpfs", args.tmpfs, "dense.txt", make_dense, args.dense_mb)
    elif job == "count":
        tree_count("tree count, tmpfs", args.tmpfs)
    elif job == "general-wild":
        general("tree wildcard replace (general path), tmpfs", args.tmpfs, "-w -f 'need[?]e' -r haystack")
    elif job == "regex":
        regex_replace(f"{args.large_mb} MB regex replace (\\w+)@(\\w+)\\.com, tmpfs", args.tmpfs,
                      r"(\w+)@(\w+)\.com", "$2 at $1")
        regex_replace(f"{args.large_mb} MB regex replace <b>(.*?)</b>, tmpfs", args.tmpfs,
                      "<b>(.*?)</b>", "<strong>$1</strong>")
        regex_count("tree regex count, tmpfs", args.tmpfs, r"need\w+")
    elif job == "sync-policies":
        sync_policies("tree replace, disk, by sync policy", args.disk)
    elif job == "general-nocase":
        general("tree Cyrillic, case ignored, tmpfs", args.tmpfs, "-f 'ИГОЛКА' -r 'нитка'")
    else:
        sys.exit(f"unknown job {job}")

print(f"\nmedians of {args.reps} runs, tools interleaved; ratio = quorvex / that tool")
for job in dict.fromkeys(r[0] for r in results):
    rows = [r for r in results if r[0] == job]
    q = rows[0][2]
    print(f"\n{job}")
    for _, name, median, mem, runs in rows:
        ratio = "" if name == rows[0][1] else f"  ratio {q / median:5.2f}"
        spread = " ".join(f"{t:.2f}" for t in runs)
        peak = f"peak {mem:5.0f} MB" if mem == mem else " " * 13
        print(f"  {name:<22} {median:8.2f} s  {peak}{ratio}   [{spread}]")
if mismatches:
    print("\nOUTPUTS DIFFER:\n  " + "\n  ".join(mismatches))
    sys.exit(1)
print("\nevery output byte-identical to the reference tool's")
PY
