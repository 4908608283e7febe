#!/usr/bin/env bash
# The hand-off to a running instance: while a first Tunvia runs idle, a second
# `tunvia FILE`; measured from the exec of the second process to the file
# playing in the first (its PulseAudio stream appearing), and to the second
# process's end. Peers are measured the same way, each against its own running
# first instance, in the same session (--peers: `audacious -e -p FILE` and
# `qmmp FILE`, as `qmmp -e FILE` only adds the file; install both from Debian first).
#
# Run by hand as root:  bash bench/handoff_bench.sh [--runs N] [--peers] [TUNVIA_BINARY]
# Without TUNVIA_BINARY it builds one in build-bench. The shared harness
# (../shared/bench beside the repository, or $BENCH_HARNESS) provides the
# session: Xvfb, a private D-Bus session bus and PulseAudio with a null sink.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
runs=7 peers=0 binary=
while (($#)); do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        --peers) peers=1; shift ;;
        *) binary=$1; shift ;;
    esac
done

source "$repo/bench/session.sh"
binary=$(tunvia_binary "$binary") || exit 1

SUB_PID=
on_cleanup() { [ -n "$SUB_PID" ] && kill "$SUB_PID" 2>/dev/null; }

# Every stream event of PulseAudio, stamped as it arrives.
events=$work/events
: > "$events"
pactl subscribe 2>/dev/null | while read -r line; do echo "$EPOCHREALTIME $line"; done >> "$events" &
SUB_PID=$!

# one_run NAME HOME_TEMPLATE FIRST_CMD HANDOFF_CMD: appends "playing_ms exit_ms" to RESULTS
one_run() {
    local home=$work/home
    rm -f "$work/app/xlist.cfg"
    fresh_home "$2"
    local -a first second
    eval "first=($3)"
    eval "second=($4)"
    start_first "$home" "${first[@]}"
    local before; before=$(wc -l < "$events")
    local t0=$EPOCHREALTIME
    env -i $(player_env "$home") "${second[@]}" "$file" > "$work/second.log" 2>&1 &
    local second_pid=$!
    wait "$second_pid"
    local t_exit=$EPOCHREALTIME i line t_play=
    for ((i = 0; i < 400; i++)); do
        while read -r line; do
            [[ $line == *"'new' on sink-input"* ]] && { t_play=${line%% *}; break; }
        done < <(tail -n +"$((before + 1))" "$events")
        [ -n "$t_play" ] && break
        bench_sleep 0.025
    done
    stop_first
    local ms_play=null
    [ -n "$t_play" ] && ms_play=$(( (10#${t_play/./} - 10#${t0/./}) / 1000 ))
    RESULTS+=("$ms_play $(( (10#${t_exit/./} - 10#${t0/./}) / 1000 ))")
}

# measure NAME HOME_TEMPLATE FIRST_CMD HANDOFF_CMD: one warm-up, then $runs runs
measure() {
    RESULTS=()
    local r
    for ((r = 0; r <= runs; r++)); do one_run "$@"; done
    local -a play=() done=()
    for r in "${RESULTS[@]:1}"; do play+=("${r%% *}"); done+=("${r##* }"); done
    printf '%-10s exec -> playing: median %s ms (min, median, max: %s)   exec -> second ends: median %s ms   [%s]\n' \
        "$1" "$(stats "${play[@]}" | cut -d' ' -f2)" "$(stats "${play[@]}")" \
        "$(stats "${done[@]}" | cut -d' ' -f2)" "${play[*]}"
}

app=$work/app
mkdir -p "$app"
cp "$binary" "$app/tunvia"
measure tunvia "" "'$app/tunvia'" "'$app/tunvia'"
if ((peers)); then
    peer_homes
    measure audacious "$BENCH_DIR/seeds/aud-gtk-skins" "audacious" "audacious -e -p"
    measure qmmp "$BENCH_DIR/seeds/qmmp" "qmmp" "qmmp"
fi
