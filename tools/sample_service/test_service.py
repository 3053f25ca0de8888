#!/usr/bin/env python3
"""Starts the sample service on a free port as its own process, asks it for every sample and
every picture, checks the bytes of the replies, and stops it."""

import http.client
import json
import os
import re
import signal
import socket
import struct
import subprocess
import sys
import threading
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import server  # noqa: E402

SAMPLES = server.load_samples()
SIX_KEYS = ["iphone 5_black", "iphone 5_white", "iphone 4s_black", "iphone 4s_white",
            "iphone 4_black", "iphone 4_white"]
BLACK, WHITE = r"\u9ed1\u8272", r"\u767d\u8272"
ACTIVATED = r"\u5df2\u6fc0\u6d3b"
EXPIRED, NOT_EXPIRED = r"\u5df2\u8fc7\u671f", r"\u672a\u8fc7\u671f"
# Safety bound for a process to react, not a measure of anything.
PATIENCE = 20


class Service:
    """The service as a child process on a port it picked itself."""

    def __init__(self):
        self.process = subprocess.Popen(
            [sys.executable, "-B", os.path.join(HERE, "server.py"), "--port", "0"],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        first = self.process.stdout.readline()
        match = re.fullmatch(r"listening 127\.0\.0\.1:(\d+)\n", first)
        if not match:
            self.process.kill()
            self.process.wait()
            raise AssertionError(f"unexpected first line {first!r}")
        self.port = int(match.group(1))

    def get(self, path):
        """(status, headers, body) of a GET of path exactly as given."""
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=PATIENCE)
        try:
            connection.putrequest("GET", path, skip_accept_encoding=True)
            connection.endheaders()
            response = connection.getresponse()
            return response.status, dict(response.getheaders()), response.read()
        finally:
            connection.close()

    def stop(self, signum=signal.SIGTERM):
        """Sends signum and returns (exit code, stderr)."""
        self.process.send_signal(signum)
        try:
            _, err = self.process.communicate(timeout=PATIENCE)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.communicate()
            raise
        return self.process.returncode, err


def lookup_path(serial):
    return "/xuliehao/index.php?action=search&sn=" + serial


def text_between(text, left, right):
    """The program's cut: from the first left marker to the next right marker, or empty."""
    start = text.find(left)
    if start < 0:
        return ""
    start += len(left)
    end = text.find(right, start)
    return "" if end < 0 else text[start:end]


def jpeg_size(data):
    """(width, height) from the baseline frame header, None when there is none."""
    at = 2
    while at + 4 <= len(data) and data[at] == 0xFF:
        marker, length = data[at + 1], struct.unpack(">H", data[at + 2 : at + 4])[0]
        if marker == 0xC0:
            height, width = struct.unpack(">HH", data[at + 5 : at + 9])
            return width, height
        at += 2 + length
    return None


class Replies(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.service = Service()

    @classmethod
    def tearDownClass(cls):
        code, cls.log = cls.service.stop()
        assert code == 0, cls.log

    def test_each_sample_carries_its_values_in_the_program_s_form(self):
        for serial, sample in SAMPLES.items():
            with self.subTest(serial):
                status, headers, body = self.service.get(lookup_path(serial))
                self.assertEqual(status, 200)
                self.assertEqual(int(headers["Content-Length"]), len(body))
                reply = body.decode("ascii")
                parsed = json.loads(reply)
                self.assertEqual(parsed["resultcode"], sample["resultcode"])
                # As the program reads it: raw values between its markers.
                self.assertEqual(text_between(reply, '"resultcode":"', '","'),
                                 sample["resultcode"])
                for key in server.FIELDS[1:-1]:
                    self.assertEqual(text_between(reply, f'"{key}":"', '","'), sample[key], key)
                self.assertEqual(text_between(reply, '"image":"', '"}}'), sample["image"])
                self.assertTrue(reply.endswith('"}}'))
                self.assertNotRegex(reply, r'[:,] ')
                self.assertEqual(re.findall(r"\\u(?![0-9a-f]{4})", reply), [])

    def test_unknown_serials_get_the_failed_reply(self):
        known = next(iter(SAMPLES))
        for serial in ["000000000000", known.lower(), known + " ", ""]:
            with self.subTest(serial=serial):
                status, _, body = self.service.get(lookup_path(serial.replace(" ", "%20")))
                self.assertEqual(status, 200)
                reply = body.decode("ascii")
                self.assertTrue(reply.startswith('{"resultcode":"-1","'), reply)
                self.assertEqual(json.loads(reply)["resultcode"], "-1")

    def test_pictures_are_jpegs_that_differ_one_larger_than_the_box(self):
        seen = {}
        for key in SIX_KEYS + ["iphone 5c_blue"]:
            name = key.replace(" ", "%20") + ".jpg"
            with self.subTest(name):
                status, headers, body = self.service.get("/xuliehao/devimages/" + name)
                self.assertEqual(status, 200)
                self.assertEqual(headers["Content-Type"], "image/jpeg")
                self.assertEqual(body[:3], b"\xff\xd8\xff")
                size = jpeg_size(body)
                self.assertIsNotNone(size, "baseline frame")
                seen[name] = (size, body)
        self.assertEqual(len({body for _, body in seen.values()}), len(seen))
        larger = [n for n, ((w, h), _) in seen.items() if w > 175 and h > 251]
        self.assertEqual(larger, ["iphone%205_black.jpg"])

    def test_other_paths_get_a_small_html_404(self):
        for path in ["/", "/xuliehao/index.php", "/xuliehao/index.php?action=list&sn=X",
                     "/xuliehao/devimages/iphone_5_black.jpg", "/xuliehao/devimages/",
                     "/xuliehao/devimages/../samples.ini", "/xuliehao/devimages/iphone%206.jpg"]:
            with self.subTest(path):
                status, headers, body = self.service.get(path)
                self.assertEqual(status, 404)
                self.assertTrue(headers["Content-Type"].startswith("text/html"))
                self.assertIn(b"<html>", body)


class Table(unittest.TestCase):
    """The samples must keep covering every branch of the details window's texts."""

    def values(self, key):
        return [s[key] for s in SAMPLES.values()]

    def test_covers_every_branch(self):
        colours = self.values("color")
        for wanted in (BLACK, WHITE, ""):
            self.assertIn(wanted, colours)
        self.assertTrue(set(colours) - {BLACK, WHITE, ""}, "a colour of another kind")
        active = self.values("active")
        self.assertIn(ACTIVATED, active)
        self.assertTrue(set(active) - {ACTIVATED})
        samples = SAMPLES.values()
        self.assertTrue(any(s["warranty_status"] == EXPIRED for s in samples))
        self.assertTrue(any(s["warranty_status"] == NOT_EXPIRED and s["warranty"]
                            for s in samples))
        self.assertTrue(set(self.values("warranty_status")) - {EXPIRED, NOT_EXPIRED})
        support = self.values("tele_support_status")
        self.assertIn(EXPIRED, support)
        self.assertTrue(set(support) - {EXPIRED})
        images = self.values("image")
        for key in SIX_KEYS:
            self.assertIn(key, images)
        self.assertTrue(set(images) - set(SIX_KEYS))

    def test_serials_and_values(self):
        for serial, sample in SAMPLES.items():
            self.assertRegex(serial, r"^[A-Z0-9]{12}$")
            for key in server.FIELDS:
                self.assertNotIn('"', sample[key])
                self.assertEqual(re.findall(r"\\(?!u[0-9a-f]{4})", sample[key]), [], key)

    def test_the_table_reader_rejects_mistakes(self):
        import tempfile
        cases = {
            "unknown key": "[AAAAAAAAAAAA]\ncolour = x\n",
            "line outside a sample": "color = x\n",
            "missing field": "[AAAAAAAAAAAA]\nshows = x\n",
            "serial twice": "[AAAAAAAAAAAA]\n[AAAAAAAAAAAA]\n",
        }
        for name, text in cases.items():
            with self.subTest(name), tempfile.NamedTemporaryFile("w", suffix=".ini") as f:
                f.write(text)
                f.flush()
                with self.assertRaises(ValueError):
                    server.load_samples(f.name)


class Lifecycle(unittest.TestCase):
    def test_default_port_and_its_flag(self):
        self.assertEqual(server.parse_args([]).port, 8600)
        self.assertEqual(server.parse_args(["--port", "9123"]).port, 9123)

    def test_stops_cleanly_on_sigint_and_sigterm_and_logs_each_request(self):
        for signum in (signal.SIGINT, signal.SIGTERM):
            with self.subTest(signal=signum.name):
                service = Service()
                service.get(lookup_path(next(iter(SAMPLES))))
                service.get("/xuliehao/devimages/iphone%204_white.jpg")
                service.get("/nothing")
                code, log = service.stop(signum)
                self.assertEqual(code, 0, log)
                lines = [l for l in log.splitlines() if '"GET ' in l]
                self.assertEqual(len(lines), 3, log)
                self.assertRegex(lines[2], r'"GET /nothing HTTP/1\.1" 404')
                with socket.socket() as s:  # the port is free again
                    s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
                    s.bind(("127.0.0.1", service.port))

    def test_overrides_answer_before_the_table(self):
        def html_for_pictures(handler):
            if not handler.path.startswith("/xuliehao/devimages/"):
                return False
            handler.send_body(200, "text/html", b"<html></html>")
            return True

        srv = server.make_server(0)
        srv.overrides.append(html_for_pictures)
        serving = threading.Thread(target=srv.serve_forever)
        serving.start()
        try:
            for path, kind in [("/xuliehao/devimages/iphone%204_white.jpg", "text/html"),
                               (lookup_path(next(iter(SAMPLES))), "application/json")]:
                connection = http.client.HTTPConnection("127.0.0.1", srv.server_address[1],
                                                        timeout=PATIENCE)
                connection.request("GET", path)
                response = connection.getresponse()
                response.read()
                connection.close()
                self.assertTrue(response.getheader("Content-Type").startswith(kind), path)
        finally:
            srv.shutdown()
            serving.join()
            srv.server_close()

    def test_a_busy_port_is_reported(self):
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            s.listen()
            result = subprocess.run(
                [sys.executable, "-B", os.path.join(HERE, "server.py"), "--port",
                 str(s.getsockname()[1])], capture_output=True, text=True, timeout=PATIENCE)
        self.assertEqual(result.returncode, 1)
        self.assertIn("cannot listen", result.stderr)


if __name__ == "__main__":
    unittest.main()
