#!/usr/bin/env bash
# Builds the fuzz targets (clang 14, libFuzzer, ASan + UBSan) and runs each
# for SECONDS over its seed corpus:
#   scripts/fuzz.sh [SECONDS] [TARGET...]      (default 20 s, every target)
# New inputs go to build-fuzz/corpus/<target> (kept between runs, so hours
# of fuzzing build on each other); a crashing input is written to
# build-fuzz/findings/<target>/ and the script fails, naming it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
dir=build-fuzz

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
CC=clang-14 CXX=clang++-14 cmake -S . -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTRELL_FUZZ=ON -DVANTRELL_BUILD_GUI=OFF -DVANTRELL_BUILD_BENCHMARKS=OFF -DVANTRELL_WERROR=ON >/dev/null
cmake --build "$dir" --parallel "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in fuzz/*_fuzz.cpp; do targets+=("$(basename "$t" .cpp)"); done
fi

failed=()
for t in "${targets[@]}"; do
  mkdir -p "$dir/corpus/$t" "$dir/findings/$t"
  echo "== $t: ${seconds} s"
  if ! "$dir/bin/$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$dir/findings/$t/" "$dir/corpus/$t" "fuzz/corpus/$t" 2>"$dir/$t.log"; then
    failed+=("$t")
    tail -40 "$dir/$t.log"
  fi
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$dir/$t.log" | sed "s/^/   /" || true
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: findings in ${failed[*]} (inputs in $dir/findings/; rerun one with $dir/bin/<target> <input>)"
  exit 1
fi
echo "fuzz: no findings"
