#!/usr/bin/env bash
# Tunvia beside a bare Qt floor program, Audacious, Qmmp and mpv, all in one
# run of the shared player harness (Xvfb + PulseAudio null sink), and Tunvia's
# figures as ratios to the floor and to the best peer. Run by hand as root:
#
#   bash bench/compare_players.sh [--quick] [OUTDIR]
#
# --quick: 3 start-up runs and a 10 s playback window instead of 5 and 20 s.
# Installs what it needs from Debian (PulseAudio, D-Bus, Xvfb, ffmpeg, the
# peers), builds Tunvia, the floor and the list benchmark in Release, copies
# the harness (../shared/bench beside the repository, or $BENCH_HARNESS) to a
# temporary folder and makes its media and the peers' template HOMEs there.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
harness=${BENCH_HARNESS:-$repo/../shared/bench}
runs=5 window=20
if [[ "${1:-}" == "--quick" ]]; then runs=3 window=10; shift; fi
out=${1:-$repo/bench/results/compare-$(date -u +%Y%m%dT%H%M%SZ)}

export DEBIAN_FRONTEND=noninteractive
need=(pulseaudio pulseaudio-utils dbus dbus-daemon gcc libx11-dev libxdamage-dev ffmpeg xvfb perl python3
    audacious qmmp mpv)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then apt-get update && apt-get install -y --no-install-recommends "${missing[@]}"; fi
bash "$repo/scripts/install-deps.sh"

work=$(mktemp -d /tmp/tunvia-compare.XXXXXX)
trap 'rm -rf "$work"' EXIT
cp -r "$harness" "$work/harness"
chmod -R u+w "$work/harness"
h=$work/harness
echo "== media and the peers' template HOMEs" >&2
bash "$h/make_media.sh" "$h/media" >/dev/null
# The peers' template HOMEs are made by runs through xlaunch, which the
# harness otherwise builds on its first use.
gcc -O2 -o "$h/xlaunch" "$h/xlaunch.c" -lX11
gcc -O2 -o "$work/xpaint" "$repo/bench/xpaint.c" -lX11 -lXdamage
bash "$h/setup_peers.sh" > "$work/setup_peers.log" 2>&1
for seed in aud-gtk-skins qmmp; do
    [[ -d "$h/seeds/$seed" ]] || { echo "no template HOME for $seed:" >&2; cat "$work/setup_peers.log" >&2; exit 1; }
done

echo "== building Tunvia, the floor and the list benchmark (Release)" >&2
cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTUNVIA_BUILD_BENCH=ON >/dev/null
cmake --build "$repo/build-bench" -j"$(nproc)" --target tunvia tunvia_floor bench_biglist >/dev/null
# The program's folder is its application folder (the list lives there): one
# copy without a list, one with the harness's 100,000 files as its list.
mkdir -p "$work/app" "$work/app100k"
cp "$repo/build-bench/tunvia" "$repo/build-bench/bench/tunvia_floor" "$work/app/"
cp "$repo/build-bench/tunvia" "$work/app100k/"
sed 's|^|file://|; s|$|\r|' "$h/media/list_100k.m3u" | grep -v '^file://#' > "$work/app100k/xlist.cfg"

mkdir -p "$out"
rm -f "$out"/*.jsonl
{ echo "date: $(date -u +%FT%TZ)"; uname -r; nproc; grep -m1 'model name' /proc/cpuinfo
  echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
  dpkg-query -W -f='${Package} ${Version}\n' libmpv2 qmmp audacious mpv libqt6core6 2>/dev/null
  git -C "$repo" rev-parse --short HEAD; } > "$out/env.txt"

bench() { # NAME ARGS... : one harness invocation
    local name=$1; shift
    echo "== $name  $(date -u +%T)  load $(cut -d' ' -f1 /proc/loadavg)" >&2
    "$h/bench_player.sh" --runs "$runs" --cpu-window "$window" --out "$out/$name.jsonl" "$@" \
        > /dev/null 2> "$out/$name.log" || echo "   $name: harness failed, see $out/$name.log" >&2
}
cd "$h"
bench floor --phases startup floor -- "$work/app/tunvia_floor"
bench tunvia --phases 'startup play' --play "$work/app/tunvia {FILE}" tunvia -- "$work/app/tunvia"
bench tunvia-100k --phases startup tunvia-100k -- "$work/app100k/tunvia"
bench aud-gtk-skins --home "$h/seeds/aud-gtk-skins" --phases 'startup play' \
    --play 'audacious {FILE}' aud-gtk-skins -- audacious
bench qmmp --home "$h/seeds/qmmp" --phases 'startup play' --play 'qmmp {FILE}' qmmp -- qmmp
bench mpv-audio --phases play --play 'mpv --no-video --pulse-buffer=500 {FILE}' mpv-audio -- mpv

echo "== both windows, first sound and playback CPU, measured exactly  $(date -u +%T)" >&2
# shellcheck source=/dev/null
source "$h/lib.sh"
bench_session_start "$work/session" >/dev/null
xvfb_start
probe() { # OUTPUT_NAME TEMPLATE_HOME PROBE_ARGS... -- CMD...
    local name=$1 home=$2; shift 2
    rm -rf "$work/probe-home"; mkdir -p "$work/probe-home"
    [[ -n "$home" ]] && cp -a "$home/." "$work/probe-home/"
    env -i HOME="$work/probe-home" PATH=/usr/local/bin:/usr/bin:/bin USER=root LANG=C.UTF-8 \
        DISPLAY="$XVFB_DISPLAY" XDG_RUNTIME_DIR="$BENCH_XDG" \
        DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" PULSE_SERVER="$PULSE_SERVER" \
        python3 "$@" | tail -1 | sed "s/^median/$name/" || echo "$name none"
}
mp3=$h/media/tone60.mp3
maps=("$repo/bench/window_maps.py" "$h/xlaunch" "$runs" 2)
{
    probe floor "" "${maps[@]}" -- "$work/app/tunvia_floor"
    probe tunvia "" "${maps[@]}" -- "$work/app/tunvia"
    probe tunvia-100k "" "${maps[@]}" -- "$work/app100k/tunvia"
} > "$out/window_maps.txt"
paints=("$repo/bench/window_maps.py" "$work/xpaint" "$runs" 2 paint)
{
    probe floor "" "${paints[@]}" -- "$work/app/tunvia_floor"
    probe tunvia "" "${paints[@]}" -- "$work/app/tunvia"
    probe tunvia-100k "" "${paints[@]}" -- "$work/app100k/tunvia"
} > "$out/window_paints.txt"
for tool in first_sound play_cpu; do
    args=("$repo/bench/$tool.py" "$runs")
    [[ $tool == play_cpu ]] && args+=("$window")
    {
        probe tunvia "" "${args[@]}" -- "$work/app/tunvia" "$mp3"
        probe aud-gtk-skins "$h/seeds/aud-gtk-skins" "${args[@]}" -- audacious "$mp3"
        probe qmmp "$h/seeds/qmmp" "${args[@]}" -- qmmp "$mp3"
        probe mpv-audio "" "${args[@]}" -- mpv --no-video --pulse-buffer=500 "$mp3"
    } > "$out/$tool.txt"
done
mem=("$repo/bench/idle_memory.py" "$runs")
{
    probe floor "" "${mem[@]}" -- "$work/app/tunvia_floor"
    probe tunvia "" "${mem[@]}" -- "$work/app/tunvia"
    probe aud-gtk-skins "$h/seeds/aud-gtk-skins" "${mem[@]}" -- audacious
    probe qmmp "$h/seeds/qmmp" "${mem[@]}" -- qmmp
} > "$out/idle_memory.txt"
xvfb_stop
bench_session_stop

echo "== the 100,000-item list  $(date -u +%T)" >&2
QT_QPA_PLATFORM=offscreen "$repo/build-bench/bench/bench_biglist" --links "$h/media/links" \
    > "$out/biglist.txt" 2> "$out/biglist.log" || echo "   bench_biglist failed, see $out/biglist.log" >&2
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)" >> "$out/env.txt"

python3 "$repo/bench/compare_report.py" "$out" | tee "$out/report.md"
