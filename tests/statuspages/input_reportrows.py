#!/usr/bin/env python3
"""Prints the rows of an HTML report section, parsed by html5lib, as JSON:
[["#", sub-title] or [label, value], ...]."""
import json
import sys

import html5lib

doc = html5lib.parse(sys.stdin.read(), namespaceHTMLElements=False)
rows = []
for tr in doc.iter("tr"):
    th = tr.find("th")
    td = tr.find("td")
    text = lambda e: "".join(e.itertext()) if e is not None else ""
    if th is not None and th.get("class") == "sub-title":
        rows.append(["#", text(th)])
    else:
        rows.append([text(th), text(td)])
print(json.dumps(rows))
