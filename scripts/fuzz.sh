#!/usr/bin/env bash
# Builds the fuzz targets (clang 14, libFuzzer, ASan + UBSan) and runs each
# for SECONDS over its seed corpus, as many side by side as there are cores:
#   scripts/fuzz.sh [SECONDS] [TARGET...]      (default 20 s, every target)
# New inputs go to build-fuzz/corpus/<target> (kept between runs, so hours
# of fuzzing build on each other); a crashing input is written to
# build-fuzz/findings/<target>/ and the script fails, naming it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
dir=build-fuzz
jobs=$(nproc)

# The targets need the core and the simulator only: no windows, no command line.
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
CC=clang-14 CXX=clang++-14 cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTRELL_FUZZ=ON -DVANTRELL_BUILD_GUI=OFF -DVANTRELL_BUILD_CLI=OFF -DVANTRELL_BUILD_BENCHMARKS=OFF \
  -DVANTRELL_WERROR=ON >/dev/null
cmake --build "$dir" --parallel "$jobs"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in fuzz/*_fuzz.cpp; do targets+=("$(basename "$t" .cpp)"); done
fi

# A target's wall-clock timeout must allow for sharing a core with the others.
fuzz_one() {
  local t=$1
  mkdir -p "$dir/corpus/$t" "$dir/findings/$t"
  "$dir/bin/$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=60 -rss_limit_mb=2048 \
    -artifact_prefix="$dir/findings/$t/" "$dir/corpus/$t" "fuzz/corpus/$t" >"$dir/$t.log" 2>&1
}

echo "== ${#targets[@]} targets, ${seconds} s each, $jobs at a time"
declare -A pid_of
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  fuzz_one "$t" &
  pid_of[$t]=$!
done

failed=()
for t in "${targets[@]}"; do
  if ! wait "${pid_of[$t]}"; then
    failed+=("$t")
    echo "== $t: finding"
    tail -40 "$dir/$t.log"
  fi
  echo "== $t"
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$dir/$t.log" | sed "s/^/   /" || true
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: findings in ${failed[*]} (inputs in $dir/findings/; rerun one with $dir/bin/<target> <input>)"
  exit 1
fi
echo "fuzz: no findings"
