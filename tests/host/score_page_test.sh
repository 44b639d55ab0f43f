#!/usr/bin/env bash
# stats-host score --page, loaded in headless Chromium: the rendered page
# carries the text summary's totals, one bar group per hour with counted
# QSOs and the 150-cell county grid; it does not scroll sideways at phone
# width and prints on one or two pages; a hostile log renders as text.
# Screenshots at 1280 and 400 px are left in OUT.
#   score_page_test.sh <stats-host> <example log> <test country file> <OUT>
# Exits 77 (skipped) when chromium is not installed.
set -euo pipefail
host=$1
example=$2
cty=$3
data=$(dirname "$3")
out=$4
# The installed country file resolves every call of the example, as the
# operator's run does; the test's own small file is the fallback.
[ -r /usr/share/hamradio-files/cty.dat ] && cty=/usr/share/hamradio-files/cty.dat

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

# Without a browser: the page's own recount of the QSOs matches the
# summary for a YU entrant, whose YU QSOs score 1 point, not 10.
"$host" score "$(dirname "$example")/yu-entrant.log" --cty "$cty" --out "$work/plain" \
  --page "$work/plain.html" >/dev/null 2>&1 || fail "stats-host score of the YU entrant failed"
if grep -q 'id="recount-note"' "$work/plain.html"; then fail "the YU entrant's recount differs"; fi
# A log with no QSO that counts still gets its page: an empty chart and
# every county missing.
printf 'START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\nQSO: 10110 CW 2026-02-14 1200 DL1XYZ 599 1 OK1AA 599 2\nEND-OF-LOG:\n' \
  >"$work/none.log"
"$host" score "$work/none.log" --cty "$cty" --out "$work/plain" --page "$work/none.html" \
  >/dev/null 2>&1 || fail "a log without scoring QSOs gave no page"
grep -q 'id="total-qsos">0<' "$work/none.html" && ! grep -q '<g class="hour"' "$work/none.html" &&
  [ "$(grep -o 'class="county missing"' "$work/none.html" | wc -l)" = 150 ] ||
  fail "the page of a log without scoring QSOs is not empty"
# A report run counts no rates, and its page says so; the log is named by
# its file name alone, as an entrant may share the page.
"$host" score "$work/none.log" --cty "$cty" --out "$work/report" --report --page "$work/report.html" \
  >/dev/null 2>&1 || fail "a report run gave no page"
grep -q 'a report run counts no rates' "$work/report.html" || fail "a report run's rates are not explained"
grep -q 'log <code>none.log</code>' "$work/report.html" || fail "the page names the log by more than its name"
if grep -qF "$work" "$work/report.html"; then fail "the page shows the log's folder"; fi

if ! command -v chromium >/dev/null; then
  echo "########################################################################" >&2
  echo "SKIPPED: chromium is not installed, so the score page was not checked" >&2
  echo "in a browser. Install it with scripts/install-deps.sh browser." >&2
  echo "########################################################################" >&2
  [ $status = 0 ] || exit 1
  exit 77
fi

rm -rf "$out"
mkdir -p "$out"

browser() {  # chromium arguments...: no network, no profile left behind
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --hide-scrollbars --user-data-dir="$(mktemp -d "$work/profile.XXXXXX")" "$@" 2>/dev/null
}

# The number after id="NAME"> in a rendered page.
figure() { grep -o "id=\"$1\">[0-9]*" "$2" | head -1 | grep -o '[0-9]*$' || true; }

# --- The bundled example -------------------------------------------------
"$host" score "$example" --cty "$cty" --out "$work/run" --page "$out/page.html" \
  --problems "$work/problems.txt" >"$work/summary.txt" 2>"$work/err.txt" ||
  { cat "$work/err.txt" >&2; exit 1; }
browser --dump-dom "file://$out/page.html" >"$out/page.dom.html"
dom=$out/page.dom.html
grep -q '</html>' "$dom" || fail "chromium rendered nothing"

# The totals as the text summary has them: "Total\t 2196\t 6887\t 238\t 111".
read -r _ qsos points dxcc counties < <(grep -P '^Total\t' "$work/summary.txt")
for pair in "total-qsos $qsos" "total-points $points" "total-dxcc $dxcc" \
            "total-counties $counties" \
            "dupes $(grep -oP '^Dupe\t *\K[0-9]+' "$work/summary.txt")" \
            "bad-qsos $(grep -oP '^Bad QSO\t *\K[0-9]+' "$work/summary.txt")" \
            "score-value $(grep -oP '^Score: .* = \K[0-9]+' "$work/summary.txt")"; do
  set -- $pair
  got=$(figure "$1" "$dom")
  [ "$got" = "$2" ] || fail "$1 is '$got' on the page, $2 in the text summary"
done
# One bar group per hour with counted QSOs: the hours of the log's QSO lines
# that no problem (other than a missing country) left out of the score.
expected_hours=$(awk -v problems="$work/problems.txt" '
  BEGIN { while ((getline l < problems) > 0) {
            split(l, f, ": "); n = split(f[1], at, ":")
            if (f[2] != "no country") skip[at[n]] = 1 } }
  $1 == "QSO:" && !(NR in skip) { hours[$4 " " substr($5, 1, 2)] = 1 }
  END { print length(hours) }' "$example")
groups=$(grep -o '<g class="hour"' "$dom" | wc -l)
[ "$groups" = "$expected_hours" ] || fail "$groups bar groups, $expected_hours hours with QSOs"
if grep -q 'id="recount-note"' "$dom"; then fail "the page's recount differs from the summary"; fi

cells=$(grep -oP '<table id="county-grid">.*?</table>' "$dom" | grep -o '<td class="county' | wc -l)
[ "$cells" = 150 ] || fail "the county grid has $cells cells, not 150"

# At phone width nothing makes the page wider than the window. The page
# allows no script, so a copy without that rule measures itself.
sed -e 's/<meta http-equiv="Content-Security-Policy"[^>]*>//' -e 's#</body></html>##' \
  "$out/page.html" >"$work/measure.html"
echo '<script>document.body.dataset.width = document.documentElement.scrollWidth + " " +
  window.innerWidth + " " +
  Math.round(document.querySelector(".chart text").getBoundingClientRect().height) + " " +
  document.querySelector("h1 .dates").getClientRects().length;</script></body></html>' \
  >>"$work/measure.html"
read -r page_width window_width chart_text date_lines < <(browser --window-size=400,900 \
  --dump-dom "file://$work/measure.html" | grep -oP 'data-width="\K[0-9]+ [0-9]+ [0-9]+ [0-9]+')
[ "$page_width" -le "$window_width" ] ||
  fail "at phone width the page is $page_width px wide in a $window_width px window"
# ... and its chart and title still read: letters of a finger's size, and
# the contest's dates on one line.
[ "$chart_text" -ge 12 ] || fail "at phone width the chart's text is $chart_text px high"
[ "$date_lines" = 1 ] || fail "at phone width the title breaks inside the dates"

# Printed, the page takes one or two A4 pages (the PDF's page tree counts
# them).
browser --no-pdf-header-footer --print-to-pdf="$work/page.pdf" "file://$out/page.html" >/dev/null
pages=$(grep -aoP '/Count \K[0-9]+' "$work/page.pdf" | sort -n | tail -1)
[ -n "$pages" ] && [ "$pages" -le 2 ] || fail "printed, the page takes ${pages:-no} A4 pages"

for width in 1280 400; do
  browser --window-size=$width,2400 --screenshot="$out/page-$width.png" "file://$out/page.html" \
    >/dev/null
  [ -s "$out/page-$width.png" ] || fail "no screenshot at $width px"
done

# --- A hostile log -------------------------------------------------------
soapbox=$(head -c 1048576 /dev/zero | tr '\0' 'x' | sed 's/x\{40\}/<script>alert(1)<\/script>&/g')
{
  printf 'START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n'
  printf 'NAME: Ana "The <i>Quote</i>" O'"'"'Brien\n'
  printf 'CATEGORY-OPERATOR: <img src=x onerror=alert(1)>\n'
  printf 'CATEGORY-POWER: "><b>LOW</b>\n'
  printf 'SOAPBOX: %s\n' "$soapbox"
  printf 'QSO: 14025 CW 2026-02-14 1200 DL1XYZ 599 001 YU1AAA 599 BGD\n'
  printf 'QSO: 14026 CW 2026-02-14 1201 DL1XYZ 599 002 <img/src=x> 599 <b>X</b>\n'
  printf 'QSO: <svg/onload=alert(1)> CW 2026-02-14 1202 DL1XYZ 599 003 DL2AA 599 004\n'
  printf 'QSO: 10110 CW 2026-02-14 1203 DL1XYZ 599 004 "><u>X 599 005\n'
  printf 'QSO: 10111 CW 2026-02-14 1203 DL1XYZ 599 004 <img/src=x> 599 005\n'
  printf 'QSO: 14027 CW 2026-02-14 1204 DL1XYZ 599 005 YU7ZZ 599 <s>X</s>\n'
  printf 'END-OF-LOG:\n'
} >"$work/hostile.log"
"$host" score "$work/hostile.log" --cty "$cty" --out "$work/hostile" --page "$out/hostile.html" \
  >/dev/null 2>"$work/hostile-err.txt" || { cat "$work/hostile-err.txt" >&2; exit 1; }
size=$(stat -c %s "$out/hostile.html")
[ "$size" -lt 100000 ] || fail "the hostile log's page is $size bytes"
browser --dump-dom "file://$out/hostile.html" >"$out/hostile.dom.html"
hostile=$out/hostile.dom.html
for tag in '<img' '<script' '<i>' '<b>' '<u>' '<s>' '<svg/' '<svg>'; do
  if grep -qiF "$tag" "$hostile"; then fail "an element $tag was injected into the page"; fi
done
for text in '&lt;IMG/SRC=X&gt;' 'frequency' 'Ana "The &lt;i&gt;Quote&lt;/i&gt;" O'"'"'Brien' '&lt;img src=x onerror=alert(1)&gt;' \
            '"&gt;&lt;b&gt;LOW&lt;/b&gt;' '(cut short)' 'id="score-value">'; do
  grep -qF -- "$text" "$hostile" || fail "the hostile page lacks $text"
done

[ $status = 0 ] && echo "score page: totals, chart, county grid, width, print and hostile text checked in chromium; screenshots in $out"
exit $status
