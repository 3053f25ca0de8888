#!/usr/bin/env python3
"""The sample lookup service with one scripted fault for the end-to-end tests.

    python3 tests/e2e/e2e_service.py --port N

Everything as tools/sample_service/server.py (first stdout line "listening 127.0.0.1:PORT", one log
line per request on stderr, SIGTERM stops it), plus the serial E2EHTMLPICTURE: it is answered like
88143KJRA4S0, and the picture request after it gets an HTML page instead of the JPEG.
"""

import argparse
import os
import signal
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                                "sample_service"))
import server  # noqa: E402

BROKEN_PICTURE_SERIAL = "E2EHTMLPICTURE"
LIKE_SERIAL = "88143KJRA4S0"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    port = parser.parse_args().port
    try:
        srv = server.make_server(port)
    except OSError as e:
        print(f"cannot listen on {server.HOST}:{port}: {e.strerror}", file=sys.stderr)
        return 1
    srv.samples[BROKEN_PICTURE_SERIAL] = srv.samples[LIKE_SERIAL]
    armed = threading.Event()

    def html_for_the_next_picture(handler):
        if BROKEN_PICTURE_SERIAL in handler.path:
            armed.set()
        elif handler.path.startswith(server.PICTURE_PREFIX) and armed.is_set():
            armed.clear()
            handler.send_body(200, "text/html; charset=utf-8", b"<html><body>busy</body></html>")
            return True
        return False

    srv.overrides.append(html_for_the_next_picture)
    stop = threading.Event()
    for signum in (signal.SIGINT, signal.SIGTERM):
        signal.signal(signum, lambda *_: stop.set())
    print(f"listening {server.HOST}:{srv.server_address[1]}", flush=True)
    serving = threading.Thread(target=srv.serve_forever, name="serve")
    serving.start()
    stop.wait()
    srv.shutdown()
    serving.join()
    srv.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
