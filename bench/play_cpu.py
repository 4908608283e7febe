#!/usr/bin/env python3
"""play_cpu.py RUNS SECONDS -- CMD...: the CPU time CMD's process and its
children spend while playing, from the scheduler's own per-thread account
(/proc/PID/task/TID/schedstat, nanoseconds) rather than from clock ticks,
which charge a whole 10 ms to whichever thread a tick happens to find running.
Each run starts CMD, lets it settle for 3 s, then measures SECONDS. Prints one
figure (ms) per run, then "median N".
"""
import os, sys, time

import probe

def tree(root):
    children = {}
    for entry in os.listdir('/proc'):
        if entry.isdigit():
            try:
                with open(f'/proc/{entry}/stat') as f:
                    ppid = int(f.read().rsplit(')', 1)[1].split()[1])
                children.setdefault(ppid, []).append(int(entry))
            except (OSError, IndexError, ValueError):
                pass
    found, queue = [], [root]
    while queue:
        pid = queue.pop()
        found.append(pid)
        queue.extend(children.get(pid, []))
    return found

def cpu_ns(root):
    """Per-thread CPU time of the tree, keyed by (pid, tid)."""
    times = {}
    for pid in tree(root):
        try:
            for tid in os.listdir(f'/proc/{pid}/task'):
                with open(f'/proc/{pid}/task/{tid}/schedstat') as f:
                    times[(pid, tid)] = int(f.read().split()[0])
        except OSError:
            pass
    return times

def one_run(cmd, seconds):
    player = probe.start(cmd)
    time.sleep(3)
    before = cpu_ns(player.pid)
    time.sleep(seconds)
    after = cpu_ns(player.pid)
    # Threads that ended meanwhile are lost; threads that started count from zero.
    used = sum(ns - before.get(key, 0) for key, ns in after.items())
    probe.stop(player)
    time.sleep(0.5)
    return used / 1e6

def main():
    runs, seconds = int(sys.argv[1]), float(sys.argv[2])
    cmd = sys.argv[sys.argv.index('--') + 1:]
    probe.report([one_run(cmd, seconds) for _ in range(runs)])

main()
