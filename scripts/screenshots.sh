#!/usr/bin/env bash
# Takes screenshots of every window of the real program under Xvfb and openbox,
# at scale factors 1 and 2, and puts them side by side in docs/screenshots/; the
# README's picture is the windows at scale factor 1.
# Usage: scripts/screenshots.sh [path/to/tunvia]   (needs xvfb, openbox, xdotool, imagemagick)
#
# Each picture is taken once the screen has stopped changing, and is cut to what
# the program drew (the screen's black background trimmed away), so nothing is
# blank or cut off however slow the machine. A picture of one colour is refused.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
binary=$(realpath "${1:-$top/build-release/tunvia}")
out=$top/docs/screenshots
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$out"

fingerprint() { # picture: its pixels, not its file's time stamps
    convert "$1" rgb:- | md5sum
}

# Takes the whole screen into $1 once two captures in a row agree and the
# screen differs from the picture $2 (when given): the change asked for has
# been drawn. Gives up after a minute.
settle() {
    local picture=$1 before=${2:-} previous="" now
    for _ in $(seq 120); do
        import -window root "$picture"
        now=$(fingerprint "$picture")
        if [[ $now == "$previous" && (-z $before || $now != $(fingerprint "$before")) ]]; then
            return 0
        fi
        previous=$now
        sleep 0.5
    done
    echo "the screen did not settle for $(basename "$picture")" >&2
    return 1
}

# Writes what the program drew on the screen picture $1 into $2, refusing a
# picture of a single colour.
keep() {
    convert "$1" -bordercolor black -border 1 -trim +repage "$2"
    if (($(convert "$2" -format %k info:) < 2)); then
        echo "refusing $(basename "$2"): it is a single colour" >&2
        rm -f "$2"
        exit 1
    fi
}

shoot() { # scale
    local s=$1
    # A display no one else uses: Xvfb picks a free number and tells it.
    Xvfb -displayfd 3 -br -screen 0 $((1000 * s))x$((500 * s))x24 -nolisten tcp 3>"$work/display$s" &
    local xvfb=$!
    until [[ -s $work/display$s ]]; do
        kill -0 "$xvfb" || exit 1
        sleep 0.1
    done
    export DISPLAY=:$(<"$work/display$s")
    openbox >/dev/null 2>&1 &
    local openbox=$!
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
    xdotool search --sync --onlyvisible --name '^playmain$' >/dev/null
    xdotool search --sync --onlyvisible --name '^playlist$' >/dev/null
    at() { xdotool mousemove $(($1 * s)) $(($2 * s)); }
    local shown=$work/shown@$s.png

    at 450 300; settle "$shown"; keep "$shown" "$out/windows@${s}x.png"
    # The statistics and settings windows, from the main menu's "系统设置".
    for item in "statistics 统计信息 Return" "settings 性能 Down Return"; do
        set -- $item
        local window="" attempt
        for attempt in 1 2 3 4; do # a loaded machine may be slow to pop the menu up
            at 17 11; xdotool click 1; settle "$work/menu.png" "$shown"
            xdotool key Down Down Down Right "${@:3}"
            window=$(timeout 10 xdotool search --sync --onlyvisible --limit 1 --name "$2") && break
            xdotool key Escape Escape; settle "$shown"
        done
        settle "$work/$1.png" "$shown"
        import -window "$window" "$work/$1-window.png"
        keep "$work/$1-window.png" "$out/$1@${s}x.png"
        xdotool windowclose "$window" 2>/dev/null || xdotool key --window "$window" Escape
        settle "$shown"
    done
    for spot in "main 17 11" "open 62 87" "settings 62 108" "navigation 62 44" "add 610 155" "delete 649 155"; do
        set -- $spot
        at "$2" "$3"; xdotool click 1
        settle "$work/menu-$1.png" "$shown"; keep "$work/menu-$1.png" "$out/menu-$1@${s}x.png"
        xdotool key Escape; at 450 300; settle "$shown"
    done
    at 751 12; xdotool click 1; at 450 300
    settle "$work/rolled-up.png" "$shown"; keep "$work/rolled-up.png" "$out/rolled-up@${s}x.png"
    kill "$tunvia" "$openbox" 2>/dev/null || true
    wait "$tunvia" "$openbox" 2>/dev/null || true
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
