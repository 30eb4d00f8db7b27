#!/usr/bin/env python3
"""The layer check on copies of the tree with one bad include planted."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, 'check_layers.py')
ALLOWED = os.path.join(HERE, 'allowed.deps')
SOURCE = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(HERE))


class PlantedIncludes(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # The sources alone, which is all the check reads.
        cls.tree = tempfile.mkdtemp(prefix='layers-')
        for top in ('browser', 'platform', 'themepack', 'themebuilder'):
            for folder, dirs, files in os.walk(os.path.join(SOURCE, top)):
                dirs[:] = [d for d in dirs if not d.startswith('build')]
                for name in files:
                    if name.endswith(('.h', '.cpp')):
                        source = os.path.join(folder, name)
                        target = os.path.join(cls.tree, os.path.relpath(source, SOURCE))
                        os.makedirs(os.path.dirname(target), exist_ok=True)
                        shutil.copyfile(source, target)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tree)

    def run_check(self, allow=ALLOWED):
        done = subprocess.run([sys.executable, CHECK, self.tree, allow], capture_output=True, text=True)
        return done.returncode, done.stdout

    def plant(self, path, line):
        full = os.path.join(self.tree, path)
        with open(full, encoding='utf-8') as f:
            before = f.read()
        self.addCleanup(lambda: open(full, 'w', encoding='utf-8').write(before))
        with open(full, 'w', encoding='utf-8') as f:
            f.write(line + '\n' + before)

    def test_the_tree_as_it_is_passes(self):
        code, out = self.run_check()
        self.assertEqual(code, 0, out)

    def test_core_reaching_the_window_fails(self):
        self.plant('browser/core/TabSet.cpp', '#include "browser/window/frmMain.h"')
        code, out = self.run_check()
        self.assertEqual(code, 1)
        self.assertIn('browser/core/TabSet.cpp:1: browser/core may not include browser/window', out)

    def test_a_relative_include_counts_where_it_lands(self):
        self.plant('browser/tools/frmAbout.cpp', '#include "../window/TabStrip.h"')
        code, out = self.run_check()
        self.assertEqual(code, 1)
        self.assertIn('browser/tools may not include browser/window: ../window/TabStrip.h', out)

    def test_a_lower_folder_reaching_up_fails(self):
        self.plant('browser/panels/SidePanel.cpp', '#include "browser/app/BrowserAssembly.h"')
        self.plant('platform/Settings.cpp', '#include "browser/core/Commands.h"')
        code, out = self.run_check()
        self.assertEqual(code, 1)
        self.assertIn('browser/panels may not include browser/app', out)
        self.assertIn('platform may not include browser/core', out)

    def test_the_web_engine_stays_in_the_platforms_web_part(self):
        self.plant('platform/Settings.cpp', '#include <QWebEngineView>')
        self.plant('browser/window/TabStrip.cpp', '#include "platform/linux/QtWebBrowser.h"')
        code, out = self.run_check()
        self.assertEqual(code, 1)
        self.assertIn('platform/Settings.cpp:1: only the web part of the platform may use the web engine', out)
        self.assertIn("browser/window/TabStrip.cpp:1: only the program's entry may use the platform's web part", out)

    def test_an_include_leaving_the_tree_fails(self):
        self.plant('browser/core/TabSet.cpp', '#include "../../../etc/passwd"')
        code, out = self.run_check()
        self.assertEqual(code, 1)
        self.assertIn('leaves the source tree', out)

    def test_an_allow_list_that_closes_a_circle_fails(self):
        circle = os.path.join(self.tree, 'circle.deps')
        with open(ALLOWED, encoding='utf-8') as f:
            text = f.read().replace('browser/core: platform', 'browser/core: platform browser/window')
        with open(circle, 'w', encoding='utf-8') as f:
            f.write(text)
        code, out = self.run_check(circle)
        self.assertEqual(code, 1)
        self.assertIn('closes a circle', out)

    def test_a_folder_missing_from_the_list_fails(self):
        os.makedirs(os.path.join(self.tree, 'browser/unlisted'), exist_ok=True)
        path = os.path.join(self.tree, 'browser/unlisted/Store.cpp')
        with open(path, 'w', encoding='utf-8') as f:
            f.write('#include "browser/core/Commands.h"\n')
        self.addCleanup(os.remove, path)
        code, out = self.run_check()
        self.assertEqual(code, 1)
        self.assertIn('browser/unlisted/Store.cpp: its folder is not in the allow-list', out)


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1])
