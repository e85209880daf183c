#!/usr/bin/env python3
"""Runs the world in the browser's engine and on the desktop and compares them.

vortane-sim built with emscripten for node (make web: PAGES_DIR/node/vortane-sim.js)
and the desktop's vortane-sim run every golden case of both editions
(tests/golden/*/cases.txt) and long random input scripts of both editions; every
trace must be the same byte for byte, and a golden case's also the same as its
.jsonl. A failure names the case, the first line that differs and its step.

usage: node_sim_check.py PAGES_DIR NATIVE_SIM GOLDEN_DIR [--node PATH] [--steps N] [--scripts N]
"""

import argparse
import hashlib
import os
import random
import shutil
import subprocess
import sys
import tempfile


def random_script(seed, steps, tap_fire):
    """Stretches of held controls, as a player might: fire most of the time, any mix
    of arrows and stick directions, quick taps, now and then a control-mode key,
    never Escape. The earlier edition fires once per press, so there firing
    stretches press and release on alternate steps."""
    pick = random.Random(seed)
    lines = [f"# random script, seed {seed}"]
    total = 0
    while total < steps:
        count = 1 + pick.randrange(180)
        if pick.randrange(100) < 20:
            count = 1 + pick.randrange(8)
        mode = " " + pick.choice(["KEY1", "KEY2", "KEY3"]) if pick.randrange(100) < 3 else ""
        fire = ""
        if pick.randrange(100) < 65:
            fire = " FIRE" if pick.randrange(100) < 85 else " JFIRE"
        held = "".join(" " + d for d in ("UP", "DOWN", "LEFT", "RIGHT") if pick.randrange(100) < 30)
        held += "".join(" " + d for d in ("JUP", "JDOWN", "JLEFT", "JRIGHT") if pick.randrange(100) < 6)
        if tap_fire and fire:
            for i in range(count):
                lines.append("1" + (mode if i == 0 else "") + (fire if i % 2 == 0 else "") + held)
        else:
            lines.append(f"{count}{mode}{fire}{held}")
        total += count
    return "\n".join(lines) + "\n"


def run(command, folder):
    done = subprocess.run(command, cwd=folder, capture_output=True, timeout=1800)
    if done.returncode != 0:
        raise RuntimeError(f"{' '.join(command)} ended with {done.returncode}: {done.stderr.decode()[-500:]}")
    return done.stdout


def first_difference(a, b):
    left, right = a.splitlines(), b.splitlines()
    for number, (x, y) in enumerate(zip(left, right), 1):
        if x != y:
            step = x.split(b",", 1)[0].decode(errors="replace")
            return f"line {number} ({step})"
    return f"after line {min(len(left), len(right))} (one trace is longer: {len(left)} against {len(right)} lines)"


def golden_cases(golden):
    for edition_folder in ("sim", "classic"):
        folder = os.path.join(golden, edition_folder)
        with open(os.path.join(folder, "cases.txt")) as f:
            for line in f:
                line = line.strip()
                if not line or line.startswith("#"):
                    continue
                name, *options = line.split()
                yield f"{edition_folder}/{name}", folder, options, os.path.join(folder, name + ".jsonl")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pages")
    parser.add_argument("native")
    parser.add_argument("golden")
    parser.add_argument("--node", default=shutil.which("node") or "/usr/bin/node")
    parser.add_argument("--steps", type=int, default=30000, help="steps of each random script")
    parser.add_argument("--scripts", type=int, default=2, help="random scripts per edition")
    args = parser.parse_args()

    node_sim = os.path.join(os.path.abspath(args.pages), "node", "vortane-sim.js")
    if not os.path.isfile(node_sim):
        print(f"node_sim_check: no {node_sim} (make web builds it)", file=sys.stderr)
        return 1
    native = [os.path.abspath(args.native)]
    browser = [args.node, node_sim]
    failures = 0

    def compare(name, folder, options, expected=None):
        nonlocal failures
        ours = run(native + options, folder)
        theirs = run(browser + options, folder)
        problems = []
        if ours != theirs:
            problems.append("node differs from native at " + first_difference(ours, theirs))
        if expected is not None and ours != expected:
            problems.append("native differs from the golden trace at " + first_difference(expected, ours))
        digest = hashlib.sha1(ours).hexdigest()[:12]
        lines = ours.count(b"\n")
        print(f"{'FAIL' if problems else 'ok  '} {name}: {lines} lines, sha1 {digest}"
              + ("; " + "; ".join(problems) if problems else ""), flush=True)
        failures += bool(problems)

    for name, folder, options, jsonl in golden_cases(args.golden):
        with open(jsonl, "rb") as f:
            compare(f"golden {name}", folder, options, f.read())

    scratch = tempfile.mkdtemp(prefix="vortane-node-sim-")
    try:
        for edition in ("current", "classic"):
            for seed in range(1, args.scripts + 1):
                script = os.path.join(scratch, f"{edition}-{seed}.txt")
                with open(script, "w") as f:
                    f.write(random_script(seed * 7919 + len(edition), args.steps, edition == "classic"))
                compare(f"random {edition} seed {seed} ({args.steps} steps)", scratch,
                        ["--edition", edition, "--seed", str(seed), "--steps", str(args.steps), "--every", "25",
                         "--input", script])
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
