#!/usr/bin/env bash
# check-logs --site, loaded in headless Chromium: the rendered index has one
# table per category and section with the ranked logs of the JSON results in
# rank order, checklogs listed apart, working links to every entrant's page;
# strangers' text renders as text, no path of this machine and no NAME,
# ADDRESS or EMAIL shows; an entrant's page has its figures per band, the
# multipliers it lost and its not-in-logs in tables; and at phone width
# nothing is wider than the window. Screenshots at 1280 and 400 px are left in OUT.
#   results_site_test.sh <stats-host> <contest generator> <test country file> <OUT>
# Exits 77 (skipped) when chromium is not installed.
set -euo pipefail
host=$1
generator=$2
cty=$3
out=$4
if ! command -v chromium >/dev/null; then
  echo "SKIPPED: chromium is not installed; install it with scripts/install-deps.sh browser" >&2
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }
browser() {  # chromium arguments...: no network, no profile left behind
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --hide-scrollbars --user-data-dir="$(mktemp -d "$work/profile.XXXXXX")" "$@" 2>/dev/null
}

# A generated contest; every fourth log a checklog, every fourth CW high
# power, one with private header lines and markup where its category goes.
mkdir -p "$work/logs"
"$generator" --out "$work/logs" --stations 30 --qsos 90 --seed 5 >/dev/null
rm -f "$work/logs/answers.tsv"
n=0
for log in "$work"/logs/*.log; do
  case $((n % 4)) in
    0) extra='CATEGORY-OPERATOR: CHECKLOG' ;;
    1) extra='CATEGORY: C. (SO-AB-CW-HP <= 1500 W)' ;;
    *) extra='' ;;
  esac
  [ $n = 2 ] && extra='NAME: Secret Name\nADDRESS: Secret Street 1\nEMAIL: secret@example.org\nCATEGORY-MODE: <b>RTTY</b>'
  [ -n "$extra" ] && sed -i "s|^CALLSIGN:.*|&\n$extra|" "$log"
  n=$((n + 1))
done
rm -rf "$out"
mkdir -p "$out"
"$host" check-logs "$work/logs" --cty "$cty" --out "$work/out" --json "$work/r.json" \
  --site "$out/site" >/dev/null 2>"$work/err.txt" || { cat "$work/err.txt" >&2; exit 1; }
browser --dump-dom "file://$out/site/index.html" >"$out/index.dom.html"
grep -q '</html>' "$out/index.dom.html" || fail "chromium rendered nothing"

# The rendered page's tables, for the checks below.
cat >"$work/page_tables.py" <<'PY'
import html.parser

class Tables(html.parser.HTMLParser):
    """The rendered tables by class, each a list of rows of cell texts, the links,
    the checklogs listed, and whether any text is preformatted."""
    def __init__(self):
        super().__init__()
        self.tables, self.links, self.cell, self.kind = [], [], None, None
        self.checklogs, self.in_checklogs, self.pre = [], False, False
    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "table":
            self.tables.append((a.get("class", ""), []))
        elif tag == "tr":
            self.tables[-1][1].append([])
        elif tag in ("td", "th"):
            self.cell = ""
        elif tag == "a":
            self.links.append(a.get("href", ""))
        elif tag == "ul" and a.get("class") == "checklogs":
            self.in_checklogs = True
        elif tag == "li" and self.in_checklogs:
            self.cell = ""
        elif tag == "pre":
            self.pre = True
    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.cell is not None:
            self.tables[-1][1][-1].append(self.cell.strip())
            self.cell = None
        elif tag == "li" and self.in_checklogs:
            self.checklogs.append(self.cell.strip())
            self.cell = None
        elif tag == "ul":
            self.in_checklogs = False
    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data
PY

python3 - "$work/r.json" "$out/index.dom.html" "$out/site" "$work" <<'PY' || status=1
import json, os, sys
results, dom, site, work = sys.argv[1:5]
sys.path.insert(0, work)
from page_tables import Tables
r = json.load(open(results))
failed = False
def fail(text):
    global failed
    failed = True
    print("FAIL:", text, file=sys.stderr)

t = Tables()
t.feed(open(dom).read())
categories = [rows for kind, rows in t.tables if kind == "category"]
# The JSON's ranked logs by letter and section, best first.
groups = {}
for log in r["logs"]:
    if log["ranks"] is not None:
        key = (log["category"]["letter"], log["category"]["section"])
        groups.setdefault(key, []).append(log)
if len(categories) != len(groups):
    fail(f"{len(categories)} category tables on the page, {len(groups)} in the results")
shown = {}
for rows in categories:
    for row in rows[1:]:
        rank, call, letter, qsos, mults, claimed, checked, rate = row
        shown[call] = (int(rank), letter, int(checked))
for (letter, section), logs in groups.items():
    for log in logs:
        got = shown.get(log["call"])
        want = (log["ranks"]["category"], letter, log["checked"]["score"])
        if got != want:
            fail(f"{log['call']}: the page shows {got}, the results {want}")
checklogs = sorted(l["call"] for l in r["logs"] if l["category"]["letter"] is None
                   and l["category"]["why_not_ranked"] == "checklog")
if sorted(t.checklogs) != checklogs or not checklogs:
    fail(f"checklogs on the page {sorted(t.checklogs)}, in the results {checklogs}")
if any(l["call"] in shown for l in r["logs"] if l["ranks"] is None):
    fail("an unranked log stands in a category table")
# Every entrant has a page, every link leads to one.
pages = os.listdir(os.path.join(site, "entrants"))
if len(pages) != len(r["logs"]):
    fail(f"{len(pages)} entrant pages for {len(r['logs'])} logs")
for link in t.links:
    if not os.path.isfile(os.path.join(site, link)):
        fail(f"the link {link} leads nowhere")
# No path of this machine, no private header field, nothing that runs.
for name in ["index.html"] + ["entrants/" + p for p in pages]:
    text = open(os.path.join(site, name)).read()
    for bad in (work, "/tmp/", "Secret", "secret@", "<script", "<b>RTTY"):
        if bad in text:
            fail(f"{name} holds {bad!r}")
sys.exit(1 if failed else 0)
PY

# An entrant's page as tables: its figures per band, the multipliers it
# lost and its not-in-logs, as the JSON has them. The entrant is one that
# lost a multiplier and has a not-in-log.
entrant=$(python3 - "$work/r.json" <<'PY'
import json, sys
for log in json.load(open(sys.argv[1]))["logs"]:
    if log["lost_multipliers"] and any(q["status"] == "nil" for q in log["qsos"]):
        print(log["call"].replace("/", "-") + ".html")
        break
PY
)
[ -n "$entrant" ] || fail "no entrant lost a multiplier and has a not-in-log"
browser --dump-dom "file://$out/site/entrants/$entrant" >"$out/entrant.dom.html"
python3 - "$work/r.json" "$out/entrant.dom.html" "$entrant" "$work" <<'PY' || status=1
import json, sys
results, dom, page, work = sys.argv[1:5]
sys.path.insert(0, work)
from page_tables import Tables
r = json.load(open(results))
log = next(l for l in r["logs"] if l["call"].replace("/", "-") + ".html" == page)
failed = False
def fail(text):
    global failed
    failed = True
    print("FAIL:", page, text, file=sys.stderr)

t = Tables()
t.feed(open(dom).read())
if t.pre:
    fail("the report is still preformatted text")
def rows(kind):
    return [row for k, table in t.tables if k == kind for row in table[1:]]
bands = [[b["band"]] + [str(b[p][f]) for f in ("qsos", "points", "dxcc", "counties")
                        for p in ("claimed", "checked")] for b in log["per_band"]]
# The page's columns are claimed then checked of each figure.
shown = [[row[0]] + [row[i] for pair in ((1, 2), (3, 4), (5, 6), (7, 8)) for i in pair]
         for row in rows("bands")]
if shown != bands:
    fail(f"per band {shown}, the results {bands}")
lost = [[m["band"], str(m["line"]), m["call"], m["status"]] for m in log["lost_multipliers"]]
shown = [[row[0], row[2], row[5], row[6]] for row in rows("lost")]
if shown != lost or not lost:
    fail(f"multipliers lost {shown}, the results {lost}")
nils = [[str(q["line"]), q["band"], q["call"], q["detail"]] for q in log["qsos"]
        if q["status"] == "nil"]
shown = [[row[0], row[2], row[4], row[5]] for row in rows("qsos")]
if any(n not in shown for n in nils):
    fail(f"not-in-logs {nils} not all among {shown}")
sys.exit(1 if failed else 0)
PY

# At phone width nothing makes a page wider than the window: a copy
# without the page's no-script rule measures itself.
for page in index.html "entrants/$entrant"; do
  sed -e 's/<meta http-equiv="Content-Security-Policy"[^>]*>//' -e 's#</body>##' \
    "$out/site/$page" >"$out/site/measure.html"
  echo '<script>document.body.dataset.width = document.documentElement.scrollWidth + " " +
    window.innerWidth;</script></body>' >>"$out/site/measure.html"
  read -r page_width window_width < <(browser --window-size=400,900 --dump-dom \
    "file://$out/site/measure.html" | grep -oP 'data-width="\K[0-9]+ [0-9]+')
  rm -f "$out/site/measure.html"
  [ "$page_width" -le "$window_width" ] ||
    fail "at phone width $page is $page_width px wide in a $window_width px window"
done

for width in 1280 400; do
  browser --window-size=$width,1600 --screenshot="$out/index-$width.png" \
    "file://$out/site/index.html" >/dev/null
  browser --window-size=$width,1600 --screenshot="$out/entrant-$width.png" \
    "file://$out/site/entrants/$entrant" >/dev/null
  [ -s "$out/index-$width.png" ] && [ -s "$out/entrant-$width.png" ] ||
    fail "no screenshot at $width px"
done
[ $status = 0 ] && echo "results site: tables, ranks, checklogs, links, privacy and width checked in chromium; screenshots in $out"
exit $status
