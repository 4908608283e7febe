"""What the exact probes of compare_players.sh share: starting the program
under test in a process group of its own, ending it, and printing figures."""
import os, signal, statistics, subprocess

def start(cmd):
    return subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)

def stop(process):
    """Ends the program and whatever it started: TERM, KILL after 5 s."""
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()

def report(values, digits=0):
    """One figure per run, then "median N" ("median none" without any)."""
    for v in values:
        print(f'{v:.{digits}f}')
    print(f'median {statistics.median(values):.{digits}f}' if values else 'median none')
