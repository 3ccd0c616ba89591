#!/usr/bin/env python3
"""Tests of the include-layer check: small trees written for each case, with deliberate
violations that the check must name, and the real source tree, which must pass."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import check_layers  # noqa: E402


class TreeTest(unittest.TestCase):
    def setUp(self):
        self._folder = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self._folder.name)

    def tearDown(self):
        self._folder.cleanup()

    def write(self, path, *includes):
        file = self.root / path
        file.parent.mkdir(parents=True, exist_ok=True)
        file.write_text("".join(f'#include "{name}"\n' for name in includes) + "int x;\n")

    def run_script(self):
        return subprocess.run(
            [sys.executable, str(HERE / "check_layers.py"), str(self.root)],
            capture_output=True,
            text=True,
        )


class LayerOrderTest(TreeTest):
    def test_includes_pointing_down_pass(self):
        self.write("platform/core/Geometry.h")
        self.write("platform/canvas/TCanvas.h", "platform/core/Geometry.h")
        self.write("skin/TsSkinModel.h", "platform/canvas/TCanvas.h")
        self.write("app/TForm1.cpp", "skin/TsSkinModel.h", "platform/core/Geometry.h")
        self.assertEqual(check_layers.check(self.root), [])
        result = self.run_script()
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_toolkit_including_a_backend_fails_naming_file_and_include(self):
        self.write("platform/backends/headless/THeadlessBackend.h")
        self.write("platform/toolkit/TApplication.cpp", "platform/backends/headless/THeadlessBackend.h")
        result = self.run_script()
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("platform/toolkit/TApplication.cpp:1", result.stderr)
        self.assertIn('"platform/backends/headless/THeadlessBackend.h"', result.stderr)

    def test_platform_including_the_skin_engine_fails(self):
        self.write("skin/TsSkinManager.h")
        self.write("platform/core/Color.h", "skin/TsSkinManager.h")
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 1)
        self.assertIn("platform/core/Color.h:1", problems[0])
        self.assertIn("above its own layer platform/core", problems[0])

    def test_the_violating_line_is_named(self):
        self.write("platform/text/TFont.h")
        self.write("platform/os/CodePage.cpp", "platform/core/Utf8.h", "platform/text/TFont.h")
        self.write("platform/core/Utf8.h")
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 1)
        self.assertTrue(problems[0].startswith("platform/os/CodePage.cpp:2:"), problems[0])

    def test_system_and_missing_headers_are_not_checked(self):
        (self.root / "platform/core").mkdir(parents=True)
        (self.root / "platform/core/Utf8.cpp").write_text(
            '#include <string>\n#include "generated/Nowhere.h"\n'
        )
        self.assertEqual(check_layers.check(self.root), [])

    def test_sibling_include_resolves_to_its_layer(self):
        self.write("platform/toolkit/TControl.h")
        self.write("platform/core/Geometry.h", "../toolkit/TControl.h")
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 1)
        self.assertIn('"platform/toolkit/TControl.h"', problems[0])


class MutualFoldersTest(TreeTest):
    def test_two_folders_of_one_layer_including_each_other_fail(self):
        self.write("platform/backends/sdl/TSdlBackend.h", "platform/backends/headless/TEventQueue.h")
        self.write("platform/backends/headless/TEventQueue.h", "platform/backends/sdl/SdlKeyMap.h")
        self.write("platform/backends/sdl/SdlKeyMap.h")
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 1)
        self.assertIn("platform/backends/headless and platform/backends/sdl include each other", problems[0])

    def test_one_way_between_folders_passes(self):
        self.write("skin/storedskins/StoredSkinPackages.h")
        self.write("skin/TsStoredSkins.cpp", "skin/storedskins/StoredSkinPackages.h")
        self.assertEqual(check_layers.check(self.root), [])


class RealTreeTest(unittest.TestCase):
    def test_the_source_tree_keeps_its_layers(self):
        self.assertEqual(check_layers.check(HERE.parent), [])


if __name__ == "__main__":
    unittest.main()
