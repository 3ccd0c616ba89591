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
        """Writes a source file with the includes; a name in <...> is written in that form."""
        file = self.root / path
        file.parent.mkdir(parents=True, exist_ok=True)
        lines = (f"#include {name}\n" if name.startswith("<") else f'#include "{name}"\n' for name in includes)
        file.write_text("".join(lines) + "int x;\n")

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
        self.write("render/binding/TsCommonData.h", "render/paint/PaintItem.h")
        self.write("render/paint/PaintItem.h", "render/binding/SkinCommand.h")
        self.write("render/binding/SkinCommand.h")
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 1)
        self.assertIn("render/binding and render/paint include each other", problems[0])

    def test_one_way_between_folders_passes(self):
        self.write("skin/storedskins/StoredSkinPackages.h")
        self.write("skin/TsStoredSkins.cpp", "skin/storedskins/StoredSkinPackages.h")
        self.assertEqual(check_layers.check(self.root), [])


class WhoIncludesWhatTest(TreeTest):
    def assert_one_problem(self, path, text):
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 1, problems)
        self.assertTrue(problems[0].startswith(path), problems[0])
        self.assertIn(text, problems[0])

    def test_angle_bracket_include_from_a_layer_above_fails(self):
        self.write("controls/TsButton.h")
        self.write("render/Face.cpp", "<controls/TsButton.h>")
        self.assert_one_problem("render/Face.cpp:1", "above its own layer render")

    def test_one_backend_including_another_fails(self):
        self.write("platform/backends/headless/TVirtualScreen.h")
        self.write("platform/backends/sdl/TSdlBackend.cpp", "platform/backends/headless/TVirtualScreen.h")
        self.assert_one_problem("platform/backends/sdl/TSdlBackend.cpp:1", "uses no other backend's files")

    def test_the_backends_own_files_may_include_a_backend_of_their_platform(self):
        self.write("platform/backends/headless/THeadlessBackend.h")
        self.write("platform/backends/sdl/TSdlBackend.h")
        self.write("platform/backends/sdl/DefaultBackend.cpp", "platform/backends/sdl/TSdlBackend.h")
        self.write("platform/automation/HeadlessSession.cpp", "platform/backends/headless/THeadlessBackend.h")
        self.assertEqual(check_layers.check(self.root), [])

    def test_a_layer_below_the_program_including_a_backend_or_the_script_driver_fails(self):
        self.write("platform/backends/BackendFactory.h")
        self.write("platform/automation/TScriptDriver.h")
        self.write("skin/TsSkinManager.cpp", "platform/backends/BackendFactory.h")
        self.write("controls/TsButton.cpp", "<platform/automation/TScriptDriver.h>")
        self.write("app/main.cpp", "platform/backends/BackendFactory.h", "platform/automation/TScriptDriver.h")
        self.write("tools/quibbleton-skin/main.cpp", "platform/automation/TScriptDriver.h")
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 2, problems)
        self.assertEqual(sorted(p.split(":")[0] for p in problems), ["controls/TsButton.cpp", "skin/TsSkinManager.cpp"])
        self.assertTrue(all("only app and tools include" in p for p in problems), problems)

    def test_program_code_including_tests_bench_or_fuzz_fails(self):
        self.write("tests/app/support/TProgramSandbox.h")
        self.write("bench/BenchSupport.h")
        self.write("fuzz/FuzzSupport.h")
        self.write("app/TForm1.cpp", "tests/app/support/TProgramSandbox.h")
        self.write("skin/TsSkinLoader.cpp", "<bench/BenchSupport.h>")
        self.write("render/Face.cpp", "fuzz/FuzzSupport.h")
        self.write("tests/app/e2e/PhrasesTest.cpp", "app/TForm1.cpp", "tests/app/support/TProgramSandbox.h")
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 3, problems)
        self.assertTrue(all("which the program never includes" in problem for problem in problems), problems)

    def test_portable_code_including_one_platforms_code_fails(self):
        self.write("platform/text/freetype/TFreeTypeFace.h")
        self.write("platform/text/TextLayout.cpp", "platform/text/freetype/TFreeTypeFace.h")
        self.assert_one_problem("platform/text/TextLayout.cpp:1", "code of linux only, into portable code")

    def test_one_platforms_code_including_the_others_fails(self):
        self.write("platform/os/posix/PosixFiles.h")
        self.write("platform/os/win32/Win32Files.cpp", "platform/os/posix/PosixFiles.h")
        self.assert_one_problem("platform/os/win32/Win32Files.cpp:1", "code of linux only, into code of windows")

    def test_code_of_one_platform_including_portable_and_its_own_code_passes(self):
        self.write("platform/os/FileSystem.h")
        self.write("platform/os/win32/WideText.h")
        self.write("platform/os/win32/FileSystem.cpp", "platform/os/FileSystem.h", "platform/os/win32/WideText.h")
        self.write("platform/graphics/wic/WicFactory.cpp", "platform/os/win32/WideText.h")
        self.assertEqual(check_layers.check(self.root), [])


class UnknownFolderTest(TreeTest):
    def test_a_new_top_level_folder_with_sources_fails(self):
        self.write("plugins/Plugin.cpp")
        self.assert_one_problem_in_folder("plugins/Plugin.cpp", "a folder the layer check does not know")

    def test_a_platform_folder_that_is_no_sub_layer_fails(self):
        self.write("platform/audio/Sound.cpp")
        self.assert_one_problem_in_folder("platform/audio/Sound.cpp", "no sub-layer of the platform")

    def test_known_folders_and_build_folders_pass(self):
        self.write("tests/skin/Test.cpp")
        self.write("bench/bench_paint.cpp")
        self.write("docs/example.cpp")
        self.write("build-win/CMakeFiles/CompilerId.cpp")
        self.write("elsewhere/CMakeCache.txt")
        self.write("elsewhere/Generated.cpp")
        (self.root / "notes").mkdir()
        (self.root / "notes/readme.txt").write_text("no sources\n")
        self.assertEqual(check_layers.check(self.root), [])

    def assert_one_problem_in_folder(self, path, text):
        problems = check_layers.check(self.root)
        self.assertEqual(len(problems), 1, problems)
        self.assertTrue(problems[0].startswith(path), problems[0])
        self.assertIn(text, problems[0])


class PlantedInRealTreeTest(unittest.TestCase):
    """Each wrong include planted in a copy of the real sources is found, alone."""

    PLANTS = [
        ("render/PlantedA.cpp", "#include <controls/TsButton.h>", "above its own layer render"),
        ("platform/backends/sdl/PlantedB.cpp", '#include "platform/backends/headless/THeadlessBackend.h"',
         "uses no other backend's files"),
        ("skin/PlantedC.cpp", '#include "platform/backends/BackendFactory.h"', "only app and tools include"),
        ("controls/PlantedD.cpp", "#include <platform/automation/TScriptDriver.h>", "only app and tools include"),
        ("app/PlantedE.cpp", '#include "tests/app/support/TProgramSandbox.h"', "which the program never includes"),
        ("plugins/PlantedF.cpp", "", "a folder the layer check does not know"),
        ("platform/toolkit/PlantedG.cpp", '#include "platform/backends/headless/THeadlessBackend.h"',
         "above its own layer platform/toolkit"),
    ]

    @classmethod
    def setUpClass(cls):
        import shutil

        cls._folder = tempfile.TemporaryDirectory()
        cls.root = pathlib.Path(cls._folder.name)
        for top in ["platform", "skin", "render", "controls", "app", "tools", "tests"]:
            shutil.copytree(HERE.parent / top, cls.root / top,
                            ignore=shutil.ignore_patterns("*.png", "*.bmp", "*.jpg", "*.mvz", "*.dat"))
        cls.baseline = check_layers.check(cls.root)

    @classmethod
    def tearDownClass(cls):
        cls._folder.cleanup()

    def test_each_plant_is_found(self):
        for path, line, text in self.PLANTS:
            with self.subTest(path=path):
                file = self.root / path
                file.parent.mkdir(parents=True, exist_ok=True)
                file.write_text(line + "\nint planted;\n")
                try:
                    found = [p for p in check_layers.check(self.root) if p not in self.baseline]
                finally:
                    file.unlink()
                own = [p for p in found if p.startswith(path + ":") or p.startswith(path + ": ")]
                # An upward include may also make two folders include each other.
                self.assertEqual(len(own), 1, found)
                self.assertIn(text, own[0])


class RealTreeTest(unittest.TestCase):
    def test_the_source_tree_keeps_its_layers(self):
        self.assertEqual(check_layers.check(HERE.parent), [])


if __name__ == "__main__":
    unittest.main()
