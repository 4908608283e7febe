#!/usr/bin/env python3
"""first_sound.py RUNS -- CMD...: milliseconds from exec to the player's
audio stream, taken from the server's own events rather than by polling: the
first "new" sink-input that is not removed again within 300 ms (some players
open and close a stream to probe the output before they play). Needs
PULSE_SERVER (and what the player needs) in the environment; each run starts
CMD in its own process group and ends it once the stream stands. Prints one
figure per run, then "median N".
"""
import select, subprocess, sys, time

import probe

def one_run(cmd, timeout=15.0):
    watch = subprocess.Popen(['pactl', 'subscribe'], stdout=subprocess.PIPE, text=True, bufsize=1)
    time.sleep(0.3)  # let the subscription settle before the player starts
    t0 = time.monotonic()
    player = probe.start(cmd)
    opened = {}  # sink-input -> ms after exec, while it stands
    result = None
    deadline = t0 + timeout
    while result is None and time.monotonic() < deadline:
        ready, _, _ = select.select([watch.stdout], [], [], 0.05)
        now = (time.monotonic() - t0) * 1000
        if ready:
            line = watch.stdout.readline()
            if 'on sink-input #' in line:
                stream = line.rsplit('#', 1)[1].strip()
                if "'new'" in line:
                    opened[stream] = now
                elif "'remove'" in line:
                    opened.pop(stream, None)
        standing = [t for t in opened.values() if now - t >= 300]
        if standing:
            result = min(standing)
    probe.stop(player)
    watch.terminate()
    watch.wait()
    time.sleep(0.5)  # the next run starts without this one's stream
    return result

def main():
    runs = int(sys.argv[1])
    cmd = sys.argv[sys.argv.index('--') + 1:]
    one_run(cmd)  # warm-up
    probe.report([v for v in (one_run(cmd) for _ in range(runs)) if v is not None])

main()
