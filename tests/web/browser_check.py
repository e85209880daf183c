#!/usr/bin/env python3
"""Plays one of the browser pages in headless Chromium and checks that it works.

The page is served from 127.0.0.1 by a server in this process and driven over the
DevTools protocol through a pipe (--remote-debugging-pipe), so nothing beyond the
Python standard library and the browser is needed, and nothing leaves the machine.

Chromium runs without the autoplay exemption, so the page meets the browser's
sound policy as a player's would. Checks, each reported by name: the page waits
under its start overlay with no world step and no sound until a click, then
steps and plays; the world steps keep the rate the page learnt from its
animation frames; the grid is drawn (pixels of the edition's grid colour in a
screenshot); holding Z fires (orange shot pixels appear away from the ship);
audio buffers are rendered through the AudioWorklet and their samples are not
all zero; the volumes and a key rebound in the kept
settings last across a reload; a game over keeps the best game, which replays
natively and the page's link saves (current edition); P and Escape pause (no step, no buffer, the context suspended, the
note on the page) and P or a click resumes; a page hidden behind another tab
pauses the same way; keys pressed and released between two animation
frames reach exactly one step each; the page's recording
(window.vortane.recording()) replays in the desktop's vortane-sim to the same end
line (steps, score and generator); each failure (a missing data file or .wasm,
file://, no WebGL, no WebAssembly, an uncaught error, the runtime's abort) shows
its message on the page; no uncaught error and no console error. The page is served
by `make serve-web`'s server: a cold load transfers its brotli copies, under
PAGE_BUDGET; and after a visit of the page and the index, with the server gone,
the index and the page load from the service worker and the game plays.

usage: browser_check.py PAGES_DIR PAGE EDITION [--sim PATH] [--chromium PATH] [--keep DIR]
                        [--checks LIST]
  EDITION is "current" (green grid) or "classic" (blue grid).
"""

import argparse
import base64
import importlib.machinery
import json
import os
import queue
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import zlib

# How long the page may take to load and start stepping (swiftshader is slow).
LOAD_SECONDS = 60
# The viewport: the canvas is fitted into it below the line of keys.
VIEW_WIDTH = 1024
VIEW_HEIGHT = 800


class Failure(Exception):
    pass


# ---------------------------------------------------------------------------
# Serving the pages


# `make serve-web`'s own server (scripts/serve-web), so the test sees what a player
# of it gets: the precompressed copies with their headers.
SERVE_WEB = importlib.machinery.SourceFileLoader(
    "serve_web", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                              "serve-web")).load_module()


class CountingWriter:
    """The bytes a handler sends, added to QuietHandler.sent."""

    def __init__(self, out):
        self.out = out

    def write(self, data):
        with QuietHandler.counting:
            QuietHandler.sent += len(data)
        return self.out.write(data)

    def __getattr__(self, name):
        return getattr(self.out, name)


class QuietHandler(SERVE_WEB.FolderHandler):
    # Files answered with 404, for the failure checks.
    missing = set()
    # Every byte the server has sent, headers included.
    sent = 0
    counting = threading.Lock()

    def setup(self):
        super().setup()
        self.wfile = CountingWriter(self.wfile)

    def send_head(self):
        if os.path.basename(self.path.split("?")[0]) in self.missing:
            self.send_error(404)
            return None
        return super().send_head()

    def log_message(self, *args):
        pass


def serve(directory):
    server = SERVE_WEB.make_server(directory, 0, QuietHandler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


# ---------------------------------------------------------------------------
# The DevTools protocol over Chromium's pipe: JSON messages ended by a zero byte,
# commands on the browser's fd 3, answers and events on its fd 4.


class Browser:
    def __init__(self, chromium, profile):
        to_browser_r, self.to_browser = os.pipe()
        self.from_browser, from_browser_w = os.pipe()

        def place_pipes():
            high_r = os.dup(to_browser_r)
            high_w = os.dup(from_browser_w)
            os.dup2(high_r, 3)
            os.dup2(high_w, 4)

        flags = [
            "--headless=new",
            "--use-angle=swiftshader",
            "--enable-unsafe-swiftshader",
            "--remote-debugging-pipe",
            # The sandbox refuses to start as root (as in CI containers); the page is ours.
            "--no-sandbox",
            "--no-first-run",
            "--no-default-browser-check",
            "--disable-background-networking",
            "--disable-component-update",
            "--disable-sync",
            "--disable-extensions",
            "--disable-default-apps",
            "--disable-background-timer-throttling",
            "--disable-renderer-backgrounding",
            "--disable-backgrounding-occluded-windows",
            "--mute-audio",
            f"--window-size={VIEW_WIDTH},{VIEW_HEIGHT}",
            f"--user-data-dir={profile}",
            # A cold start: the cache in the fresh profile too, not the user's.
            f"--disk-cache-dir={profile}/cache",
            "about:blank",
        ]
        self.log = open(os.path.join(profile, "chromium.log"), "wb")
        self.process = subprocess.Popen([chromium] + flags, stdin=subprocess.DEVNULL, stdout=self.log,
                                        stderr=subprocess.STDOUT, pass_fds=(3, 4),
                                        preexec_fn=place_pipes)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self.next_id = 0
        self.answers = {}
        self.answered = threading.Condition()
        self.events = queue.Queue()
        self.session = None
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            chunk = os.read(self.from_browser, 1 << 16)
            if not chunk:
                with self.answered:
                    self.answers[None] = True  # the browser went away
                    self.answered.notify_all()
                return
            pending += chunk
            while b"\0" in pending:
                raw, pending = pending.split(b"\0", 1)
                message = json.loads(raw)
                if "id" in message:
                    with self.answered:
                        self.answers[message["id"]] = message
                        self.answered.notify_all()
                else:
                    self.events.put(message)

    def call(self, method, params=None, timeout=30, session=True):
        self.next_id += 1
        ident = self.next_id
        message = {"id": ident, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        with self.answered:
            while ident not in self.answers:
                if None in self.answers:
                    raise Failure(f"the browser ended during {method}")
                left = deadline - time.monotonic()
                if left <= 0:
                    raise Failure(f"no answer to {method} within {timeout} s")
                self.answered.wait(left)
            answer = self.answers.pop(ident)
        if "error" in answer:
            raise Failure(f"{method}: {answer['error']}")
        return answer.get("result", {})

    def open_page(self):
        targets = self.call("Target.getTargets", session=False)["targetInfos"]
        pages = [t for t in targets if t["type"] == "page"]
        if not pages:
            target = self.call("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        else:
            target = pages[0]["targetId"]
        self.session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True},
                                 session=False)["sessionId"]

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True})
        if "exceptionDetails" in result:
            raise Failure(f"{expression}: {result['exceptionDetails'].get('text')}")
        return result["result"].get("value")

    def close(self):
        try:
            self.call("Browser.close", session=False, timeout=5)
        except Failure:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.log.close()


# ---------------------------------------------------------------------------
# Screenshots: Chromium's PNG decoded with zlib (8-bit RGB or RGBA only).


def decode_png(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise Failure("the screenshot is not a PNG")
    pos, idat, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise Failure(f"unexpected screenshot format {depth}/{colour}/{interlace}")
    channels = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        if kind == 1:
            for i in range(channels, stride):
                line[i] = (line[i] + line[i - channels]) & 255
        elif kind == 2:
            line = bytearray((a + b) & 255 for a, b in zip(line, previous))
        elif kind == 3:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                line[i] = (line[i] + ((left + previous[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(stride):
                a = line[i - channels] if i >= channels else 0
                b = previous[i]
                c = previous[i - channels] if i >= channels else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        previous = line
    return width, height, channels, rows


def is_green(r, g, b):
    return g >= 48 and g > r + 24 and g > b + 24


def is_blue(r, g, b):
    return b >= 48 and b > r + 24 and b > g + 24


def is_orange(r, g, b):
    # The shot and its glows: strong red, some green, little blue.
    return r >= 140 and 0.25 * r <= g <= 0.9 * r and b <= 0.6 * g + 10


def count_pixels(picture, test, box=None):
    width, height, channels, rows = picture
    x0, y0, x1, y1 = box or (0, 0, width, height)
    count = 0
    for y in range(max(0, y0), min(height, y1)):
        line = rows[y]
        for x in range(max(0, x0), min(width, x1)):
            i = x * channels
            if test(line[i], line[i + 1], line[i + 2]):
                count += 1
    return count


# ---------------------------------------------------------------------------
# The checks


class PageRun:
    def __init__(self, browser, url, keep):
        self.browser = browser
        self.url = url
        self.keep = keep
        self.errors = []
        self.shots = 0
        # Network requests: url, response headers and bytes transferred, by request id.
        self.requests = {}

    def drain_events(self):
        while True:
            try:
                event = self.browser.events.get_nowait()
            except queue.Empty:
                return
            method, params = event.get("method"), event.get("params", {})
            if method == "Network.responseReceived":
                response = params["response"]
                self.requests.setdefault(params["requestId"], {}).update(
                    url=response["url"], headers={k.lower(): v for k, v in response.get("headers", {}).items()})
            elif method == "Network.loadingFinished":
                self.requests.setdefault(params["requestId"], {})["bytes"] = params.get("encodedDataLength", 0)
            elif method == "Runtime.exceptionThrown":
                details = params.get("exceptionDetails", {})
                text = details.get("exception", {}).get("description") or details.get("text")
                self.errors.append(f"uncaught: {text}")
            elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert"):
                args = " ".join(str(a.get("value", a.get("description", ""))) for a in params.get("args", []))
                self.errors.append(f"console.error: {args}")
            elif method == "Log.entryAdded" and params.get("entry", {}).get("level") == "error":
                entry = params["entry"]
                self.errors.append(f"log ({entry.get('source')}): {entry.get('text')} {entry.get('url', '')}")

    def wait_for(self, expression, seconds, what):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            self.drain_events()
            if self.errors:
                raise Failure(f"{what}: the page reported errors first: {self.errors}")
            if self.browser.evaluate(expression):
                return
            time.sleep(0.1)
        raise Failure(f"{what}: not within {seconds} s")

    def canvas_box(self):
        box = self.browser.evaluate(
            "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
            " return [r.left, r.top, r.width, r.height]; })()")
        return [int(round(v)) for v in box]

    def screenshot(self, name):
        left, top, width, height = self.canvas_box()
        clip = {"x": left, "y": top, "width": width, "height": height, "scale": 0.5}
        data = base64.b64decode(self.browser.call("Page.captureScreenshot",
                                                  {"format": "png", "clip": clip})["data"])
        if self.keep:
            with open(os.path.join(self.keep, name + ".png"), "wb") as f:
                f.write(data)
        return decode_png(data)

    def key(self, kind, code, key, virtual):
        self.browser.call("Input.dispatchKeyEvent", {"type": kind, "code": code, "key": key,
                                                     "windowsVirtualKeyCode": virtual,
                                                     "nativeVirtualKeyCode": virtual})

    def key_with(self, code, key, virtual, modifiers):
        """A press and release of a key with modifiers (DevTools' bit set) held."""
        for kind in ("keyDown", "keyUp"):
            self.browser.call("Input.dispatchKeyEvent", {"type": kind, "code": code, "key": key,
                                                         "modifiers": modifiers, "windowsVirtualKeyCode": virtual,
                                                         "nativeVirtualKeyCode": virtual})

    def steps(self):
        return self.browser.evaluate("window.vortane.steps()")

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.browser.call("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left",
                                                           "clickCount": 1})

    def click_canvas(self):
        left, top, width, height = self.canvas_box()
        self.click(left + width // 2, top + height // 3)

    def press(self, code, key, virtual):
        self.key("keyDown", code, key, virtual)
        self.key("keyUp", code, key, virtual)

    def wait_loaded(self):
        self.wait_for("window.vortane && window.vortane.ready() && window.vortane.pageState() === 0",
                      LOAD_SECONDS, "the page loads and waits for the player")

    def quiet_for(self, seconds):
        """Steps and audio buffers over `seconds`, after the pause has settled."""
        time.sleep(0.3)
        before = (self.steps(), self.browser.evaluate("window.vortane.audioBuffers()"))
        time.sleep(seconds)
        after = (self.steps(), self.browser.evaluate("window.vortane.audioBuffers()"))
        return before, after

    def wait_steps(self, count):
        target = self.steps() + count
        self.wait_for(f"window.vortane.steps() >= {target}", LOAD_SECONDS, f"{count} more steps")


ALL_CHECKS = ("budget", "start", "steps", "grid", "fire", "audio", "pause", "hidden", "storage", "keys",
              "recording", "best", "taps", "context", "fullscreen", "touch", "pad", "fallback", "errors", "failures",
              "offline")

# What a page may transfer on a cold load (everything it fetches until it waits for
# the player), in bytes.
PAGE_BUDGET = 200 * 1024

# Late by more than this, a frame is a stall to the step clock (15 steps at 60 a
# second, base/step_clock.h): it runs one step.
STALL_SECONDS = 0.25

# How long a game held on fire may take to end (about 1,500 steps at 60 a second).
BEST_SECONDS = 150
# DevTools' modifier bit for Shift.
SHIFT = 8
# The world's fire slot (KEY_Z).
FIRE_SLOT = 44

# Key slots the world reads (game/controls.h), with the DOM codes that press them.
TAPPED_KEYS = (("KeyZ", "z", 44), ("Digit1", "1", 2))
PAUSED = 2  # window.vortane.pageState(): 0 start, 1 playing, 2 paused, 3 context lost

# Sends a key's press and release in one task, so both land between two animation
# frames; returns the steps that had read the slot as held before.
TAP_SCRIPT = ("(() => {{ const before = window.vortane.stepsHolding({slot});"
              " for (const type of ['keydown', 'keyup'])"
              " window.dispatchEvent(new KeyboardEvent(type, {{code: '{code}', key: '{key}', bubbles: true}}));"
              " return before; }})()")


def replay_natively(sim, text):
    """The end line of a recording, and the last trace line of its native replay."""
    end = re.search(r"^# end steps (\d+) score (-?\d+) rand (\d+)$", text, re.M)
    if not end:
        raise Failure("the page's recording has no end line: " + text[-200:])
    with tempfile.NamedTemporaryFile("w", suffix=".vrec", delete=False) as f:
        f.write(text)
        path = f.name
    try:
        run = subprocess.run([sim, "--replay", path, "--every", str(1 << 40)], capture_output=True, text=True,
                             timeout=300)
    finally:
        os.unlink(path)
    if run.returncode != 0:
        raise Failure(f"vortane-sim --replay refused the page's recording: {run.stderr.strip()}")
    last = json.loads(run.stdout.splitlines()[-1])
    wanted = {"step": int(end.group(1)), "score": int(end.group(2)), "rand": int(end.group(3))}
    return wanted, {key: last.get(key) for key in wanted}


def run_checks(browser, url, edition, keep, checks, sim, server):
    run = PageRun(browser, url, keep)
    browser.open_page()
    for domain in ("Runtime", "Log", "Page", "Network"):
        browser.call(f"{domain}.enable")
    browser.call("Emulation.setDeviceMetricsOverride",
                 {"width": VIEW_WIDTH, "height": VIEW_HEIGHT, "deviceScaleFactor": 1, "mobile": False})
    browser.call("Page.navigate", {"url": url})
    run.wait_loaded()
    results = []

    def check(name, passed, detail):
        results.append((name, passed, detail))
        print(f"{'ok  ' if passed else 'FAIL'} {name}: {detail}", flush=True)

    for name in ALL_CHECKS:
        if name not in checks:
            print(f"skip {name}", flush=True)

    if "budget" in checks:
        # A cold load (a fresh profile): every byte the server sent until the page
        # waits for the player and its service worker has kept the files for
        # offline play, and the page's own files sent as their brotli copies.
        run.wait_for("navigator.serviceWorker.ready.then(() => window.workerReady = true) && window.workerReady",
                     LOAD_SECONDS, "the service worker is ready")
        time.sleep(1.0)  # late fetches (the icon) count too
        total = QuietHandler.sent
        run.drain_events()
        encodings = {os.path.basename(r["url"]): r["headers"].get("content-encoding", "none")
                     for r in run.requests.values() if r.get("url", "").endswith((".wasm", ".js", ".data", ".html"))}
        progress = browser.evaluate("document.querySelector('#bar div').style.width")
        check("a cold load within the budget", total < PAGE_BUDGET and len(encodings) >= 4
              and all(value == "br" for value in encodings.values()) and progress == "100%",
              f"{total} bytes sent (budget {PAGE_BUDGET}); encodings {encodings}; the progress bar at {progress}")
        # A host that compresses with gzip alone sends each file the page fetched as
        # its .gz copy: within the budget too.
        fetched = {urllib.parse.urlparse(r.get("url", "")).path.lstrip("/") for r in run.requests.values()}
        gzip_total = 0
        for name in fetched:
            path = os.path.join(QuietHandler.pages_dir, name or "index.html")
            if os.path.isfile(path):
                gzip_total += os.path.getsize(path + ".gz" if os.path.isfile(path + ".gz") else path)
        check("a cold load within the budget from a gzip-only host", 0 < gzip_total < PAGE_BUDGET,
              f"{gzip_total} bytes for the {len(fetched)} files fetched (budget {PAGE_BUDGET})")

    if "start" in checks:
        # Nothing moves and nothing sounds until the player's gesture; a desktop
        # shows no touch controls.
        time.sleep(1.5)
        waiting = browser.evaluate("[window.vortane.steps(), window.vortane.audioBuffers(),"
                                   " window.vortane.audioState(), window.vortane.shown(),"
                                   " document.getElementById('touch').hidden]")
        check("the world and the sound wait for the first gesture",
              waiting[:3] == [0, 0, "none"] and "click, tap, press a key or a pad button to play" in waiting[3]
              and waiting[4],
              f"steps {waiting[0]}, audio buffers {waiting[1]}, context {waiting[2]} after 1.5 s; "
              f"the page shows {waiting[3][-80:]!r}")
    run.click_canvas()
    run.wait_for("window.vortane.steps() > 0", LOAD_SECONDS, "the world steps after the click")
    if "start" in checks:
        try:
            run.wait_for("window.vortane.audioState() === 'running' && window.vortane.audioBuffers() > 0", 10,
                         "the sound starts")
            started = True
        except Failure:
            started = False
        playing = browser.evaluate("[window.vortane.audioState(), window.vortane.audioNode(),"
                                   " window.vortane.shown()]")
        check("the click starts the world and the sound together",
              started and playing[1] == "worklet" and playing[2] == "",
              f"context {playing[0]} through the {playing[1]}; the page shows {playing[2]!r}")

    if "steps" in checks:
        # The page learns its display's rate from the first animation frames; then
        # the steps keep that rate (one per frame at 60 Hz, catching up when frames
        # come late), counted against the page's clock over 1.5 s.
        run.wait_steps(40)
        counted = browser.call("Runtime.evaluate", {
            "expression": "new Promise(r => { const gaps = []; let last = performance.now();"
                          " const s0 = window.vortane.steps(); const t0 = last;"
                          " const f = () => { const now = performance.now(); gaps.push((now - last) / 1000);"
                          " last = now; if (now - t0 < 1500) requestAnimationFrame(f);"
                          " else r([gaps, window.vortane.steps() - s0, (now - t0) / 1000,"
                          " window.vortane.stepRate()]); }; requestAnimationFrame(f); })",
            "awaitPromise": True, "returnByValue": True}, timeout=30)["result"]["value"]
        gaps, stepped, seconds, rate = counted
        # What the step clock can do with these frames: a frame makes up at most
        # three late steps, and one that comes more than STALL_SECONDS after the
        # last is a stall (one step). A browser drawing very few frames (software
        # WebGL on a busy machine) cannot keep the rate.
        wanted = rate * seconds
        reachable = sum(1 if gap > STALL_SECONDS else min(4, max(1, gap * rate)) for gap in gaps)
        check("steps keep the rate",
              50 <= rate <= 85 and 0.8 * min(wanted, reachable) - 2 <= stepped <= 1.1 * wanted + 2,
              f"{stepped} steps in {seconds:.2f} s ({len(gaps)} animation frames, {reachable:.0f} steps"
              f" reachable) at {rate:.1f} steps a second")

    if "grid" in checks or "fire" in checks:
        picture = run.screenshot(f"{edition}-start")
        width, height = picture[0], picture[1]

    if "grid" in checks:
        grid_test = is_blue if edition == "classic" else is_green
        grid_pixels = count_pixels(picture, grid_test)
        check("grid drawn", grid_pixels >= width * height // 50,
              f"{grid_pixels} of {width * height} pixels in the grid's colour")

    if "fire" in checks:
        # Orange pixels appear above the ship, which starts at the centre heading up;
        # the ship itself and the digits' glow at the top are left out.
        band = (0, height // 10, width, height * 2 // 5)
        orange_before = count_pixels(picture, is_orange, band)
        orange_after = 0
        # The earlier edition fires once per press and its shot crosses the band in a
        # few dozen steps, so the screenshot waits for steps, not time, and a miss
        # tries again.
        for attempt in range(4):
            run.key("keyDown", "KeyZ", "z", 90)
            run.wait_steps(10)
            fired = run.screenshot(f"{edition}-firing")
            run.key("keyUp", "KeyZ", "z", 90)
            orange_after = count_pixels(fired, is_orange, band)
            if orange_after >= orange_before + 20:
                break
            run.wait_steps(5)
        check("holding Z fires", orange_after >= orange_before + 20,
              f"orange pixels above the ship: {orange_before} before, {orange_after} while Z is held")

    if "audio" in checks:
        buffers_before = browser.evaluate("window.vortane.audioBuffers()")
        time.sleep(1.0)
        buffers_after = browser.evaluate("window.vortane.audioBuffers()")
        state = browser.evaluate("window.vortane.audioState()")
        check("audio buffers rendered", buffers_after > buffers_before,
              f"{buffers_before} then {buffers_after} buffers a second later (context {state})")
        # The earlier edition's song plays from the start; the current edition is
        # silent until something happens, so Z is held for the shots' sound.
        loudest = 0.0
        if edition != "classic":
            run.key("keyDown", "KeyZ", "z", 90)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and loudest == 0.0:
            samples = browser.evaluate("window.vortane.audioSamples()")
            loudest = max((abs(v) for v in samples), default=0.0)
            time.sleep(0.05)
        if edition != "classic":
            run.key("keyUp", "KeyZ", "z", 90)
        check("audio samples not all zero", loudest > 0.0, f"loudest sample of a recent buffer {loudest:.4f}")

    if "pause" in checks:
        # P pauses as on the desktop: no step, no buffer, the context suspended,
        # the note on the page; P again resumes. Escape pauses too (it never ends
        # the game), and a click resumes.
        run.press("KeyP", "p", 80)
        run.wait_for(f"window.vortane.pageState() === {PAUSED}", 10, "P pauses")
        before, after = run.quiet_for(1.0)
        shown = browser.evaluate("window.vortane.shown()")
        state = browser.evaluate("window.vortane.audioState()")
        check("P pauses the world and the sound", before == after and state == "suspended"
              and "click or press a key to resume" in shown,
              f"steps and buffers {before} then {after} a second later, context {state}, the page shows {shown!r}")
        run.press("KeyP", "p", 80)
        run.wait_steps(10)
        check("P resumes", browser.evaluate("window.vortane.pageState()") == 1
              and browser.evaluate("window.vortane.audioState()") == "running", "steps again, sound running")
        run.press("Escape", "Escape", 27)
        run.wait_for(f"window.vortane.pageState() === {PAUSED}", 10, "Escape pauses")
        before, after = run.quiet_for(0.5)
        run.click_canvas()
        run.wait_steps(10)
        check("Escape pauses and a click resumes", before == after and not browser.evaluate("ended"),
              f"steps and buffers {before} then {after} while paused; the game goes on")

    if "hidden" in checks:
        # Another tab in front hides the page: it pauses, and the sound stops while
        # it is hidden; in front again it stays paused until the player's key.
        other = browser.call("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        run.wait_for("document.visibilityState === 'hidden'", 10, "the page is hidden")
        state = browser.evaluate("[window.vortane.pageState(), window.vortane.audioState()]")
        before, after = run.quiet_for(1.0)
        browser.call("Target.closeTarget", {"targetId": other}, session=False)
        run.wait_for("document.visibilityState === 'visible'", 10, "the page is shown again")
        still = browser.evaluate("window.vortane.pageState()")
        check("a hidden page pauses the world and the sound",
              state == [PAUSED, "suspended"] and before == after and still == PAUSED,
              f"page state {state[0]}, context {state[1]}; steps and buffers {before} then {after} while"
              f" hidden; page state {still} when shown again")
        run.press("KeyX", "x", 88)
        run.wait_steps(10)
        # The window losing the focus (another window in front) pauses too; an
        # element's blur inside the page does not.
        browser.evaluate("document.getElementById('canvas').dispatchEvent(new FocusEvent('blur')); 0")
        inner = browser.evaluate("window.vortane.pageState()")
        browser.evaluate("window.dispatchEvent(new FocusEvent('blur')); 0")
        outer = browser.evaluate("window.vortane.pageState()")
        check("a window without the focus pauses", inner == 1 and outer == PAUSED,
              f"page state {inner} after the canvas's blur, {outer} after the window's")
        run.press("KeyX", "x", 88)
        run.wait_steps(10)

    if "storage" in checks:
        # The volume keys change the settings, which the page keeps in its storage:
        # after a reload the page starts with the volume it was left at.
        run.wait_for("window.vortane.volume() >= 0", LOAD_SECONDS, "the page's storage answers")
        before = browser.evaluate("[window.vortane.volume(), window.vortane.musicVolume()]")
        for _ in range(2):
            run.key("keyDown", "Minus", "-", 189)
            run.key("keyUp", "Minus", "-", 189)
        # With Shift the same key steps the music.
        run.key_with("Minus", "_", 189, SHIFT)
        lowered = browser.evaluate("[window.vortane.volume(), window.vortane.musicVolume()]")
        time.sleep(1.0)  # the storage takes the change in the background
        browser.call("Page.reload")
        run.wait_loaded()
        run.wait_for("window.vortane.volume() >= 0", LOAD_SECONDS, "the page's storage answers again")
        after = browser.evaluate("[window.vortane.volume(), window.vortane.musicVolume()]")
        wanted = [max(before[0] - 20, 0), max(before[1] - 10, 0)]
        check("settings kept across a reload", lowered == wanted and after == lowered,
              f"effects and music volume {before}, {lowered} after minus twice and Shift+minus once,"
              f" {after} after the reload")
        run.click_canvas()
        run.wait_steps(5)

    if "keys" in checks:
        # Fire put on Space in the kept settings: after a reload Space fires (the
        # world's fire slot is held) and Z no longer does. Then the defaults again.
        run.wait_for("window.vortane.volume() >= 0", LOAD_SECONDS, "the page's storage answers")
        kept = browser.evaluate("window.vortane.storage.read('settings.conf')") or ""
        rebound = browser.call("Runtime.evaluate", {
            "expression": "window.vortane.storage.write('settings.conf', " + json.dumps(kept + "key-fire = Space\n")
                          + ")", "awaitPromise": True, "returnByValue": True})["result"]["value"]
        browser.call("Page.reload")
        run.wait_loaded()
        run.wait_for("window.vortane.volume() >= 0", LOAD_SECONDS, "the page loads with fire on Space")
        run.click_canvas()
        run.wait_steps(5)
        held = {}
        for code, key, virtual in (("Space", " ", 32), ("KeyZ", "z", 90)):
            before = browser.evaluate(f"window.vortane.stepsHolding({FIRE_SLOT})")
            run.key("keyDown", code, key, virtual)
            run.wait_steps(5)
            run.key("keyUp", code, key, virtual)
            run.wait_steps(2)
            held[code] = browser.evaluate(f"window.vortane.stepsHolding({FIRE_SLOT})") - before
        browser.call("Runtime.evaluate", {"expression": "window.vortane.storage.write('settings.conf', "
                                          + json.dumps(kept) + ")", "awaitPromise": True})
        browser.call("Page.reload")
        run.wait_loaded()
        run.wait_for("window.vortane.volume() >= 0", LOAD_SECONDS, "the page loads with its keys as written")
        run.click_canvas()
        run.wait_steps(5)
        check("keys rebound from the kept settings", rebound and held["Space"] >= 5 and held["KeyZ"] == 0,
              f"steps that read fire held: {held['Space']} while Space was down, {held['KeyZ']} while Z was")

    if "best" in checks and edition != "classic":
        # Fire held, never a step aside, until the game is over: the score is a
        # new best, so the page keeps the game, which replays natively to the same
        # end, and its link saves the same text as a file.
        run.key("keyDown", "KeyZ", "z", 90)
        try:
            run.wait_for("window.vortane.bestRun() !== ''", BEST_SECONDS, "a game over with a new best")
        finally:
            run.key("keyUp", "KeyZ", "z", 90)
        text = browser.evaluate("window.vortane.bestRun()")
        wanted, replayed = replay_natively(sim, text)
        check("best game kept and replays natively", wanted == replayed and wanted["score"] > 0,
              f"end line {wanted}, native replay {replayed}")
        downloads = tempfile.mkdtemp(prefix="vortane-downloads-")
        try:
            browser.call("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads},
                         session=False)
            browser.evaluate("document.getElementById('save-best').click()")
            saved = os.path.join(downloads, "best-current.vrec")
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline and not os.path.isfile(saved):
                time.sleep(0.1)
            saved_text = open(saved).read() if os.path.isfile(saved) else None
        finally:
            shutil.rmtree(downloads, ignore_errors=True)
        check("the page's link saves the best game", saved_text == text,
              "saved as best-current.vrec" if saved_text == text else f"saved: {saved_text!r:.80}")
    elif "best" in checks:
        # The earlier edition fires once per press: a held key scores nothing.
        print("skip best (the earlier edition's game over takes presses)", flush=True)

    if "recording" in checks:
        # Turn and fire for a while first, in the current edition in the control mode
        # that steers by the heading's angle, so the replay passes through the
        # trigonometry many times.
        if edition != "classic":
            run.key("keyDown", "Digit1", "1", 49)
            run.wait_steps(2)
            run.key("keyUp", "Digit1", "1", 49)
        run.key("keyDown", "ArrowLeft", "ArrowLeft", 37)
        run.key("keyDown", "KeyZ", "z", 90)
        run.wait_steps(90)
        run.key("keyUp", "ArrowLeft", "ArrowLeft", 37)
        run.key("keyDown", "ArrowUp", "ArrowUp", 38)
        run.wait_steps(60)
        run.key("keyUp", "ArrowUp", "ArrowUp", 38)
        run.key("keyUp", "KeyZ", "z", 90)
        text = browser.evaluate("window.vortane.recording()")
        if keep:
            with open(os.path.join(keep, f"{edition}.vrec"), "w") as f:
                f.write(text)
        wanted, replayed = replay_natively(sim, text)
        check("recording replays natively", wanted == replayed,
              f"end line {wanted}, native replay {replayed}")

    if "taps" in checks:
        for code, key, slot in TAPPED_KEYS:
            before = browser.evaluate(TAP_SCRIPT.format(slot=slot, code=code, key=key))
            run.wait_steps(3)
            after = browser.evaluate(f"window.vortane.stepsHolding({slot})")
            check(f"a tap of {key} between two frames reaches one step", after == before + 1,
                  f"steps that read it held: {before} before, {after} after")

    if "context" in checks:
        # The WebGL context lost: the world waits and says so; given back, the
        # textures and buffers are made again, and after the player's click the
        # grid is drawn again.
        lose = ("window.loser = document.getElementById('canvas').getContext('webgl')"
                ".getExtension('WEBGL_lose_context'); window.loser.loseContext(); 0")
        browser.evaluate(lose)
        run.wait_for("window.vortane.pageState() === 3", 10, "the context loss reaches the page")
        lost = browser.evaluate("window.vortane.shown()")
        before, after = run.quiet_for(0.5)
        browser.evaluate("window.loser.restoreContext(); 0")
        run.wait_for(f"window.vortane.pageState() === {PAUSED}", 10, "the context comes back")
        run.click_canvas()
        run.wait_steps(10)
        picture = run.screenshot(f"{edition}-restored")
        grid_pixels = count_pixels(picture, is_blue if edition == "classic" else is_green)
        check("a lost context pauses, and the picture comes back with it",
              before == after and "the graphics were lost" in lost
              and grid_pixels >= picture[0] * picture[1] // 50,
              f"steps and buffers {before} then {after} while lost, the page showed {lost!r};"
              f" {grid_pixels} grid pixels after the restore")

    if "fullscreen" in checks:
        # The page's full-screen button: the line of keys goes, and the canvas is
        # the largest picture of the game's aspect the screen holds.
        x, y = browser.evaluate("(() => { const r = document.getElementById('fullscreen')"
                                ".getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()")
        run.click(int(x), int(y))
        run.wait_for("document.fullscreenElement !== null", 10, "full screen")
        time.sleep(0.5)
        fitted = browser.evaluate(FITTED_SCRIPT)
        browser.evaluate("document.exitFullscreen(); 0")
        run.wait_for("document.fullscreenElement === null", 10, "back from full screen")
        check("full screen keeps the picture whole", fitted[0], f"canvas and room: {fitted[1]}")
        # F11 is the browser's own full screen: the page leaves the key to it, and
        # the canvas fits the window the screen's size that it makes.
        browser.evaluate("window.addEventListener('keydown', e => { if (e.code === 'F11')"
                         " window.f11Taken = e.defaultPrevented; }); 0")
        run.press("F11", "F11", 122)
        browser.call("Emulation.setDeviceMetricsOverride",
                     {"width": 1920, "height": 1080, "deviceScaleFactor": 1, "mobile": False})
        time.sleep(0.5)
        screen = browser.evaluate(FITTED_SCRIPT)
        taken = browser.evaluate("window.f11Taken")
        browser.call("Emulation.setDeviceMetricsOverride",
                     {"width": VIEW_WIDTH, "height": VIEW_HEIGHT, "deviceScaleFactor": 1, "mobile": False})
        check("F11 is left to the browser, and its full screen keeps the picture whole",
              taken is False and screen[0], f"the page took F11: {taken}; canvas and room: {screen[1]}")

    if "touch" in checks:
        for name, passed, detail in touch_checks(run, url, edition):
            check(name, passed, detail)

    if "pad" in checks:
        for name, passed, detail in pad_checks(run, url):
            check(name, passed, detail)

    if "fallback" in checks:
        for name, passed, detail in script_processor_checks(run, url):
            check(name, passed, detail)

    if "errors" in checks:
        run.drain_events()
        check("no errors on the page", not run.errors, "; ".join(run.errors) or "none")

    if "failures" in checks:
        for name, passed, detail in failure_checks(run, url):
            check(name, passed, detail)

    if "offline" in checks:
        for name, passed, detail in offline_checks(run, url, server):
            check(name, passed, detail)
    return all(passed for _, passed, _ in results)


# Whether the canvas is the largest box of the game's aspect in the room the page
# leaves it (the window below the line of keys), whole and within a pixel.
FITTED_SCRIPT = """(() => {
  const c = document.getElementById('canvas').getBoundingClientRect();
  const bar = document.getElementById('keys');
  const roomWidth = window.innerWidth, roomHeight = window.innerHeight - (bar ? bar.offsetHeight : 0);
  const aspect = document.getElementById('canvas').width / document.getElementById('canvas').height;
  const inside = c.left >= -0.5 && c.top >= -0.5 && c.right <= window.innerWidth + 0.5
                 && c.bottom <= window.innerHeight + 0.5;
  const fills = Math.abs(c.width - roomWidth) <= 1 || Math.abs(c.height - roomHeight) <= 1;
  const shaped = Math.abs(c.width / c.height - aspect) < 0.01;
  return [inside && fills && shaped, [c.width, c.height, roomWidth, roomHeight]];
})()"""

# Key slots the touch controls hold (game/controls.h).
SLOT_LEFT = 203
SLOT_Z = 44


def touch_checks(run, url, edition):
    """A phone in either orientation (mobile emulation, touch events through the
    DevTools protocol): the touch controls shown, the canvas the largest picture of
    the game's aspect, the line above it within the width; the first tap starts the
    game and its sound; the stick steers and the button fires."""
    browser = run.browser
    results = []
    browser.call("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
    for width, height in ((412, 915), (915, 412)):
        browser.call("Emulation.setDeviceMetricsOverride",
                     {"width": width, "height": height, "deviceScaleFactor": 2, "mobile": True})
        browser.call("Page.navigate", {"url": url})
        run.wait_loaded()
        fitted = browser.evaluate(FITTED_SCRIPT)
        layout = browser.evaluate("(() => { const k = document.getElementById('keys');"
                                  " return [!document.getElementById('touch').hidden,"
                                  " k.scrollWidth <= k.clientWidth]; })()")
        results.append((f"a {width} x {height} phone: the picture whole, the touch controls, the text in the width",
                        fitted[0] and layout == [True, True],
                        f"canvas and room {fitted[1]}; touch controls shown, keys within the width: {layout}"))

    def touch(kind, points):
        browser.call("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def centre(element):
        return browser.evaluate(f"(() => {{ const r = document.getElementById('{element}')"
                                f".getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2,"
                                f" r.width]; }})()")

    # The first tap (on the canvas) starts the game, and the sound with it.
    left, top, width, height = run.canvas_box()
    touch("touchStart", [{"x": left + width // 2, "y": top + height // 3}])
    touch("touchEnd", [])
    run.wait_for("window.vortane.steps() > 0", LOAD_SECONDS, "the tap starts the game")
    try:
        run.wait_for("window.vortane.audioState() === 'running'", 10, "the tap starts the sound")
        sound = True
    except Failure:
        sound = False
    results.append(("the first tap starts the game and the sound", sound,
                    f"context {browser.evaluate('window.vortane.audioState()')}"))

    x, y, size = centre("stick")
    before = browser.evaluate(f"window.vortane.stepsHolding({SLOT_LEFT})")
    touch("touchStart", [{"x": x, "y": y, "id": 1}])
    touch("touchMove", [{"x": x - size * 0.4, "y": y, "id": 1}])
    run.wait_steps(10)
    touch("touchEnd", [])
    run.wait_steps(2)
    held = browser.evaluate(f"window.vortane.stepsHolding({SLOT_LEFT})")
    run.wait_steps(5)
    after = browser.evaluate(f"window.vortane.stepsHolding({SLOT_LEFT})")
    results.append(("the stick steers", held >= before + 10 and after == held,
                    f"steps that read left held: {before}, {held} after the stick was pushed left,"
                    f" {after} after it was let go"))

    x, y, _ = centre("fire")
    before = browser.evaluate(f"window.vortane.stepsHolding({SLOT_Z})")
    touch("touchStart", [{"x": x, "y": y, "id": 2}])
    run.wait_steps(10)
    touch("touchEnd", [])
    run.wait_steps(2)
    after = browser.evaluate(f"window.vortane.stepsHolding({SLOT_Z})")
    results.append(("the fire button fires", after >= before + 10, f"steps that read fire held: {before}, {after}"))
    browser.call("Emulation.setTouchEmulationEnabled", {"enabled": False})
    browser.call("Emulation.setDeviceMetricsOverride",
                 {"width": VIEW_WIDTH, "height": VIEW_HEIGHT, "deviceScaleFactor": 1, "mobile": False})
    return results


# A pad the page's Gamepad API reports (navigator.getGamepads), whose buttons the
# test presses.
FAKE_PAD = """window.fakePad = {id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
  axes: [0, 0, 0, 0], buttons: Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}))};
navigator.getGamepads = () => [window.fakePad];"""


def pad_checks(run, url):
    """A pad's button starts the game, but browsers let no pad start sound: the page
    says so, and the next key press starts it."""
    browser = run.browser
    added = browser.call("Page.addScriptToEvaluateOnNewDocument", {"source": FAKE_PAD})["identifier"]
    browser.call("Page.navigate", {"url": url})
    run.wait_loaded()
    time.sleep(0.3)
    browser.evaluate("Object.assign(window.fakePad.buttons[0], {pressed: true, value: 1}); 0")
    run.wait_for("window.vortane.steps() > 0", LOAD_SECONDS, "the pad's button starts the game")
    browser.evaluate("Object.assign(window.fakePad.buttons[0], {pressed: false, value: 0}); 0")
    time.sleep(0.5)
    silent = browser.evaluate("[window.vortane.audioState(), window.vortane.shown()]")
    run.press("KeyX", "x", 88)
    try:
        run.wait_for("window.vortane.audioState() === 'running' && window.vortane.shown() === ''", 10,
                     "a key starts the sound")
        sounding = True
    except Failure:
        sounding = False
    results = [("a pad's button starts the game, and a key then the sound",
                silent[0] == "suspended" and "press a key or tap to start the sound" in silent[1] and sounding,
                f"after the button: context {silent[0]}, the page shows {silent[1]!r}; after a key: "
                f"{browser.evaluate('window.vortane.audioState()')}")]

    # The pad's Start (button 9 of the standard layout) pauses, and pauses the
    # sound; a second press resumes both.
    def press_start():
        browser.evaluate("Object.assign(window.fakePad.buttons[9], {pressed: true, value: 1}); 0")
        time.sleep(0.3)
        browser.evaluate("Object.assign(window.fakePad.buttons[9], {pressed: false, value: 0}); 0")
        time.sleep(0.3)

    press_start()
    paused = browser.evaluate("[window.vortane.pageState(), window.vortane.audioState()]")
    still = run.quiet_for(0.5)
    press_start()
    resumed = browser.evaluate("[window.vortane.pageState(), window.vortane.audioState()]")
    run.wait_steps(5)
    results.append(("the pad's Start pauses and resumes",
                    paused == [PAUSED, "suspended"] and still[0][0] == still[1][0] and resumed[0] == 1,
                    f"after one press: state and sound {paused}, steps {still[0][0]} then {still[1][0]};"
                    f" after the second: {resumed}"))
    browser.call("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added})
    return results


def script_processor_checks(run, url):
    """Where a browser has no AudioWorklet the page plays through a script
    processor, rendering the same sound on its main thread."""
    browser = run.browser
    added = browser.call("Page.addScriptToEvaluateOnNewDocument",
                         {"source": "delete window.AudioWorkletNode;"})["identifier"]
    browser.call("Page.navigate", {"url": url})
    run.wait_loaded()
    run.click_canvas()
    try:
        run.wait_for("window.vortane.audioState() === 'running' && window.vortane.audioBuffers() > 0", 10,
                     "the sound starts")
        before = browser.evaluate("window.vortane.audioBuffers()")
        time.sleep(1.0)
        node, after = browser.evaluate("[window.vortane.audioNode(), window.vortane.audioBuffers()]")
        result = (node == "script processor" and after > before, f"through the {node}: {before} then {after} buffers")
    except Failure as failure:
        result = (False, str(failure))
    browser.call("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added})
    return [("without AudioWorklet the sound plays through a script processor", *result)]


def offline_checks(run, url, server):
    """After a visit of the page and the index the service worker has the files: with
    the server gone, the index and the page load again, and the game starts."""
    browser = run.browser
    run.drain_events()
    run.errors = []  # the failures before were meant
    browser.call("Network.setBypassServiceWorker", {"bypass": False})
    browser.call("Network.setCacheDisabled", {"cacheDisabled": False})
    browser.call("Page.navigate", {"url": url})
    run.wait_loaded()
    index = url.rsplit("/", 1)[0] + "/"
    browser.call("Page.navigate", {"url": index})
    run.wait_for("navigator.serviceWorker.controller !== null", LOAD_SECONDS, "the service worker takes the index")
    time.sleep(1.5)  # what the index asks for after it shows (the manifest's icons), kept by the worker
    server.shutdown()
    server.server_close()
    results = []
    browser.call("Page.navigate", {"url": index})
    try:
        run.wait_for("document.querySelectorAll('a.edition').length === 2", 20, "the index offline")
        time.sleep(1.0)  # what the index asks for after it shows (the manifest's icons)
        run.drain_events()
        results.append(("the index loads offline", not run.errors, "; ".join(run.errors) or "both editions offered"))
    except Failure as failure:
        results.append(("the index loads offline", False, str(failure)))
    browser.call("Page.navigate", {"url": url})
    try:
        run.wait_loaded()
        run.click_canvas()
        run.wait_for("window.vortane.steps() > 10", LOAD_SECONDS, "the game offline")
        results.append(("the page plays offline", True, f"{browser.evaluate('window.vortane.steps()')} steps"))
    except Failure as failure:
        results.append(("the page plays offline", False, str(failure)))
    return results


def failure_checks(run, url):
    """Each way the page can fail, loaded afresh: the words it shows a player."""
    browser = run.browser
    page = url.rsplit("/", 1)[1]
    name = page[:-len(".html")]
    pages_dir = QuietHandler.pages_dir
    no_webgl = ("(() => { const get = HTMLCanvasElement.prototype.getContext;"
                " HTMLCanvasElement.prototype.getContext = function(kind, ...rest) {"
                " return /webgl/.test(kind) ? null : get.call(this, kind, ...rest); }; })();")
    cases = (
        # what, files answered 404, script run before the page's, url, words the page must show
        ("a missing data file", {name + ".data"}, None, url, name + ".data"),
        ("a missing .wasm", {name + ".wasm"}, None, url, name + ".wasm"),
        ("a missing script", {name + ".js"}, None, url, name + ".js"),
        ("the page opened from a file", set(), None, "file://" + os.path.join(pages_dir, page),
         "Serve this folder over HTTP"),
        ("no WebGL", set(), no_webgl, url, "This browser has no WebGL"),
        ("no WebAssembly", set(), "delete window.WebAssembly;", url, "This browser has no WebAssembly"),
    )
    results = []
    # The service worker and the browser's cache kept the files on the first visit:
    # the failures are the server's.
    browser.call("Network.enable")
    browser.call("Network.setBypassServiceWorker", {"bypass": True})
    browser.call("Network.setCacheDisabled", {"cacheDisabled": True})
    for what, missing, script, address, words in cases:
        QuietHandler.missing = missing
        added = None
        if script:
            added = browser.call("Page.addScriptToEvaluateOnNewDocument", {"source": script})["identifier"]
        browser.call("Page.navigate", {"url": address})
        shown = wait_shown(run, words)
        if added:
            browser.call("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added})
        results.append((f"{what} is told on the page", words in shown, f"the page shows {shown!r}"))
    QuietHandler.missing = set()
    # While running: an uncaught error and the runtime's abort reach the same message.
    for what, expression, words in (
            ("an uncaught error", "setTimeout(() => { throw new Error('a test error'); }); 0", "a test error"),
            # The runtime's own abort, a global of its script.
            ("the runtime's abort", "abort('a test abort'); 0", "a test abort")):
        run.drain_events()
        run.errors = []  # the failures above were meant
        browser.call("Page.navigate", {"url": url})
        run.wait_loaded()
        run.click_canvas()
        try:
            browser.evaluate(expression)
        except Failure:
            pass  # the abort throws as it stops the runtime
        shown = wait_shown(run, words)
        # The game stops with it: no more steps, the sound suspended.
        time.sleep(0.3)
        steps = browser.evaluate("window.vortane.steps()")
        time.sleep(0.5)
        stopped = browser.evaluate(f"window.vortane.steps() === {steps} && window.vortane.audioState()")
        results.append((f"{what} is told on the page, and the game stops",
                        words in shown and "stopped because of an error" in shown and stopped == "suspended",
                        f"the page shows {shown!r}; stopped and sound: {stopped}"))
    return results


def wait_shown(run, words, seconds=LOAD_SECONDS):
    """The page's words once they contain `words` (or whatever they are at the deadline)."""
    deadline = time.monotonic() + seconds
    shown = ""
    while time.monotonic() < deadline:
        try:
            shown = run.browser.evaluate("window.vortane ? window.vortane.shown() : ''") or ""
        except Failure:
            shown = ""
        if words in shown:
            break
        time.sleep(0.2)
    return shown


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pages")
    parser.add_argument("page")
    parser.add_argument("edition", choices=("current", "classic"))
    parser.add_argument("--sim", help="the desktop's vortane-sim, for the recording check")
    parser.add_argument("--chromium", default=shutil.which("chromium") or "/usr/bin/chromium")
    parser.add_argument("--keep", help="folder for the screenshots")
    parser.add_argument("--checks", default=",".join(ALL_CHECKS),
                        help="comma-separated subset of " + ", ".join(ALL_CHECKS))
    args = parser.parse_args()

    if "recording" in args.checks.split(",") and not args.sim:
        print("browser_check: the recording check needs --sim", file=sys.stderr)
        return 1
    if not os.path.isfile(os.path.join(args.pages, args.page)):
        print(f"browser_check: no page {args.page} in {args.pages}", file=sys.stderr)
        return 1
    if args.keep:
        os.makedirs(args.keep, exist_ok=True)
    server = serve(args.pages)
    QuietHandler.pages_dir = os.path.abspath(args.pages)
    url = f"http://127.0.0.1:{server.server_address[1]}/{args.page}"
    profile = tempfile.mkdtemp(prefix="vortane-chromium-")
    browser = Browser(args.chromium, profile)
    try:
        passed = run_checks(browser, url, args.edition, args.keep, args.checks.split(","), args.sim, server)
    except Failure as failure:
        print(f"FAIL {failure}", flush=True)
        passed = False
    finally:
        browser.close()
        server.shutdown()  # again after the offline checks: does nothing
        if not passed:
            with open(os.path.join(profile, "chromium.log"), "rb") as f:
                lines = f.read().decode(errors="replace").splitlines()
            # A machine without a session bus fills the log with D-Bus complaints.
            lines = [line for line in lines if "dbus" not in line.lower()]
            print("--- chromium's output (end):\n" + "\n".join(lines[-30:]))
        shutil.rmtree(profile, ignore_errors=True)
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
