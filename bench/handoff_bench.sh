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
harness=${BENCH_HARNESS:-$repo/../shared/bench}
runs=7 peers=0 binary=
while (($#)); do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        --peers) peers=1; shift ;;
        *) binary=$1; shift ;;
    esac
done

work=$(mktemp -d -t tunvia-handoff.XXXXXX)
cp -r "$harness" "$work/harness"
chmod -R u+w "$work/harness"
BENCH_DIR=$work/harness
source "$BENCH_DIR/lib.sh"
gcc -O2 -o "$BENCH_DIR/xlaunch" "$BENCH_DIR/xlaunch.c" -lX11 || exit 1
file=$work/tone.mp3
ffmpeg -hide_banner -loglevel error -nostdin -y -f lavfi -i sine=frequency=440:duration=60 \
    -ac 2 -c:a libmp3lame -b:a 128k "$file" || exit 1
if [ -z "$binary" ]; then
    cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_TESTING=OFF > /dev/null && cmake --build "$repo/build-bench" --target tunvia > /dev/null \
        || exit 1
    binary=$repo/build-bench/tunvia
fi

L_PID= P_PID= SUB_PID=
cleanup() {
    [ -n "$L_PID" ] && { kill_tree_of "$L_PID" "$P_PID"; wait "$L_PID" 2>/dev/null; }
    [ -n "$SUB_PID" ] && kill "$SUB_PID" 2>/dev/null
    xvfb_stop
    bench_session_stop
    rm -rf "$work"
}
trap cleanup EXIT
bench_session_start "$work/session" || exit 1
xvfb_start || exit 1

# The environment every player gets: a desktop session's, nothing more.
player_env() { # HOME
    echo HOME="$1" PATH=/usr/local/bin:/usr/bin:/bin USER=root LANG=C.UTF-8 DISPLAY="$XVFB_DISPLAY" \
        XDG_RUNTIME_DIR="$BENCH_XDG" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
        PULSE_SERVER="$PULSE_SERVER" TUNVIA_UPDATE_URL=http://127.0.0.1:9/
}

# Every stream event of PulseAudio, stamped as it arrives.
events=$work/events
: > "$events"
pactl subscribe 2>/dev/null | while read -r line; do echo "$EPOCHREALTIME $line"; done >> "$events" &
SUB_PID=$!

# start_first HOME CMD...: the first instance, idle, with its window up for 2 s.
start_first() {
    local home=$1 out=$work/first.out i line; shift
    : > "$out"
    env -i $(player_env "$home") "$BENCH_DIR/xlaunch" -o "$out" -- "$@" > "$work/first.log" 2>&1 &
    L_PID=$!
    for ((i = 0; i < 300; i++)); do
        read -r line < "$out" 2>/dev/null; [[ $line == pid* ]] && break; bench_sleep 0.02
    done
    P_PID=${line#pid }; P_PID=${P_PID%% *}
    for ((i = 0; i < 300; i++)); do grep -q '^map' "$out" && break; bench_sleep 0.05; done
    bench_sleep 2
}

# one_run NAME HOME_TEMPLATE FIRST_CMD HANDOFF_CMD: appends "playing_ms exit_ms" to RESULTS
one_run() {
    local home=$work/home
    rm -rf "$home" "$work/app/xlist.cfg"
    if [ -n "$2" ]; then cp -a "$2" "$home"; else mkdir -p "$home"; fi
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
    kill_tree_of "$L_PID" "$P_PID"; wait "$L_PID" 2>/dev/null; L_PID=
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
    (cd "$BENCH_DIR" && bash setup_peers.sh > "$work/setup.log" 2>&1)
    measure audacious "$BENCH_DIR/seeds/aud-gtk-skins" "audacious" "audacious -e -p"
    measure qmmp "$BENCH_DIR/seeds/qmmp" "qmmp" "qmmp"
fi
