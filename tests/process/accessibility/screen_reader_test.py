#!/usr/bin/python3
"""What a screen reader gets of the real game through AT-SPI.

Starts the program hosting on its own Xvfb with openbox, a silent lobby and
a raw TCP player who logs in and chats, then reads the accessibility tree the
way Orca does: the transcript is a read-only text whose text holds the chat
line, an "object:text-changed:insert" event announced it at the right place,
its lines are the transcript's lines, Tab brings the keyboard to it with the
caret at its end, and the board's holes are named as the game counts rows.

Run inside a private D-Bus session (dbus-run-session); exits 77 to skip.
Usage: screen_reader_test.py KALVEX_PROGRAM
"""

import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

# The shared helpers, read without leaving compiled files in the sources.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from desktop_process import (SKIP, Failure, Processes, accessible_application,  # noqa: E402
                             check, free_port, start_display, wait_for)

DISPLAYS = range(80, 90)
CHAT_TEXT = "Hello there, can anyone hear me?"
# The transcript's line for it: the head the server puts before it, the
# blank after the head and the words, each with its blank.
CHAT_LINE = "Ann chats:  " + CHAT_TEXT + " "
TERMINATOR = b"\xff"

try:
    import pyatspi
    from gi.repository import GLib
except ImportError as missing:
    print(f"SKIP: python3-pyatspi is not installed ({missing}); "
          "scripts/install-deps.sh installs it")
    sys.exit(SKIP)


class SilentLobby:
    """The local lobby the hosting game connects to; it never says a word."""

    def __init__(self):
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen()
        self.port = self.listener.getsockname()[1]
        self.held = []
        threading.Thread(target=self._accept, daemon=True).start()

    def _accept(self):
        while True:
            try:
                self.held.append(self.listener.accept())
            except OSError:
                return


class Peer:
    """A player as the server sees it: raw messages over TCP."""

    def __init__(self, port):
        self.socket = wait_for(lambda: self._connect(port), 30, f"the game on port {port}")
        self.received = b""

    @staticmethod
    def _connect(port):
        try:
            return socket.create_connection(("127.0.0.1", port), timeout=1)
        except OSError:
            return None

    def next_message(self, seconds=10):
        deadline = time.monotonic() + seconds
        self.socket.settimeout(0.2)
        while TERMINATOR not in self.received and time.monotonic() < deadline:
            try:
                data = self.socket.recv(4096)
            except socket.timeout:
                continue
            if not data:
                break
            self.received += data
        message, found, rest = self.received.partition(TERMINATOR)
        check(found, f"no whole message from the game; have {self.received!r}")
        self.received = rest
        return message.decode("latin-1")

    def send(self, text, tail=b""):
        self.socket.sendall(text.encode("utf-8") + tail + TERMINATOR)

    def log_in(self, name):
        offer = self.next_message()
        check(offer.startswith("CMD_sendlogininfo+"), f"expected a slot offer, got {offer!r}")
        slot = offer[len("CMD_sendlogininfo+"):]
        # The login's last field is the name followed by the terminator.
        self.send(f"CMD_logininfo+{slot}+1.0.5+{name}", tail=TERMINATOR)
        return slot


def find(root, predicate, what, seconds=20):
    def search():
        try:
            return pyatspi.findDescendant(root, predicate)
        except Exception:  # the tree may change while it is read
            return None
    return wait_for(search, seconds, what)


def run(program):
    processes = Processes()
    home = tempfile.mkdtemp(prefix="kalvex-a11y-home-")
    runtime = tempfile.mkdtemp(prefix="kalvex-a11y-run-")
    os.chmod(runtime, 0o700)
    try:
        display = start_display(processes, DISPLAYS)
        environment = dict(os.environ, DISPLAY=display)
        processes.start(["openbox"], env=environment,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        lobby = SilentLobby()
        port = free_port()
        environment.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           KALVEX_HOME=home, XDG_RUNTIME_DIR=runtime, KALVEX_PORT=str(port),
                           KALVEX_LOBBY_PORT=str(lobby.port))
        game = processes.start([program, "Host", "127.0.0.1", "true"], env=environment)

        app = accessible_application(game.pid, "the game on the accessibility bus")
        transcript = find(app, lambda node: node.name == "Chat transcript",
                          "the chat transcript in the tree")
        check(transcript.getRole() == pyatspi.ROLE_TEXT,
              f"the transcript is a {transcript.getRoleName()}, not a text")
        states = transcript.getState()
        check(not states.contains(pyatspi.STATE_EDITABLE), "the transcript claims to be editable")
        check(states.contains(pyatspi.STATE_MULTI_LINE), "the transcript is not multi-line")
        text = transcript.queryText()

        hole = find(app, lambda node: node.name == "Row 1, 12 points, ball 1",
                    "the hole named \"Row 1, 12 points, ball 1\"")
        check(find(app, lambda node: node.name == "Row 12, 1 point, ball 4",
                   "the top row's last hole") is not None, "no top row")
        check(hole.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width > 0,
              "the hole has no place on screen")

        inserted = []

        def on_insert(event):
            if event.source == transcript:
                inserted.append((event.detail1, event.detail2, event.any_data))
                if CHAT_TEXT in str(event.any_data):
                    pyatspi.Registry.stop()

        pyatspi.Registry.registerEventListener(on_insert, "object:text-changed:insert")
        ann = Peer(port)

        def chat():
            slot = ann.log_in("Ann")
            ann.send(f"CMD_chat+{slot}+{CHAT_TEXT}|clRed")
            return False

        def give_up():
            pyatspi.Registry.stop()
            return False

        GLib.timeout_add(300, chat)
        GLib.timeout_add(20000, give_up)
        pyatspi.Registry.start()
        pyatspi.Registry.deregisterEventListener(on_insert, "object:text-changed:insert")

        announced = [entry for entry in inserted if CHAT_TEXT in str(entry[2])]
        check(announced, f"no text-inserted event carried the chat line; got {inserted}")
        position, length, data = announced[0]
        check(data.endswith(CHAT_LINE), f"the announced text is {data!r}")
        check(length == len(data), f"the event's length {length} is not its text's {len(data)}")

        whole = text.getText(0, -1)
        check(CHAT_LINE in whole, f"the transcript's text lacks the chat line: {whole!r}")
        check(text.characterCount == len(whole), "characterCount differs from the text's length")
        check(text.getText(position, position + length) == data,
              "the event's place does not hold its text")

        start = whole.index(CHAT_LINE)
        line, line_start, line_end = text.getTextAtOffset(start + 3,
                                                          pyatspi.TEXT_BOUNDARY_LINE_START)
        check(line.rstrip("\n") == CHAT_LINE and line_start == start,
              f"the line at the chat is {line!r} from {line_start}")
        earlier, _, _ = text.getTextBeforeOffset(start, pyatspi.TEXT_BOUNDARY_LINE_START)
        check(earlier.endswith("\n") and CHAT_LINE not in earlier,
              f"the line before the chat is {earlier!r}")

        # A player without a mouse reaches the transcript with Tab.
        for _ in range(4):
            if transcript.getState().contains(pyatspi.STATE_FOCUSED):
                break
            subprocess.run(["xdotool", "key", "Tab"], env=environment, check=True)
            time.sleep(0.3)
        check(transcript.getState().contains(pyatspi.STATE_FOCUSED),
              "Tab never brought the keyboard to the transcript")
        check(text.caretOffset == text.characterCount,
              f"the caret is at {text.caretOffset}, not at the end {text.characterCount}")
        check(game.poll() is None, "the game ended")
        print("transcript text:", whole.replace("\n", " | "))
        print("announced at", position, "length", length)
    finally:
        processes.end_all()
        shutil.rmtree(home, ignore_errors=True)
        shutil.rmtree(runtime, ignore_errors=True)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    for tool in ("Xvfb", "openbox", "xdotool"):
        if shutil.which(tool) is None:
            print(f"SKIP: {tool} is not installed; scripts/install-deps.sh installs it")
            return SKIP
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        print("FAIL: run inside dbus-run-session")
        return 1
    try:
        run(sys.argv[1])
    except Failure as failure:
        print("FAIL:", failure)
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
