#!/usr/bin/env python3
"""An RFC 3161 time-stamping service on the loopback interface, for signing a
release without the network: each request POSTed to it is answered by
`openssl ts -reply` with the key and certificate its configuration names.

Usage: timestamp_responder.py OPENSSL_CONFIG PORT_FILE
It listens on 127.0.0.1 at a port the system chooses, writes the port into
PORT_FILE once it listens, and serves until it is ended, or for ten minutes
at most, so that a test that died cannot leave it behind for long.
"""

import http.server
import pathlib
import subprocess
import sys
import tempfile
import time

LIFETIME_S = 600


class Responder(http.server.BaseHTTPRequestHandler):
    config = ""

    def do_POST(self):
        length = int(self.headers.get("Content-Length", 0))
        with tempfile.TemporaryDirectory() as folder:
            query = pathlib.Path(folder, "query.tsq")
            reply = pathlib.Path(folder, "reply.tsr")
            query.write_bytes(self.rfile.read(length))
            made = subprocess.run(
                ["openssl", "ts", "-reply", "-config", self.config,
                 "-queryfile", query, "-out", reply],
                capture_output=True, text=True)
            if made.returncode != 0:
                sys.stderr.write(made.stderr)
                self.send_error(500, "openssl ts -reply failed")
                return
            body = reply.read_bytes()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main(config, port_file):
    Responder.config = config
    server = http.server.HTTPServer(("127.0.0.1", 0), Responder)
    server.timeout = 1
    # Written whole under another name, so that a reader never sees half.
    written = pathlib.Path(port_file + ".new")
    written.write_text(f"{server.server_address[1]}\n")
    written.rename(port_file)
    deadline = time.monotonic() + LIFETIME_S
    while time.monotonic() < deadline:
        server.handle_request()


if __name__ == "__main__":
    main(*sys.argv[1:3])
