"""Debian's Chromium, headless on the Linux side, driven through its DevTools
protocol with a small WebSocket client of our own (no browser download, no
package beyond the standard library). Used by the live preview's test and
its benchmark."""

import base64
import http.client
import json
import os
import shutil
import socket
import struct
import subprocess
import tempfile
import time

CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
]


def chromium_path():
    for name in ("chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    raise AssertionError("chromium is not installed (scripts/install-deps.sh installs it)")


class _WebSocket:
    """A client WebSocket (RFC 6455): masked text frames out, whole messages in."""

    def __init__(self, url):
        assert url.startswith("ws://")
        host_port, path = url[5:].split("/", 1)
        host, port = host_port.split(":")
        self.sock = socket.create_connection((host, int(port)), timeout=30)
        key = base64.b64encode(os.urandom(16)).decode()
        request = ("GET /%s HTTP/1.1\r\nHost: %s\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                   "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\n\r\n" % (path, host_port, key))
        self.sock.sendall(request.encode())
        head = b""
        while b"\r\n\r\n" not in head:
            chunk = self.sock.recv(4096)
            if not chunk:
                raise AssertionError("DevTools closed the WebSocket handshake")
            head += chunk
        head, self.pending = head.split(b"\r\n\r\n", 1)
        if b" 101 " not in head.split(b"\r\n")[0]:
            raise AssertionError("DevTools refused the WebSocket: %r" % head[:200])

    def _read(self, count):
        while len(self.pending) < count:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise AssertionError("DevTools closed the WebSocket")
            self.pending += chunk
        data, self.pending = self.pending[:count], self.pending[count:]
        return data

    def send(self, text):
        payload = text.encode()
        mask = os.urandom(4)
        header = bytes([0x81])
        if len(payload) < 126:
            header += bytes([0x80 | len(payload)])
        elif len(payload) < 65536:
            header += bytes([0x80 | 126]) + struct.pack(">H", len(payload))
        else:
            header += bytes([0x80 | 127]) + struct.pack(">Q", len(payload))
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self.sock.sendall(header + mask + masked)

    def receive(self):
        message = b""
        while True:
            first, second = self._read(2)
            length = second & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._read(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._read(8))[0]
            data = self._read(length)
            opcode = first & 0x0F
            if opcode == 0x9:  # ping: answer, then go on
                continue
            if opcode == 0x8:
                raise AssertionError("DevTools closed the WebSocket")
            message += data
            if first & 0x80:
                return message.decode()

    def close(self):
        self.sock.close()


class Page:
    """One tab: commands answered in order, events kept."""

    def __init__(self, url):
        self.ws = _WebSocket(url)
        self.next_id = 0
        self.events = []

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.receive())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise AssertionError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            if "method" in message:
                self.events.append(message)

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True)
        return result.get("result", {}).get("value")

    def navigate(self, url):
        self.call("Page.navigate", url=url)

    def wait_for(self, expression, seconds=10, interval=0.01):
        """Polls `expression` until it is true; the time that took, in seconds."""
        start = time.monotonic()
        while time.monotonic() - start < seconds:
            try:
                if self.evaluate(expression):
                    return time.monotonic() - start
            except AssertionError:
                pass  # the page is between documents
            time.sleep(interval)
        raise AssertionError("not within %.1f s: %s" % (seconds, expression))

    def screenshot(self, path):
        data = self.call("Page.captureScreenshot", format="png")["data"]
        with open(path, "wb") as handle:
            handle.write(base64.b64decode(data))

    def close(self):
        self.ws.close()


class Chromium:
    """A headless Chromium with a new, empty profile; stopped on leaving."""

    def __init__(self, width=800, height=600):
        self.profile = tempfile.mkdtemp(prefix="tagsling-chromium-")
        self.process = subprocess.Popen(
            [chromium_path()] + CHROMIUM_FLAGS + ["--user-data-dir=" + self.profile, "--remote-debugging-port=0",
                                                  "--window-size=%d,%d" % (width, height), "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.time() + 30
        while not (os.path.exists(port_file) and open(port_file).read().count("\n") >= 1):
            if time.time() > deadline or self.process.poll() is not None:
                self.close()
                raise AssertionError("chromium did not start its DevTools endpoint")
            time.sleep(0.1)
        self.port = int(open(port_file).read().splitlines()[0])

    def _json(self, method, path):
        connection = http.client.HTTPConnection("127.0.0.1", self.port, timeout=30)
        connection.request(method, path)
        body = connection.getresponse().read()
        connection.close()
        return json.loads(body)

    def new_page(self, url="about:blank"):
        target = self._json("PUT", "/json/new?" + url)
        page = Page(target["webSocketDebuggerUrl"])
        page.call("Page.enable")
        page.call("Runtime.enable")
        return page

    def close(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def http_status(port, method="GET", path="/", host=None, headers=None):
    """The status of one request from a plain HTTP client."""
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
    all_headers = {"Host": host if host is not None else "127.0.0.1:%d" % port}
    all_headers.update(headers or {})
    connection.putrequest(method, path, skip_host=True, skip_accept_encoding=True)
    for name, value in all_headers.items():
        connection.putheader(name, value)
    connection.endheaders()
    response = connection.getresponse()
    response.read()
    result = response.status, dict(response.getheaders())
    connection.close()
    return result


def save_as_an_editor_does(path, text):
    """Writes a temporary file beside `path` and renames it over `path`."""
    temporary = path + ".tmp~"
    with open(temporary, "w", encoding="utf-8") as handle:
        handle.write(text)
    os.replace(temporary, path)
