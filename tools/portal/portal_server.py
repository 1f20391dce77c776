"""HTTP side of the portal: file serving, request logging, control requests
and rule-driven answers."""

from __future__ import annotations

import json
import os
import random
import socket
import socketserver
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from typing import Dict, List, Optional, Tuple, Union
from urllib.parse import parse_qs, unquote, urlsplit

from portal_log import LoggedRequest, RequestLog, split_header_lines
from portal_rules import AnswerRule, RuleBook

CONTROL_PREFIX = "/__portal/"
LISTEN_ADDRESS = "127.0.0.1"
INDEX_NAMES = ("index.htm", "index.html")

CONTENT_TYPES = {
    ".htm": "text/html",
    ".html": "text/html",
    ".txt": "text/plain",
    ".page": "text/plain; charset=utf-8",     # page scripts of the scripted engine
    ".css": "text/css",
    ".js": "application/javascript",
    ".json": "application/json",
    ".xml": "text/xml",
    ".jpg": "image/jpeg",
    ".jpeg": "image/jpeg",
    ".png": "image/png",
    ".gif": "image/gif",
    ".exe": "application/octet-stream",
}
DEFAULT_CONTENT_TYPE = "application/octet-stream"


def content_type_for(name: str, default: str = DEFAULT_CONTENT_TYPE) -> str:
    return CONTENT_TYPES.get(os.path.splitext(name)[1].lower(), default)


def resolve_under(root: str, path: str) -> Optional[str]:
    """Map a decoded URL path to an existing file inside `root`, else None.

    `root` must already be a real path. Backslashes count as separators, any
    '..' segment is refused, and symlinks leading out of the root are refused.
    """
    if "\0" in path:
        return None
    parts = [p for p in path.replace("\\", "/").split("/") if p not in ("", ".")]
    if ".." in parts:
        return None
    candidate = os.path.realpath(os.path.join(root, *parts))
    if candidate != root and not candidate.startswith(root + os.sep):
        return None
    if os.path.isdir(candidate):
        for name in INDEX_NAMES:
            index = os.path.join(candidate, name)
            if os.path.isfile(index):
                return index
        return None
    return candidate if os.path.isfile(candidate) else None


def split_target(target: str) -> Tuple[str, str]:
    """Split a request target into (raw path, raw query)."""
    if not target.startswith("/"):          # absolute form: http://host/path?q
        parts = urlsplit(target)
        return parts.path or "/", parts.query
    target = target.partition("#")[0]
    path, _, query = target.partition("?")
    return path, query


SEND_PIECE = 64 * 1024
GARBAGE_SEED = 1729


class BytesBody:
    """A body held in memory."""

    def __init__(self, data: bytes):
        self.data = data
        self.length = len(data)

    def pieces(self, size: int, limit: int):
        for start in range(0, limit, size):
            yield self.data[start:min(start + size, limit)]


class GarbageBody:
    """Binary garbage made while it is sent, so that a body of any size never
    sits in memory: one fixed pseudo-random block (every byte value, NULs,
    line ends) repeated."""

    _block = random.Random(GARBAGE_SEED).randbytes(SEND_PIECE)

    def __init__(self, length: int):
        self.length = length

    @classmethod
    def prefix(cls, count: int) -> bytes:
        """The first `count` bytes of any garbage body."""
        return b"".join(cls(count).pieces(SEND_PIECE, count))

    def pieces(self, size: int, limit: int):
        block = self._block
        for start in range(0, limit, size):
            end = min(start + size, limit)
            offset = start % len(block)
            piece = block[offset:offset + end - start]
            while len(piece) < end - start:
                piece += block[:end - start - len(piece)]
            yield piece


class _LineRecorder:
    """Wraps rfile while the headers are parsed, keeping every line read."""

    def __init__(self, inner):
        self.inner = inner
        self.lines: List[bytes] = []

    def readline(self, *args):
        line = self.inner.readline(*args)
        self.lines.append(line)
        return line

    def __getattr__(self, name):
        return getattr(self.inner, name)


class PortalServer(ThreadingHTTPServer):
    daemon_threads = True
    request_queue_size = 64     # test runs may open many connections at once

    def __init__(self, port: int, root: str, quiet: bool = False):
        self.root = os.path.realpath(root)
        self.quiet = quiet
        self.log = RequestLog()
        self.rules = RuleBook()
        super().__init__((LISTEN_ADDRESS, port), PortalHandler)

    def server_bind(self):
        # Skip HTTPServer's reverse lookup of the address; it can stall.
        socketserver.TCPServer.server_bind(self)
        self.server_name, self.server_port = self.server_address[:2]

    @property
    def port(self) -> int:
        return self.server_address[1]

    def shutdown_soon(self) -> None:
        """Stop serve_forever from any thread, including a handler thread."""
        threading.Thread(target=self.shutdown, daemon=True).start()


class PortalHandler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "Portal/1.0"
    timeout = 60            # idle keep-alive connections are dropped after this
    server: PortalServer

    # -- request reading ------------------------------------------------------

    def handle_one_request(self):
        try:
            self.raw_requestline = self.rfile.readline(65537)
            if len(self.raw_requestline) > 65536:
                self.requestline = self.request_version = self.command = ""
                self.send_error(414)
                return
            if not self.raw_requestline:
                self.close_connection = True
                return
            if not self.parse_request():
                return
            self._dispatch()
            self.wfile.flush()
        except (socket.timeout, ConnectionError):
            self.close_connection = True

    def parse_request(self):
        recorder = _LineRecorder(self.rfile)
        self.rfile = recorder
        try:
            ok = super().parse_request()
        finally:
            self.rfile = recorder.inner
        self.header_lines = recorder.lines
        self.raw_head = self.raw_requestline + b"".join(recorder.lines)
        return ok

    def _read_body(self) -> Optional[bytes]:
        """Read the request body so the connection stays in step; None if the
        framing is broken (an error answer has then been sent)."""
        try:
            if self.headers.get("Transfer-Encoding", "").strip().lower() == "chunked":
                return self._read_chunked_body()
            length = self.headers.get("Content-Length")
            if length is None:
                return b""
            count = int(length)
            if count < 0:
                raise ValueError(length)
            return self.rfile.read(count)
        except ValueError:
            self.send_error(400, "Bad request body framing")
            return None

    def _read_chunked_body(self) -> bytes:
        data = []
        while True:
            size = int(self.rfile.readline(65537).split(b";")[0].strip(), 16)
            if size == 0:
                break
            data.append(self.rfile.read(size))
            self.rfile.readline(65537)
        while self.rfile.readline(65537) not in (b"\r\n", b"\n", b""):
            pass                                    # trailer lines
        return b"".join(data)

    # -- dispatch -------------------------------------------------------------

    def _dispatch(self):
        raw_path, query = split_target(self.path)
        path = unquote(raw_path)
        body = self._read_body()
        if body is None:
            return
        if path.startswith(CONTROL_PREFIX):
            self._control(path[len(CONTROL_PREFIX):], query, body)
            return

        self.server.log.add(LoggedRequest(
            method=self.command,
            path=path,
            query=query,
            request_line=self.requestline,
            headers=split_header_lines(self.header_lines),
            raw_head=self.raw_head,
            time=time.time(),
            body=body,
        ))
        rule = self.server.rules.take(path)
        if rule is not None:
            self._answer_by_rule(rule, path)
        elif self.command in ("GET", "HEAD"):
            self._serve_file(path)
        else:
            self._reply(405, "text/plain", b"method not allowed\n",
                        headers=[("Allow", "GET, HEAD")])

    def _serve_file(self, path: str):
        filename = resolve_under(self.server.root, path)
        if filename is None:
            self._reply(404, "text/plain", b"404 not found\n")
            return
        with open(filename, "rb") as f:
            data = f.read()
        self._reply(200, content_type_for(filename), data)

    def _reply(self, status: int, content_type: str, body: bytes,
               headers=(), close: bool = False):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        if close:
            self.send_header("Connection", "close")
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    # -- rule-driven answers --------------------------------------------------

    def _rule_body(self, rule: AnswerRule, path: str) -> Tuple[Union["BytesBody", GarbageBody], str]:
        if rule.garbage is not None:
            return GarbageBody(rule.garbage), rule.content_type or DEFAULT_CONTENT_TYPE
        if rule.body is not None:
            return BytesBody(rule.body), rule.content_type or content_type_for(path, "text/plain")
        filename = resolve_under(self.server.root, "/" + rule.file if rule.file else path)
        if filename is None:
            return BytesBody(b""), rule.content_type or "text/plain"
        with open(filename, "rb") as f:
            return BytesBody(f.read()), rule.content_type or content_type_for(filename)

    def _answer_by_rule(self, rule: AnswerRule, path: str):
        body, content_type = self._rule_body(rule, path)
        if rule.wait_ms:
            time.sleep(rule.wait_ms / 1000)
        mode = rule.mode
        if mode == "drop":
            self.close_connection = True
            return
        if mode == "drip":
            self._drip(rule, body, content_type)
            return

        self.send_response(rule.status)
        self.send_header("Content-Type", content_type)
        for name, value in rule.headers:
            self.send_header(name, value)
        if rule.header_bytes:
            self.send_header("X-Filler", "x" * rule.header_bytes)
        for number in range(rule.header_count or 0):
            self.send_header(f"X-Filler-{number}", "v")
        if mode == "chunked":
            self.send_header("Transfer-Encoding", "chunked")
        elif mode == "wronglength":
            self.send_header("Content-Length", str(max(0, body.length + rule.extra)))
        elif mode != "nolength":
            self.send_header("Content-Length", str(body.length))
        self.end_headers()
        # Deliberately no "Connection: close" header: the client has to cope
        # with the connection simply ending.
        if mode in ("nolength", "wronglength", "short"):
            self.close_connection = True
        if self.command == "HEAD":
            return

        size = rule.chunk if mode in ("chunked", "slow") else SEND_PIECE
        limit = body.length
        if mode == "short":
            limit = body.length // 2 if rule.cut is None else min(rule.cut, body.length)
        for number, piece in enumerate(body.pieces(size, limit)):
            if mode == "chunked":
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
                continue
            if mode == "slow" and number:
                time.sleep(rule.delay_ms / 1000)
            self.wfile.write(piece)
        if mode == "chunked":
            self.wfile.write(b"0\r\n\r\n")

    def _drip(self, rule: AnswerRule, body, content_type: str):
        """The whole answer, status line and headers included, one byte every
        `delay_ms`: a host that never goes quiet long enough for a read
        time-out and never finishes either."""
        head = [f"HTTP/1.1 {rule.status} Drip", f"Content-Type: {content_type}"]
        head += [f"{name}: {value}" for name, value in rule.headers]
        head.append(f"Content-Length: {body.length}")
        data = ("\r\n".join(head) + "\r\n\r\n").encode("latin-1") + b"".join(body.pieces(SEND_PIECE, body.length))
        self.close_connection = True
        for number in range(len(data)):
            if number:
                time.sleep(rule.delay_ms / 1000)
            self.wfile.write(data[number:number + 1])
            self.wfile.flush()

    # -- control requests -----------------------------------------------------

    def _control(self, name: str, query: str, body: bytes):
        params = parse_qs(query, keep_blank_values=True)
        if body and "x-www-form-urlencoded" in self.headers.get("Content-Type", ""):
            form = parse_qs(body.decode("utf-8", "replace"), keep_blank_values=True)
            for key, values in form.items():
                params.setdefault(key, []).extend(values)

        handler = {
            "log": self._control_log,
            "log.json": self._control_log_json,
            "count": self._control_count,
            "clear": self._control_clear,
            "answer": self._control_answer,
            "quit": self._control_quit,
        }.get(name)
        if handler is None:
            self._reply(404, "text/plain", b"unknown control request\n")
        else:
            handler(params)

    def _selected(self, params: Dict[str, List[str]]) -> List[LoggedRequest]:
        path = params.get("path")
        return self.server.log.select(path[-1] if path else None)

    def _control_log(self, params):
        heads = b"".join(item.raw_head for item in self._selected(params))
        self._reply(200, "text/plain", heads)

    def _control_log_json(self, params):
        items = [item.to_json() for item in self._selected(params)]
        self._reply(200, "application/json", json.dumps(items).encode("ascii"))

    def _control_count(self, params):
        self._reply(200, "text/plain", str(len(self._selected(params))).encode("ascii"))

    def _control_clear(self, params):
        self.server.log.clear()
        self.server.rules.clear()
        self._reply(200, "text/plain", b"ok")

    def _control_answer(self, params):
        try:
            rule = AnswerRule.from_params(params)
            if rule.file and resolve_under(self.server.root, "/" + rule.file) is None:
                raise ValueError(f"no file {rule.file!r} under the root")
        except ValueError as error:
            self._reply(400, "text/plain", f"{error}\n".encode("utf-8"))
            return
        self.server.rules.install(rule)
        self._reply(200, "text/plain", b"ok")

    def _control_quit(self, params):
        self._reply(200, "text/plain", b"bye", close=True)
        self.wfile.flush()
        self.server.shutdown_soon()

    # -- console output -------------------------------------------------------

    def version_string(self):
        return self.server_version

    def log_message(self, format, *args):
        if not self.server.quiet:
            super().log_message(format, *args)
