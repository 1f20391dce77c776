"""Answer rules: how the portal should answer the next requests for a path."""

from __future__ import annotations

import copy
import threading
from dataclasses import dataclass, field
from typing import Dict, List, Optional, Tuple

MODES = ("normal", "nolength", "wronglength", "chunked", "short", "slow", "drop", "drip")

# parameter name -> (smallest, largest) accepted value; None means unbounded
_INT_LIMITS = {
    "status": (100, 999),
    "extra": (None, None),
    "chunk": (1, None),
    "bytes": (0, None),
    "delay_ms": (0, 60_000),
    "wait_ms": (0, 600_000),
    "times": (1, None),
    "garbage": (0, 1 << 31),
    "header_bytes": (1, 1 << 20),
    "header_count": (1, 100_000),
}
_TEXT_PARAMS = ("path", "body", "file", "content_type", "mode", "header")


@dataclass
class AnswerRule:
    path: str
    status: int = 200
    body: Optional[bytes] = None        # literal body; wins over `file`
    file: Optional[str] = None          # file under the root used as body
    content_type: Optional[str] = None  # None: guessed from the file or path
    mode: str = "normal"
    extra: int = 10                     # wronglength: promised minus sent (below 0: a short promise)
    chunk: int = 100                    # chunked / slow: piece size
    cut: Optional[int] = None           # short: body bytes actually sent (None: half)
    delay_ms: int = 50                  # slow: pause between pieces; drip: between bytes
    wait_ms: int = 0                    # pause before anything is sent
    headers: List[Tuple[str, str]] = field(default_factory=list)
    times: Optional[int] = None         # None: until cleared
    garbage: Optional[int] = None       # body of this many generated binary bytes
    header_bytes: Optional[int] = None  # one extra header line with a value this long
    header_count: Optional[int] = None  # this many extra small header lines

    @classmethod
    def from_params(cls, params: Dict[str, List[str]]) -> "AnswerRule":
        """Build a rule from decoded query/form parameters; ValueError on bad input."""
        unknown = sorted(set(params) - set(_INT_LIMITS) - set(_TEXT_PARAMS))
        if unknown:
            raise ValueError("unknown parameter(s): " + ", ".join(unknown))

        def last(name: str) -> Optional[str]:
            values = params.get(name)
            return values[-1] if values else None

        path = last("path")
        if not path or not path.startswith("/"):
            raise ValueError("path must be given and start with '/'")
        rule = cls(path=path)

        for name, (low, high) in _INT_LIMITS.items():
            text = last(name)
            if text is None:
                continue
            try:
                number = int(text)
            except ValueError:
                raise ValueError(f"{name} must be a whole number, got {text!r}") from None
            if (low is not None and number < low) or (high is not None and number > high):
                raise ValueError(f"{name} out of range: {number}")
            setattr(rule, "cut" if name == "bytes" else name, number)

        body = last("body")
        if body is not None:
            rule.body = body.encode("utf-8")
        rule.file = last("file") or None
        rule.content_type = last("content_type") or None

        mode = last("mode")
        if mode is not None:
            if mode not in MODES:
                raise ValueError(f"unknown mode {mode!r}; known: {', '.join(MODES)}")
            rule.mode = mode

        for header in params.get("header", []):
            name, sep, value = header.partition(":")
            if not sep or not name.strip():
                raise ValueError(f"header must look like 'Name: value', got {header!r}")
            rule.headers.append((name.strip(), value.strip()))
        return rule


class RuleBook:
    """Thread-safe set of rules, at most one per path."""

    def __init__(self) -> None:
        self._lock = threading.Lock()
        self._rules: Dict[str, AnswerRule] = {}

    def install(self, rule: AnswerRule) -> None:
        with self._lock:
            self._rules[rule.path] = rule

    def clear(self) -> None:
        with self._lock:
            self._rules.clear()

    def take(self, path: str) -> Optional[AnswerRule]:
        """Return the rule for `path`, using up one of its `times` if limited."""
        with self._lock:
            rule = self._rules.get(path)
            if rule is None:
                return None
            if rule.times is not None:
                rule.times -= 1
                if rule.times <= 0:
                    del self._rules[path]
            return copy.copy(rule)
