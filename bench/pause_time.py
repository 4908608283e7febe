#!/usr/bin/env python3
"""pause_time.py RUNS -- CMD...: milliseconds from the exec of CMD (a verb
such as `PLAYER --play-pause`, handed to a player that is already playing,
alone on the sound server) to the player's PulseAudio stream being corked or
removed, taken from the server's own events: a reader thread stamps every line
of `pactl subscribe` as it arrives, and a 'change' counts once `pactl` then
lists that stream as corked. After each run CMD is run once more to resume,
and the next run starts after the stream has played again for 1 s. The first
run is a warm-up. Prints one figure per run, then "median N". Needs
PULSE_SERVER (and what the player needs) in the environment.
"""
import queue, subprocess, sys, threading, time

import probe


def corked_streams():
    """sink-input -> whether it is corked, as the server lists them now."""
    out = subprocess.run(['pactl', 'list', 'sink-inputs'], capture_output=True, text=True,
                         timeout=10).stdout
    streams, current = {}, None
    for line in out.splitlines():
        line = line.strip()
        if line.startswith('Sink Input #'):
            current = line.rsplit('#', 1)[1]
            streams[current] = False
        elif line.startswith('Corked:') and current is not None:
            streams[current] = line.split(':', 1)[1].strip() == 'yes'
    return streams


def wait_playing(timeout=15.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if any(not corked for corked in corked_streams().values()):
            return True
        time.sleep(0.05)
    return False


def stamped_events(watch, events):
    for line in iter(watch.stdout.readline, b''):
        events.put((time.monotonic(), line.decode(errors='replace')))


def one_run(cmd, timeout=10.0):
    if not wait_playing():
        print('the player is not playing', file=sys.stderr)
        return None
    time.sleep(1.0)
    watch = subprocess.Popen(['pactl', 'subscribe'], stdout=subprocess.PIPE, bufsize=0)
    events = queue.Queue()
    threading.Thread(target=stamped_events, args=(watch, events), daemon=True).start()
    time.sleep(0.3)  # let the subscription settle before the verb starts
    t0 = time.monotonic()
    verb = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    result = None
    deadline = t0 + timeout
    while result is None and time.monotonic() < deadline:
        try:
            stamp, line = events.get(timeout=0.1)
        except queue.Empty:
            continue
        if 'on sink-input #' not in line:
            continue
        stream = line.rsplit('#', 1)[1].strip()
        if "'remove'" in line or ("'change'" in line and corked_streams().get(stream)):
            result = (stamp - t0) * 1000
    try:
        verb.wait(10)
    except subprocess.TimeoutExpired:
        verb.kill()
        verb.wait()
    watch.terminate()
    watch.wait()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)
    return result


def main():
    runs = int(sys.argv[1])
    cmd = sys.argv[sys.argv.index('--') + 1:]
    one_run(cmd)  # warm-up
    probe.report([v for v in (one_run(cmd) for _ in range(runs)) if v is not None], 1)


main()
