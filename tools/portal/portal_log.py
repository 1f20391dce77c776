"""Request log: what the portal received, kept exactly as it arrived."""

from __future__ import annotations

import threading
from dataclasses import dataclass, field
from typing import List, Optional, Tuple


@dataclass
class LoggedRequest:
    method: str
    path: str            # percent-decoded path, query removed
    query: str           # raw query string without the '?'
    request_line: str    # as received, line ending removed
    headers: List[Tuple[str, str]]  # received order and spelling
    raw_head: bytes      # request line + header lines + blank line, byte for byte
    time: float          # seconds since the epoch
    body: bytes = field(default=b"")

    def to_json(self) -> dict:
        return {
            "method": self.method,
            "path": self.path,
            "query": self.query,
            "request_line": self.request_line,
            "headers": [[name, value] for name, value in self.headers],
            "time": self.time,
            "body": self.body.decode("latin-1"),
        }


def _chop_line_end(line: str) -> str:
    if line.endswith("\r\n"):
        return line[:-2]
    if line.endswith("\n"):
        return line[:-1]
    return line


def split_header_lines(lines: List[bytes]) -> List[Tuple[str, str]]:
    """Turn raw header lines into (name, value) pairs without normalising them.

    Only the blanks between the colon and the value are dropped; trailing blanks
    stay part of the value. A folded continuation line is appended to the value
    of the header it continues, fold included.
    """
    headers: List[Tuple[str, str]] = []
    for raw in lines:
        line = _chop_line_end(raw.decode("latin-1"))
        if not line:
            break
        if line[0] in " \t" and headers:
            name, value = headers[-1]
            headers[-1] = (name, value + "\r\n" + line)
            continue
        name, _, value = line.partition(":")
        headers.append((name, value.lstrip(" \t")))
    return headers


class RequestLog:
    """Thread-safe, ordered list of logged requests."""

    def __init__(self) -> None:
        self._lock = threading.Lock()
        self._items: List[LoggedRequest] = []

    def add(self, request: LoggedRequest) -> None:
        with self._lock:
            self._items.append(request)

    def clear(self) -> None:
        with self._lock:
            self._items.clear()

    def select(self, path: Optional[str] = None) -> List[LoggedRequest]:
        with self._lock:
            items = list(self._items)
        if path is None:
            return items
        return [item for item in items if item.path == path]
