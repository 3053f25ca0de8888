#!/usr/bin/env python3
"""A stand-in for the lookup service, for this machine only.

    python3 tools/sample_service/server.py [--port N]     # default 8600; 0 picks a free port

Prints "listening 127.0.0.1:PORT" as the first line of stdout, logs one line per request to
stderr, and stops cleanly on SIGINT and SIGTERM.

  GET /xuliehao/index.php?action=search&sn=SERIAL   the reply for SERIAL from samples.ini, or the
                                                    failed-lookup reply (resultcode "-1")
  GET /xuliehao/devimages/NAME                      a picture from devimages/, NAME as requested
                                                    ("iphone%205_black.jpg", the %20 literal)

Tests that need a misbehaving service import this module: make_server() returns the server, and
each callable in its `overrides` list is offered every request first (handler -> True when it
has answered), e.g. to send an HTML page where a picture is expected or to close the connection.
"""

import argparse
import os
import signal
import sys
import threading
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qsl

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.join(HERE, "samples.ini")
PICTURES = os.path.join(HERE, "devimages")
HOST = "127.0.0.1"
DEFAULT_PORT = 8600

LOOKUP_PATH = "/xuliehao/index.php"
PICTURE_PREFIX = "/xuliehao/devimages/"

# The reply's values, in the order the reply carries them; `image` closes the nested object.
FIELDS = (
    "resultcode", "phone_model", "size", "color", "active", "warranty_status", "warranty",
    "tele_support_status", "start_date", "end_date", "image",
)
REASON_FOUND = r"\u67e5\u8be2\u6210\u529f"  # 查询成功
# resultcode "-1", followed by a further member as the program's marker needs.
UNKNOWN_REPLY = (r'{"resultcode":"-1","reason":"\u5e8f\u5217\u53f7\u4e0d\u5b58\u5728",'  # 序列号不存在
                 r'"result":{}}')
NOT_FOUND_PAGE = (b"<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>"
                  b"<body><h1>Not Found</h1></body></html>\n")


def load_samples(path=SAMPLES):
    """{serial: {"shows": ..., field: raw value, ...}} from the table, in file order.

    The format: "[SERIAL]" opens a sample, "key = value" lines follow (both trimmed), blank lines
    and lines starting with "#" are skipped. Every sample must give `shows` and all eleven fields.
    """
    samples, current = {}, None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                serial = line[1:-1]
                if serial in samples:
                    raise ValueError(f"{path}:{number}: serial {serial} given twice")
                current = samples[serial] = {}
                continue
            key, equals, value = line.partition("=")
            key = key.strip()
            if not equals or current is None or key not in FIELDS + ("shows",):
                raise ValueError(f"{path}:{number}: not a line of the table: {line}")
            current[key] = value.strip()
    for serial, sample in samples.items():
        missing = [k for k in FIELDS + ("shows",) if k not in sample]
        if missing:
            raise ValueError(f"{path}: {serial} lacks {', '.join(missing)}")
    return samples


def lookup_reply(sample):
    """The reply text for a sample: no blanks between members, values raw."""
    members = ",".join(f'"{k}":"{sample[k]}"' for k in FIELDS[1:])
    return (f'{{"resultcode":"{sample["resultcode"]}","reason":"{REASON_FOUND}",'
            f'"result":{{{members}}}}}')


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "SampleLookup/1.0"
    sys_version = ""

    def do_GET(self):  # noqa: N802 (the name http.server calls)
        for override in list(self.server.overrides):
            if override(self):
                return
        path, _, query = self.path.partition("?")
        if path == LOOKUP_PATH:
            args = dict(parse_qsl(query, keep_blank_values=True))
            if args.get("action") == "search":
                sample = self.server.samples.get(args.get("sn", ""))
                reply = lookup_reply(sample) if sample else UNKNOWN_REPLY
                self.send_body(200, "application/json; charset=utf-8", reply.encode("ascii"))
                return
        elif path.startswith(PICTURE_PREFIX):
            data = self.server.pictures.get(path[len(PICTURE_PREFIX):])
            if data is not None:
                self.send_body(200, "image/jpeg", data)
                return
        self.send_body(404, "text/html; charset=utf-8", NOT_FOUND_PAGE)

    def send_body(self, status, content_type, body):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, format, *args):  # noqa: A002 (the signature http.server calls)
        sys.stderr.write(f"{self.address_string()} {format % args}\n")
        sys.stderr.flush()


def load_pictures(folder=PICTURES):
    """Picture bytes by file name; only these names are served, so no path leaves the folder."""
    pictures = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".jpg"):
            with open(os.path.join(folder, name), "rb") as f:
                pictures[name] = f.read()
    return pictures


def make_server(port=0, samples=None, pictures=None):
    server = ThreadingHTTPServer((HOST, port), Handler)
    server.samples = load_samples() if samples is None else samples
    server.pictures = load_pictures() if pictures is None else pictures
    server.overrides = []
    return server


def parse_args(argv):
    parser = argparse.ArgumentParser(description="Sample lookup service on 127.0.0.1.")
    parser.add_argument("--port", type=int, default=DEFAULT_PORT,
                        help=f"port to listen on (default {DEFAULT_PORT}; 0 picks a free one)")
    args = parser.parse_args(argv)
    if not 0 <= args.port <= 65535:
        parser.error("--port must be 0 to 65535")
    return args


def main(argv=None):
    args = parse_args(sys.argv[1:] if argv is None else argv)
    try:
        server = make_server(args.port)
    except OSError as e:
        print(f"cannot listen on {HOST}:{args.port}: {e.strerror}", file=sys.stderr)
        return 1
    stop = threading.Event()
    for signum in (signal.SIGINT, signal.SIGTERM):
        signal.signal(signum, lambda *_: stop.set())
    print(f"listening {HOST}:{server.server_address[1]}", flush=True)
    # Serving on a thread of its own leaves the main thread free to take the signals.
    serving = threading.Thread(target=server.serve_forever, name="serve")
    serving.start()
    stop.wait()
    server.shutdown()
    serving.join()
    server.server_close()
    print("stopped", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
