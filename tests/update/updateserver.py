#!/usr/bin/env python3
"""Loopback update server for the update tests.

Usage: updateserver.py ROOT. Binds 127.0.0.1 on a free port and prints the port.
  GET /files/NAME      serves ROOT/files/NAME
  GET anything else    answers a check with ROOT/offers.json
Every request is appended to ROOT/requests.log. Faults come from ROOT/knobs.json,
read per request: {"delay": seconds, "error": http_code, "truncate": 1,
"drop": 1, "badjson": 1, "badmd5": 1, "pace": seconds between 16 KiB pieces of a file,
"endless": 1 (a body without length, never ending), "surplus": s (half the body announced, the rest s later)}.
"""
import contextlib
import http.server
import json
import os
import sys
import time
import urllib.parse

ROOT = sys.argv[1]


def knobs():
    try:
        with open(os.path.join(ROOT, 'knobs.json')) as f:
            return json.load(f)
    except (OSError, ValueError):
        return {}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def send_body(self, code, body, sent=None, pace=0.0):
        self.send_response(code)
        self.send_header('Content-Length', str(len(body)))
        self.end_headers()
        body = body if sent is None else body[:sent]
        for at in range(0, len(body), 16384 if pace else max(1, len(body))):
            self.wfile.write(body[at:at + 16384] if pace else body)
            self.wfile.flush()
            time.sleep(pace)

    def do_GET(self):
        with open(os.path.join(ROOT, 'requests.log'), 'a') as log:
            log.write(self.path + '\n')
        k = knobs()
        time.sleep(float(k.get('delay', 0)))
        if k.get('drop'):
            self.close_connection = True   # no answer at all
            return
        if 'error' in k:
            return self.send_body(int(k['error']), b'error')
        path = urllib.parse.urlsplit(self.path).path
        name = os.path.join(ROOT, 'files', os.path.basename(path)) if path.startswith('/files/') \
            else os.path.join(ROOT, 'offers.json')
        if not os.path.isfile(name):
            return self.send_body(404, b'not found')
        with open(name, 'rb') as f:
            body = f.read()
        if k.get('badjson') and not path.startswith('/files/'):
            body = body[:len(body) // 2]
        if k.get('badmd5') and body:
            body = body[:-1] + bytes([body[-1] ^ 0xFF])
        if k.get('endless'):
            self.close_connection = True
            self.send_response(200)
            self.end_headers()
            while True:
                self.wfile.write(b'\xAA' * 65536)
        if k.get('surplus'):   # the client may close the connection before the rest
            self.send_body(200, body[:len(body) // 2])
            time.sleep(float(k['surplus']))
            with contextlib.suppress(OSError):
                self.wfile.write(body[len(body) // 2:])
            return
        if k.get('truncate'):
            self.close_connection = True
            return self.send_body(200, body, len(body) // 2)
        self.send_body(200, body, pace=float(k.get('pace', 0)) if path.startswith('/files/') else 0.0)


server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
