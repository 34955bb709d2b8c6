#!/usr/bin/env python3
"""Checks morvane-fit's elicitation files from the command line:
  elicitation_file.py MORVANE_FIT WORK_FOLDER
A fit saved with --save and fitted again with --open prints the same JSON as the options
it was saved from, in both modes; a bad file exits with status 2 and a message that names
the file and what is wrong, and --save over a file that cannot be replaced leaves it.
The pool of three experts (--pool) is checked against an evaluation of its own here:
each expert's mean and standard deviation from the closed forms of the distribution, the
pool's quantiles by halving on the mixture's distribution function, and its draws from
the generator the README describes.
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


# [SECTION] The pool of three experts


def tsp_cdf(x, a, m, b, n):
    if x <= a:
        return 0.0
    if x >= b:
        return 1.0
    if x <= m:
        return (m - a) / (b - a) * ((x - a) / (m - a)) ** n
    return 1 - (b - m) / (b - a) * ((b - x) / (b - m)) ** n


def pool_quantile(u, experts, weights):
    low, high = min(e["a"] for e in experts), max(e["b"] for e in experts)
    for _ in range(200):
        middle = (low + high) / 2
        if sum(w * tsp_cdf(middle, e["a"], e["m"], e["b"], e["n"])
               for e, w in zip(experts, weights)) >= u:
            high = middle
        else:
            low = middle
    return high


pooled = os.path.join(work, "pool.morvane")
experts = []
for options in (["--ap", "1", "--m", "2", "--br", "4", "--n", "3"],
                ["--ap", "2", "--m", "3", "--br", "5", "--xs", "4.5", "--s", "80"],
                ["--ap", "0.5", "--m", "1", "--br", "6", "--n", "0.8"]):
    run("--save", saved, *options)
    with open(saved, encoding="utf-8") as f:
        experts.append(json.load(f)["experts"][0])
with open(pooled, "w", encoding="utf-8") as f:
    json.dump({"format": "morvane-elicitation", "version": 1, "experts": experts}, f)
levels = ["0.1", "2.5", "25", "50", "75", "97.5", "99.9"]
result = run("--open", pooled, "--pool", "--weights", "2,1,1", "--quantiles", ",".join(levels),
             "--json")
check(result.returncode == 0, f"--pool: {result.returncode} {result.stderr}")
pool = json.loads(result.stdout)
fits, weights = pool["experts"], [0.5, 0.25, 0.25]
check([e["weight"] for e in fits] == weights, f"weights {[e['weight'] for e in fits]}")
means, variances = [], []
for e in fits:
    a, m, b, n = e["a"], e["m"], e["b"], e["n"]
    mean = (a + (n - 1) * m + b) / (n + 1)
    variance = (n * (b - a) ** 2 - 2 * (n - 1) * (m - a) * (b - m)) / ((n + 2) * (n + 1) ** 2)
    check(abs(e["mean"] - mean) <= 1e-12 * (b - a) and
          abs(e["sd"] - variance ** 0.5) <= 1e-12 * (b - a),
          f"expert {e['name']!r}: mean {e['mean']} sd {e['sd']}, not {mean} {variance ** 0.5}")
    means.append(mean)
    variances.append(variance)
width = pool["b"] - pool["a"]
mean = sum(w * m for w, m in zip(weights, means))
sd = sum(w * (v + (m - mean) ** 2) for w, v, m in zip(weights, variances, means)) ** 0.5
check(abs(pool["mean"] - mean) <= 1e-12 * width and abs(pool["sd"] - sd) <= 1e-12 * width,
      f"pool mean {pool['mean']} sd {pool['sd']}, not {mean} {sd}")
worst = max(abs(pool["quantiles"][level] - pool_quantile(float(level) / 100, fits, weights))
            for level in levels) / width
check(worst <= 1e-9, f"the pool's quantiles lie {worst:.3g} of the width from the inversion")
print(f"pool: quantiles within {worst:.3g} of the width of an inversion done here")


def draws_u(seed, count):
    mask = 2 ** 64 - 1

    def splitmix():
        nonlocal seed
        seed = (seed + 0x9E3779B97F4A7C15) & mask
        z = seed
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & mask
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & mask
        return z ^ (z >> 31)

    s = [splitmix() for _ in range(4)]
    rotl = lambda x, k: ((x << k) | (x >> (64 - k))) & mask
    for _ in range(count):
        out = (rotl((s[1] * 5) & mask, 7) * 9) & mask
        t = (s[1] << 17) & mask
        s[2] ^= s[0]; s[3] ^= s[1]; s[1] ^= s[2]; s[0] ^= s[3]; s[2] ^= t
        s[3] = rotl(s[3], 45)
        yield ((out >> 11) + 0.5) / 2 ** 53


sample = run("--open", pooled, "--pool", "--weights", "2,1,1", "--sample", "5", "--seed", "7")
draws = [float(line) for line in sample.stdout.split()]
expected = [pool_quantile(u, fits, weights) for u in draws_u(7, 5)]
check(len(draws) == 5 and all(abs(d - e) <= 1e-9 * width for d, e in zip(draws, expected)),
      f"pool draws {draws}, not {expected}")

experts[1]["judgements"]["xs"] = "20"
with open(pooled, "w", encoding="utf-8") as f:
    json.dump({"format": "morvane-elicitation", "version": 1, "experts": experts}, f)
refused = run("--open", pooled, "--pool")
check(refused.returncode == 1 and "experts[1]: Additional Quantile Specification not Feasible"
      in refused.stderr, f"a pool with an expert refused: {refused.returncode} {refused.stderr!r}")

for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
