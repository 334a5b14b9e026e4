#!/usr/bin/python3
"""The real lobby in English and in German, on a real X desktop.

Starts kalvex-lobby with LANGUAGE=en, then with LANGUAGE=de, each on Xvfb
with openbox and with the same ports, reads its buttons and tabs through
AT-SPI as a screen reader does, and presses its host button there. The
German lobby names them in German; both start the game with the same
command line and announce it on the network with the same bytes.

Re-runs itself in a private D-Bus session (dbus-run-session), where the
accessibility bus starts on demand. Exits 77 to skip.
Usage: lobby_language_test.py KALVEX_LOBBY_PROGRAM
"""

import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

# The shared helpers, read without leaving compiled files in the sources.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
from desktop_process import (SKIP, Failure, Processes, accessible_application,  # noqa: E402
                             check, free_port, start_display, wait_for)

IN_SESSION = "KALVEX_LOBBY_LANGUAGE_TEST_SESSION"

try:
    import pyatspi
except ImportError as missing:
    print(f"SKIP: python3-pyatspi is not installed ({missing}); "
          "scripts/install-deps.sh installs it")
    sys.exit(SKIP)

# What each lobby must show: its three buttons and its two tabs.
SHOWN = {
    "en": {"Host a Game", "Join", "Solo Game", "Local Network", "Internet"},
    "de": {"Spiel eröffnen", "Beitreten", "Allein spielen", "Lokales Netz", "Internet"},
}
HOST_BUTTON = {"en": "Host a Game", "de": "Spiel eröffnen"}


def end(pid):
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline and os.path.exists(f"/proc/{pid}") and not zombie(pid):
        time.sleep(0.1)
    if os.path.exists(f"/proc/{pid}") and not zombie(pid):
        os.kill(pid, signal.SIGKILL)


def zombie(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
    except OSError:
        return True


def children(pid):
    found = []
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/children") as listed:
                found += [int(child) for child in listed.read().split()]
    except OSError:
        pass
    return found


def command_line(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
            return cmdline.read().split(b"\0")[:-1]
    except OSError:
        return []


def game_of(lobby):
    """The game program the lobby runs, by its id."""
    for child in children(lobby):
        command = command_line(child)
        if command and os.path.basename(command[0]) == b"kalvex":
            return child
    return None


def displays():
    first, _, last = os.environ.get("KALVEX_TEST_DISPLAYS", "20-29").partition("-")
    return range(int(first), int(last or first) + 1)


def shown_names(app):
    roles = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_PAGE_TAB)
    try:
        return {node.name for node in pyatspi.findAllDescendants(app, lambda n: n.getRole() in roles)
                if node.name}
    except Exception:  # the tree may change while it is read
        return set()


def play(program, language, ports, environment):
    """The names the lobby showed, the game's command line, the announcement."""
    processes = Processes()
    home = tempfile.mkdtemp(prefix="kalvex-lobby-language-")
    runtime = tempfile.mkdtemp(prefix="kalvex-lobby-language-run-")
    os.chmod(runtime, 0o700)
    listener = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    game = None
    try:
        with open(os.path.join(home, "orbolobby.ini"), "wb") as settings:
            settings.write(b"[kalvexlobby]\r\nPlayername=Ann\r\n")
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("0.0.0.0", ports["discovery"]))
        listener.settimeout(0.5)
        lobby = processes.start([program], env=dict(
            environment, LANGUAGE=language, LC_ALL="C.UTF-8", LANG="C.UTF-8",
            KALVEX_HOME=home, XDG_RUNTIME_DIR=runtime,
            KALVEX_PORT=str(ports["game"]), KALVEX_LOBBY_PORT=str(ports["link"]),
            KALVEX_DISCOVERY_PORT=str(ports["discovery"])))
        app = accessible_application(lobby.pid, "the lobby on the accessibility bus")
        names = wait_for(lambda: (lambda n: n if SHOWN[language] <= n else None)(shown_names(app)),
                         20, f"the {language} buttons and tabs")

        host = pyatspi.findDescendant(app, lambda node: node.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                      and node.name == HOST_BUTTON[language])
        host.queryAction().doAction(0)
        game = wait_for(lambda: game_of(lobby.pid), 15, "the game to start")
        command = command_line(game)[1:]

        def datagram():
            try:
                return listener.recvfrom(2048)[0]
            except socket.timeout:
                return None
        announcement = wait_for(datagram, 30, "the hosted game's announcement")
        return names, command, announcement
    finally:
        if game is not None:
            end(game)
        processes.end_all()
        listener.close()
        shutil.rmtree(home, ignore_errors=True)
        shutil.rmtree(runtime, ignore_errors=True)


def run(program):
    processes = Processes()
    try:
        display = start_display(processes, displays())
        environment = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                           KALVEX_DISCOVERY_BROADCAST="127.255.255.255",
                           KALVEX_UPNP_DESCRIPTION_URL="http://127.0.0.1:9/rootDesc.xml")
        processes.start(["openbox"], env=environment,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        ports = {"game": free_port(), "link": free_port(),
                 "discovery": free_port(socket.SOCK_DGRAM)}
        seen = {language: play(program, language, ports, environment) for language in ("en", "de")}
    finally:
        processes.end_all()

    english_names, english_command, english_announcement = seen["en"]
    german_names, german_command, german_announcement = seen["de"]
    check(german_names & english_names <= SHOWN["en"] & SHOWN["de"],
          f"the German lobby shows English names: {sorted(german_names & english_names)}")
    check(english_command == [b"Ann", b"127.0.0.1", b"true"],
          f"the English lobby started the game with {english_command}")
    check(german_command == english_command,
          f"the German lobby started the game with {german_command}")
    check(b"Ann" in english_announcement, f"the announcement is {english_announcement!r}")
    check(german_announcement == english_announcement,
          f"the German announcement is {german_announcement!r}, "
          f"the English one {english_announcement!r}")
    print("English:", sorted(english_names), english_command, english_announcement)
    print("German: ", sorted(german_names), german_command, german_announcement)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    for tool in ("Xvfb", "openbox", "dbus-run-session"):
        if shutil.which(tool) is None:
            print(f"SKIP: {tool} is not installed; scripts/install-deps.sh installs it")
            return SKIP
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher") and \
            shutil.which("at-spi-bus-launcher") is None:
        print("SKIP: at-spi2-core is not installed; scripts/install-deps.sh installs it")
        return SKIP
    if not os.access(sys.argv[1], os.X_OK):
        print(f"SKIP: the lobby is not built: {sys.argv[1]}")
        return SKIP
    if not os.environ.get(IN_SESSION):
        return subprocess.call(["dbus-run-session", "--", sys.executable, __file__, sys.argv[1]],
                               env=dict(os.environ, **{IN_SESSION: "1"}))
    try:
        run(sys.argv[1])
    except Failure as failure:
        print("FAIL:", failure)
        return 1
    print("PASS")
    return 0


if __name__ == "__main__":
    sys.exit(main())
