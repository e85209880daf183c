#!/usr/bin/env python3
"""The browser page's frame rate against a blank WebGL page's, in one headless Chromium.

Both pages run in the same browser on software WebGL (SwiftShader), in turns: the
game page for SECONDS, then a page that only clears a WebGL canvas of the same
drawing-buffer size, CSS size and context attributes every animation frame, then
the game again, and so on for ROUNDS. A page's frames a second are animation frames
counted over its turn (the game draws one frame and steps once per animation frame;
its step count is printed beside them). The figure is the game's median rate over
the blank page's median rate (target: at least 0.5).

Beside each rate it prints the CPU time Chromium's GPU process (where SwiftShader
draws, on all its threads) spent per frame of that page: steadier than the rates on a
busy machine, and what an experiment changes. An experiment is a script given with
--patch: it runs in the game page before the page's own scripts (wrapping WebGL calls,
say), never in the blank page.

usage: browser_frame_rate.py PAGES_DIR [--page vortane.html] [--seconds 5] [--rounds 3]
                             [--patch SCRIPT.js]
"""

import argparse
import json
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from browser_check import LOAD_SECONDS, VIEW_HEIGHT, VIEW_WIDTH, Browser, Failure, serve  # noqa: E402

# A canvas cleared every animation frame, nothing else: the most a page of this size
# can reach on this browser and this machine.
BLANK_PAGE = """<!doctype html><html><head><meta charset="utf-8"><style>
html, body { margin: 0; background: #000; } canvas { display: block; }
</style></head><body><canvas id="canvas"></canvas><script>
window.startBlank = function(width, height, cssWidth, cssHeight, attributes) {
  var canvas = document.getElementById('canvas');
  canvas.width = width; canvas.height = height;
  canvas.style.width = cssWidth + 'px'; canvas.style.height = cssHeight + 'px';
  var gl = canvas.getContext('webgl', attributes);
  if (!gl) return false;
  var frame = function() {
    gl.clearColor(0.9, 0.9, 0.95, 0.0);
    gl.clear(gl.COLOR_BUFFER_BIT | gl.DEPTH_BUFFER_BIT);
    requestAnimationFrame(frame);
  };
  requestAnimationFrame(frame);
  return true;
};
</script></body></html>
"""

# Animation frames (and the game's steps, where there is a game) over `ms` milliseconds.
COUNT_FRAMES = """new Promise(r => {
  const steps = () => window.vortane ? window.vortane.steps() : 0;
  let n = 0; const s0 = steps(); let t0 = 0;
  const f = (t) => { if (!t0) t0 = t; else n++;
    if (t - t0 < %d) requestAnimationFrame(f);
    else r([n, (t - t0) / 1000, steps() - s0]); };
  requestAnimationFrame(f); })"""


def gpu_process_cpu_seconds(profile):
    """User and system CPU time of the GPU process of the Chromium using `profile`."""
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            # Chromium rewrites its processes' titles: the flags may be one string.
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                command = f.read().replace(b"\0", b" ") + b" "
            if b"--type=gpu-process " not in command or f"--user-data-dir={profile} ".encode() not in command:
                continue
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    return None


def count_frames(browser, seconds, profile=None):
    """Animation frames a second and steps a second over `seconds`, and with `profile`
    the GPU process's CPU milliseconds per frame (None where it cannot be read)."""
    cpu_before = gpu_process_cpu_seconds(profile) if profile else None
    result = browser.call("Runtime.evaluate", {"expression": COUNT_FRAMES % int(seconds * 1000),
                                               "awaitPromise": True, "returnByValue": True},
                          timeout=seconds * 4 + 60)
    cpu_after = gpu_process_cpu_seconds(profile) if profile else None
    frames, elapsed, steps = result["result"]["value"]
    gpu_ms = None
    if cpu_before is not None and cpu_after is not None and frames > 0:
        gpu_ms = (cpu_after - cpu_before) * 1000 / frames
    return frames / elapsed, steps / elapsed, gpu_ms


def cpu_text(ms, alone=False):
    if ms is None:
        return ""
    return f"{' (' if alone else '; '}GPU process {ms:.1f} ms of CPU a frame{')' if alone else ''}"


def wait_for(browser, expression, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if browser.evaluate(expression):
            return
        time.sleep(0.2)
    raise Failure(f"{what}: not within {seconds} s")


def open_game(browser, url):
    browser.call("Page.navigate", {"url": url})
    wait_for(browser, "window.vortane && window.vortane.ready() && window.vortane.pageState() === 0", LOAD_SECONDS,
             "the game page loads")
    # The game waits for a click (the page's start overlay sits in the middle).
    for kind in ("mousePressed", "mouseReleased"):
        browser.call("Input.dispatchMouseEvent", {"type": kind, "x": VIEW_WIDTH // 2, "y": VIEW_HEIGHT // 2,
                                                  "button": "left", "clickCount": 1})
    wait_for(browser, "window.vortane.steps() > 0", LOAD_SECONDS, "the game steps after the click")
    # Its canvas as the game left it: drawing-buffer size, size on the page, context attributes.
    return browser.evaluate(
        "(() => { const c = document.getElementById('canvas'); const r = c.getBoundingClientRect();"
        " const gl = c.getContext('webgl') || c.getContext('experimental-webgl');"
        " return [c.width, c.height, r.width, r.height, gl ? gl.getContextAttributes() : {}]; })()")


def open_blank(browser, url, canvas):
    browser.call("Page.navigate", {"url": url})
    wait_for(browser, "typeof window.startBlank === 'function'", LOAD_SECONDS, "the blank page loads")
    width, height, css_width, css_height, attributes = canvas
    started = browser.evaluate(f"window.startBlank({width}, {height}, {css_width}, {css_height}, "
                               f"{json.dumps(attributes)})")
    if not started:
        raise Failure("the blank page gets no WebGL context")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pages")
    parser.add_argument("--page", default="vortane.html")
    parser.add_argument("--seconds", type=float, default=5.0)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--patch", help="a script run in the game page before its own (experiments)")
    parser.add_argument("--chromium", default=shutil.which("chromium") or "/usr/bin/chromium")
    args = parser.parse_args()
    patch = None
    if args.patch:
        try:
            with open(args.patch) as f:
                patch = f.read()
        except (OSError, UnicodeDecodeError) as error:
            print(f"browser_frame_rate: cannot read the patch {args.patch}: {error}", file=sys.stderr)
            return 1
    if not os.path.isfile(os.path.join(args.pages, args.page)):
        print(f"browser_frame_rate: no page {args.page} in {args.pages}", file=sys.stderr)
        return 1

    blank_dir = tempfile.mkdtemp(prefix="vortane-blank-")
    with open(os.path.join(blank_dir, "blank.html"), "w") as f:
        f.write(BLANK_PAGE)
    server = serve(args.pages)
    blank_server = serve(blank_dir)
    game_url = f"http://127.0.0.1:{server.server_address[1]}/{args.page}"
    blank_url = f"http://127.0.0.1:{blank_server.server_address[1]}/blank.html"
    profile = tempfile.mkdtemp(prefix="vortane-chromium-")
    browser = Browser(args.chromium, profile)
    game_rates, blank_rates = [], []
    try:
        browser.open_page()
        browser.call("Runtime.enable")
        browser.call("Emulation.setDeviceMetricsOverride",
                     {"width": VIEW_WIDTH, "height": VIEW_HEIGHT, "deviceScaleFactor": 1, "mobile": False})
        browser.call("Page.enable")
        renderer = None
        game_cpu, blank_cpu = [], []
        for round_number in range(args.rounds):
            patched = None
            if patch:
                patched = browser.call("Page.addScriptToEvaluateOnNewDocument", {"source": patch})["identifier"]
            canvas = open_game(browser, game_url)
            if patched:
                browser.call("Page.removeScriptToEvaluateOnNewDocument", {"identifier": patched})
            if renderer is None:
                renderer = browser.evaluate(
                    "(() => { const gl = document.getElementById('canvas').getContext('webgl');"
                    " const d = gl && gl.getExtension('WEBGL_debug_renderer_info');"
                    " return d ? gl.getParameter(d.UNMASKED_RENDERER_WEBGL) : 'unknown'; })()")
                print(f"renderer: {renderer}; canvas {canvas[0]} x {canvas[1]} (on the page "
                      f"{canvas[2]:.0f} x {canvas[3]:.0f}), attributes {canvas[4]}", flush=True)
            count_frames(browser, 1.0)  # settles after the load
            game, steps, game_ms = count_frames(browser, args.seconds, profile)
            open_blank(browser, blank_url, canvas)
            count_frames(browser, 1.0)
            blank, _, blank_ms = count_frames(browser, args.seconds, profile)
            game_rates.append(game)
            blank_rates.append(blank)
            if game_ms is not None and blank_ms is not None:
                game_cpu.append(game_ms)
                blank_cpu.append(blank_ms)
            print(f"round {round_number + 1}: {args.page} {game:.1f} frames/s ({steps:.1f} steps/s"
                  f"{cpu_text(game_ms)}), blank WebGL page {blank:.1f} frames/s{cpu_text(blank_ms, True)}, "
                  f"ratio {game / blank:.2f}", flush=True)
    except Failure as failure:
        print(f"FAIL {failure}", flush=True)
        return 1
    finally:
        browser.close()
        server.shutdown()
        blank_server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)
        shutil.rmtree(blank_dir, ignore_errors=True)
    game, blank = statistics.median(game_rates), statistics.median(blank_rates)
    print(f"median: {args.page} {game:.1f} frames/s, blank WebGL page {blank:.1f} frames/s, "
          f"page_over_blank {game / blank:.2f} (target at least 0.5)")
    if game_cpu:
        print(f"median GPU process CPU a frame: {args.page} {statistics.median(game_cpu):.1f} ms, "
              f"blank WebGL page {statistics.median(blank_cpu):.1f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
