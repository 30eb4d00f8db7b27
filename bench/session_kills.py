#!/usr/bin/env python3
"""Kills vorlen with SIGKILL at random moments while its tabs open, close and
navigate, and checks after every kill that the session file or one of its
backups reads whole and names every tab that had been open for more than 2 s.

    usage: bench/session_kills.py [KILLS] [VORLEN_BINARY]
      KILLS          number of kills (default 300)
      VORLEN_BINARY  default: build/bin/vorlen of this tree
    environment: SESSION_KILLS_RUN="MIN:MAX" seconds from a start to its kill
    (default 2:6), SESSION_KILLS_SEED the random seed (default: the time)

Every run is headless (QT_QPA_PLATFORM=offscreen) with a temporary HOME, XDG
folders, TEMP and a copy of vorlen (whose profile lives beside it), with
SessionRestoreValue=2, so each start continues the killed run's session (the
crash-loop record, session.vsr, is removed before each start). The
profile starts afresh every RESTART_EVERY kills so the strip stays small.

The pages come from a server on 127.0.0.1 that this script runs. Each tab's
page carries the tab's id in its address; its script, every few hundred ms,
opens a new tab (window.open), navigates on (a new step of the same tab) or,
for a tab it opened, reports the close and closes the tab (window.close). The
server notes when each tab id was first seen and when it was closed: a tab
open at the kill for more than 2 s is one first seen in this run more than 2 s
before the kill, or one restored from the session the run started with, and
not closed since.

Prints one line per failed check and the figures at the end; exits 1 when a
check failed. Ends only the processes it started. Installs nothing.
"""
import hashlib
import http.server
import os
import random
import shutil
import signal
import socketserver
import struct
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

RESTART_EVERY = 10
OPEN_FOR = 2.0          # seconds a tab must have been open to be required in the file
# Seconds from the start to the kill, drawn evenly; SESSION_KILLS_RUN="MIN:MAX" sets them.
RUN_MIN, RUN_MAX = (float(v) for v in os.environ.get("SESSION_KILLS_RUN", "2.0:6.0").split(":", 1))
BACKUPS = 2


class Tabs:
    def __init__(self):
        self.lock = threading.Lock()
        self.first_seen = {}
        self.closed = {}

    def seen(self, tab):
        with self.lock:
            self.first_seen.setdefault(tab, time.monotonic())

    def close(self, tab):
        with self.lock:
            self.closed.setdefault(tab, time.monotonic())

    def open_count(self):
        with self.lock:
            return sum(1 for t in self.first_seen if t not in self.closed)

    def reset(self):
        with self.lock:
            self.first_seen.clear()
            self.closed.clear()


TABS = Tabs()

PAGE = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>tab {tab} step {step}</title></head>
<body><p>tab {tab} step {step}</p><script>
const tab = "{tab}", step = {step}, crowded = {crowded}, opened = {opened};
function act() {{
  const r = Math.random();
  if (!crowded && r < 0.3) {{
    window.open("/page?tab=" + Math.random().toString(36).slice(2, 10) + "&step=0&opened=1");
    setTimeout(act, 300 + Math.random() * 600);
  }} else if (opened && r < (crowded ? 0.7 : 0.45)) {{
    navigator.sendBeacon("/closed?tab=" + tab);
    setTimeout(() => window.close(), 60);
  }} else {{
    location.href = "/page?tab=" + tab + "&step=" + (step + 1) + "&opened=" + opened;
  }}
}}
setTimeout(act, 300 + Math.random() * 600);
</script></body></html>"""


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, code, body=b"", kind="text/html; charset=utf-8"):
        self.send_response(code)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)

    def handle_query(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        tab = query.get("tab", [""])[0]
        if url.path == "/closed" and tab:
            TABS.close(tab)
            return self.reply(204)
        if url.path == "/page" and tab:
            TABS.seen(tab)
            step = int(query.get("step", ["0"])[0] or 0)
            opened = 1 if query.get("opened", ["0"])[0] == "1" else 0
            crowded = "true" if TABS.open_count() >= 10 else "false"
            body = PAGE.format(tab=tab, step=step, crowded=crowded, opened=opened).encode()
            return self.reply(200, body)
        self.reply(404)

    do_GET = handle_query
    do_POST = handle_query


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


# --- reading the session file (see browser/sessions/SessionFile.cpp) --------

def qstring(data, at):
    (size,) = struct.unpack_from(">I", data, at)
    at += 4
    if size == 0xFFFFFFFF:
        return "", at
    if at + size > len(data):
        raise ValueError("cut")
    return data[at:at + size].decode("utf-16-be"), at + size


def qbytes(data, at):
    (size,) = struct.unpack_from(">I", data, at)
    at += 4
    if size == 0xFFFFFFFF:
        return b"", at
    if at + size > len(data):
        raise ValueError("cut")
    return data[at:at + size], at + size


def read_session(path):
    """The tabs' addresses of a whole session file; None for any other file."""
    try:
        with open(path, "rb") as f:
            data = f.read()
        if len(data) < 32:
            return None
        magic, version, length = struct.unpack_from(">IiI", data, 0)
        payload = data[32:]
        if magic != 0x564C5353 or version != 1 or length != len(payload):
            return None
        if hashlib.sha1(payload).digest() != data[12:32]:
            return None
        at = 1 + 4
        (count,) = struct.unpack_from(">I", payload, at)
        at += 4
        urls = []
        for _ in range(count):
            url, at = qstring(payload, at)
            _, at = qstring(payload, at)
            _, at = qbytes(payload, at)
            urls.append(url)
        return urls
    except (OSError, ValueError, struct.error, UnicodeDecodeError):
        return None


def tab_of(url):
    query = urllib.parse.parse_qs(urllib.parse.urlsplit(url).query)
    return query.get("tab", [""])[0]


# --- the runs ---------------------------------------------------------------

def descendants(pid):
    """The ids of the processes below pid, read from /proc."""
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    parents[int(entry)] = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, IndexError, ValueError):
                pass
    found, todo = [], [pid]
    while todo:
        top = todo.pop()
        for child, parent in parents.items():
            if parent == top:
                found.append(child)
                todo.append(child)
    return found


def end_process(process):
    if process.poll() is None:
        process.kill()
    process.wait()


def main():
    kills = int(sys.argv[1]) if len(sys.argv) > 1 else 300
    here = os.path.dirname(os.path.abspath(__file__))
    binary = sys.argv[2] if len(sys.argv) > 2 else os.path.join(here, "..", "build", "bin", "vorlen")
    if kills < 1 or not os.access(binary, os.X_OK):
        print(f"usage: {sys.argv[0]} [KILLS] [VORLEN_BINARY]  (no executable at {binary}?)", file=sys.stderr)
        return 2
    seed = int(os.environ.get("SESSION_KILLS_SEED", str(int(time.time()))))
    rng = random.Random(seed)

    server = Server(("127.0.0.1", 0), Handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    port = server.server_address[1]

    work = tempfile.mkdtemp(prefix="session_kills.")
    user = os.environ.get("USER") or __import__("pwd").getpwuid(os.getuid()).pw_name
    failures = []
    whole_from = [0] * (BACKUPS + 1)
    required_total = 0
    tabs_total = 0
    process = None
    restored = set()
    started = time.monotonic()
    try:
        for kill in range(kills):
            root = os.path.join(work, "run")
            if kill % RESTART_EVERY == 0:
                shutil.rmtree(root, ignore_errors=True)
                for sub in ("home", "config/vorlen", "data", "cache", "temp", "app/UserData/" + user):
                    os.makedirs(os.path.join(root, sub), exist_ok=True)
                shutil.copy(binary, os.path.join(root, "app", "vorlen"))
                with open(os.path.join(root, "app/UserData", user, "Setting.ini"), "w", newline="") as f:
                    f.write("[Vorlen Setting]\r\nSessionRestoreValue=2\r\nLastWindowMode=0\r\n"
                            "LastWindowWidth=16500\r\nLastWindowHeight=11400\r\n")
                with open(os.path.join(root, "config/vorlen/registry.ini"), "w", newline="") as f:
                    f.write("[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main]\r\n"
                            f"Start Page=http://127.0.0.1:{port}/page?tab=s{kill}&step=0&opened=0\r\n")
                TABS.reset()
                restored = set()
            profile = os.path.join(root, "app/UserData", user)
            env = dict(os.environ, HOME=os.path.join(root, "home"), XDG_CONFIG_HOME=os.path.join(root, "config"),
                       XDG_DATA_HOME=os.path.join(root, "data"), XDG_CACHE_HOME=os.path.join(root, "cache"),
                       TEMP=os.path.join(root, "temp"), QT_QPA_PLATFORM="offscreen",
                       QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu")
            # Each run is killed seconds after its restore; the crash-loop guard
            # would stop restoring after two, so its record is cleared here.
            try:
                os.remove(os.path.join(profile, "session.vsr"))
            except FileNotFoundError:
                pass
            launched = time.monotonic()
            process = subprocess.Popen([os.path.join(root, "app", "vorlen")], env=env, cwd=root,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(rng.uniform(RUN_MIN, RUN_MAX))
            helpers = descendants(process.pid)
            os.kill(process.pid, signal.SIGKILL)
            killed_at = time.monotonic()
            process.wait()
            # The engine's helpers end with their parent; any left are ended by id.
            for helper in helpers:
                try:
                    os.kill(helper, signal.SIGKILL)
                except OSError:
                    pass
            process = None

            with TABS.lock:
                required = {t for t, at in TABS.first_seen.items()
                            if launched <= at < killed_at - OPEN_FOR and t not in TABS.closed}
                # Restored tabs were open from the start unless closed since.
                required |= {t for t in restored if t not in TABS.closed and launched < killed_at - OPEN_FOR}
            found = None
            for generation in range(BACKUPS + 1):
                name = "session.vss" + ("" if generation == 0 else f".{generation}")
                urls = read_session(os.path.join(profile, name))
                if urls is not None:
                    found = (generation, urls)
                    break
            required_total += len(required)
            if found is None:
                failures.append(f"kill {kill + 1}: no whole session file")
                print(failures[-1], flush=True)
                restored = set()
                continue
            whole_from[found[0]] += 1
            named = {tab_of(u) for u in found[1]}
            tabs_total += len(found[1])
            missing = required - named
            if missing:
                failures.append(f"kill {kill + 1}: {len(missing)} of {len(required)} tabs open > {OPEN_FOR:.0f} s "
                                f"missing from session.vss{'' if found[0] == 0 else '.' + str(found[0])}: "
                                + ", ".join(sorted(missing)))
                print(failures[-1], flush=True)
                if os.environ.get("SESSION_KILLS_VERBOSE"):
                    print("   file:", *found[1], sep="\n     ", flush=True)
                    with TABS.lock:
                        for t in sorted(missing):
                            print(f"   {t}: first seen {killed_at - TABS.first_seen.get(t, killed_at):.1f} s "
                                  f"before the kill, restored {t in restored}", flush=True)
            restored = named - {""}
            if (kill + 1) % 25 == 0:
                print(f"{kill + 1} kills, {len(failures)} failed checks, {time.monotonic() - started:.0f} s",
                      flush=True)
    finally:
        if process is not None:
            end_process(process)
        server.shutdown()
        shutil.rmtree(work, ignore_errors=True)

    print(f"session kills: {kills} kill(s) of {binary}, seed {seed}, {time.monotonic() - started:.0f} s")
    print(f"  newest whole file: session.vss {whole_from[0]}, .1 {whole_from[1]}, .2 {whole_from[2]}, "
          f"none {kills - sum(whole_from)}")
    print(f"  tabs required (open > {OPEN_FOR:.0f} s at the kill): {required_total}, "
          f"tabs in the files read: {tabs_total}")
    print(f"  failed checks: {len(failures)}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
