#!/usr/bin/env python3
"""compare_report.py OUTDIR: the table of bench/compare_players.sh, with each of
Tunvia's figures as a ratio to the floor and to the best peer of the run."""
import glob, json, os, re, sys

out = sys.argv[1]
R = {}
for path in glob.glob(os.path.join(out, '*.jsonl')):
    for line in open(path):
        if line.strip():
            o = json.loads(line)
            R.setdefault(o['player'], {})[o['metric']] = o

def med(player, metric, scale=1.0):
    o = R.get(player, {}).get(metric)
    return None if o is None or 'median' not in o or o['median'] is None else o['median'] * scale

def probe(tool):
    """The medians of one of the exact probes, by player."""
    found = {}
    path = os.path.join(out, tool + '.txt')
    if os.path.exists(path):
        for line in open(path):
            name, _, value = line.strip().partition(' ')
            if value and value != 'none':
                found[name] = float(value)
    return found

probes = {name: probe(name) for name in ('window_maps', 'first_sound', 'play_cpu')}

peers = ['aud-gtk-skins', 'qmmp', 'mpv-audio']
MB = 1 / 1024
def aim_floor(t, f, p):
    return '≤ 1.3 × floor', None if None in (t, f) else t <= 1.3 * f

def aim_qmmp(t, f, p):
    return '< Qmmp', None if None in (t, p['qmmp']) else t < p['qmmp']

def aim_mpv(t, f, p):
    return '≤ mpv', None if None in (t, p['mpv-audio']) else t <= p['mpv-audio']

def aim_sound(t, f, p):
    a = p['aud-gtk-skins']
    return '≤ 200 ms and ≤ Audacious', None if None in (t, a) else t <= 200 and t <= a

rows = [  # label, metric (a harness metric, or probe:NAME), scale, aim
    ('first window mapped (harness), ms', 'startup_first_map', 1, None),
    ('last window mapped within 3 s (harness; Tunvia: its drop window), ms', 'startup_last_map', 1, None),
    ('both windows mapped (player and playlist; floor: its two), ms', 'probe:window_maps', 1, aim_floor),
    ('both windows mapped with a 100,000-item list, ms', 'list100k', 1, aim_floor),
    ('idle PSS, MB', 'idle_pss', MB, aim_qmmp),
    ('idle USS, MB', 'idle_uss', MB, None),
    ('idle PSS with a 100,000-item list, MB', 'pss100k', MB, None),
    ('playback CPU per window (harness, 10 ms clock ticks), ms', 'play_cpu', 1, aim_mpv),
    ('playback CPU per window (scheduler, exact), ms', 'probe:play_cpu', 1, aim_mpv),
    ('exec to audio stream (harness, polled every ~0.1 s), ms', 'play_time_to_audio', 1, aim_sound),
    ('exec to audio stream (PulseAudio event), ms', 'probe:first_sound', 1, aim_sound),
]

def value(player, metric, scale):
    if metric.startswith('probe:'):
        return probes[metric[6:]].get(player)
    if metric == 'pss100k':
        return med('tunvia-100k', 'idle_pss', scale) if player == 'tunvia' else None
    if metric == 'list100k':
        return probes['window_maps'].get('tunvia-100k') if player == 'tunvia' else None
    return med(player, metric, scale)

def fmt(v):
    return '–' if v is None else (f'{v:.1f}' if v < 100 else f'{v:.0f}')

def ratio(a, b):
    return '–' if a is None or b in (None, 0) else f'{a / b:.2f}×'

print('| figure | Tunvia | floor | Audacious (GTK, skinned) | Qmmp (skinned) | mpv --no-video '
      '| Tunvia ÷ floor | Tunvia ÷ best peer | aim | met |')
print('|---|---|---|---|---|---|---|---|---|---|')
for label, metric, scale, aim in rows:
    t = value('tunvia', metric, scale)
    f = value('floor', 'probe:window_maps' if metric == 'list100k' else metric, scale)
    p = {q: value(q, metric, scale) for q in peers}
    known = [v for v in p.values() if v is not None]
    best = min(known) if known else None
    goal, met = aim(t, f, p) if aim else ('', None)
    verdict = '' if met is None else ('yes' if met else 'no')
    print(f'| {label} | {fmt(t)} | {fmt(f)} | {fmt(p["aud-gtk-skins"])} | {fmt(p["qmmp"])} | '
          f'{fmt(p["mpv-audio"])} | {ratio(t, f)} | {ratio(t, best)} | {goal} | {verdict} |')

biglist = os.path.join(out, 'biglist.txt')
if os.path.exists(biglist):
    # "NAME: N ms" lines give the time, "NAME stall: N ms" the longest time
    # the window's thread was blocked during it.
    times, stalls = {}, {}
    for line in open(biglist):
        m = re.match(r'\s*(.+?)( stall)?:\s*([\d.]+)\s*ms', line)
        if m:
            (stalls if m.group(2) else times)[m.group(1)] = m.group(3)
    print('\n| 100,000 playable files in the list | ms | aim | met '
          '| longest stall, ms | aim | met |\n|---|---|---|---|---|---|---|')
    for name, ms in times.items():
        stall = stalls.get(name)
        stall_met = '' if stall is None else ('yes' if float(stall) <= 16 else 'no')
        print(f'| {name} | {ms} | ≤ 300 ms | {"yes" if float(ms) <= 300 else "no"} '
              f'| {stall if stall is not None else "–"} | ≤ 16 ms | {stall_met} |')
envfile = os.path.join(out, 'env.txt')
if os.path.exists(envfile):
    print('\n```\n' + open(envfile).read().strip() + '\n```')
