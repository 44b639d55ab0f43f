"""The log robot in headless Chromium, driven over WebDriver: the form at
phone width, the bundled example uploaded through it, the receipt page read
and opened again by its receipt. Screenshots are left in OUT.

    robot_browser_test.py <stats-host> <example log> <country file> <OUT>

Exits 77 (skipped) when chromium, chromedriver or the Python WebDriver
client is missing."""
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77
host, example, cty, out = sys.argv[1:5]
try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.support import expected_conditions
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("SKIPPED: no selenium (scripts/install-deps.sh browser)", file=sys.stderr)
    sys.exit(SKIP)
if not shutil.which("chromedriver") or not shutil.which("chromium"):
    print("SKIPPED: no chromium or chromedriver (scripts/install-deps.sh browser)",
          file=sys.stderr)
    sys.exit(SKIP)

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def no_wider_than_window(driver, what):
    widths = driver.execute_script(
        "return [document.documentElement.scrollWidth, window.innerWidth]")
    check(widths[0] <= widths[1], f"{what} is {widths[0]} px wide in a {widths[1]} px window")


work = tempfile.mkdtemp()
os.makedirs(out, exist_ok=True)
port = free_port()
robot = subprocess.Popen([host, "serve", os.path.join(work, "contest"), "--listen",
                          f"127.0.0.1:{port}", "--cty", cty],
                         stderr=open(os.path.join(work, "robot.err"), "w"))
driver = None
try:
    for _ in range(250):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            break
        except OSError:
            time.sleep(0.02)
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which("chromium")
    for flag in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                 "--window-size=400,900", f"--user-data-dir={os.path.join(work, 'profile')}"]:
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    driver.set_window_size(400, 900)
    url = f"http://127.0.0.1:{port}"

    driver.get(url + "/")
    check(driver.execute_script("return window.innerWidth") <= 400, "the window is not 400 px")
    no_wider_than_window(driver, "the upload form")
    driver.save_screenshot(os.path.join(out, "robot_upload_400.png"))

    driver.find_element(By.ID, "log").send_keys(os.path.abspath(example))
    driver.find_element(By.ID, "email").send_keys("operator@example.org")
    driver.find_element(By.ID, "send").click()
    WebDriverWait(driver, 60).until(expected_conditions.presence_of_element_located(
        (By.ID, "receipt")))
    receipt = driver.find_element(By.ID, "receipt").text.strip()
    check(re.fullmatch("[0-9a-f]{32}", receipt) is not None, f"no receipt: {receipt!r}")
    check(driver.find_element(By.ID, "call").text == "DL6EXA", "the receipt names another call")
    check(driver.find_element(By.ID, "category").text == "G", "the receipt's category is not G")
    check(int(driver.find_element(By.ID, "claimed-score").text) > 0, "no claimed score")
    # The score page follows the receipt on the same page.
    check(driver.find_element(By.ID, "total-qsos").text.strip() != "", "no score page")
    no_wider_than_window(driver, "the receipt page")
    driver.save_screenshot(os.path.join(out, "robot_receipt_400.png"))

    driver.get(f"{url}/receipt/{receipt}")
    check(driver.find_element(By.ID, "receipt").text.strip() == receipt,
          "the receipt's own page shows another receipt")
    driver.get(url + "/logs")
    check("DL6EXA" in driver.find_element(By.ID, "logs").text, "the logs received lack DL6EXA")
    check("operator@example.org" not in driver.page_source, "the e-mail is shown in public")
    no_wider_than_window(driver, "the logs received")
    driver.set_window_size(1000, 700)
    driver.get(url + "/")
    driver.save_screenshot(os.path.join(out, "robot_upload.png"))
finally:
    if driver is not None:
        driver.quit()
    robot.terminate()
    robot.wait()
    shutil.rmtree(work, ignore_errors=True)

print(f"{'FAILED' if failures else 'passed'}: the robot in the browser", file=sys.stderr)
sys.exit(1 if failures else 0)
