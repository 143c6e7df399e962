#!/usr/bin/env python3
# Prints the rows of an HTML report section, parsed by html5lib, as JSON:
# [["#", sub-title] or [label, value], ...].
import json
import sys

import html5lib

text = lambda e: "".join(e.itertext()) if e is not None else ""
rows = []
for tr in html5lib.parse(sys.stdin.read(), namespaceHTMLElements=False).iter("tr"):
    th = tr.find("th")
    sub = th is not None and th.get("class") == "sub-title"
    rows.append(["#", text(th)] if sub else [text(th), text(tr.find("td"))])
print(json.dumps(rows))
