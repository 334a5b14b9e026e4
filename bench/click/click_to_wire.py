#!/usr/bin/env python3
"""Click to wire: how long after the mouse button is let go over the check
button the guess is on the wire.

    bench/click/click_to_wire.py BUILD_DIR [ROWS] [DISPLAY]

(DISPLAY: the first free one from :141 on when not given.)

A fake host in this process listens on a loopback port, logs the real
`kalvex` in as the second player and opens its rows one by one. The program
runs on its own Xvfb display with openbox; xdotool (one process, fed through
a pipe, so no start-up lies between the timestamp and the event) clicks four
holes of the open row, presses the check button and, after a pause, lets it
go. A sample is the time from writing the release to xdotool until
`CMD_checkit` has arrived at the fake host. Then the host answers with a
clue and the next row. Prints every sample, the median and the worst.
"""
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

TERMINATOR = b"\xff"
# The board panel's place in the client area, and its holes' and check
# button's places in the panel, at scale 1.
BOARD_ORIGIN = (7, 7)
CLIENT_HEIGHT = 408


def hole_centre(row, position):
    return (200 + 25 * (position - 1) + 10, 349 - 25 * (row - 1) + 10)


def check_centre(row):
    return (298 + 16, 349 - 25 * (row - 1) - 2 + 11)


class FakeHost:
    def __init__(self):
        self.server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.server.bind(("127.0.0.1", 0))
        self.server.listen(1)
        self.port = self.server.getsockname()[1]
        self.connection = None
        self.buffer = b""
        self.arrivals = []
        self.arrived = threading.Condition()

    def send(self, *lines):
        self.connection.sendall(b"".join(line.encode() + TERMINATOR for line in lines))

    def accept(self):
        self.connection, _ = self.server.accept()
        self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.send("CMD_sendlogininfo+2")
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        while True:
            chunk = self.connection.recv(65536)
            now = time.monotonic()
            if not chunk:
                return
            self.buffer += chunk
            while TERMINATOR in self.buffer:
                line, self.buffer = self.buffer.split(TERMINATOR, 1)
                with self.arrived:
                    self.arrivals.append((now, line.decode("utf-8", "replace")))
                    self.arrived.notify_all()

    def wait_for(self, prefix, after=0, timeout=10.0):
        deadline = time.monotonic() + timeout
        with self.arrived:
            while True:
                for stamp, line in self.arrivals[after:]:
                    if line.startswith(prefix):
                        return stamp, line
                left = deadline - time.monotonic()
                if left <= 0:
                    raise TimeoutError("no " + prefix)
                self.arrived.wait(left)


def free_display():
    number = 141
    while os.path.exists("/tmp/.X%d-lock" % number):
        number += 1
    return ":%d" % number


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    display = sys.argv[3] if len(sys.argv) > 3 else free_display()
    program = os.path.join(build, "src/app/kalvex")
    for tool in ("Xvfb", "openbox", "xdotool", "xwininfo"):
        if shutil.which(tool) is None:
            print("skipped: %s is not installed" % tool)
            return 0
    home = tempfile.mkdtemp()
    runtime = tempfile.mkdtemp()
    os.chmod(runtime, 0o700)
    env = dict(os.environ, DISPLAY=display)
    env.pop("QT_QPA_PLATFORM", None)
    processes = []
    try:
        processes.append(subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24",
                                           "-nolisten", "tcp"], stderr=subprocess.DEVNULL))
        time.sleep(1)
        processes.append(subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL))
        time.sleep(1)
        host = FakeHost()
        lobby = socket.socket()
        lobby.bind(("127.0.0.1", 0))
        game_env = dict(env, KALVEX_HOME=home, XDG_RUNTIME_DIR=runtime,
                        KALVEX_PORT=str(host.port),
                        KALVEX_LOBBY_PORT=str(lobby.getsockname()[1]),
                        KALVEX_LOBBY_URL="http://127.0.0.1:1/none")
        game = subprocess.Popen([program, "Ann", "127.0.0.1", "join"], env=game_env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        processes.append(game)
        host.accept()
        host.wait_for("CMD_logininfo")
        host.send("CMD_newplayerinfo+2+Ann", "CMD_existingplayers+1+Host",
                  "CMD_startgame+Host+5+600+1+0+", "CMD_startround+1+", "CMD_nextplayer+2+1+")
        window = ""
        for _ in range(100):
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(game.pid)],
                                   env=env, capture_output=True, text=True).stdout.split()
            if found:
                window = found[0]
                break
            time.sleep(0.1)
        if not window:
            print("the window did not show")
            return 1
        time.sleep(1.5)
        # xwininfo gives the client window's place on the screen (inside
        # the window manager's frame).
        info = subprocess.run(["xwininfo", "-id", window], env=env, capture_output=True,
                              text=True).stdout
        values = {}
        for line in info.splitlines():
            if ":" in line:
                key, _, value = line.strip().partition(":")
                values[key] = value.strip()
        menu = int(values["Height"]) - CLIENT_HEIGHT
        left = int(values["Absolute upper-left X"]) + BOARD_ORIGIN[0]
        top = int(values["Absolute upper-left Y"]) + menu + BOARD_ORIGIN[1]
        subprocess.run(["xdotool", "windowactivate", "--sync", window], env=env)
        mouse = subprocess.Popen(["xdotool", "-"], stdin=subprocess.PIPE, env=env)

        def command(text):
            mouse.stdin.write((text + "\n").encode())
            mouse.stdin.flush()

        time.sleep(0.5)
        samples = []
        for row in range(1, rows + 1):
            for position in range(1, 5):
                x, y = hole_centre(row, position)
                command("mousemove %d %d click 1" % (left + x, top + y))
                time.sleep(0.15)
            x, y = check_centre(row)
            command("mousemove %d %d" % (left + x, top + y))
            time.sleep(0.4)
            command("mousedown 1")
            time.sleep(0.4)
            seen = len(host.arrivals)
            released = time.monotonic()
            command("mouseup 1")
            arrival, _ = host.wait_for("CMD_checkit", after=seen)
            samples.append((arrival - released) * 1000)
            time.sleep(0.3)
            host.send("CMD_yourresult+2+%d+1+2+1+" % row, "CMD_nextplayer+2+%d+" % (row + 1))
            time.sleep(0.6)
        mouse.stdin.close()
        mouse.wait()
        print("click to wire, ms:", " ".join("%.1f" % s for s in samples))
        print("rows %d  median %.1f ms  worst %.1f ms" % (len(samples), statistics.median(samples),
                                                         max(samples)))
        return 0
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(home, ignore_errors=True)
        shutil.rmtree(runtime, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
