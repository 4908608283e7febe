#!/usr/bin/env python3
"""window_maps.py LAUNCHER RUNS WINDOWS [paint] -- CMD...: milliseconds from
exec until the first WINDOWS top-level windows are mapped, timed by the
harness's xlaunch (which selects map events on the root window before it
forks); with "paint" and bench/xpaint as LAUNCHER, until something is first
drawn into each of them. The harness itself reports the first window and the
last one within its idle wait, and Tunvia maps a third, the drop window, a few
seconds after it starts. Each run ends CMD once its windows are there. Prints
one figure per run, then "median N".
"""
import sys, tempfile, time

import probe

def one_run(xlaunch, windows, cmd, event='map', timeout=15.0):
    with tempfile.NamedTemporaryFile('r', suffix='.maps') as log:
        launcher = probe.start([xlaunch, '-o', log.name, '--'] + cmd)
        deadline = time.monotonic() + timeout
        maps = []
        while len(maps) < windows and time.monotonic() < deadline:
            time.sleep(0.05)
            log.seek(0)
            maps = [line for line in log.read().splitlines() if line.startswith(event + ' ')]
        probe.stop(launcher)
        time.sleep(0.3)
        if len(maps) < windows:
            return None
        return float(maps[windows - 1].split('t_ms=')[1].split()[0])

def main():
    xlaunch, runs, windows = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    split = sys.argv.index('--')
    event = sys.argv[4] if split > 4 else 'map'
    cmd = sys.argv[split + 1:]
    one_run(xlaunch, windows, cmd, event)  # warm-up
    probe.report([v for v in (one_run(xlaunch, windows, cmd, event) for _ in range(runs))
                  if v is not None], digits=1)

main()
