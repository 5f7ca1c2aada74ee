#!/usr/bin/env python3
"""Plays an animation in the real editor and reports how well playback keeps time.

Each run starts the playback probe (the editor program with its frame presents time-stamped, see
present_probe.cpp) on an animation named on its command line, which the editor plays at once,
and reads back one time stamp per frame. Reported per host and speed:

  period  mean time between two presented frames, beside the nominal floor(1000 / speed) ms
  p99     99th percentile of lateness: how long after its deadline (the previous frame's
          release plus the nominal period, the rule playback follows) each frame was presented
  cpu     processor time of the whole program (all threads) over the run, as a share of one core,
          as the program itself reads it; "outside" is the same from /proc, sampled by this
          script from the third second of the run to its last sample (under Wine the Linux
          process of the program; wineserver and Xvfb are not counted)

Usage:
  run_playback_bench.py [--qt PROBE] [--wine PROBE.exe] [--frames 600] [--speeds 60 12]
                        [--repeat N] [--json FILE]
--qt runs the Linux probe on the offscreen Qt platform; --wine runs the Windows probe under
Wine on an Xvfb display of its own (WINEPREFIX as set by tools/wine-env.sh).
"""
import argparse
import json
import os
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
import time

WIDTH, HEIGHT = 320, 240
TOOLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools")
# Presents before the measured ones: the first frame's period starts with the playback itself.
WARM_UP = 2


def runs_to_tokens(runs):
    """(ink, length) runs in raster order to tokens of at most 128 pixels each."""
    tokens = bytearray()
    for ink, length in runs:
        while length > 0:
            n = min(length, 128)
            tokens.append(n - 1 if ink else n + 127)
            length -= n
    return bytes(tokens)


def frame_tokens(index):
    """A bar moving across the picture, over a fixed box: a few runs per row."""
    runs = []
    bar = index * 3 % (WIDTH - 8)
    for y in range(HEIGHT):
        ink_spans = [(bar, bar + 8)]
        if 60 <= y < 180:
            ink_spans.append((200, 260))
        x = 0
        for start, end in sorted(ink_spans):
            start = max(start, x)
            if start > x:
                runs.append((False, start - x))
            if end > start:
                runs.append((True, end - start))
            x = max(x, end)
        if x < WIDTH:
            runs.append((False, WIDTH - x))
    merged = []
    for ink, length in runs:
        if merged and merged[-1][0] == ink:
            merged[-1] = (ink, merged[-1][1] + length)
        else:
            merged.append((ink, length))
    return runs_to_tokens(merged)


def write_animation(path, frames, speed):
    with open(path, "wb") as out:
        out.write(struct.pack("<6i", 24, WIDTH, HEIGHT, frames, speed, 0))
        for i in range(frames):
            tokens = frame_tokens(i)
            out.write(struct.pack("<i", len(tokens)))
            out.write(tokens)


def read_samples(path):
    samples = []
    with open(path) as f:
        for line in f:
            wall, cpu = line.split()
            samples.append((int(wall), int(cpu)))
    return samples


def percentile(values, fraction):
    ordered = sorted(values)
    rank = max(0, min(len(ordered) - 1, int(round(fraction * len(ordered) + 0.5)) - 1))
    return ordered[rank]


def summarize(samples, speed):
    samples = samples[WARM_UP:]
    period = 1000 // speed
    intervals = [(b[0] - a[0]) / 1e6 for a, b in zip(samples, samples[1:])]
    lateness = [i - period for i in intervals]
    wall = samples[-1][0] - samples[0][0]
    cpu = samples[-1][1] - samples[0][1]
    return {
        "frames": len(intervals),
        "nominal_ms": period,
        "mean_period_ms": statistics.fmean(intervals),
        "p99_lateness_ms": percentile(lateness, 0.99),
        "max_lateness_ms": max(lateness),
        "min_period_ms": min(intervals),
        "cpu_share": cpu / wall if wall > 0 else 0.0,
    }


PROBE_NAME = "mepu_playback_probe"
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def process_table():
    """pid -> (parent pid, name, user + system seconds) of every process now running."""
    table = {}
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % pid) as f:
                text = f.read()
        except OSError:
            continue
        name = text[text.index("(") + 1:text.rindex(")")]
        fields = text.rsplit(")", 1)[1].split()
        table[int(pid)] = (int(fields[1]), name, (int(fields[11]) + int(fields[12])) / CLOCK_TICKS)
    return table


def probe_cpu_seconds(root):
    """User and system time of the probe process started under `root` (None when not found)."""
    table = process_table()
    for pid, (parent, name, cpu) in table.items():
        if not PROBE_NAME.startswith(name):
            continue
        while parent > 1 and parent != root:
            parent = table.get(parent, (0,))[0]
        if parent == root or pid == root:
            return cpu
    return None


def run_probe(command, folder, env, frames, timeout):
    result_path = os.path.join(folder, "playback-probe.txt")
    if os.path.exists(result_path):
        os.remove(result_path)
    env = dict(env, MEPU_PLAYBACK_PROBE=str(frames + WARM_UP + 1))
    process = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    started = time.monotonic()
    outside = []
    while process.poll() is None:
        if time.monotonic() - started > timeout:
            process.kill()
            break
        time.sleep(0.2)
        cpu = probe_cpu_seconds(process.pid)
        if cpu is not None and time.monotonic() - started > 2:
            outside.append((time.monotonic(), cpu))
    process.wait()
    if not os.path.exists(result_path):
        raise RuntimeError("the probe wrote no time stamps: " + " ".join(command))
    outside_share = None
    if len(outside) >= 2 and outside[-1][0] > outside[0][0]:
        outside_share = (outside[-1][1] - outside[0][1]) / (outside[-1][0] - outside[0][0])
    return read_samples(result_path), outside_share


def qt_runner(probe, folder):
    config = os.path.join(folder, "config")
    os.makedirs(os.path.join(config, "mepu"), exist_ok=True)
    with open(os.path.join(config, "mepu", "mepusys.ini"), "wb") as ini:
        ini.write((os.path.dirname(os.path.abspath(probe)) + "/").encode())
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=config)
    return lambda frames, timeout: run_probe([os.path.abspath(probe), "anim.mpa"], folder, env,
                                             frames, timeout)


def wine_runner(probe, folder):
    prefix = os.environ.get("WINEPREFIX")
    if not prefix:
        raise RuntimeError("source tools/wine-env.sh first (WINEPREFIX is not set)")
    program_folder = subprocess.run(["winepath", "-w", os.path.dirname(os.path.abspath(probe))],
                                    capture_output=True, text=True, check=True).stdout.strip()
    with open(os.path.join(prefix, "drive_c", "windows", "mepusys.ini"), "wb") as ini:
        ini.write((program_folder + "\\").encode())
    command = ["bash", os.path.join(TOOLS, "with-xvfb.sh"), "wine", os.path.abspath(probe), "anim.mpa"]
    return lambda frames, timeout: run_probe(command, folder, dict(os.environ), frames, timeout)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--qt")
    parser.add_argument("--wine")
    parser.add_argument("--frames", type=int, default=600)
    parser.add_argument("--speeds", type=int, nargs="+", default=[60, 12])
    parser.add_argument("--repeat", type=int, default=1)
    parser.add_argument("--json")
    args = parser.parse_args()
    if not args.qt and not args.wine:
        parser.error("give --qt, --wine or both")

    folder = tempfile.mkdtemp(prefix="mepu-playback-bench-")
    results = []
    try:
        hosts = []
        if args.qt:
            hosts.append(("qt-offscreen", qt_runner(args.qt, folder)))
        if args.wine:
            hosts.append(("wine", wine_runner(args.wine, folder)))
        for speed in args.speeds:
            write_animation(os.path.join(folder, "anim.mpa"), args.frames + WARM_UP + 10, speed)
            timeout = 60 + 2 * args.frames / speed
            for name, run in hosts:
                for repetition in range(args.repeat):
                    samples, outside_share = run(args.frames, timeout)
                    row = summarize(samples, speed)
                    row.update(host=name, speed=speed, repetition=repetition,
                               cpu_share_outside=outside_share)
                    results.append(row)
                    print("{host:13} {speed:3} fps  period {mean_period_ms:8.3f} ms (nominal "
                          "{nominal_ms:4d})  p99 late {p99_lateness_ms:7.3f} ms  max late "
                          "{max_lateness_ms:7.3f} ms  cpu {cpu_share:6.1%} (outside {outside})".format(
                              outside="-" if outside_share is None else
                              "{:.1%}".format(outside_share), **row),
                          flush=True)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    if args.json:
        with open(args.json, "w") as out:
            json.dump(results, out, indent=1)
    return 0


if __name__ == "__main__":
    sys.exit(main())
