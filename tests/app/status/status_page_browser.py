#!/usr/bin/python3
"""Loads the status page in Debian's headless Chromium and checks, from the
page's elements, that it shows what is expected: the values with their
alarm states told in words, the recording, the events and the graph's
latest points, kept up to date by the stream.

    status_page_browser.py URL EXPECTED.json [--screenshot FILE.png] [--timeout S]

EXPECTED.json: {"values": [{"name", "value", "unit", "alarm"}],
"recording": {"file", "recordedS", "samplesLost", "freeBytes", "lastsS"},
"events": [{"seq", "kind", "unit", "text"}], "latest": [{"series", "time", "value"}]};
a part left out is not checked. Exit status 0 when the page shows it all
within the time, 1 when not, 2 when the browser cannot run.
"""

import argparse
import json
import shutil
import sys
import tempfile
import time
import urllib.parse

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1280,1600"]

# What the page shows, read from its elements' data attributes.
READ_PAGE = """
const data = (element) => element ? Object.assign({}, element.dataset) : null;
const all = (selector) => [...document.querySelectorAll(selector)];
return {
    values: all('#values tbody tr').map((row) => Object.assign(data(row),
        {stateText: row.querySelector('.state').textContent})),
    recording: Object.fromEntries(['file', 'recorded', 'lost', 'free', 'lasts'].map(
        (name) => [name, data(document.getElementById('rec-' + name))])),
    events: all('#events tbody tr[data-seq]').map(data),
    latest: all('#graph-latest tbody tr').map(data),
    statuses: Number(document.getElementById('updated').dataset.value || 0),
    headings: {h1: all('h1').length, h2: all('h2').length},
    tablesWithoutCaption: all('table').filter((table) => !table.caption).length,
    graph: {label: document.getElementById('graph').getAttribute('aria-label'),
            role: document.getElementById('graph').getAttribute('role'),
            points: Number(document.getElementById('graph').dataset.points || 0)},
    search: location.search,
    cookieVisible: document.cookie.includes('kelvra_status'),
};
"""


def close(shown, expected, tolerance=1e-3):
    try:
        return abs(float(shown) - float(expected)) <= tolerance * max(1.0, abs(float(expected)))
    except (TypeError, ValueError):
        return False


def problems(page, expected, url):
    found = []
    rows = {row["name"]: row for row in page["values"]}
    for value in expected.get("values", []):
        row = rows.get(value["name"])
        if row is None:
            found.append(f"no row for {value['name']}")
            continue
        if not close(row["value"], value["value"]):
            found.append(f"{value['name']}: value {row['value']}, expected {value['value']}")
        if row["unit"] != value["unit"] or row["alarm"] != value["alarm"]:
            found.append(f"{value['name']}: {row['unit']}/{row['alarm']}, expected "
                         f"{value['unit']}/{value['alarm']}")
        if not row["stateText"].strip():
            found.append(f"{value['name']}: the state is not told in words")
    words = {(row["alarm"], row["stateText"]) for row in page["values"]}
    if len({alarm for alarm, _ in words}) != len({text for _, text in words}):
        found.append(f"the states are not told apart in words: {words}")

    recording = expected.get("recording", {})
    shown = {name: (cell or {}).get("value") for name, cell in page["recording"].items()}
    if "file" in recording and shown["file"] != recording["file"]:
        found.append(f"file {shown['file']}, expected {recording['file']}")
    for name, key in (("recorded", "recordedS"), ("lost", "samplesLost"),
                      ("free", "freeBytes"), ("lasts", "lastsS")):
        if key in recording and not close(shown[name], recording[key]):
            found.append(f"{key} {shown[name]}, expected {recording[key]}")

    events = {int(row["seq"]): row for row in page["events"]}
    for event in expected.get("events", []):
        row = events.get(event["seq"])
        if row is None or any(row[key] != event[key] for key in ("kind", "unit", "text")):
            found.append(f"event {event['seq']}: {row}, expected {event}")

    latest = {row["series"]: row for row in page["latest"]}
    for point in expected.get("latest", []):
        row = latest.get(point["series"])
        if row is None or not close(row["value"], point["value"]) or (
                "time" in point and not close(row["time"], point["time"])):
            found.append(f"latest point of {point['series']}: {row}, expected {point}")

    if page["statuses"] < 2:
        found.append(f"{page['statuses']} status(es) from the stream, expected two or more")
    if page["headings"]["h1"] != 1 or page["headings"]["h2"] < 4:
        found.append(f"headings {page['headings']}")
    if page["tablesWithoutCaption"]:
        found.append(f"{page['tablesWithoutCaption']} table(s) without a caption")
    if page["graph"]["role"] != "img" or not page["graph"]["label"] or not page["graph"]["points"]:
        found.append(f"graph {page['graph']}")
    if "token" in urllib.parse.parse_qs(urllib.parse.urlparse(url).query):
        if "token" in page["search"]:
            found.append("the token stays in the address bar")
        if page["cookieVisible"]:
            found.append("the token's cookie is readable by scripts")
    return found


def open_browser():
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError as error:
        raise RuntimeError(f"python3-selenium is not installed: {error}")
    for program in (CHROMIUM, CHROMEDRIVER):
        if not shutil.which(program):
            raise RuntimeError(f"{program} is not installed")
    profile = tempfile.mkdtemp(prefix="kelvra-status-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in FLAGS + [f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    try:
        return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options), profile
    except Exception as error:  # the driver's own errors have no common base
        shutil.rmtree(profile, ignore_errors=True)
        raise RuntimeError(f"Chromium does not start: {error}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("url")
    parser.add_argument("expected")
    parser.add_argument("--screenshot")
    parser.add_argument("--timeout", type=float, default=30.0)
    arguments = parser.parse_args()
    with open(arguments.expected, encoding="utf-8") as file:
        expected = json.load(file)

    try:
        browser, profile = open_browser()
    except RuntimeError as error:
        print(f"status_page_browser: {error}", file=sys.stderr)
        return 2
    found = ["the page could not be read"]
    try:
        browser.set_page_load_timeout(arguments.timeout)
        browser.get(arguments.url)
        deadline = time.monotonic() + arguments.timeout
        while True:
            page = browser.execute_script(READ_PAGE)
            found = problems(page, expected, arguments.url)
            if not found or time.monotonic() > deadline:
                break
            time.sleep(0.25)
        if arguments.screenshot:
            # The whole page: a screen as tall as the page.
            height = browser.execute_script("return document.documentElement.scrollHeight")
            browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": 1280, "height": height, "deviceScaleFactor": 1, "mobile": False})
            time.sleep(1.5)
            browser.save_screenshot(arguments.screenshot)
    except Exception as error:  # the driver's own errors have no common base
        found.append(str(error).splitlines()[0])
    finally:
        browser.quit()
        shutil.rmtree(profile, ignore_errors=True)
    for problem in found:
        print(f"status_page_browser: {problem}", file=sys.stderr)
    if not found:
        print(f"status_page_browser: the page shows {len(page['values'])} values, "
              f"{len(page['events'])} events and {len(page['latest'])} latest points "
              f"after {page['statuses']} statuses")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
