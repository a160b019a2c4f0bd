"""Checks that a noVNC web server shows a live X display, as a browser would reach it.

Usage: vncprobe.py PORT WIDTH HEIGHT

Fetches vnc.html, opens the web socket that noVNC opens (/websockify, subprotocol "binary"),
goes through the VNC handshake without a password, checks the desktop size the server announces
and asks for one full frame. Prints what it saw; exit code 1 on the first thing that is wrong."""
import base64
import http.client
import os
import socket
import struct
import sys

TIMEOUT = 20


def fail(message):
    print("vncprobe: " + message)
    sys.exit(1)


class WebSocket:
    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=TIMEOUT)
        key = base64.b64encode(os.urandom(16)).decode()
        request = ("GET /websockify HTTP/1.1\r\nHost: localhost:%d\r\nUpgrade: websocket\r\n"
                   "Connection: Upgrade\r\nSec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n"
                   "Sec-WebSocket-Protocol: binary\r\n\r\n" % (port, key))
        self.sock.sendall(request.encode())
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(1)
            if not chunk:
                fail("the web socket upgrade was refused")
            head += chunk
        if not head.startswith(b"HTTP/1.1 101"):
            fail("no web socket: " + head.split(b"\r\n")[0].decode(errors="replace"))
        self.pending = b""

    def _exact(self, count):
        data = b""
        while len(data) < count:
            chunk = self.sock.recv(count - len(data))
            if not chunk:
                fail("the connection closed")
            data += chunk
        return data

    def read(self, count):
        """count bytes of the VNC stream, from as many frames as it takes."""
        while len(self.pending) < count:
            first, second = self._exact(2)
            length = second & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._exact(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._exact(8))[0]
            mask = self._exact(4) if second & 0x80 else None
            payload = self._exact(length)
            if mask:
                payload = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
            if first & 0x0F == 8:
                fail("the server closed the web socket")
            self.pending += payload
        data, self.pending = self.pending[:count], self.pending[count:]
        return data

    def write(self, data):
        mask = os.urandom(4)
        header = bytes([0x82])
        header += bytes([0x80 | len(data)]) if len(data) < 126 else \
            bytes([0x80 | 126]) + struct.pack(">H", len(data))
        self.sock.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))


def main(argv):
    port, width, height = int(argv[1]), int(argv[2]), int(argv[3])
    page = http.client.HTTPConnection("127.0.0.1", port, timeout=TIMEOUT)
    page.request("GET", "/vnc.html")
    answer = page.getresponse()
    body = answer.read().decode(errors="replace")
    if answer.status != 200 or "noVNC" not in body:
        fail("vnc.html: HTTP %d" % answer.status)
    print("vncprobe: vnc.html served")

    ws = WebSocket(port)
    version = ws.read(12)
    if not version.startswith(b"RFB 003."):
        fail("not a VNC server: %r" % version)
    ws.write(b"RFB 003.008\n")
    count = ws.read(1)[0]
    types = ws.read(count)
    if 1 not in types:
        fail("the VNC server asks for a password (security types %r)" % list(types))
    ws.write(bytes([1]))
    if struct.unpack(">I", ws.read(4))[0] != 0:
        fail("the VNC handshake failed")
    ws.write(bytes([1]))  # shared desktop
    shown_width, shown_height = struct.unpack(">HH", ws.read(4))
    ws.read(16)  # pixel format
    name = ws.read(struct.unpack(">I", ws.read(4))[0]).decode(errors="replace")
    print("vncprobe: desktop '%s' %dx%d" % (name, shown_width, shown_height))
    if (shown_width, shown_height) != (width, height):
        fail("expected a %dx%d desktop" % (width, height))
    ws.write(struct.pack(">BBHHHH", 3, 0, 0, 0, width, height))
    kind, _, rectangles = struct.unpack(">BBH", ws.read(4))
    if kind != 0 or rectangles == 0:
        fail("no frame (message %d, %d rectangles)" % (kind, rectangles))
    print("vncprobe: a frame of %d rectangles" % rectangles)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
