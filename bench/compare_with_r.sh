#!/usr/bin/env bash
# Times the program against R on the same data, for the performance table of
# README.md:
# - principal coordinates of n = 1500 units by 20 variables (Euclidean
#   distances), as whole processes: the program reading the data file,
#   computing the distances and the ordination and writing its report, and
#   Rscript running cmdscale(dist(X), k = 20, eig = TRUE) on the same file;
# - hierarchical clustering of n = 2000 and 5000 points in 5 dimensions by
#   R's hclust (average, ward.D2, single), timed inside R from the distance
#   object, as bench_cluster times the program's methods.
# The tables come from the Park-Miller generator of bench/BenchData.h.
# Each timing is the best of three. Usage: bench/compare_with_r.sh [program]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$root/build/plexor}"
work="$(mktemp -d /tmp/plexor-vs-r-XXXXXX)"
trap 'rm -rf "$work"' EXIT

cat > "$work/table.R" <<'RCODE'
park_miller <- function(count, seed = 20240601) {
  x <- numeric(count); s <- seed
  for (i in seq_len(count)) { s <- (16807 * s) %% 2147483647; x[i] <- s / 2147483647 }
  x
}
args <- commandArgs(TRUE)
n <- as.integer(args[1]); p <- as.integer(args[2])
X <- matrix(park_miller(n * p), n, p, byrow = TRUE)
write.table(formatC(X, digits = 17, format = "g"), args[3], row.names = FALSE, col.names = FALSE, quote = FALSE)
RCODE
cat > "$work/cmdscale.R" <<'RCODE'
X <- as.matrix(read.table(commandArgs(TRUE)[1]))
r <- cmdscale(dist(X), k = 20, eig = TRUE)
RCODE
cat > "$work/hclust.R" <<'RCODE'
X <- as.matrix(read.table(commandArgs(TRUE)[1]))
d <- dist(X)
for (m in c("average", "ward.D2", "single")) {
  t <- min(sapply(1:3, function(i) system.time(hclust(d, method = m))[["elapsed"]]))
  cat(sprintf("R hclust %-8s n = %d: %.3f s\n", m, nrow(X), t))
}
RCODE

best_of_three() {  # prints the smallest wall time of three runs of "$@"
  local best=""
  for _ in 1 2 3; do
    local t0 t1
    t0=$(date +%s.%N)
    "$@" > /dev/null 2>&1
    t1=$(date +%s.%N)
    best=$(echo "$t0 $t1 $best" | awk '{t = $2 - $1; if ($3 == "" || t < $3) print t; else print $3}')
  done
  printf '%.3f' "$best"
}

n=1500
Rscript "$work/table.R" $n 20 "$work/c.txt"
printf 'N\nn\nc.txt\n1\n%d\n20\nN\n1\nn\nR\n1\n3\n0\nn\nO\n1\nn\nX\n' $n > "$work/answers.txt"
# The same after setting the processor limit to 1 (menu E; Plexor.prf is
# written in the work folder).
printf 'E\nM\n1\nC\n' | cat - "$work/answers.txt" > "$work/answers1.txt"
run_program() { (cd "$work" && rm -f Zoviri.txt Sessao.trk ./*.trk Plexor.prf && "$program" < "$1"); }
reference_r() {  # R on the reference BLAS and LAPACK instead of the machine's default
  local ref="/usr/lib/${arch}/blas:/usr/lib/${arch}/lapack"
  R_LD_LIBRARY_PATH="$ref:$(R RHOME)/lib" Rscript "$@"
}
arch="$(gcc -print-multiarch 2>/dev/null || echo x86_64-linux-gnu)"
echo "principal coordinates, n = $n, 20 variables, whole process (load: $(cut -d' ' -f1 /proc/loadavg)):"
echo "  program:                       $(best_of_three run_program answers.txt) s"
echo "  program, processor limit 1:    $(best_of_three run_program answers1.txt) s"
echo "  Rscript cmdscale:              $(best_of_three Rscript "$work/cmdscale.R" "$work/c.txt") s"
if [ -d "/usr/lib/${arch}/blas" ] && [ -d "/usr/lib/${arch}/lapack" ]; then
  echo "  Rscript cmdscale, reference BLAS and LAPACK: $(best_of_three reference_r "$work/cmdscale.R" "$work/c.txt") s"
fi

for n in 2000 5000; do
  Rscript "$work/table.R" $n 5 "$work/h$n.txt"
  Rscript "$work/hclust.R" "$work/h$n.txt"
done
