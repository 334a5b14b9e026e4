"""What the Python process tests on an X desktop share: checks that fail
with a message, waiting for a condition, free ports, the processes a test
starts (each ended by its own id), an Xvfb display, and a program's
accessibility tree found by its process id."""

import os
import signal
import socket
import subprocess
import time

SKIP = 77


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(predicate, seconds, what):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise Failure(f"timed out after {seconds} s waiting for {what}")


def free_port(kind=socket.SOCK_STREAM):
    with socket.socket(socket.AF_INET, kind) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Processes:
    """Every process this test starts, ended by it, each by its own id."""

    def __init__(self):
        self.started = []

    def start(self, arguments, **options):
        process = subprocess.Popen(arguments, **options)
        self.started.append(process)
        return process

    def end_all(self):
        for process in reversed(self.started):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(5)
        self.started.clear()


def start_display(processes, numbers):
    """Xvfb on the first of `numbers` that is free; its name (":80")."""
    for number in numbers:
        if os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        server = processes.start(["Xvfb", f":{number}", "-screen", "0", "1024x768x24",
                                  "-nolisten", "tcp"],
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        socket_path = f"/tmp/.X11-unix/X{number}"
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and server.poll() is None:
            if os.path.exists(socket_path):
                return f":{number}"
            time.sleep(0.1)
    raise Failure(f"no X display from :{numbers[0]} to :{numbers[-1]} could be started")


def accessible_application(pid, what):
    """The program with this process id on the accessibility bus."""
    import pyatspi

    def search():
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                continue
        return None
    return wait_for(search, 30, what)
