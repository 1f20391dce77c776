#!/usr/bin/env python3
"""Checks that src/ reads from the top down. Every #include "folder/..." of a
source file points to a folder on a lower floor, or to its own folder; folders
that stand beside each other on one floor never include each other. Within a
folder, headers do not include each other in a circle. Prints each offence;
exits 1 if there is any.

    python3 tools/floors/check_floors.py [SRC_DIR]
"""
import pathlib
import re
import sys

# Top floor first; the folders of one entry stand beside each other. A
# folder's subfolders (engine/ie, engine/scripted) are part of it.
FLOORS = [
    ["app"],                       # composition root
    ["host"],                      # what the main window's events set going
    ["mainwnd"],                   # the main window
    ["login"],                     # the login page, its browser dialog base, its background
    ["gamewnd"],                   # the game window of a page process
    ["extras", "settings"],        # notice, favourites, update progress; hotkey settings
    ["engine"],                    # the page engines, which use the services below
    ["net", "cache", "sound", "hotkey", "accounts"],  # services
    ["ui"],                        # skinned toolkit
    ["base"],                      # what every floor may use
    ["framework"],                 # includes nothing of ours
]
FLOOR_OF = {folder: level for level, folders in enumerate(FLOORS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+(?:/[A-Za-z0-9_.]+)+)"', re.MULTILINE)


def folder_problems(path, folder, targets):
    problems = []
    for target in targets:
        other = target.split("/")[0]
        if other not in FLOOR_OF or other == folder:
            continue
        if FLOOR_OF[other] < FLOOR_OF[folder]:
            problems.append(f"{path}: includes {other}/, a floor above {folder}/")
        elif FLOOR_OF[other] == FLOOR_OF[folder]:
            problems.append(f"{path}: includes {other}/, which stands beside {folder}/")
    return problems


def circles(graph):
    """The strongly connected groups of more than one file (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    counter = [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        for nxt in graph.get(node, ()):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                found.append(sorted(group))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2] / "src")
    sys.setrecursionlimit(10000)
    problems = []
    graph = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".in") or not path.is_file():
            continue
        name = path.relative_to(src).as_posix()
        folder = name.split("/")[0]
        if folder not in FLOOR_OF:
            problems.append(f"{path}: folder {folder}/ stands on no floor")
            continue
        targets = INCLUDE.findall(path.read_text(encoding="utf-8"))
        problems += folder_problems(path, folder, targets)
        graph[name] = [t for t in targets if (src / t).is_file()]
    # Between folders the floors rule out circles; this finds those inside one.
    for group in circles(graph):
        problems.append("include circle: " + " -> ".join(group))
    for line in problems:
        print(line)
    print(f"floors: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
