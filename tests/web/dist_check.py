#!/usr/bin/env python3
"""The zip `make web-dist` makes holds what a static host needs: dist_check.py PAGES

Runs scripts/web-dist on the built pages folder and checks the zip: the index, the
manifest, the sound's worklet and the service worker; each page's four files with
their gzip and brotli copies; every file the service worker keeps for offline play
(so an offline visit finds them); every file as it is in the folder; nothing of
vortane-sim for node.
"""

import json
import os
import re
import subprocess
import sys
import tempfile
import zipfile

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
PAGES = ("vortane", "vortane-classic")


def worker_files(text):
    """The files sw.js keeps: its SHELL, every page's and the INDEX's."""
    names = []
    for key in ("SHELL", "INDEX"):
        names += json.loads(re.search(rf"^const {key} = (\[.*?\]);$", text, re.M).group(1))
    for files in json.loads(re.search(r"^const PAGES = (\{.*?\});$", text, re.M).group(1)).values():
        names += files
    return {name for name in names if name != "./"}


def main():
    pages = sys.argv[1]
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        target = os.path.join(scratch, "web.zip")
        subprocess.run([os.path.join(ROOT, "scripts", "web-dist"), pages, target], check=True,
                       stdout=subprocess.DEVNULL)
        with zipfile.ZipFile(target) as archive:
            names = set(archive.namelist())
            wanted = {"index.html", "manifest.webmanifest", "vortane-audio.js", "sw.js"}
            for page in PAGES:
                for suffix in (".html", ".js", ".wasm", ".data"):
                    wanted |= {page + suffix, page + suffix + ".gz", page + suffix + ".br"}
            wanted |= worker_files(archive.read("sw.js").decode())
            problems += [f"missing {name}" for name in sorted(wanted - names)]
            problems += [f"holds {name}, node's" for name in sorted(names) if name.startswith("node/")]
            for name in sorted(names):
                path = os.path.join(pages, name)
                if name.endswith("/"):
                    continue
                if not os.path.isfile(path):
                    problems.append(f"holds {name}, which the folder has not")
                elif archive.read(name) != open(path, "rb").read():
                    problems.append(f"{name} differs from the folder's")
    for problem in problems:
        print(f"web-dist: {problem}", file=sys.stderr)
    print(f"web-dist: {len(names)} files checked, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
