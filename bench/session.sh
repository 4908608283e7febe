# What the benchmarks of a running instance share (source it from bash, with
# `repo` set to the repository): a work folder, the shared harness's session
# (Xvfb, a private D-Bus session bus and PulseAudio with a null sink), a 60 s
# tone in $file, the players' environment and a first instance started and
# stopped by its PID. The harness is ../shared/bench beside the repository, or
# $BENCH_HARNESS; what it needs is installed from Debian if missing. Define
# on_cleanup to stop what the caller started itself.

# need_packages PKG...: installs from Debian those of PKG that are missing.
need_packages() {
    local p missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    ((${#missing[@]} == 0)) || DEBIAN_FRONTEND=noninteractive apt-get install -y \
        --no-install-recommends "${missing[@]}" > /dev/null
}
need_packages pulseaudio pulseaudio-utils dbus-daemon xvfb ffmpeg gcc libx11-dev python3 || exit 1

harness=${BENCH_HARNESS:-$repo/../shared/bench}
work=$(mktemp -d -t tunvia-bench.XXXXXX)
cp -r "$harness" "$work/harness"
chmod -R u+w "$work/harness"
BENCH_DIR=$work/harness
source "$BENCH_DIR/lib.sh"
gcc -O2 -o "$BENCH_DIR/xlaunch" "$BENCH_DIR/xlaunch.c" -lX11 || exit 1
file=$work/tone.mp3
ffmpeg -hide_banner -loglevel error -nostdin -y -f lavfi -i sine=frequency=440:duration=60 \
    -ac 2 -c:a libmp3lame -b:a 128k "$file" || exit 1

# tunvia_binary [BINARY]: BINARY, or a Release tunvia built in build-bench.
tunvia_binary() {
    [ -n "${1:-}" ] && { echo "$1"; return; }
    local build=$repo/build-bench
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
            > /dev/null || return 1
    fi
    cmake --build "$build" --target tunvia > /dev/null || return 1
    echo "$build/tunvia"
}

L_PID= P_PID=
stop_first() {
    [ -n "$L_PID" ] || return 0
    kill_tree_of "$L_PID" "$P_PID"; wait "$L_PID" 2>/dev/null; L_PID= P_PID=
}
session_cleanup() {
    stop_first
    declare -F on_cleanup > /dev/null && on_cleanup
    xvfb_stop
    bench_session_stop
    rm -rf "$work"
}
trap session_cleanup EXIT
bench_session_start "$work/session" || exit 1
xvfb_start || exit 1

# The environment every player gets: a desktop session's, nothing more.
player_env() { # HOME
    echo HOME="$1" PATH=/usr/local/bin:/usr/bin:/bin USER=root LANG=C.UTF-8 DISPLAY="$XVFB_DISPLAY" \
        XDG_RUNTIME_DIR="$BENCH_XDG" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
        PULSE_SERVER="$PULSE_SERVER" TUNVIA_UPDATE_URL=http://127.0.0.1:9/
}

# fresh_home TEMPLATE: a fresh copy of TEMPLATE (or an empty folder) in $work/home.
fresh_home() {
    rm -rf "$work/home"
    if [ -n "$1" ]; then cp -a "$1" "$work/home"; else mkdir -p "$work/home"; fi
}

# start_first HOME CMD...: the first instance, with its window up for 2 s.
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

# peer_homes: the peers' template HOMEs, in $BENCH_DIR/seeds.
peer_homes() {
    (cd "$BENCH_DIR" && bash setup_peers.sh > "$work/setup.log" 2>&1)
}
