#!/usr/bin/env python3
"""Test portal: a small local HTTP server the launcher tests talk to.

    python3 portal.py --port PORT [--root DIR] [--pidfile FILE] [--quiet]

See README.md for the control requests.
"""

from __future__ import annotations

import argparse
import os
import signal
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from portal_server import LISTEN_ADDRESS, PortalServer  # noqa: E402

DEFAULT_ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "site")


def write_pidfile(filename: str) -> None:
    # Written via a rename so a waiting script never sees a half-written file.
    temporary = filename + ".tmp"
    with open(temporary, "w") as f:
        f.write(f"{os.getpid()}\n")
    os.replace(temporary, filename)


def remove_pidfile(filename: str) -> None:
    try:
        with open(filename) as f:
            if f.read().strip() != str(os.getpid()):
                return
        os.remove(filename)
    except OSError:
        pass


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description="Local HTTP test portal.")
    parser.add_argument("--port", type=int, required=True,
                        help="port on 127.0.0.1 (0 picks a free one)")
    parser.add_argument("--root", default=DEFAULT_ROOT,
                        help="folder served to clients (default: %(default)s)")
    parser.add_argument("--pidfile", help="write the process id here once listening")
    parser.add_argument("--quiet", action="store_true", help="no per-request output")
    args = parser.parse_args(argv)

    if not os.path.isdir(args.root):
        parser.error(f"root folder not found: {args.root}")

    try:
        server = PortalServer(args.port, args.root, quiet=args.quiet)
    except OSError as error:
        print(f"portal: cannot listen on {LISTEN_ADDRESS}:{args.port}: {error}", file=sys.stderr)
        return 1
    signal.signal(signal.SIGTERM, lambda *_: server.shutdown_soon())
    # The socket is listening from here on, so the pid file means "ready".
    if args.pidfile:
        write_pidfile(args.pidfile)
    if not args.quiet:
        print(f"portal: serving {server.root} on http://{LISTEN_ADDRESS}:{server.port}/",
              file=sys.stderr, flush=True)
    try:
        server.serve_forever(poll_interval=0.1)
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
        if args.pidfile:
            remove_pidfile(args.pidfile)
    return 0


if __name__ == "__main__":
    sys.exit(main())
