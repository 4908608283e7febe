#!/usr/bin/env bash
# Starts the program many times on a loaded machine, built with
# AddressSanitizer and UndefinedBehaviorSanitizer, to catch faults of the
# start-up that show only now and then (a SIGABRT was seen once on a loaded
# 2-core machine).
#
#   bash scripts/startup-stress.sh [RUNS]        (500 by default)
#
# STRESS_SECONDS, when set, ends the series early after that many seconds and
# reports the runs made so far.
#
# Each run starts the program under Xvfb, waits until both windows are
# mapped, lets it go on for a random 0-1.5 s (so the engine's start on its
# worker thread is caught at different points) and ends it with SIGTERM, as a
# desktop session does. A run fails when the program dies of a signal, exits
# with another code, hangs, or a sanitizer reports. Two busy loops load the
# machine meanwhile. Needs Xvfb and xdotool; builds in build-asan/ (or
# $STRESS_BUILD); the logs of failed runs stay in the printed work folder.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-500}
build=${STRESS_BUILD:-$repo/build-asan}
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DTUNVIA_SANITIZE=ON >/dev/null
cmake --build "$build" --target tunvia -j"${JOBS:-2}" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/tunvia-stress.XXXXXX")
mkdir -p "$work/app" "$work/home" "$work/logs"
cp "$build/tunvia" "$work/app/" # its folder is its application folder

display=:$((200 + RANDOM % 300))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
hogs=()
for _ in 1 2; do
    (while :; do :; done) &
    hogs+=($!)
done
cleanup() { kill "${hogs[@]}" "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 50); do
    DISPLAY=$display xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
done

export DISPLAY=$display HOME=$work/home QT_QPA_PLATFORM=xcb TUNVIA_AUDIO_OUTPUT=null
# Nothing leaves the machine: the update check (if a run lasts that long) asks a closed port.
export TUNVIA_UPDATE_URL=http://127.0.0.1:9/ TUNVIA_SERVICE_HOST=127.0.0.1:9
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:log_path=$work/logs/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$work/logs/ubsan"

SECONDS=0
ok=0
done_runs=0
declare -A failures=()
for run in $(seq "$runs"); do
    if ((${STRESS_SECONDS:-0} > 0 && SECONDS >= STRESS_SECONDS)); then
        break
    fi
    done_runs=$run
    "$work/app/tunvia" >"$work/logs/run$run.out" 2>&1 &
    pid=$!
    result=ok
    if ! timeout 60 xdotool search --sync --onlyvisible --name '^playlist$' >/dev/null 2>&1; then
        result=no-windows
    fi
    pause=$((RANDOM % 16))
    sleep "$((pause / 10)).$((pause % 10))"
    kill -TERM "$pid" 2>/dev/null || true
    status=0
    if ! timeout 60 tail --pid="$pid" -f /dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
        result=hang
    fi
    wait "$pid" || status=$?
    if [[ $result == ok ]]; then
        case $status in
        0) ;;
        134) result=SIGABRT ;;
        139) result=SIGSEGV ;;
        143) result=SIGTERM-before-handler ;;
        *) result="exit-$status" ;;
        esac
    fi
    if compgen -G "$work/logs/[au]*san.$pid" >/dev/null; then
        result="sanitizer:$result"
    fi
    if [[ $result == ok ]]; then
        ok=$((ok + 1))
        rm -f "$work/logs/run$run.out"
    else
        failures[$result]=$((${failures[$result]:-0} + 1))
        echo "run $run: $result (pid $pid)"
    fi
done

echo "$ok of $done_runs runs started and ended cleanly (in ${SECONDS} s)"
for kind in "${!failures[@]}"; do
    echo "  $kind: ${failures[$kind]}"
done
echo "logs: $work/logs"
((ok == done_runs))
