#!/usr/bin/env python3
"""Checks morvane-fit's elicitation files from the command line:
  elicitation_file.py MORVANE_FIT WORK_FOLDER
A fit saved with --save and fitted again with --open prints the same JSON as the options
it was saved from, in both modes; a bad file exits with status 2 and a message that names
the file and what is wrong, and --save over a file that cannot be replaced leaves it.
"""
import json
import os
import subprocess
import sys

fit, work = sys.argv[1], sys.argv[2]
os.makedirs(work, exist_ok=True)
failures = []


def run(*args):
    return subprocess.run([fit, *args], capture_output=True, text=True)


def check(condition, what):
    if not condition:
        failures.append(what)


saved = os.path.join(work, "f.morvane")
for options in (["--ap", "1", "--m", "2", "--br", "4", "--n", "3"],
                ["--xs", "9.588495255", "--s", "80", "--credibility", "20"]):
    direct = run(*options, "--json")
    written = run("--save", saved, *options, "--json")
    opened = run("--open", saved, "--json")
    check(direct.returncode == 0 and written.returncode == 0 and opened.returncode == 0,
          f"{options}: status {direct.returncode}, {written.returncode}, {opened.returncode}")
    check(direct.stdout == written.stdout == opened.stdout,
          f"{options}: --open prints\n{opened.stdout}\nnot\n{direct.stdout}")
    with open(saved, encoding="utf-8") as f:
        record = json.load(f)
    check(record["experts"][0]["fit"]["a"] == json.loads(direct.stdout)["a"],
          f"{options}: the file's fit is not the fit printed")

# --credibility beside a file replaces its level.
other = run("--open", saved, "--credibility", "10", "--json")
check(json.loads(other.stdout)["lower_credibility_limit"]
      == json.loads(run("--xs", "9.588495255", "--s", "80", "--json").stdout)[
          "lower_credibility_limit"], "--credibility beside --open")

bad = os.path.join(work, "bad.morvane")
with open(saved, encoding="utf-8") as f:
    good = f.read()
for text, expected in ((good.replace('"s": 80', '"s": 180'), "experts[0].judgements.s reads 180"),
                       (good.replace('"version": 1', '"version": 2'), "newer Morvane"),
                       ("not json", "is not JSON")):
    with open(bad, "w", encoding="utf-8") as f:
        f.write(text)
    refused = run("--open", bad)
    check(refused.returncode == 2 and refused.stderr.startswith(f"morvane-fit: {bad}: ")
          and expected in refused.stderr, f"bad file: {refused.returncode} {refused.stderr!r}")
missing = run("--open", os.path.join(work, "missing.morvane"))
check(missing.returncode == 2 and "missing.morvane: cannot open" in missing.stderr,
      f"missing file: {missing.stderr!r}")

# A folder in the file's place cannot be replaced: it stays, and the status says so.
taken = os.path.join(work, "taken.morvane")
os.makedirs(taken, exist_ok=True)
refused = run("--save", taken)
check(refused.returncode == 2 and os.path.isdir(taken) and "taken.morvane: " in refused.stderr,
      f"--save over a folder: {refused.returncode} {refused.stderr!r}")

for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
