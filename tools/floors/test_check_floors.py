"""The floors check against small trees: a sound one passes; an include up,
one beside, and a circle of headers inside a folder are each refused."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = pathlib.Path(__file__).with_name("check_floors.py")


def check(files):
    with tempfile.TemporaryDirectory() as root:
        for name, text in files.items():
            path = pathlib.Path(root, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text, encoding="utf-8")
        run = subprocess.run([sys.executable, str(CHECK), root], capture_output=True, text=True)
        return run.returncode, run.stdout


SOUND = {
    "mainwnd/Main.cpp": '#include "login/Login.h"\n#include "gamewnd/Game.h"\n',
    "login/Login.h": '#include "gamewnd/Game.h"\n',
    "gamewnd/Game.h": '#include "ui/PageArea.h"\n',
    "ui/PageArea.h": '#include "base/Base.h"\n',
    "base/Base.h": "",
}


class FloorsCheck(unittest.TestCase):
    def test_a_tree_that_reads_downwards_passes(self):
        self.assertEqual(check(SOUND), (0, "floors: 0 problem(s)\n"))

    def test_every_include_that_does_not_point_down_is_refused(self):
        for name, text, words in [
            ("gamewnd/Game.h", '#include "mainwnd/Main.h"\n', "a floor above gamewnd/"),
            ("extras/Notice.h", '#include "settings/Keys.h"\n', "stands beside extras/"),
            ("accounts/Zoomed.cpp", '#include "engine/Zoom.h"\n', "a floor above accounts/"),
            ("ui/PageArea.h", '#include "ui/Geometry.h"\n', "include circle: ui/Geometry.h -> ui/PageArea.h"),
        ]:
            tree = dict(SOUND, **{name: text, "ui/Geometry.h": '#include "ui/PageArea.h"\n',
                                  "mainwnd/Main.h": "", "settings/Keys.h": ""})
            code, out = check(tree)
            self.assertEqual(code, 1, name)
            self.assertIn(words, out)


if __name__ == "__main__":
    unittest.main()
