#!/usr/bin/env python3
"""idle_memory.py RUNS -- CMD...: the memory of CMD's process 4 s after it
starts, idle. Prints per run "rss pss filepss" (MB), then "median N": the
median of filepss.

filepss is PSS counted by file rather than by page: each mapped file's
resident pages divided by the number of processes that map that file, plus
the anonymous memory. The kernel's own PSS (smaps) divides a page by the number
of mappings of its folio, and on kernels that keep libraries in the page cache
as large folios, a folio that two segments of the same library map counts as
shared, within the one process: the kernel's PSS of the same binary then
swings by half with the state of the page cache (seen here: 69 and 37 MB).
"""
import os, statistics, sys, time

import probe

def mapped_files():
    """inode -> set of PIDs that map it, over every process."""
    users = {}
    for entry in os.listdir('/proc'):
        if not entry.isdigit():
            continue
        try:
            with open(f'/proc/{entry}/maps') as f:
                for line in f:
                    parts = line.split()
                    if len(parts) >= 6 and parts[4] != '0':
                        users.setdefault((parts[3], parts[4]), set()).add(entry)
        except OSError:
            pass
    return users

def measure(pid):
    users = mapped_files()
    rss = pss = filepss = 0
    key = None
    with open(f'/proc/{pid}/smaps') as f:
        for line in f:
            parts = line.split()
            if '-' in parts[0] and len(parts) >= 5 and ':' in parts[3]:
                key = (parts[3], parts[4]) if parts[4] != '0' else None
            elif parts[0] == 'Rss:':
                kb = int(parts[1])
                rss += kb
                filepss += kb / len(users.get(key, {pid})) if key else kb
            elif parts[0] == 'Pss:':
                pss += int(parts[1])
    return rss / 1024, pss / 1024, filepss / 1024

def one_run(cmd):
    player = probe.start(cmd)
    time.sleep(4)
    figures = measure(player.pid)
    probe.stop(player)
    time.sleep(0.5)
    return figures

def main():
    runs = int(sys.argv[1])
    cmd = sys.argv[sys.argv.index('--') + 1:]
    results = [one_run(cmd) for _ in range(runs)]
    for rss, pss, filepss in results:
        print(f'{rss:.1f} {pss:.1f} {filepss:.1f}')
    print(f'median {statistics.median(r[2] for r in results):.1f}' if results else 'median none')

main()
