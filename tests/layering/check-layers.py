#!/usr/bin/env python3
"""The floors of the house, checked on the includes of every C++ file outside tests/ and bench/.

1. A folder includes headers of its own and of lower floors only: nothing includes app/, and a
   capability never reaches up to one that builds on it.
2. Features meet through each other's cores: below app/, which wires the windows, a header of
   another folder (platform/ aside) is a core header, one that needs no Qt, neither itself, nor
   in its source, nor through the project headers it includes. The exceptions below are the only
   windows a folder takes from another.

Usage: check-layers.py SOURCE_DIR
"""
import re
import subprocess
import sys
from pathlib import Path

# Lowest first. Folders on one floor do not include each other.
FLOORS = [
    # system services: cp932, files, the settings store, local time, message boxes, dialog units
    ["platform"],
    # the round and its question files; the facts about the countries
    ["quiz", "facts"],
    # capabilities on them
    ["typing", "questionfile", "settings", "about", "map"],
    # the question editor: shows a position question's places on the map
    ["editor"],
    # the answer history, review and results: makes question files
    ["learning"],
    # the 図鑑: reads the history, shows the map, makes question files
    ["zukan"],
    # printing: worksheets, flag cards and blank maps from the question files, facts and map
    ["print"],
    # the tools for authors and the build, on the cores
    ["tools/questions", "tools/manual", "tools/map"],
    # the shell: builds the main window and wires every capability
    ["app"],
]

# (including file, included header): why a window of another folder is used there.
EXCEPTIONS = {
    ("zukan/CZukanWindow.cpp", "map/CWorldMapView.h"): "the 図鑑 shows the map view in its window",
    ("tools/map/MapPicture.cpp", "map/CWorldMapView.h"): "the map picture is painted by the view",
    ("editor/CPlaceMap.cpp", "map/WorldMapData.h"): "the editor paints places from the map's data",
    ("learning/CMasteryMapView.cpp", "map/WorldMapData.h"):
        "the mastery map paints the compiled-in map data, which a Qt resource holds",
    ("editor/CPlaceMap.cpp", "map/CMapPainting.h"): "the map's outlines as paths, shared",
    ("learning/CMasteryMapView.cpp", "map/CMapPainting.h"): "the map's outlines as paths, shared",
    ("map/CPositionMapView.h", "quiz/CPositionAnswers.h"): "the map answers position questions",
    ("print/PdfFile.cpp", "map/WorldMapData.h"): "the printed map is the program's own map",
    ("tools/questions/main.cpp", "print/PrintCommand.h"): "the tool's print command draws with Qt",
}

UNCHECKED = ("tests/", "bench/")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(path):
    parts = path.split("/")
    return "/".join(parts[:2]) if parts[0] == "tools" else parts[0]


def main(root):
    root = Path(root)
    listed = subprocess.run(["git", "-c", "core.quotepath=off", "ls-files", "*.h", "*.cpp"],
                            cwd=root, capture_output=True, text=True)
    if listed.returncode == 0:
        files = listed.stdout.split()
    else:
        files = [str(p.relative_to(root)) for p in root.rglob("*") if p.suffix in (".h", ".cpp")
                 and not p.relative_to(root).parts[0].startswith("build")]
    floor = {folder: n for n, folders in enumerate(FLOORS) for folder in folders}

    includes = {}  # file: [(line number, header)] of the project's headers
    uses_qt = set()
    for name in files:
        includes[name] = []
        for n, line in enumerate((root / name).read_text(encoding="utf-8").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            if m.group(1) == "<" and re.match(r"Q[A-Za-z]", m.group(2)):
                uses_qt.add(name)
            elif m.group(1) == '"' and "/" in m.group(2):
                includes[name].append((n, m.group(2)))

    # A header is a window's when it, its source or a header it includes needs Qt.
    window = {h for h in files if h.endswith(".h") and
              (h in uses_qt or h[:-2] + ".cpp" in uses_qt)}
    grown = True
    while grown:
        grown = False
        for h in files:
            if h.endswith(".h") and h not in window and \
                    any(inc in window for _, inc in includes[h]):
                window.add(h)
                grown = True

    problems = []
    checked = [name for name in files if not name.startswith(UNCHECKED)]
    for name in checked:
        own = folder_of(name)
        if own not in floor:
            problems.append(f"{name}: the folder {own}/ has no floor in {Path(__file__).name}")
            continue
        for n, header in includes[name]:
            other = folder_of(header)
            if other == own:
                continue
            where = f"{name}:{n}: {header}"
            if other not in floor or floor[other] >= floor[own]:
                problems.append(f"{where}: {other}/ is not below {own}/")
            elif own != "app" and other != "platform" and header in window and \
                    (name, header) not in EXCEPTIONS:
                problems.append(f"{where}: another folder's window; use its core")

    if problems:
        print("Includes that break the floors:")
        print("\n".join(problems))
        return 1
    print(f"{len(checked)} files: every include goes down a floor or stays in its folder; "
          f"{len(EXCEPTIONS)} listed windows of other folders")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
