#!/usr/bin/env python3
"""A man in the middle on loopback: passes every request on to the definition server and
alters one byte of the first record of every difference it passes back (signed or not).

Usage: tampering_proxy.py UPSTREAM_PORT PORT_FILE
Listens on a free loopback port, written to PORT_FILE once it listens."""
import http.client
import http.server
import os
import sys

upstream = int(sys.argv[1])
port_file = sys.argv[2]


def tamper(body: bytes) -> bytes:
    # The byte after the first record's "[DEF]": one character of the entry the client stores.
    mark = body.find(b"[DEF]")
    if mark < 0 or mark + 5 >= len(body):
        return body
    at = mark + 5
    return body[:at] + bytes([body[at] ^ 0x01]) + body[at + 1:]


class Proxy(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        connection = http.client.HTTPConnection("127.0.0.1", upstream, timeout=30)
        connection.request("GET", self.path.replace(" ", "%20"))
        answer = connection.getresponse()
        body = answer.read()
        if "getDefsNEW" in self.path:
            body = tamper(body)
        self.send_response(answer.status)
        self.send_header("Content-Type", answer.getheader("Content-Type", "text/plain"))
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Proxy)
with open(port_file + ".tmp", "w") as out:
    out.write(str(server.server_address[1]) + "\n")
os.replace(port_file + ".tmp", port_file)
server.serve_forever()
