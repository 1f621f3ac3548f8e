"""The probe kept running (`probe serve`): one wine process answers many
questions, so a query costs a pipe round trip instead of a program start.
For loops that read a window thousands of times."""

import json
import subprocess

from desktop import PROBE


class ProbeSession:
    def __init__(self, env):
        self._process = subprocess.Popen(["wine", str(PROBE), "serve"], env=env, stdin=subprocess.PIPE,
                                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def ask(self, *args):
        """Runs one probe command; returns its answer lines."""
        self._process.stdin.write(("\t".join(map(str, args)) + "\n").encode("utf-8"))
        self._process.stdin.flush()
        answers = []
        while True:
            line = self._process.stdout.readline()
            if not line:
                raise RuntimeError("the probe ended")
            if not line.startswith(b"{"):
                continue
            answer = json.loads(line)
            if list(answer) == ["done"]:
                return answers
            answers.append(answer)

    def text(self, hwnd):
        found = self.ask("text", hwnd)
        return found[0]["text"] if found else None

    def close(self):
        self._process.stdin.close()
        try:
            self._process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait(timeout=10)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
