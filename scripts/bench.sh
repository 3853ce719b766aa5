#!/usr/bin/env bash
# Whole-process measurements against a plain copy of the same files and
# against the I/O floor. Usage:
#   bash scripts/bench.sh            # RUNS=11 by default
#   RUNS=21 bash scripts/bench.sh
# Builds the release, then in a fresh temporary directory:
# 1. times the program's headless run (DISPLAY unset) from a copy of the
#    executable against `cp` of the six files it leaves, and against the
#    I/O floor writing the same six files;
# 2. generates 10, 100 and 1000 km scenarios and times their compile, the
#    1000 km one against `cp` of its three files and against their floor,
#    and the time per km; and times the track line's floor (bench/
#    linea_minima: the same files written by the compile's code from the
#    line's drawing alone) against `cp` and against the compile;
# 3. times `compatta check` of the 1000 km scenario against `compatta
#    compile --no-track` of it, `compatta decompile` of its compiled files
#    against its compile, and `compatta report` of the compiled-in
#    scenario against `compatta check` of it;
# 4. reports each run's peak resident set, and the targets;
# 5. times `compatta build` of a folder of 100 generated scenarios (10
#    routes of 10 to 100 km, 10 trains each) against 100 separate `compatta
#    compile` processes, and a build with nothing changed against the first.
# A comparison of two processes (`bench/alterna`) runs them in turn, A B,
# B A, ..., RUNS pairs after a warm-up of each, and gives the median of the
# pairs' ratios: on a machine shared with other work, two runs taken one
# right after the other see about the same of it, so that ratio is steadier
# than two medians taken apart. The output files are removed (untimed)
# before each run. A process is timed from fork to reaped exit; `cp` is the
# system's, a process that only copies the same bytes. The I/O floor times
# only its writes (a plain create, write, close per file, no temporary file
# and no rename, with the bytes read beforehand), so its ratio also carries
# the process's start-up; a second ratio adds an empty process's fastest
# fork-to-exit time to the floor. Processor time (user and system) is shown
# beside the wall time. The targets are judged on the wall-time ratios to
# `cp`.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-11}

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release >/dev/null
b=build/release
for tool in tempo_processo alterna io_floor genera_scenario processo_vuoto \
            linea_minima; do
  [ -x "$b/bench/$tool" ] || { echo "bench: $b/bench/$tool missing"; exit 1; }
done
compatta=$b/src/tool/compatta
[ -x "$compatta" ] || { echo "bench: $compatta missing"; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
field() { sed -n "s/.*\b$1=\([^ ]*\).*/\1/p"; }
cp_bin=$(command -v cp)
# Every run headless: the program opens no window and waits for no click.
unset DISPLAY
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.2f", s * 1000 }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
# against_cp NAME DIR SRC_DIR CP_DIR N FILE... COMMAND...: alternating runs
# of COMMAND, which leaves the N files in DIR, and of `cp` of the same files
# from SRC_DIR into CP_DIR. Sets NAME_cp_ratio, NAME_cp_cpu_ratio, NAME_alt
# (the command's median) and NAME_cp (cp's).
against_cp() {
  local name=$1 dir=$2 src=$3 cp_dir=$4 n=$5
  shift 5
  local files=("${@:1:n}")
  shift "$n"
  local out
  out=$("$b/bench/alterna" "$runs" "$dir" "${files[@]}" -- "$@" ::: \
        "$cp_dir" "${files[@]}" -- "$cp_bin" "${files[@]/#/$src/}" "$cp_dir/")
  printf -v "${name}_cp_ratio" %s "$(echo "$out" | field ratio)"
  printf -v "${name}_cp_cpu_ratio" %s "$(echo "$out" | field cpu_ratio)"
  printf -v "${name}_alt" %s "$(echo "$out" | field a_median_s)"
  printf -v "${name}_cp" %s "$(echo "$out" | field b_median_s)"
}

echo "machine: $(nproc) cores, $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)"
echo "temporary directory: $tmp on $(stat -f -c %T "$tmp") ($(df -PT "$tmp" | awk 'NR==2 { print $2 }'))"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg); runs: median of $runs after a warm-up"
echo

# 0. Starting and ending an empty process, for reading the figures below.
out=$("$b/bench/tempo_processo" "$runs" "$tmp" -- "$b/bench/processo_vuoto")
# Its fastest run: a short process waits longest for a busy processor.
e_time=$(echo "$out" | field min_s)
e_cpu=$(echo "$out" | field cpu_s)

# 1. The program.
mkdir "$tmp/program" "$tmp/program_floor"
cp "$b/src/app/compattatore" "$tmp/program/"
program_files=(Orsella_Vantrona_linea.dat Orsella_Vantrona_4273.sim
               Orsella_Vantrona_4273.dat Orsella_Vantrona_4273_note.txt
               Orsella_Vantrona_4273_rallentamenti.txt
               Orsella_Vantrona_4273_scheda_treno.txt)
out=$("$b/bench/tempo_processo" "$runs" "$tmp/program" \
      "${program_files[@]}" -- "$tmp/program/compattatore")
p_time=$(echo "$out" | field median_s)
p_cpu=$(echo "$out" | field cpu_s)
p_rss=$(echo "$out" | field max_rss_kib)
# The last run left the six files: the floor writes the same bytes.
floor=$("$b/bench/io_floor" "$runs" "$tmp/program" "$tmp/program_floor" \
        "${program_files[@]}")
p_floor=$(echo "$floor" | field median_s)
p_floor_cpu=$(echo "$floor" | field cpu_s)
largest_program=$(cd "$tmp/program" && stat -c %s "${program_files[@]}" | sort -n | tail -n1)
# Against cp of the same six files, taken from what the last run left.
mkdir "$tmp/program_source" "$tmp/program_cp"
(cd "$tmp/program" && "$cp_bin" "${program_files[@]}" "$tmp/program_source/")
against_cp p "$tmp/program" "$tmp/program_source" "$tmp/program_cp" \
  "${#program_files[@]}" "${program_files[@]}" "$tmp/program/compattatore"

# 2. Compiles of generated scenarios.
compiler="compatta compile ($compatta)"
declare -A c_time c_cpu c_rss c_floor c_floor_cpu c_largest
for km in 10 100 1000; do
  name="Generata_${km}km"
  texts="$tmp/texts_$km"
  dir="$tmp/compile_$km"
  mkdir "$texts" "$dir"
  "$b/bench/genera_scenario" $((km * 1000)) "$texts" "$name" 9000 >/dev/null
  route="$texts/${name}_linea.txt"
  train="$texts/${name}_9000-.txt"
  files=("${name}_linea.dat" "${name}_9000.sim" "${name}_9000.dat")
  cmd=("$compatta" compile "$route" "$train" -o "$dir")
  # Status 0 from every run: the texts read without a data fault.
  out=$("$b/bench/tempo_processo" "$runs" "$dir" "${files[@]}" -- "${cmd[@]}")
  c_time[$km]=$(echo "$out" | field median_s)
  c_cpu[$km]=$(echo "$out" | field cpu_s)
  c_rss[$km]=$(echo "$out" | field max_rss_kib)
  c_largest[$km]=$(cd "$dir" && stat -c %s "${files[@]}" | sort -n | tail -n1)
  if [ "$km" = 1000 ]; then
    mkdir "$tmp/compile_floor"
    floor=$("$b/bench/io_floor" "$runs" "$dir" "$tmp/compile_floor" "${files[@]}")
    c_floor[$km]=$(echo "$floor" | field median_s)
    c_floor_cpu[$km]=$(echo "$floor" | field cpu_s)
    mkdir "$tmp/compile_source" "$tmp/compile_cp"
    (cd "$dir" && "$cp_bin" "${files[@]}" "$tmp/compile_source/")
    against_cp c "$dir" "$tmp/compile_source" "$tmp/compile_cp" \
      "${#files[@]}" "${files[@]}" "${cmd[@]}"
    # The track line's floor: the same three files written by the compile's
    # own code from the line's drawing alone, nothing read or checked.
    # Its points follow in a fixed order of operations, so no compile can
    # be faster than this.
    "$b/bench/linea_minima" prepara "$route" "$train" "$tmp/drawing"
    mkdir "$tmp/line_floor"
    line_floor_cmd=("$b/bench/linea_minima" scrivi "$tmp/drawing"
                    "$tmp/compile_source" "$tmp/line_floor" "${files[@]}")
    against_cp l "$tmp/line_floor" "$tmp/compile_source" "$tmp/compile_cp" \
      "${#files[@]}" "${files[@]}" "${line_floor_cmd[@]}"
    out=$("$b/bench/alterna" "$runs" "$dir" "${files[@]}" -- "${cmd[@]}" ::: \
          "$tmp/line_floor" "${files[@]}" -- "${line_floor_cmd[@]}")
    c_l_ratio=$(echo "$out" | field ratio)
    # check reads and seals as compile does, with the track line, and
    # writes nothing: against compile without the track line.
    mkdir "$tmp/compile_no_track"
    out=$("$b/bench/alterna" "$runs" . -- \
          "$compatta" check "$route" "$train" ::: \
          "$tmp/compile_no_track" "${files[@]:1}" -- \
          "$compatta" compile "$route" "$train" --no-track \
          -o "$tmp/compile_no_track")
    k_ratio=$(echo "$out" | field ratio)
    k_time=$(echo "$out" | field a_median_s)
    k_no_track=$(echo "$out" | field b_median_s)
    # decompile reads the three files, writes the two texts and compiles
    # them in memory to prove them: against the compile that made the
    # files.
    mkdir "$tmp/decompile_texts"
    out=$("$b/bench/alterna" "$runs" "$tmp/decompile_texts" \
          "${name}_linea.txt" "${name}_9000-.txt" -- \
          "$compatta" decompile "$tmp/compile_source/${name}_9000.sim" \
          -o "$tmp/decompile_texts" ::: \
          "$dir" "${files[@]}" -- "${cmd[@]}")
    d_ratio=$(echo "$out" | field ratio)
    d_time=$(echo "$out" | field a_median_s)
    d_compile=$(echo "$out" | field b_median_s)
  fi
done

plus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.6f", a + b }'; }
p_floor_proc=$(plus "$p_floor" "$e_time")
c_floor_proc=$(plus "${c_floor[1000]}" "$e_time")
echo "| Run | Median | \`cp\` of its files | Ratio to \`cp\` (median of pairs) | CPU ratio to \`cp\` |"
echo "|---|---|---|---|---|"
echo "| compattatore, headless (6 files) | $(ms "$p_alt") ms | $(ms "$p_cp") ms | $p_cp_ratio | $p_cp_cpu_ratio |"
echo "| compile 1000 km (3 files) | $(ms "$c_alt") ms | $(ms "$c_cp") ms | $c_cp_ratio | $c_cp_cpu_ratio |"
echo "| track line's floor, 1000 km (3 files) | $(ms "$l_alt") ms | $(ms "$l_cp") ms | $l_cp_ratio | $l_cp_cpu_ratio |"
echo
echo "| Run | Median | I/O floor | Ratio | Ratio to floor + empty process | CPU | Floor CPU | CPU ratio | Peak RSS |"
echo "|---|---|---|---|---|---|---|---|---|"
echo "| compattatore, headless (6 files, largest $(mib $((largest_program / 1024))) MiB) | $(ms "$p_time") ms | $(ms "$p_floor") ms | $(ratio "$p_time" "$p_floor") | $(ratio "$p_time" "$p_floor_proc") | $(ms "$p_cpu") ms | $(ms "$p_floor_cpu") ms | $(ratio "$p_cpu" "$p_floor_cpu") | $(mib "$p_rss") MiB |"
echo "| compile 1000 km (3 files, largest $(mib $((c_largest[1000] / 1024))) MiB) | $(ms "${c_time[1000]}") ms | $(ms "${c_floor[1000]}") ms | $(ratio "${c_time[1000]}" "${c_floor[1000]}") | $(ratio "${c_time[1000]}" "$c_floor_proc") | $(ms "${c_cpu[1000]}") ms | $(ms "${c_floor_cpu[1000]}") ms | $(ratio "${c_cpu[1000]}" "${c_floor_cpu[1000]}") | $(mib "${c_rss[1000]}") MiB |"
echo
echo "empty process (fork, exec, exit of bench/processo_vuoto): fastest $(ms "$e_time") ms, median CPU $(ms "$e_cpu") ms"
echo
echo "| Compile | Median | Per km | CPU | CPU per km | Peak RSS |"
echo "|---|---|---|---|---|---|"
for km in 10 100 1000; do
  per_km=$(awk -v t="${c_time[$km]}" -v k="$km" 'BEGIN { printf "%.1f", t * 1e6 / k }')
  cpu_km=$(awk -v t="${c_cpu[$km]}" -v k="$km" 'BEGIN { printf "%.1f", t * 1e6 / k }')
  echo "| $km km | $(ms "${c_time[$km]}") ms | $per_km us | $(ms "${c_cpu[$km]}") ms | $cpu_km us | $(mib "${c_rss[$km]}") MiB |"
done
echo
echo "| Command | Median | Against | Its median | Ratio (median of pairs) |"
echo "|---|---|---|---|---|"
echo "| \`compatta check\`, 1000 km | $(ms "$k_time") ms | \`compile --no-track\` | $(ms "$k_no_track") ms | $k_ratio |"
echo "| \`compatta decompile\`, 1000 km | $(ms "$d_time") ms | \`compile\` of it | $(ms "$d_compile") ms | $d_ratio |"

# `compatta report` of the compiled-in scenario, as `compatta texts` writes
# its texts, against `compatta check` of the same texts.
mkdir "$tmp/report"
"$compatta" texts -o "$tmp/report" >/dev/null
r_route="$tmp/report/Orsella_Vantrona_linea.txt"
r_train="$tmp/report/Orsella_Vantrona_4273-.txt"
out=$("$b/bench/alterna" "$runs" . -- \
      "$compatta" report "$r_route" "$r_train" -o "$tmp/report/r.html" ::: . -- \
      "$compatta" check "$r_route" "$r_train")
echo "| \`compatta report\`, compiled-in scenario | $(ms "$(echo "$out" | field a_median_s)") ms | \`check\` of it | $(ms "$(echo "$out" | field b_median_s)") ms | $(echo "$out" | field ratio) |"
echo
echo "compile: $compiler"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

# 3. The targets.
verdict() { if awk "BEGIN { exit !($1) }"; then echo met; else echo MISSED; fi; }
per_km_ratio=$(awk -v a="${c_time[1000]}" -v b="${c_time[100]}" \
  'BEGIN { printf "%.2f", (a / 1000) / (b / 100) }')
rss_limit_kib=$(( 2 * c_largest[1000] / 1024 + 16 * 1024 ))
echo "program within 1.5x cp of its files: $p_cp_ratio -> $(verdict "$p_cp_ratio <= 1.5")"
echo "1000 km compile within 1.5x cp of its files: $c_cp_ratio -> $(verdict "$c_cp_ratio <= 1.5")"
echo "(the track line's floor against cp: $l_cp_ratio, the least any compile of it can take; the compile against that floor: $c_l_ratio)"
echo "(against the in-process I/O floor: program $(ratio "$p_time" "$p_floor"), 1000 km compile $(ratio "${c_time[1000]}" "${c_floor[1000]}"))"
echo "per km at 1000 km within 1.25x that at 100 km: $per_km_ratio -> $(verdict "$per_km_ratio <= 1.25")"
echo "1000 km decompile within 3x its compile: $d_ratio -> $(verdict "$d_ratio <= 3")"
echo "1000 km compile peak RSS under 2 x largest file + 16 MiB ($(mib "$rss_limit_kib") MiB): $(mib "${c_rss[1000]}") MiB -> $(verdict "${c_rss[1000]} < $rss_limit_kib")"

# 4. Many scenarios: one build against a compile process each. The first
#    build and the separate compiles start with every compiled file (and the
#    build state) removed; the build with nothing changed starts from what
#    the last first build left.
if [ -n "$compatta" ]; then
  many="$tmp/many"
  mkdir "$many" "$tmp/many_build" "$tmp/many_separate"
  many_files=()
  separate="$tmp/separate.sh"
  : >"$separate"
  for r in $(seq 1 10); do
    for t in $(seq 1 10); do
      "$b/bench/genera_scenario" $((r * 10000)) "$many" "Linea$r" "$t" >/dev/null
      many_files+=("Linea${r}_$t.sim" "Linea${r}_$t.dat")
      printf '%q compile %q %q -o %q >/dev/null\n' "$compatta" \
        "$many/Linea${r}_linea.txt" "$many/Linea${r}_$t-.txt" \
        "$tmp/many_separate" >>"$separate"
    done
    many_files+=("Linea${r}_linea.dat")
  done
  out=$("$b/bench/tempo_processo" "$runs" "$tmp/many_separate" \
        "${many_files[@]}" -- "$(command -v bash)" "$separate")
  m_separate=$(echo "$out" | field median_s)
  m_separate_cpu=$(echo "$out" | field cpu_s)
  out=$("$b/bench/tempo_processo" "$runs" "$tmp/many_build" \
        "${many_files[@]}" .compatta-build-state -- \
        "$compatta" build "$many" -o "$tmp/many_build")
  m_first=$(echo "$out" | field median_s)
  m_first_cpu=$(echo "$out" | field cpu_s)
  m_first_rss=$(echo "$out" | field max_rss_kib)
  out=$("$b/bench/tempo_processo" "$runs" "$tmp/many_build" -- \
        "$compatta" build "$many" -o "$tmp/many_build")
  m_none=$(echo "$out" | field median_s)
  m_none_cpu=$(echo "$out" | field cpu_s)
  for f in "${many_files[@]}"; do
    cmp -s "$tmp/many_build/$f" "$tmp/many_separate/$f" ||
      { echo "bench: $f differs between build and compile"; exit 1; }
  done
  echo
  echo "| 100 scenarios (10 routes x 10 trains, $(nproc) cores) | Median | CPU | Peak RSS |"
  echo "|---|---|---|---|"
  echo "| 100 separate \`compatta compile\` | $(ms "$m_separate") ms | $(ms "$m_separate_cpu") ms | |"
  echo "| \`compatta build\`, first | $(ms "$m_first") ms | $(ms "$m_first_cpu") ms | $(mib "$m_first_rss") MiB |"
  echo "| \`compatta build\`, nothing changed | $(ms "$m_none") ms | $(ms "$m_none_cpu") ms | |"
  echo
  echo "build within half of 100 separate compiles: $(ratio "$m_first" "$m_separate") -> $(verdict "$m_first <= 0.5 * $m_separate")"
  echo "build with nothing changed within a fifth of the first: $(ratio "$m_none" "$m_first") -> $(verdict "$m_none <= 0.2 * $m_first")"
fi
