"""Run from the repository root: python3 -m unittest discover -s tools/portal -p 'test_*.py'"""

import http.client
import json
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from pathlib import Path
from urllib.parse import urlencode

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from portal_server import GarbageBody, PortalServer  # noqa: E402

FILES = {
    "a.htm": b"<html>a</html>", "a.html": b"<html>b</html>", "a.txt": b"plain text",
    "a.jpg": b"\xff\xd8jpeg", "a.png": b"\x89PNGdata", "a.exe": b"MZ\x90\x00",
    "a.dat": b"\x00\x01", "index.htm": b"<title>root</title>", "sub/index.htm": b"sub index",
}
server = tmp = None


def setUpModule():
    global server, tmp
    tmp = tempfile.TemporaryDirectory()
    root = Path(tmp.name, "root")
    for name, data in FILES.items():
        (root / name).parent.mkdir(parents=True, exist_ok=True)
        (root / name).write_bytes(data)
    Path(tmp.name, "secret.txt").write_bytes(b"secret")
    (root / "link.txt").symlink_to(Path(tmp.name, "secret.txt"))
    server = PortalServer(0, str(root), quiet=True)
    threading.Thread(target=server.serve_forever, args=(0.05,), daemon=True).start()


def tearDownModule():
    server.shutdown()
    server.server_close()
    tmp.cleanup()


def fetch(path, method="GET", body=None, headers=None, port=None):
    conn = http.client.HTTPConnection("127.0.0.1", port or server.port, timeout=5)
    try:
        conn.request(method, path, body, headers or {})
        response = conn.getresponse()
        return response, response.read()
    finally:
        conn.close()


def control(name, **params):
    response, body = fetch(f"/__portal/{name}?{urlencode(params)}")
    return response.status, body


class PortalTest(unittest.TestCase):
    def setUp(self):
        self.assertEqual(control("clear"), (200, b"ok"))

    def answer(self, **params):
        self.assertEqual(control("answer", **params), (200, b"ok"))

    def raw_get(self, path, extra=b""):
        """Send a GET over a plain socket; returns a reader of the raw reply."""
        sock = socket.create_connection(("127.0.0.1", server.port), timeout=3)
        reader = sock.makefile("rb")
        self.addCleanup(sock.close)
        self.addCleanup(reader.close)
        reader.send = lambda p, e=b"": sock.sendall(b"GET %s HTTP/1.1\r\nHost: t\r\n%s\r\n" % (p, e))
        reader.send(path, extra)
        return reader

    @staticmethod
    def read_head(reader):
        status, headers = int(reader.readline().split()[1]), {}
        while (line := reader.readline()) not in (b"\r\n", b""):
            name, _, value = line.decode("latin-1").partition(":")
            headers[name.lower()] = value.strip()
        return status, headers


class FileServingTests(PortalTest):
    def test_files_come_back_with_type_and_length(self):
        types = {"a.htm": "text/html", "a.html": "text/html", "a.txt": "text/plain",
                 "a.jpg": "image/jpeg", "a.png": "image/png",
                 "a.exe": "application/octet-stream", "a.dat": "application/octet-stream"}
        for name, expected in types.items():
            with self.subTest(name):
                response, body = fetch("/" + name + "?ignored=1")
                self.assertEqual((response.status, body), (200, FILES[name]))
                self.assertEqual(response.getheader("Content-Type"), expected)
                self.assertEqual(response.getheader("Content-Length"), str(len(body)))

    def test_head_and_directory_index(self):
        response, body = fetch("/a.txt", method="HEAD")
        self.assertEqual((body, response.getheader("Content-Length")), (b"", "10"))
        self.assertEqual(fetch("/")[1], FILES["index.htm"])
        self.assertEqual(fetch("/sub/")[1], FILES["sub/index.htm"])

    def test_missing_and_outside_root_are_404(self):
        for path in (b"/nothing.htm", b"/../secret.txt", b"/%2e%2e/secret.txt",
                     b"/sub/..%2f..%2fsecret.txt", b"/..\\secret.txt", b"/link.txt"):
            with self.subTest(path):
                head, _, body = self.raw_get(path, b"Connection: close\r\n").read().partition(b"\r\n\r\n")
                self.assertTrue(head.startswith(b"HTTP/1.1 404 "), head)
                self.assertTrue(body and b"secret" not in body)


class LogTests(PortalTest):
    def test_raw_head_and_parsed_fields_are_exact(self):
        self.raw_get(b"/a%20b.txt?q=1&x=%20", b"Accept-Language: zh-cn \r\nx-ODD-case:v\r\n").read(1)
        head = (b"GET /a%20b.txt?q=1&x=%20 HTTP/1.1\r\nHost: t\r\n"
                b"Accept-Language: zh-cn \r\nx-ODD-case:v\r\n\r\n")
        self.assertEqual(control("log"), (200, head))
        [entry] = json.loads(control("log.json")[1])
        self.assertEqual(entry["request_line"], "GET /a%20b.txt?q=1&x=%20 HTTP/1.1")
        self.assertEqual((entry["method"], entry["path"], entry["query"]),
                         ("GET", "/a b.txt", "q=1&x=%20"))
        self.assertEqual(entry["headers"],
                         [["Host", "t"], ["Accept-Language", "zh-cn "], ["x-ODD-case", "v"]])
        self.assertAlmostEqual(entry["time"], time.time(), delta=5)

    def test_filter_count_and_clear(self):
        fetch("/a.txt")
        fetch("/missing")
        fetch("/a.txt", method="POST", body=b"k=v")
        self.assertEqual(control("count"), (200, b"3"))
        self.assertEqual(control("count", path="/a.txt"), (200, b"2"))
        only = control("log", path="/missing")[1]
        self.assertTrue(only.startswith(b"GET /missing HTTP/1.1\r\n") and only.endswith(b"\r\n\r\n"))
        self.assertEqual(only.count(b"HTTP/1.1"), 1)
        posted = json.loads(control("log.json", path="/a.txt")[1])[1]
        self.assertEqual((posted["method"], posted["body"]), ("POST", "k=v"))
        control("clear")
        for name in ("answer", "log", "log.json", "nonsense"):
            control(name, path="/a.txt")     # control requests are never logged
        self.assertEqual(control("count"), (200, b"0"))


class AnswerRuleTests(PortalTest):
    def test_status_body_and_extra_headers(self):
        self.answer(path="/api", status=503, body="busy now", header="Retry-After: 5")
        response, body = fetch("/api")
        self.assertEqual((response.status, body), (503, b"busy now"))
        self.assertEqual(response.getheader("Retry-After"), "5")
        self.assertEqual(response.getheader("Content-Type"), "text/plain")

    def test_body_from_named_file_or_from_the_path_itself(self):
        fetch("/__portal/answer", "POST", "path=/pic&file=a.png",
              {"Content-Type": "application/x-www-form-urlencoded"})
        response, body = fetch("/pic")
        self.assertEqual((body, response.getheader("Content-Type")), (FILES["a.png"], "image/png"))
        self.answer(path="/a.htm", status=500)
        response, body = fetch("/a.htm")
        self.assertEqual((response.status, body), (500, FILES["a.htm"]))

    def test_times_limits_the_rule_and_new_rule_replaces_old(self):
        self.answer(path="/a.txt", status=404)
        self.answer(path="/a.txt", status=500, times=2)
        self.assertEqual([fetch("/a.txt")[0].status for _ in range(3)], [500, 500, 200])

    def test_bad_rules_are_refused(self):
        for params in ({"path": "/x", "mode": "bogus"}, {"path": "/x", "status": "abc"},
                       {"path": "/x", "file": "../secret.txt"}, {"path": "/x", "delay": "5"},
                       {"status": "500"}):
            with self.subTest(params):
                self.assertEqual(control("answer", **params)[0], 400)
        self.assertEqual(fetch("/x")[0].status, 404)

    def test_broken_framing_modes_send_body_then_close(self):
        # No "Connection: close" in the request: the server must end the connection itself.
        for params, length, expected in (({"mode": "nolength"}, None, b"0123456789"),
                                         ({"mode": "wronglength"}, "20", b"0123456789"),
                                         ({"mode": "short", "bytes": 3}, "10", b"012")):
            with self.subTest(params["mode"]):
                self.answer(path="/x", body="0123456789", **params)
                reader = self.raw_get(b"/x")
                headers = self.read_head(reader)[1]
                self.assertEqual(headers.get("content-length"), length)
                self.assertNotIn("transfer-encoding", headers)
                self.assertEqual(reader.read(), expected)

    def test_chunked_framing_keeps_connection_usable(self):
        self.answer(path="/x", mode="chunked", chunk=4, body="0123456789")
        reader = self.raw_get(b"/x")
        self.assertEqual(self.read_head(reader)[1]["transfer-encoding"], "chunked")
        sizes, data = [], b""
        while not sizes or sizes[-1]:
            sizes.append(int(reader.readline(), 16))
            data += reader.read(sizes[-1])
            self.assertEqual(reader.read(2), b"\r\n")
        self.assertEqual((sizes, data), ([4, 4, 2, 0], b"0123456789"))
        reader.send(b"/a.txt")
        status, headers = self.read_head(reader)
        self.assertEqual((status, reader.read(int(headers["content-length"]))), (200, b"plain text"))

    def test_slow_trickles_body_with_correct_length(self):
        self.answer(path="/x", mode="slow", chunk=2, delay_ms=60, body="abcdef")
        started = time.monotonic()
        reader = self.raw_get(b"/x")
        self.assertEqual(self.read_head(reader)[1]["content-length"], "6")
        self.assertEqual(reader.read(6), b"abcdef")
        self.assertGreaterEqual(time.monotonic() - started, 0.11)

    def test_drip_sends_even_the_status_line_a_byte_at_a_time(self):
        self.answer(path="/x", mode="drip", delay_ms=20, body="ab")
        started = time.monotonic()
        reader = self.raw_get(b"/x")
        self.assertEqual(reader.read(9), b"HTTP/1.1 ")
        self.assertGreaterEqual(time.monotonic() - started, 0.16)
        self.assertEqual(reader.readline(), b"200 Drip\r\n")
        head = [reader.readline() for _ in range(3)]
        self.assertIn(b"Content-Length: 2\r\n", head)
        self.assertEqual((head[-1], reader.read()), (b"\r\n", b"ab"))

    def test_drop_closes_without_a_byte(self):
        self.answer(path="/x", mode="drop")
        self.assertEqual(self.raw_get(b"/x").read(), b"")
        self.assertEqual(control("count", path="/x"), (200, b"1"))

    def test_a_short_promise_sends_the_whole_body_then_closes(self):
        self.answer(path="/x", mode="wronglength", extra=-4, body="0123456789")
        reader = self.raw_get(b"/x")
        self.assertEqual(self.read_head(reader)[1]["content-length"], "6")
        self.assertEqual(reader.read(), b"0123456789")
        self.answer(path="/x", mode="wronglength", extra=-99, body="0123456789")
        self.assertEqual(self.read_head(self.raw_get(b"/x"))[1]["content-length"], "0")


class GeneratedAnswerTests(PortalTest):
    def test_garbage_is_binary_repeatable_and_framed_by_every_mode(self):
        size = 200_000                      # several generated blocks
        expected = GarbageBody.prefix(size)
        self.assertEqual(len(set(expected[:4096])), 256)    # every byte value, NUL and line ends too
        self.answer(path="/g", garbage=size)
        response, body = fetch("/g")
        self.assertEqual((response.getheader("Content-Length"), body), (str(size), expected))
        self.assertEqual(response.getheader("Content-Type"), "application/octet-stream")
        self.answer(path="/g", garbage=size, mode="chunked", chunk=70_000)
        self.assertEqual(fetch("/g")[1], expected)
        self.answer(path="/g", garbage=size, mode="short", bytes=100_001)
        reader = self.raw_get(b"/g")
        self.assertEqual(self.read_head(reader)[1]["content-length"], str(size))
        self.assertEqual(reader.read(), expected[:100_001])

    def test_a_huge_garbage_body_streams_without_being_built(self):
        size = 100 * 1024 * 1024
        self.answer(path="/huge", garbage=size)
        reader = self.raw_get(b"/huge")
        self.assertEqual(self.read_head(reader)[1]["content-length"], str(size))
        total = 0
        while piece := reader.read1(1 << 20):
            total += len(piece)
            if total >= size:
                break
        self.assertEqual(total, size)

    def test_overlong_and_countless_headers(self):
        self.answer(path="/h", header_bytes=65536, body="ok")
        reader = self.raw_get(b"/h")
        headers = self.read_head(reader)[1]
        self.assertEqual(headers["x-filler"], "x" * 65536)
        self.assertEqual(reader.read(int(headers["content-length"])), b"ok")
        self.answer(path="/h", header_count=5000, body="ok")
        headers = self.read_head(self.raw_get(b"/h"))[1]
        self.assertEqual(sum(name.startswith("x-filler-") for name in headers), 5000)
        self.assertEqual(headers["content-length"], "2")

    def test_generator_limits_are_checked(self):
        for params in ({"garbage": -1}, {"header_bytes": 0}, {"header_count": 100_001}):
            with self.subTest(params):
                self.assertEqual(control("answer", path="/x", **params)[0], 400)


class CommandLineTests(unittest.TestCase):
    def test_pidfile_means_ready_and_quit_stops_cleanly(self):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        scratch = tempfile.TemporaryDirectory()
        self.addCleanup(scratch.cleanup)
        pidfile = os.path.join(scratch.name, "portal.pid")
        process = subprocess.Popen([sys.executable, os.path.join(HERE, "portal.py"),
                                    "--port", str(port), "--pidfile", pidfile, "--quiet"])
        self.addCleanup(lambda: process.poll() is None and (process.kill(), process.wait()))
        deadline = time.monotonic() + 5
        while not os.path.exists(pidfile) and time.monotonic() < deadline:
            time.sleep(0.02)
        self.assertEqual(Path(pidfile).read_text().strip(), str(process.pid))
        self.assertIn(b"<title>", fetch("/", port=port)[1])        # default site root
        self.assertEqual(fetch("/__portal/quit", port=port)[1], b"bye")
        self.assertEqual(process.wait(timeout=5), 0)
        self.assertFalse(os.path.exists(pidfile))


if __name__ == "__main__":
    unittest.main()
