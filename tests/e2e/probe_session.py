"""The probe kept running (`probe serve`): one wine process answers many
questions, so a query costs a pipe round trip instead of a program start."""

import json
import os
import select
import subprocess
import tempfile
import time


class ProbeSession:
    def __init__(self, probe, env):
        # Its errors go to a file, not a pipe: a desktop process wine starts
        # on the way would inherit a pipe and keep it open long after. With
        # wine's own error reports, for when wine fails to run it.
        self._errors = tempfile.TemporaryFile()
        self._process = subprocess.Popen(["wine", str(probe), "serve"], env={**env, "WINEDEBUG": "err+all"},
                                         stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=self._errors)
        self._pending = b""

    def ask(self, *args, timeout=30):
        """Runs one probe command; returns its answer lines."""
        self._process.stdin.write(("\t".join(map(str, args)) + "\n").encode("utf-8"))
        self._process.stdin.flush()
        deadline = time.monotonic() + timeout
        answers = []
        while True:
            line = self._line(deadline, args)
            if not line.startswith(b"{"):
                continue
            answer = json.loads(line)
            if list(answer) == ["done"]:
                return answers
            answers.append(answer)

    def _line(self, deadline, args):
        while b"\n" not in self._pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError(f"the probe did not answer {args} in time")
            readable, _, _ = select.select([self._process.stdout], [], [], left)
            chunk = os.read(self._process.stdout.fileno(), 1 << 20) if readable else None
            if chunk == b"":
                self._errors.seek(0)
                raise RuntimeError(f"the probe ended while asked {args}: exit {self._process.wait(timeout=10)}, "
                                   f"{self._errors.read().decode('utf-8', 'replace')[-2000:]}")
            self._pending += chunk or b""
        line, self._pending = self._pending.split(b"\n", 1)
        return line

    def close(self):
        self._process.stdin.close()
        try:
            self._process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait(timeout=10)
        self._process.stdout.close()
        self._errors.close()
