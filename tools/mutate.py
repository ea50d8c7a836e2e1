#!/usr/bin/python3
"""Mutation check: do the unit tests notice a small, deliberate fault?

  tools/mutate.py [--build DIR] [--target NAME] [--filter GTEST_FILTER] MUTATIONS.json [ID ...]

Run from the project's root after a normal build (`make build`). MUTATIONS.json is a list of
  {"id": "walk-edge", "file": "map/walking.cpp", "find": "canMove = y > 0;", "replace": "canMove = y >= 0;"}
where `find` must occur exactly once in the file. For each mutation (or only the IDs named) the
script writes the change, rebuilds the test target with ninja, runs the test binary (from its own
folder, headless), restores the file, and prints one line: killed (by which tests), SURVIVED,
no-build, or not-found. It ends by rebuilding the untouched target and printing the totals.
A surviving mutation is either a test that is missing or an equivalent change (one that cannot
alter behaviour): say which in the mutation's id or a "note" field.
Defaults: --build build, --target velmora-tests, binary build/tests/<target>.
"""
import argparse, json, os, subprocess, sys, time


def run(cmd, cwd, timeout):
    try:
        p = subprocess.run(cmd, cwd=cwd, capture_output=True, text=True, timeout=timeout,
                           env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        return p.returncode, p.stdout + p.stderr
    except subprocess.TimeoutExpired:
        return 124, "timeout"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default="build")
    ap.add_argument("--target", default="velmora-tests")
    ap.add_argument("--filter", default="*")
    ap.add_argument("mutations")
    ap.add_argument("ids", nargs="*")
    a = ap.parse_args()
    build = os.path.abspath(a.build)
    testdir = os.path.join(build, "tests")
    results = []
    for m in json.load(open(a.mutations)):
        if a.ids and m["id"] not in a.ids:
            continue
        path = m["file"]
        text = open(path).read()
        if text.count(m["find"]) != 1:
            print(f'{m["id"]:32} not-found ({text.count(m["find"])} matches)', flush=True)
            continue
        t0 = time.time()
        try:
            open(path, "w").write(text.replace(m["find"], m["replace"]))
            rc, out = run(["ninja", "-C", build, a.target], ".", 1800)
            if rc != 0:
                verdict = "no-build"
            else:
                rc, out = run([os.path.join(testdir, a.target), "--gtest_brief=1",
                               f"--gtest_filter={a.filter}"], testdir, 1800)
                failed = sorted({l.split("] ")[-1].split(" (")[0]
                                 for l in out.splitlines() if l.startswith("[  FAILED  ]")})
                verdict = "SURVIVED" if rc == 0 else "killed"
                if failed:
                    verdict += f" by {len(failed)}: " + ", ".join(failed)[:160]
        finally:
            open(path, "w").write(text)
        print(f'{m["id"]:32} {verdict}  ({time.time() - t0:.0f} s)', flush=True)
        results.append(verdict)
    run(["ninja", "-C", build, a.target], ".", 1800)
    killed = sum(v.startswith("killed") for v in results)
    survived = sum(v.startswith("SURVIVED") for v in results)
    print(f"killed {killed}, survived {survived}, of {len(results)} mutations")


if __name__ == "__main__":
    sys.exit(main())
