#!/usr/bin/env bash
# Times quorvex-batch against sed -i and perl -pi on the same replace-all jobs:
# a tree of many small HTML files, and one large file. Prints seconds and ratios.
#   bench/compare-tools.sh [files-in-tree] [large-file-MB]
set -euo pipefail
cd "$(dirname "$0")/.."
FILES=${1:-5000}
LARGE_MB=${2:-100}

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEX_BUILD_BENCH=ON \
  -DQUORVEX_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" --target quorvex-batch >/dev/null
TOOL=$PWD/build-bench/src/cli/quorvex-batch

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

make_tree() { # $1 folder
  mkdir -p "$1"
  python3 - "$1" "$FILES" <<'PY'
import os, random, sys
root, count = sys.argv[1], int(sys.argv[2])
random.seed(7)
words = ["lorem", "ipsum", "dolor", "needle", "amet", "<b>bold</b>", "<br>"]
for i in range(count):
    folder = os.path.join(root, "d%03d" % (i % 100))
    os.makedirs(folder, exist_ok=True)
    body = " ".join(random.choice(words) for _ in range(600))
    with open(os.path.join(folder, "page%05d.htm" % i), "w") as f:
        f.write("<html><body><p>%s</p></body></html>\n" % body)
PY
}

make_large() { # $1 file
  python3 - "$1" "$LARGE_MB" <<'PY'
import sys
path, mb = sys.argv[1], int(sys.argv[2])
line = ("lorem ipsum dolor needle sit amet consectetur " * 2) + "\n"
with open(path, "w") as f:
    f.write(line * (mb * 1024 * 1024 // len(line)))
PY
}

seconds() { # runs "$@", prints wall seconds
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

report() { # $1 job, $2 quorvex, $3 sed, $4 perl
  printf '%-22s quorvex %7.2fs   sed -i %7.2fs (x%.2f)   perl -pi %7.2fs (x%.2f)\n' \
    "$1" "$2" "$3" "$(echo "$2 / $3" | bc -l)" "$4" "$(echo "$2 / $4" | bc -l)"
}

for tool in q sed perl; do make_tree "$WORK/tree-$tool"; done
q=$(seconds "$TOOL" -f needle -r haystack -R "$WORK/tree-q")
s=$(seconds sh -c "find '$WORK/tree-sed' -name '*.htm' -print0 | xargs -0 sed -i 's/needle/haystack/g'")
p=$(seconds sh -c "find '$WORK/tree-perl' -name '*.htm' -print0 | xargs -0 perl -pi -e 's/needle/haystack/g'")
report "tree of $FILES files" "$q" "$s" "$p"
cmp -s <(cat "$WORK"/tree-q/d000/*.htm) <(cat "$WORK"/tree-sed/d000/*.htm) || echo "warning: outputs differ"

for tool in q sed perl; do make_large "$WORK/large-$tool.txt"; done
q=$(seconds "$TOOL" -f needle -r haystack "$WORK/large-q.txt")
s=$(seconds sed -i 's/needle/haystack/g' "$WORK/large-sed.txt")
p=$(seconds perl -pi -e 's/needle/haystack/g' "$WORK/large-perl.txt")
report "one ${LARGE_MB} MB file" "$q" "$s" "$p"
cmp -s "$WORK/large-q.txt" "$WORK/large-sed.txt" || echo "warning: outputs differ"
echo "(ratio = quorvex time / other tool's time; below 1 means quorvex is faster)"
