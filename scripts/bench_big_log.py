#!/usr/bin/env python3
"""Makes the one-big-log contest from a generated one: the QSO lines of all
but KEEP logs go into one log, under the call of the first of them and in
time order, beside the KEEP logs left as they were. The same lines, once
spread over many logs and once mostly in one, tell whether the cross-check's
cost grows faster than a log's length.

The worked calls of the merged lines get new suffixes, one set per log they
came from (the prefix, and so the country, stays): one station really works
a call once on each band and mode, and the plug-in writes a DUPE line for
every earlier QSO a repeat repeats.

    bench_big_log.py SPREAD_DIR BIG_DIR [KEEP]
"""
import os
import re
import sys
import zlib

spread, big = sys.argv[1], sys.argv[2]
keep = int(sys.argv[3]) if len(sys.argv) > 3 else 40
names = sorted(n for n in os.listdir(spread) if n.endswith(".log"))
os.makedirs(big)
for name in names[:keep]:
    with open(os.path.join(spread, name), "rb") as src, \
            open(os.path.join(big, name), "wb") as dst:
        dst.write(src.read())
own = None
lines = []


def renamed(call, source):
    m = re.match(r"^([A-Z0-9]*[0-9])([A-Z]+)", call)
    if not m:
        return call
    n = zlib.crc32(("%s %d" % (call, source)).encode())
    suffix = "".join(chr(65 + (n >> (5 * i)) % 26) for i in range(len(m.group(2))))
    return m.group(1) + suffix


for source, name in enumerate(names[keep:]):
    with open(os.path.join(spread, name)) as f:
        for line in f:
            if not line.startswith("QSO:"):
                continue
            fields = line.split()
            own = own or fields[5]
            fields[5] = own
            fields[8] = renamed(fields[8], source)
            lines.append((fields[3], fields[4], " ".join(fields)))
lines.sort(key=lambda t: (t[0], t[1]))
with open(os.path.join(big, own.replace("/", "_") + ".log"), "w") as f:
    f.write("START-OF-LOG: 3.0\nCALLSIGN: %s\nCONTEST: DI-VE-RI\n"
            "CATEGORY-OPERATOR: MULTI-OP\nCATEGORY-MODE: MIXED\n" % own)
    for _, _, line in lines:
        f.write(line + "\n")
    f.write("END-OF-LOG:\n")
print("%d QSO lines in %s's log, beside %d logs" % (len(lines), own, keep))
