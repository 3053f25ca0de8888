#!/usr/bin/env python3
"""Scripted HTTP server for the client's tests, on 127.0.0.1 only.

Prints its port on the first line of stdout, then serves until killed. Every response is written
byte by byte as scripted here, so that faults (a close mid-body, a short body, an oversized header
block, garbage) are exact. Routes:

  /echo...       200; the body is the request exactly as received (head and body)
  /cookies       200 with two Set-Cookie lines
  /redirect      302 to http://127.0.0.1:<port>/target?from=redirect
  /target...     200 "arrived"
  /zero          200; the five bytes "ab", zero, "yz"
  /notfound      404 with an HTML body
  /big?n=N       200; N bytes of a fixed pattern, with Content-Length
  /nolength?n=N  200; N bytes, no Content-Length, ended by closing
  /closemid      200 announcing 1,000,000 bytes; 300,000 sent, then reset
  /short         200 announcing 10,000 bytes; 100 sent, then closed
  /hugeheaders   200 with a header block of about 6000 bytes
  /garbage       no HTTP at all, then closed
"""
import socket
import socketserver
import struct
import sys
import threading
import urllib.parse


def pattern(n):
    block = bytes(range(256))
    return (block * (n // 256 + 1))[:n]


def response(status, headers, body, length=True):
    head = "HTTP/1.1 %s\r\n" % status
    for name, value in headers:
        head += "%s: %s\r\n" % (name, value)
    if length:
        head += "Content-Length: %d\r\n" % len(body)
    head += "Connection: close\r\n\r\n"
    return head.encode("latin-1") + body


class Handler(socketserver.BaseRequestHandler):
    def read_request(self):
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = self.request.recv(65536)
            if not chunk:
                return data
            data += chunk
            if len(data) > 1 << 20:
                return data
        head, _, rest = data.partition(b"\r\n\r\n")
        length = 0
        for line in head.split(b"\r\n")[1:]:
            name, _, value = line.partition(b":")
            if name.strip().lower() == b"content-length":
                length = int(value.strip() or 0)
        while len(rest) < length:
            chunk = self.request.recv(65536)
            if not chunk:
                break
            rest += chunk
        return head + b"\r\n\r\n" + rest

    def handle(self):
        self.request.settimeout(30)
        try:
            request = self.read_request()
            if not request:
                return
            target = request.split(b"\r\n", 1)[0].split(b" ")
            target = target[1].decode("latin-1") if len(target) > 1 else "/"
            self.answer(request, target)
        except OSError:
            pass

    def answer(self, request, target):
        url = urllib.parse.urlsplit(target)
        query = urllib.parse.parse_qs(url.query)
        n = int(query.get("n", ["0"])[0])
        port = self.server.server_address[1]
        send = self.request.sendall
        path = url.path
        if path.startswith("/echo"):
            send(response("200 OK", [("Content-Type", "application/octet-stream")], request))
        elif path == "/cookies":
            send(response("200 OK", [("Set-Cookie", "a=1; path=/"), ("Set-Cookie", "b=2; path=/")],
                          b"cookies"))
        elif path == "/redirect":
            where = "http://127.0.0.1:%d/target?from=redirect" % port
            send(response("302 Found", [("Location", where)], b"moved"))
        elif path.startswith("/target"):
            send(response("200 OK", [], b"arrived"))
        elif path == "/zero":
            send(response("200 OK", [], b"ab\0yz"))
        elif path == "/notfound":
            send(response("404 Not Found", [("Content-Type", "text/html")],
                          b"<html><body>404 not here</body></html>"))
        elif path == "/big":
            send(response("200 OK", [], pattern(n)))
        elif path == "/nolength":
            send(response("200 OK", [], pattern(n), length=False))
        elif path == "/closemid":
            send(b"HTTP/1.1 200 OK\r\nContent-Length: 1000000\r\n\r\n" + pattern(300000))
            # Reset rather than close: the connection breaks off mid-body.
            self.request.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        elif path == "/short":
            send(b"HTTP/1.1 200 OK\r\nContent-Length: 10000\r\nConnection: close\r\n\r\n" +
                 pattern(100))
        elif path == "/hugeheaders":
            filler = [("X-Filler-%02d" % i, "f" * 100) for i in range(60)]
            send(response("200 OK", filler, b"after huge headers"))
        elif path == "/garbage":
            send(b"this is not HTTP at all\r\n\r\nnor is this\r\n")
        else:
            send(response("404 Not Found", [], b"no such route"))


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    server = Server(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    # Ends when its parent closes stdin, or when it is killed.
    try:
        sys.stdin.read()
    except KeyboardInterrupt:
        pass
    server.shutdown()


if __name__ == "__main__":
    main()
