#!/usr/bin/env python3
"""End-to-end runs of the Windows program under Wine, headless and driven by scripts: its run
modes, the phrases across restarts and the options dialog's Ok, with the settings read back
from Wine's real registry by `wine reg query`.

Usage: wine_e2e.py PROGRAM WINE_RUNNER   (Quibbleton.scr and cmake/wine-run.sh)
The runner's prefix (WINEPREFIX, or the build folder's) holds the registry; the cases run one
after another and each starts from a registry without the program's keys.
"""

import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

PROGRAM = None
RUNNER = None
KEYS = [r"HKEY_LOCAL_MACHINE\Software\Quibbleton", r"HKEY_CURRENT_USER\Software\Quibbleton"]
PHRASES = "Первая\r\nВторая\r\nТретья\r\n"


def wine(*arguments, env=None, timeout=120):
    return subprocess.run([RUNNER, *arguments], capture_output=True, env=env, timeout=timeout)


def windows_path(path):
    """The path as the Windows program sees it: the Unix root is drive Z:."""
    return "Z:" + str(pathlib.Path(path).resolve()).replace("/", "\\")


def reg_query(name):
    """The value of the program's key in the registry, or None; HKCU's wins over HKLM's."""
    for key in KEYS[::-1]:
        result = wine("reg", "query", key, "/v", name)
        for line in result.stdout.decode("utf-8", "replace").splitlines():
            parts = line.split()
            if len(parts) >= 2 and parts[0] == name and parts[1] == "REG_SZ":
                return line.split("REG_SZ", 1)[1].strip()
    return None


class ProgramRun(unittest.TestCase):
    def setUp(self):
        self._folder = tempfile.TemporaryDirectory()
        self.root = pathlib.Path(self._folder.name)
        self.home = self.root / "home"
        self.home.mkdir()
        (self.home / "Texts.txt").write_bytes(PHRASES.encode("utf-8"))
        for key in KEYS:
            wine("reg", "delete", key, "/f")

    def tearDown(self):
        for key in KEYS:
            wine("reg", "delete", key, "/f")
        self._folder.cleanup()

    def run_program(self, arguments, script, program=None):
        """Runs the program headless to its end; the JSON of each "dump" of the script."""
        dumps = []
        lines = []
        for line in script.splitlines():
            if line == "dump":
                target = self.root / f"dump{len(dumps)}.json"
                dumps.append(target)
                line = "dump " + windows_path(target)
            lines.append(line)
        script_file = self.root / "script.txt"
        script_file.write_text("\n".join(lines) + "\n", encoding="utf-8")
        env = dict(os.environ)
        env.update({
            "QUIBBLETON_BACKEND": "headless",
            "QUIBBLETON_SCREEN": "1024x768",
            "QUIBBLETON_HOME": windows_path(self.home),
            "QUIBBLETON_SCRIPT": windows_path(script_file),
        })
        result = wine(program or PROGRAM, *arguments, env=env)
        self.last_err = result.stderr.decode("utf-8", "replace")
        return [json.loads(path.read_text(encoding="utf-8")) if path.exists() else None for path in dumps]

    def window_classes(self, dump):
        self.assertIsNotNone(dump, self.last_err)
        return [window.get("class") for window in dump.get("windows", [])]


def find_control(node, name):
    if node.get("name") == name:
        return node
    for child in node.get("children", []):
        found = find_control(child, name)
        if found:
            return found
    return None


def phrase_shown(dump):
    for window in dump.get("windows", []):
        if window.get("class") == "TfrmFrasa":
            label = find_control(window, "sLabel")
            return label.get("text") if label else "<no label>"
    return "<none>"


CLICK_AND_DUMP = "click sButton1\ndump\nkey Alt+F4\n"
PRESS_BACKGROUND = "press 2 2 right\nrelease 2 2 right\nwait 10\n"


class RunModesTest(ProgramRun):
    def test_the_screen_saver_letters_show_the_main_screen(self):
        for argument in ["/s", "/S", "-s"]:
            with self.subTest(argument=argument):
                (dump,) = self.run_program([argument], "dump")
                self.assertIn("TForm1", self.window_classes(dump))

    def test_the_configure_letters_show_the_options_dialog(self):
        for argument in ["/c", "/c:1234"]:
            with self.subTest(argument=argument):
                (dump,) = self.run_program([argument], "dump")
                self.assertIn("TfrmOptions", self.window_classes(dump))

    def test_preview_password_and_no_argument_show_nothing(self):
        for arguments in [["/p", "1234"], ["/a"], []]:
            with self.subTest(arguments=arguments):
                (dump,) = self.run_program(arguments, "dump")
                self.assertIsNone(dump)

    def test_the_program_copied_as_exe_shows_the_main_screen(self):
        copy = self.root / "Quibbleton.exe"
        shutil.copyfile(PROGRAM, copy)
        (dump,) = self.run_program([], "dump", program=str(copy))
        self.assertIn("TForm1", self.window_classes(dump))


class PhrasesTest(ProgramRun):
    def test_the_sequence_continues_across_a_restart(self):
        first = self.run_program(["/s"], CLICK_AND_DUMP * 2 + PRESS_BACKGROUND)
        self.assertEqual([phrase_shown(d) for d in first], ["Первая", "Вторая"], self.last_err)
        self.assertEqual(reg_query("LastFrase"), "1")
        again = self.run_program(["/s"], CLICK_AND_DUMP)
        self.assertEqual([phrase_shown(d) for d in again], ["Третья"], self.last_err)


class OptionsDialogTest(ProgramRun):
    def test_ok_stores_the_picked_skin_and_hue(self):
        (before,) = self.run_program(["/c"], "dump")
        combo = None
        for window in before["windows"]:
            combo = combo or find_control(window, "sComboBox0")
        self.assertIsNotNone(combo)
        items = combo.get("items", [])
        self.assertGreater(len(items), 1, combo)
        self.run_program(["/c"], "click sComboBox0\nkey Home\nkey Enter\n"
                                 "click sSpinEdit0\nkey End\nkey Backspace\nkey Backspace\nkey Backspace\n"
                                 "key Backspace\ntype 120\nclick sButton3\nwait 10\n")
        self.assertEqual(reg_query("FormStyle"), items[0], self.last_err)
        self.assertEqual(reg_query("FormHue"), "120")
        for group in range(1, 6):
            self.assertIsNotNone(reg_query(f"Buttons{group}Style"), group)
        (after,) = self.run_program(["/c"], "dump")
        combo_after = None
        for window in after["windows"]:
            combo_after = combo_after or find_control(window, "sComboBox0")
        self.assertEqual(combo_after.get("text"), items[0])


if __name__ == "__main__":
    PROGRAM, RUNNER = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], "-v"])
