#!/bin/sh
# The real start: runs `korvel FILE` off screen until the member grid has painted its cells
# (the program ends itself at that moment when KORVEL_EXIT_AT_PAINT is set) and reports, over
# a number of runs, the median wall time, the median CPU time (user + system) and the median
# peak resident memory of the whole process.
#
#   bench/start_bench.sh [-n RUNS] [-x] KORVEL FILE.kvl...
#
# -x runs under xvfb-run instead of Qt's offscreen platform. Each run gets a fresh profile
# folder (a first start: the default column list is written), so runs do not depend on the
# profile of the person measuring. Needs /usr/bin/time (GNU time).
set -eu

runs=5
xvfb=0
while [ $# -gt 0 ]; do
    case "$1" in
    -n) runs="$2"; shift 2 ;;
    -x) xvfb=1; shift ;;
    *) break ;;
    esac
done
if [ $# -lt 2 ]; then
    echo "gebruik: $0 [-n RUNS] [-x] KORVEL BESTAND.kvl..." >&2
    exit 2
fi
korvel="$1"
shift

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%-28s %10s %10s %10s %10s\n' file wall_s cpu_s peak_MB load
for file in "$@"; do
    : >"$work/wall"; : >"$work/cpu"; : >"$work/peak"
    load=$(cut -d' ' -f1 /proc/loadavg)
    i=0
    while [ "$i" -lt "$runs" ]; do
        i=$((i + 1))
        home="$work/home$i"
        mkdir -p "$home/config" "$home/runtime"
        chmod 700 "$home/runtime"
        if [ "$xvfb" = 1 ]; then
            wrapper="xvfb-run -a"
            platform=xcb
        else
            wrapper=
            platform=offscreen
        fi
        # shellcheck disable=SC2086
        HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime" \
            QT_QPA_PLATFORM="$platform" KORVEL_EXIT_AT_PAINT=1 \
            /usr/bin/time -f '%e %U %S %M' -o "$work/time" $wrapper "$korvel" "$file" \
            2>"$work/err" >/dev/null || true
        if ! grep -q 'grid painted' "$work/err"; then
            echo "$file: the grid was not painted:" >&2
            cat "$work/err" >&2
            exit 1
        fi
        read -r wall user sys peak <"$work/time"
        echo "$wall" >>"$work/wall"
        echo "$user $sys" | awk '{ print $1 + $2 }' >>"$work/cpu"
        echo "$peak" | awk '{ print $1 / 1024 }' >>"$work/peak"
    done
    printf '%-28s %10s %10s %10.0f %10s\n' "$(basename "$file")" "$(median <"$work/wall")" \
        "$(median <"$work/cpu")" "$(median <"$work/peak")" "$load"
done
