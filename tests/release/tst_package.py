#!/usr/bin/python3
"""The Debian package: cpack makes joyvant_<version>_<arch>.deb whose dependencies hold
the linked libraries and the run-time modules, whose tree has the private program
folder, valid desktop and AppStream files, no lintian errors, and whose unpacked program
answers --version."""
import argparse
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

BUILD = None
VERSION = None


def run(*args, **kwargs):
    return subprocess.run(list(args), stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, timeout=300,
                          **kwargs)


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        made = run("cpack", "-G", "DEB", "-B", cls.tmp.name, "--config", os.path.join(BUILD, "CPackConfig.cmake"))
        assert made.returncode == 0, made.stdout
        arch = run("dpkg", "--print-architecture").stdout.strip()
        cls.deb = os.path.join(cls.tmp.name, "joyvant_%s_%s.deb" % (VERSION, arch))
        cls.tree = os.path.join(cls.tmp.name, "tree")
        if os.path.isfile(cls.deb):
            subprocess.run(["dpkg-deb", "-x", cls.deb, cls.tree], check=True)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def setUp(self):
        self.assertTrue(os.path.isfile(self.deb), glob.glob(os.path.join(self.tmp.name, "*.deb")))

    def field(self, name):
        return run("dpkg-deb", "-f", self.deb, name).stdout.strip()

    def test_control(self):
        self.assertEqual(self.field("Package"), "joyvant")
        self.assertEqual(self.field("Version"), VERSION)
        depends = [d.strip().split(" ")[0] for d in self.field("Depends").split(",")]
        # From dpkg-shlibdeps: what the program and its modules link.
        for library in ["libqt5core5a", "libqt5quick5", "libsdl2-2.0-0", "libfftw3-double3", "libqt5multimedia5"]:
            self.assertIn(library, depends)
        # Loaded at run time only, so named by hand.
        for module in ["qml-module-qtquick-controls2", "qml-module-qtquick-shapes", "qml-module-qtgraphicaleffects",
                       "qml-module-qt-labs-platform", "libqt5multimedia5-plugins", "gstreamer1.0-plugins-good"]:
            self.assertIn(module, depends)

    def test_tree(self):
        usr = os.path.join(self.tree, "usr")
        self.assertEqual(os.readlink(os.path.join(usr, "bin/joyvant")), "../lib/joyvant/joyvant")
        for path in ["lib/joyvant/scenes.json", "lib/joyvant/QtGamepad/qmldir",
                     "lib/joyvant/com/corvane/multimedia/qmldir", "share/doc/joyvant/copyright"]:
            self.assertTrue(os.path.isfile(os.path.join(usr, path)), path)
        desktop = run("desktop-file-validate", os.path.join(usr, "share/applications/joyvant.desktop"))
        self.assertEqual(desktop.returncode, 0, desktop.stdout)
        self.assertNotIn("error:", desktop.stdout)
        metainfo = run("appstreamcli", "validate", "--no-net",
                       os.path.join(usr, "share/metainfo/com.corvane.joyvant.metainfo.xml"))
        self.assertEqual(metainfo.returncode, 0, metainfo.stdout)

    def test_unpacked_program_runs(self):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        version = run(os.path.join(self.tree, "usr/bin/joyvant"), "--version", env=env)
        self.assertEqual(version.returncode, 0, version.stdout)
        self.assertEqual(version.stdout, "joyvant %s\n" % VERSION)

    @unittest.skipUnless(shutil.which("lintian"), "Debian's lintian is not installed")
    def test_lintian_has_no_errors(self):
        report = run("lintian", "--tag-display-limit", "0", self.deb)
        errors = [line for line in report.stdout.splitlines() if line.startswith("E:")]
        self.assertEqual(errors, [], report.stdout)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--version", required=True)
    args, rest = parser.parse_known_args()
    BUILD, VERSION = args.build, args.version
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
