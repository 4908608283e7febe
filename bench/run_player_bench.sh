#!/usr/bin/env bash
# Measures Tunvia with the shared player harness (Xvfb + PulseAudio null sink):
# start-up to both windows mapped, idle memory, and playback CPU of the 60 s
# MP3. Run by hand as root from anywhere:  bash bench/run_player_bench.sh [OUT.jsonl]
# The harness folder is taken from ../shared/bench beside the repository (or
# $BENCH_HARNESS) and copied, since it builds helpers and media in place.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
harness=${BENCH_HARNESS:-$repo/../shared/bench}
out=${1:-$repo/bench/results/tunvia.jsonl}

export DEBIAN_FRONTEND=noninteractive
need=(pulseaudio dbus gcc libx11-dev ffmpeg xvfb perl python3)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then apt-get update && apt-get install -y --no-install-recommends "${missing[@]}"; fi

work=$(mktemp -d /tmp/tunvia-bench.XXXXXX)
cp -r "$harness" "$work/harness"
chmod -R u+w "$work/harness"
bash "$work/harness/make_media.sh" "$work/harness/media" >/dev/null

cmake -S "$repo" -B "$repo/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$repo/build-bench" -j"$(nproc)" --target tunvia tunvia_benchplay >/dev/null
# The program's folder is its application folder: run copies in a folder of their own.
mkdir -p "$work/app"
cp "$repo/build-bench/tunvia" "$repo/build-bench/bench/tunvia_benchplay" "$work/app/"

mkdir -p "$(dirname "$out")"
cd "$work/harness"
./bench_player.sh --out "$out" \
    --play "$work/app/tunvia_benchplay {FILE}" \
    tunvia -- "$work/app/tunvia"
./summarize.sh "$(dirname "$out")"
