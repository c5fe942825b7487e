#!/usr/bin/env python3
"""Start-up of marelto against a bare Qt dialog with the same widgets, side by side.

Runs both alternately in one X server (no window manager), timing from process start to the
MapNotify of its top-level window as seen on the root window, and reading the resident memory
at that moment. Usage: startup.py BUILD_DIR [RUNS]
"""
import os, statistics, subprocess, sys, tempfile, time

build = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
display = next(f":{n}" for n in range(150, 200)
               if not os.path.exists(f"/tmp/.X{n}-lock") and not os.path.exists(f"/tmp/.X11-unix/X{n}"))
# -noreset: the server would otherwise reset as the readiness probe disconnects, and refuse the
# next connection while it does.
xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                         "-noreset"],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
env = dict(os.environ, DISPLAY=display)
env.pop("QT_QPA_PLATFORM", None)
for _ in range(100):
    if subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
        break
    time.sleep(0.1)


def rss_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def one_run(cmd, cwd):
    xev = subprocess.Popen(["stdbuf", "-oL", "xev", "-root", "-event", "substructure"], env=env,
                           stdout=subprocess.PIPE, text=True, bufsize=1)
    time.sleep(0.2)
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    elapsed = None
    for line in xev.stdout:  # ends only if xev dies

        if line.startswith("MapNotify"):
            elapsed = time.perf_counter() - start
            break
    time.sleep(0.3)  # let it settle, then read its memory
    rss = rss_kb(proc.pid)
    proc.kill()
    proc.wait()
    xev.kill()
    xev.wait()
    if elapsed is None:
        sys.exit("no window was mapped")
    return elapsed * 1000.0, rss / 1024.0


play = tempfile.mkdtemp()
data = os.path.join(build, "play", "sample0524.txt")
if os.path.exists(data):
    os.symlink(data, os.path.join(play, "sample0524.txt"))
results = {"bare": [], "marelto": []}
try:
    for i in range(runs):
        results["bare"].append(one_run([os.path.join(build, "bench", "bare_dialog")], play))
        results["marelto"].append(one_run([os.path.join(build, "marelto")], play))
finally:
    xvfb.terminate()
    xvfb.wait()
for name, rows in results.items():
    ms = statistics.median(r[0] for r in rows)
    mb = statistics.median(r[1] for r in rows)
    print(f"{name:8s} visible after {ms:6.1f} ms (median of {runs}), resident {mb:5.1f} MB")
bare_ms = statistics.median(r[0] for r in results["bare"])
ours_ms = statistics.median(r[0] for r in results["marelto"])
bare_mb = statistics.median(r[1] for r in results["bare"])
ours_mb = statistics.median(r[1] for r in results["marelto"])
print(f"ratio {ours_ms / bare_ms:.2f} (target <= 1.10), extra memory {ours_mb - bare_mb:.1f} MB "
      f"(target <= 10)")
