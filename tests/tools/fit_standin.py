#!/usr/bin/env python3
"""A stand-in for morvane-fit with a planted fault, to show that scripts/fit-stress
catches it. It runs the real program (MORVANE_FIT_REAL) and spoils what it prints, as
MORVANE_STANDIN_FAULT says:
  refuse  every set is refused with a message;
  shift   a moves by 10 % of m - a and n grows by half, in the table and in JSON;
  nan     the median of the table reads NaN;
  seed    the draws of --sample are those of seed 1, whatever --seed says.
"""
import json
import os
import re
import subprocess
import sys

args = [os.fsencode(a) for a in sys.argv[1:]]
fault = os.environ["MORVANE_STANDIN_FAULT"]
if fault == "refuse" and b"--help" not in args:
    if b"--json" in args:
        print(json.dumps({"error": "refused by the stand-in"}))
    else:
        print("morvane-fit: refused by the stand-in", file=sys.stderr)
    sys.exit(1)
if fault == "seed":
    args = [b"--seed=1" if a.startswith(b"--seed=") else a for a in args]
real = subprocess.run([os.environ["MORVANE_FIT_REAL"].encode()] + args, capture_output=True)
out = real.stdout.decode("utf-8", "replace")
if real.returncode == 0:
    if b"--json" in args:
        fit = json.loads(out)
        if fault == "shift":
            fit["a"] -= 0.1 * (fit["m"] - fit["a"])
            fit["n"] *= 1.5
        out = json.dumps(fit, indent=2) + "\n"
    else:
        def spoil(label, change):
            global out
            pattern = re.compile(r"^(  " + re.escape(label) + r" +)(\S+)$", re.M)
            out = pattern.sub(lambda g: g.group(1) + change(g.group(2)), out)
        if fault == "shift":
            spoil("Power Parameter n", lambda t: f"{float(t) * 1.5:.8f}")
            a = float(re.search(r"Lower Bound \(a\) +(\S+)", out).group(1))
            m = float(re.search(r"^  (?:anti-)?mode +(\S+)$", out, re.M).group(1))
            spoil("Lower Bound (a)", lambda t: f"{a - 0.1 * (m - a):.8f}")
        elif fault == "nan":
            spoil("Median", lambda t: "NaN")
sys.stdout.write(out)
sys.stderr.write(real.stderr.decode("utf-8", "replace"))
sys.exit(real.returncode)
