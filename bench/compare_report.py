#!/usr/bin/env python3
"""compare_report.py OUTDIR [OUTDIR...]: the table of bench/compare_players.sh,
with each of Tunvia's figures as a ratio to the floor and to the best peer of
the run. Given several runs' folders, each figure is the median of the runs'
figures, and each aim says in how many runs it was met (an aim is a ratio
within one run, as the machine's speed swings between runs)."""
import glob, json, os, re, statistics, sys

def load_run(out):
    harness = {}
    for path in glob.glob(os.path.join(out, '*.jsonl')):
        for line in open(path):
            if line.strip():
                o = json.loads(line)
                harness.setdefault(o['player'], {})[o['metric']] = o
    probes = {}
    for tool in ('window_maps', 'window_paints', 'first_sound', 'play_cpu', 'idle_memory'):
        found = probes.setdefault(tool, {})
        path = os.path.join(out, tool + '.txt')
        if os.path.exists(path):
            for line in open(path):
                name, _, value = line.strip().partition(' ')
                if value and value != 'none':
                    found[name] = float(value)
    return harness, probes

def value(run, player, metric, scale):
    harness, probes = run
    if metric.startswith('probe:'):
        return probes[metric[6:]].get(player)
    if metric == 'pss100k':
        return value(run, 'tunvia-100k', 'idle_pss', scale) if player == 'tunvia' else None
    if metric in ('list100k', 'paint100k'):
        tool = 'window_maps' if metric == 'list100k' else 'window_paints'
        return probes[tool].get('tunvia-100k') if player == 'tunvia' else None
    o = harness.get(player, {}).get(metric)
    return None if o is None or o.get('median') is None else o['median'] * scale

peers = ['aud-gtk-skins', 'qmmp', 'mpv-audio']
MB = 1 / 1024

def aim_floor(limit):
    return lambda t, f, p: (f'≤ {limit} × floor', None if None in (t, f) else t <= limit * f)

def aim_qmmp(t, f, p):
    return '< Qmmp', None if None in (t, p['qmmp']) else t < p['qmmp']

def aim_mpv(limit):
    goal = '≤ mpv' if limit == 1 else f'≤ {limit} × mpv'
    return lambda t, f, p: (goal, None if None in (t, p['mpv-audio']) else t <= limit * p['mpv-audio'])

rows = [  # label, metric (a harness metric, or probe:NAME), scale, aim
    ('first window mapped (harness), ms', 'startup_first_map', 1, None),
    ('last window mapped within 3 s (harness; Tunvia: its drop window), ms', 'startup_last_map', 1, None),
    ('both windows mapped (player and playlist; floor: its two), ms', 'probe:window_maps', 1, aim_floor(1.3)),
    ('both windows mapped with a 100,000-item list, ms', 'list100k', 1, aim_floor(1.5)),
    ('both windows painted (the first drawing in each), ms', 'probe:window_paints', 1, None),
    ('both windows painted with a 100,000-item list, ms', 'paint100k', 1, None),
    ('idle PSS (harness: the kernel\'s, by page), MB', 'idle_pss', MB, None),
    ('idle PSS by file (each file\'s pages over the processes that map it), MB',
     'probe:idle_memory', 1, aim_qmmp),
    ('idle USS, MB', 'idle_uss', MB, None),
    ('idle PSS with a 100,000-item list, MB', 'pss100k', MB, None),
    ('playback CPU per window (harness, 10 ms clock ticks), ms', 'play_cpu', 1, None),
    ('playback CPU per window (scheduler, exact), ms', 'probe:play_cpu', 1, aim_mpv(1.1)),
    ('exec to audio stream (harness, polled every ~0.1 s), ms', 'play_time_to_audio', 1, None),
    ('exec to audio stream (PulseAudio event), ms', 'probe:first_sound', 1, aim_mpv(1)),
]

def median(values):
    known = [v for v in values if v is not None]
    return statistics.median(known) if known else None

def fmt(v):
    return '–' if v is None else (f'{v:.1f}' if v < 100 else f'{v:.0f}')

def ratio(a, b):
    return '–' if a is None or b in (None, 0) else f'{a / b:.2f}×'

def verdict(mets):
    known = [m for m in mets if m is not None]
    if not known:
        return ''
    if len(mets) == 1:
        return 'yes' if known[0] else 'no'
    return f'{sum(known)} of {len(mets)} runs'

folders = sys.argv[1:]
runs = [load_run(out) for out in folders]
print('| figure | Tunvia | floor | Audacious (GTK, skinned) | Qmmp (skinned) | mpv --no-video '
      '| Tunvia ÷ floor | Tunvia ÷ best peer | aim | met |')
print('|---|---|---|---|---|---|---|---|---|---|')
for label, metric, scale, aim in rows:
    floor_metric = {'list100k': 'probe:window_maps',
                    'paint100k': 'probe:window_paints'}.get(metric, metric)
    per_run = []
    for run in runs:
        t = value(run, 'tunvia', metric, scale)
        f = value(run, 'floor', floor_metric, scale)
        p = {q: value(run, q, metric, scale) for q in peers}
        per_run.append((t, f, p, aim(t, f, p) if aim else ('', None)))
    t = median(r[0] for r in per_run)
    f = median(r[1] for r in per_run)
    p = {q: median(r[2][q] for r in per_run) for q in peers}
    known = [v for v in p.values() if v is not None]
    best = min(known) if known else None
    goal = per_run[0][3][0] if per_run else ''
    met = verdict([r[3][1] for r in per_run]) if aim else ''
    print(f'| {label} | {fmt(t)} | {fmt(f)} | {fmt(p["aud-gtk-skins"])} | {fmt(p["qmmp"])} | '
          f'{fmt(p["mpv-audio"])} | {ratio(t, f)} | {ratio(t, best)} | {goal} | {met} |')

# "NAME: N ms" lines give the time, "NAME stall: N ms" the longest time the
# window's thread was blocked during it.
times, stalls = {}, {}
for out in folders:
    biglist = os.path.join(out, 'biglist.txt')
    if os.path.exists(biglist):
        for line in open(biglist):
            m = re.match(r'\s*(.+?)( stall)?:\s*([\d.]+)\s*ms', line)
            if m:
                (stalls if m.group(2) else times).setdefault(m.group(1), []).append(float(m.group(3)))
if times:
    print('\n| 100,000 playable files in the list | ms | aim | met '
          '| longest stall, ms | aim | met |\n|---|---|---|---|---|---|---|')
    for name, ms in times.items():
        stall = stalls.get(name, [])
        print(f'| {name} | {fmt(median(ms))} | ≤ 300 ms | {verdict([v <= 300 for v in ms])} '
              f'| {fmt(median(stall))} | ≤ 16 ms | {verdict([v <= 16 for v in stall])} |')
for out in folders:
    envfile = os.path.join(out, 'env.txt')
    if os.path.exists(envfile):
        print('\n```\n' + open(envfile).read().strip() + '\n```')
