#!/usr/bin/python3
"""The install tree: `cmake --install` into a staging DESTDIR lays the program out in its
private folder with its desktop files, and the installed program, started from an
unrelated working directory, loads the installed scene list, closes with exit code 0
through its close button and leaves nothing behind."""
import argparse
import os
import subprocess
import sys
import tempfile
import unittest

import releasetest

BUILD = None


class InstallTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.usr = releasetest.stage_install(BUILD, os.path.join(cls.tmp.name, "stage"))

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_layout(self):
        usr = self.usr
        link = os.path.join(usr, "bin/joyvant")
        self.assertTrue(os.path.islink(link))
        self.assertEqual(os.readlink(link), "../lib/joyvant/joyvant")
        for path in ["lib/joyvant/joyvant", "lib/joyvant/scenes.json", "lib/joyvant/music/afterglow.ogg",
                     "lib/joyvant/QtGamepad/qmldir", "lib/joyvant/com/corvane/multimedia/qmldir",
                     "lib/joyvant/com/corvane/io/qmldir", "lib/joyvant/com/corvane/system/qmldir",
                     "lib/joyvant/com/corvane/treeview/qmldir",
                     "share/applications/joyvant.desktop", "share/metainfo/com.corvane.joyvant.metainfo.xml",
                     "share/icons/hicolor/scalable/apps/joyvant.svg",
                     "share/icons/hicolor/48x48/apps/joyvant.png", "share/icons/hicolor/128x128/apps/joyvant.png",
                     "share/icons/hicolor/256x256/apps/joyvant.png",
                     "share/doc/joyvant/copyright", "share/doc/joyvant/changelog.gz"]:
            self.assertTrue(os.path.isfile(os.path.join(usr, path)), path)
        # Nothing of ours on the system's QML import path, no test modules, no tools.
        for folder, _, files in os.walk(usr):
            relative = os.path.relpath(folder, usr)
            self.assertNotIn("qt5/qml", relative)
            self.assertNotIn("JoyvantTest", relative)
            for name in files:
                self.assertFalse(name.startswith(("tst_", "bench_")), os.path.join(relative, name))

    def test_started_elsewhere(self):
        with tempfile.TemporaryDirectory() as work, tempfile.TemporaryFile("w+") as output:
            env = dict(os.environ)
            env.pop("JOYVANT_LOGTOFILE", None)
            program = subprocess.Popen([os.path.join(self.usr, "bin/joyvant")], cwd=work, env=env,
                                       stdout=output, stderr=subprocess.STDOUT)
            try:
                window = releasetest.wait_for(lambda: releasetest.find_window(program.pid), 30)
                self.assertTrue(window, "no window")

                def log():
                    output.seek(0)
                    return output.read()

                # The first scene of the installed list starts.
                self.assertTrue(releasetest.wait_for(lambda: "currentIndex=0" in log(), 30), log())
                releasetest.click_close_button(window)
                self.assertEqual(program.wait(timeout=30), 0, log())
            finally:
                if program.poll() is None:
                    program.kill()
                    program.wait()
            self.assertEqual(os.listdir(work), [])


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    args, rest = parser.parse_known_args()
    BUILD = args.build
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
