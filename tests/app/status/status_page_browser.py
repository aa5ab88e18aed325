#!/usr/bin/python3
"""Loads the status page in Debian's headless Chromium and checks, from the
page's elements, that it shows what is expected: the values with their
alarm states in words, the recording, the events and the graph's latest
points, kept up to date by the stream, under headings and captioned tables.

    status_page_browser.py URL EXPECTED.json [--screenshot FILE.png] [--timeout S]

EXPECTED.json is a status as /api/status tells it; a part left out is not
checked. Exit status 0 when the page shows it all in time, 1 when not, 2
when the browser cannot run.
"""

import argparse
import json
import shutil
import sys
import tempfile
import time

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1280,1600"]

# What the page shows, from its elements' data attributes.
READ_PAGE = """
const all = (selector) => [...document.querySelectorAll(selector)];
const data = (element) => Object.assign({}, element.dataset);
const graph = document.getElementById('graph');
return {
    values: all('#values tbody tr').map((row) =>
        Object.assign(data(row), {words: row.querySelector('.state').textContent})),
    recording: Object.fromEntries(all('#recording td').map((cell) => [cell.id, cell.dataset.value])),
    events: all('#events tbody tr[data-seq]').map(data),
    latest: all('#graph-latest tbody tr').map(data),
    statuses: Number(document.getElementById('updated').dataset.value || 0),
    structure: [all('h1').length, all('h2').length, all('table:not(:has(caption))').length,
                graph.getAttribute('role'), Boolean(graph.getAttribute('aria-label')),
                Number(graph.dataset.points || 0) > 0],
    tokenShown: location.search.includes('token') || document.cookie.includes('kelvra_status'),
};
"""
RECORDING = {"rec-file": "file", "rec-recorded": "recordedS", "rec-lost": "samplesLost",
             "rec-free": "freeBytes", "rec-lasts": "lastsS"}


def same(shown, expected):
    if isinstance(expected, str) or expected is None:
        return (shown or "") == (expected or "")
    try:
        return abs(float(shown) - expected) <= 1e-3 * max(1.0, abs(expected))
    except (TypeError, ValueError):
        return False


def problems(page, expected):
    found = []
    rows = {row["name"]: row for row in page["values"]}
    for value in expected.get("values", []):
        row = rows.get(value["name"], {})
        if not all(same(row.get(key), value[key]) for key in ("value", "unit", "alarm")):
            found.append(f"value {value} shown as {row}")
    words = {(row["alarm"], row["words"].strip()) for row in page["values"]}
    if len({alarm for alarm, _ in words}) != len({text for _, text in words if text}):
        found.append(f"alarm states not told apart in words: {words}")
    for cell, key in RECORDING.items():
        if key in expected.get("recording", {}):
            if not same(page["recording"].get(cell), expected["recording"][key]):
                found.append(f"{key} shown as {page['recording'].get(cell)}")
    events = {int(row["seq"]): row for row in page["events"]}
    for event in expected.get("events", []):
        row = events.get(event["seq"], {})
        if not all(same(row.get(key), event[key]) for key in ("kind", "unit", "text")):
            found.append(f"event {event} shown as {row}")
    latest = {row["series"]: row for row in page["latest"]}
    for series in expected.get("series", []):
        point = next((p for p in reversed(series["points"]) if p[3] is not None), None)
        row = latest.get(series["name"], {})
        if point and not (same(row.get("time"), point[0]) and same(row.get("value"), point[3])):
            found.append(f"latest point of {series['name']} {point} shown as {row}")
    if page["statuses"] < 2:
        found.append(f"{page['statuses']} status(es) from the stream, not two or more")
    if page["structure"] != [1, 4, 0, "img", True, True]:
        found.append(f"headings, captions or graph amiss: {page['structure']}")
    if page["tokenShown"]:
        found.append("the token stays in the address or in a cookie scripts can read")
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
        while found and time.monotonic() < deadline:
            time.sleep(0.25)
            page = browser.execute_script(READ_PAGE)
            found = problems(page, expected)
        if arguments.screenshot:
            # The whole page: a screen as tall as it.
            height = browser.execute_script("return document.documentElement.scrollHeight")
            browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": 1280, "height": height, "deviceScaleFactor": 1, "mobile": False})
            time.sleep(1.5)
            browser.save_screenshot(arguments.screenshot)
    except Exception as error:  # as above
        found.append(str(error).splitlines()[0])
    finally:
        browser.quit()
        shutil.rmtree(profile, ignore_errors=True)
    for problem in found:
        print(f"status_page_browser: {problem}", file=sys.stderr)
    if not found:
        print(f"status_page_browser: {len(page['values'])} values, {len(page['events'])} events"
              f" and {len(page['latest'])} latest points shown after {page['statuses']} statuses")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
