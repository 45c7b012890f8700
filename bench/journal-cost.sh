#!/bin/bash
# What the undo journal costs a tree replace: runs quorvex-batch over a fresh copy of a tree,
# with the journal (its default) and with --no-journal, interleaved, and prints each run's wall,
# user and system seconds, then min/median/max of the wall times and of the CPU times (user +
# system, which a machine loaded by other work blurs less) of each.
#   bench/journal-cost.sh TOOL TREE [REPS] [WORKDIR] [full]
# TREE is copied into WORKDIR (default /dev/shm/journal-cost) before each run, outside the clock;
# the journal goes to a fresh folder of its own (QUORVEX_JOURNAL_FOLDER) on the work tree's disk,
# where a user's would be. With "full", the journal is first filled past its limits (20 runs,
# 2 GB) and kept between the runs, so that each run prunes the oldest as a user's then does.
set -eu
tool=$1
tree=$2
reps=${3:-5}
work=${4:-/dev/shm/journal-cost}
full=${5:-}
state=$(mktemp -d "${TMPDIR:-/tmp}/journal-cost-state.XXXXXX")
# A run's originals kept on another file system than the journal's are linked into a folder
# named after the run at that file system's top: removed with the run.
forget_runs() {
  # Hidden ".ID.removed" ones too: a removal stopped when its process ended.
  for run in "$state"/runs/*/ "$state"/runs/.*.removed/; do
    [ -d "$run" ] || continue
    id=$(basename "$run")
    id=${id#.}
    id=${id%.removed}
    rm -rf "$(df --output=target "$(dirname "$work")" | tail -1)/.quorvex-journal-$(id -u)/$id"
  done
  rm -rf "$work" "${state:?}"/*
}
trap 'forget_runs; rm -rf "$state"' EXIT
fill() {
  mkdir -p "$work"
  cp -a "$tree" "$work/tree"
  for n in $(seq 12); do
    if [ $((n % 2)) = 1 ]; then from=needle to=haystack; else from=haystack to=needle; fi
    QUORVEX_JOURNAL_FOLDER=$state/runs "$tool" -c -f $from -r $to -R "$work/tree" >/dev/null 2>&1
  done
  rm -rf "$work"
}
declare -A times cpu
[ "$full" = full ] && fill
for rep in $(seq "$reps"); do
  for variant in journal no-journal; do
    if [ "$full" = full ]; then rm -rf "$work"; else forget_runs; fi
    mkdir -p "$work"
    cp -a "$tree" "$work/tree"
    sync
    extra=""
    [ "$variant" = no-journal ] && extra="--no-journal"
    QUORVEX_JOURNAL_FOLDER=$state/runs /usr/bin/time -o "$state/time" -f '%e %U %S' "$tool" \
      -c -f needle -r haystack -R $extra "$work/tree" >/dev/null 2>&1
    out=$(cat "$state/time")
    echo "$variant rep $rep: $out"
    times[$variant]+="${out%% *} "
    cpu[$variant]+="$(echo "$out" | awk '{print $2 + $3}') "
  done
done
spread() { tr ' ' '\n' | sort -n | awk 'NF {a[++n]=$1} END {print a[1], a[int((n+1)/2)], a[n]}'; }
for variant in journal no-journal; do
  echo "$variant wall min/median/max: $(echo ${times[$variant]} | spread)"
  echo "$variant cpu  min/median/max: $(echo ${cpu[$variant]} | spread)"
done
