#!/usr/bin/env bash
# A verb handed to a running instance: while one player plays a tone,
# `PLAYER --play-pause`, from its exec to the player's PulseAudio stream being
# corked (or removed), taken from the server's events by pause_time.py. Tunvia,
# Audacious and Qmmp in the same session, one after the other, each with its
# own instance; medians of RUNS pauses after a warm-up (each is resumed again
# before the next). Installs Audacious and Qmmp from Debian if they are missing.
#
# Run by hand as root:  bash bench/verb_bench.sh [--runs N] [TUNVIA_BINARY]
# Without TUNVIA_BINARY it builds one in build-bench. The session comes from
# session.sh (the shared harness's Xvfb, D-Bus session bus and PulseAudio).
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
runs=7 binary=
while (($#)); do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        *) binary=$1; shift ;;
    esac
done
((runs >= 5)) || { echo "--runs: at least 5" >&2; exit 2; }

source "$repo/bench/session.sh"
need_packages audacious qmmp
binary=$(tunvia_binary "$binary") || exit 1
# The program's folder is its application folder (its list lives there).
mkdir -p "$work/app"
cp "$binary" "$work/app/tunvia"
peer_homes

ROWS=()
# measure NAME HOME_TEMPLATE PLAYER...: PLAYER FILE plays, then PLAYER --play-pause.
measure() {
    local name=$1 template=$2; shift 2
    fresh_home "$template"
    start_first "$work/home" "$@" "$file"
    local -a ms=()
    mapfile -t ms < <(env -i $(player_env "$work/home") \
        python3 "$repo/bench/pause_time.py" "$runs" -- "$@" --play-pause 2> "$work/$name.err" \
        | grep -v '^median')
    stop_first
    if ((${#ms[@]} == 0)); then
        ROWS+=("$(printf '| %s | – | – | – | 0 of %d: %s |' "$name" "$runs" \
            "$(tr '\n' ' ' < "$work/$name.err")")")
        return
    fi
    local min med max
    read -r min med max <<< "$(stats "${ms[@]}")"
    ROWS+=("$(printf '| %s | %s | %s | %s | %d of %d: %s |' "$name" "$min" "$med" "$max" \
        "${#ms[@]}" "$runs" "${ms[*]}")")
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
measure tunvia "" "$work/app/tunvia"
command -v audacious > /dev/null && measure audacious "$BENCH_DIR/seeds/aud-gtk-skins" audacious
command -v qmmp > /dev/null && measure qmmp "$BENCH_DIR/seeds/qmmp" qmmp
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo "exec of PLAYER --play-pause -> stream corked, ms"
echo "| player | min | median | max | runs |"
echo "|---|---|---|---|---|"
printf '%s\n' "${ROWS[@]}"
echo "load average before: $load_before   after: $load_after"
