#!/usr/bin/python3
"""Runs a real recording with its status page and checks the page in the
browser: kelvra-cli records an emulated unit at a constant 250 above an
alarm limit of 200, and the page must show that value in alarm, the
recording's file and the alarm event, kept up to date by the stream.

    recording_page_browser.py KELVRA_CLI STATUS_PAGE_BROWSER.py

Exit status 0 when the page shows it, 1 when not, 2 when something it needs
cannot run.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.request

PYTHON = "/usr/bin/python3"


def page_address(recorder, deadline):
    while time.monotonic() < deadline:
        line = recorder.stderr.readline()
        if not line:
            break
        if "http://" in line:
            return line[line.index("http://"):].split()[0]
    return None


def main():
    cli, checker = sys.argv[1:3]
    folder = tempfile.mkdtemp(prefix="kelvra-page-")
    recording = os.path.join(folder, "page.kvr")
    environment = dict(os.environ, XDG_CONFIG_HOME=folder, LANG="C.UTF-8")
    for name in ("LC_ALL", "LC_MESSAGES", "KELVRA_LANG", "VARNELIO_EMULATOR"):
        environment.pop(name, None)
    recorder = subprocess.Popen(
        [cli, "record", "--continuous", "--out", recording, "--emulate", "id=0,signal=const:250",
         "--units", "0", "--interval-ms", "100", "--limit", "0:upper:alarm:200",
         "--serve", "127.0.0.1:0", "--duration", "120s"],
        env=environment, stderr=subprocess.PIPE, text=True)
    try:
        url = page_address(recorder, time.monotonic() + 20)
        if not url:
            print("recording_page_browser: the recording told no page", file=sys.stderr)
            return 1
        time.sleep(1.5)  # a status with the first samples
        with urllib.request.urlopen(url + "api/status", timeout=10) as answer:
            status = json.load(answer)
        if status["recording"]["file"] != recording:
            print(f"recording_page_browser: the page tells {status['recording']['file']}",
                  file=sys.stderr)
            return 1
        expected = {
            "values": [{"name": "ID0", "value": 250, "unit": "μひずみ", "alarm": "alarm"}],
            "recording": {"file": recording},
            "events": [{"seq": 1, "kind": "alarm", "unit": "ID0", "text": "上限 200 (250)"}],
        }
        expected_file = os.path.join(folder, "expected.json")
        with open(expected_file, "w", encoding="utf-8") as out:
            json.dump(expected, out, ensure_ascii=False)
        return subprocess.call([PYTHON, checker, url, expected_file])
    finally:
        recorder.terminate()
        recorder.wait(timeout=30)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
