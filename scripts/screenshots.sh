#!/usr/bin/env bash
# Takes screenshots of every window of the real program under Xvfb and openbox,
# at scale factors 1 and 2, and puts them side by side in docs/screenshots/; the
# README's picture is the two windows at scale factor 1.
# Usage: scripts/screenshots.sh [path/to/tunvia]   (needs xvfb, openbox, xdotool, imagemagick)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
binary=$(realpath "${1:-$top/build-release/tunvia}")
out=$top/docs/screenshots
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$out"

shoot() { # scale
    local s=$1
    local display=:$((70 + s))
    Xvfb "$display" -screen 0 $((900 * s))x$((420 * s))x24 -nolisten tcp &
    local xvfb=$!
    export DISPLAY=$display
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    local app=$work/app$s home=$work/home$s
    mkdir -p "$app" "$home"
    cp "$binary" "$app/tunvia"
    printf '%s\r\n' "file:///home/user/音乐/月亮代表我的心.mp3" "http://radio.example.net/live.mp3" \
        "file:///home/user/音乐/Rock/Hotel California.rm" "rtsp://media.example.net/concert.rm" \
        "file:///home/user/音乐/茉莉花.ra" >"$app/xlist.cfg"
    # Nothing leaves the machine: the update check asks a closed local port.
    HOME=$home LANG=C.UTF-8 TUNVIA_AUDIO_OUTPUT=null TUNVIA_UPDATE_URL=http://127.0.0.1:9/ \
        TUNVIA_SERVICE_HOST=127.0.0.1:9 TUNVIA_PARTNER_HOST=127.0.0.1:9 QT_SCALE_FACTOR=$s "$app/tunvia" &
    local tunvia=$!
    xdotool search --sync --name '^playmain$' >/dev/null
    sleep 1.5
    at() { xdotool mousemove $(($1 * s)) $(($2 * s)); }
    grab() { import -window root "$work/$1@$s.png"; }
    crop() { convert "$work/$1@$s.png" -crop "$(($2 * s))x$(($3 * s))+0+0" +repage "$out/$1@${s}x.png"; }

    at 450 300; grab windows; crop windows 803 182
    # The statistics and settings windows, from the main menu's "系统设置".
    for item in "statistics 统计信息 Return" "settings 性能 Down Return"; do
        set -- $item
        local window="" attempt
        for attempt in 1 2 3 4; do # a loaded machine may be slow to pop the menu up
            at 17 11; xdotool click 1; sleep 1.5; xdotool key Down Down Down Right "${@:3}"
            window=$(timeout 5 xdotool search --sync --limit 1 --name "$2") && break
            xdotool key Escape Escape; sleep 0.5
        done
        sleep 1
        import -window "$window" "$out/$1@${s}x.png"
        xdotool windowclose "$window" 2>/dev/null || xdotool key --window "$window" Escape
        sleep 0.5
    done
    for spot in "main 17 11" "open 62 87" "settings 62 108" "navigation 62 44" "add 610 155" "delete 649 155"; do
        set -- $spot
        at "$2" "$3"; xdotool click 1; sleep 0.7; grab "menu-$1"; xdotool key Escape; sleep 0.3
        convert "$work/menu-$1@$s.png" -crop "$(((${2} + 160) * s))x$(((${3} + 160) * s))+0+0" +repage "$out/menu-$1@${s}x.png"
    done
    at 751 12; xdotool click 1; sleep 0.7; at 450 300; grab rolled-up; crop rolled-up 803 182
    kill "$tunvia" 2>/dev/null || true
    wait "$tunvia" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
}

shoot 1
shoot 2
# Each picture at scale 1 beside the same at scale 2.
for one in "$out"/*@1x.png; do
    name=$(basename "$one" @1x.png)
    convert "$one" "$out/$name@2x.png" -background '#3a3f46' -gravity north -splice 0x0 +append \
        "$out/$name.png"
    [[ $name == windows ]] && cp "$one" "$top/docs/screenshot.png"
    rm "$one" "$out/$name@2x.png"
done
echo "screenshots in $out"
