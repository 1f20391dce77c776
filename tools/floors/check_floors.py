#!/usr/bin/env python3
"""Checks that src/ reads from the top down: every #include "folder/..." of a
source file points to its own floor or a lower one, and the folders of one
floor do not include each other in a circle. Prints each offence; exits 1 if
there is any.

    python3 tools/floors/check_floors.py [SRC_DIR]
"""
import pathlib
import re
import sys

# Top floor first. A folder's subfolders (browser/ie, browser/scripted) are
# part of it.
FLOORS = [
    ["app"],                                                # composition root
    ["mainwnd", "login", "browser", "extras", "settings"],  # the launcher's windows
    ["net", "cache", "sound", "hotkey"],                    # services
    ["ui"],                                                 # skinned toolkit
    ["base"],                                               # what every floor may use
    ["framework"],                                          # includes nothing of ours
]
FLOOR_OF = {folder: level for level, folders in enumerate(FLOORS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.MULTILINE)


def main() -> int:
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2] / "src")
    problems = []
    edges = set()
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".in") or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in FLOOR_OF:
            problems.append(f"{path}: folder {folder}/ stands on no floor")
            continue
        for target in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if target not in FLOOR_OF or target == folder:
                continue
            if FLOOR_OF[target] < FLOOR_OF[folder]:
                problems.append(f"{path}: includes {target}/, a floor above {folder}/")
            elif FLOOR_OF[target] == FLOOR_OF[folder]:
                edges.add((folder, target))
    for a, b in sorted(edges):
        if (b, a) in edges and a < b:
            problems.append(f"{a}/ and {b}/ include each other")
    for line in problems:
        print(line)
    print(f"floors: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
