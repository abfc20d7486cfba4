#!/usr/bin/env python3
"""scripts/check-layers on a small tree: it passes a sound one and names each bad line."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check-layers"

LAYERS = {
    "imaging": "",
    "platform": "DEPENDS imaging LIBS Qt6::Gui",
    "text": "DEPENDS imaging",
    "decor": "DEPENDS imaging",
    "workspace": "DEPENDS text",
    "ui": "DEPENDS workspace LIBS Qt6::Widgets",
}
# One file per layer, including what its layer names (and Qt where it links it).
FILES = {
    "imaging/raster.h": "#include <vector>\n",
    "platform/canvas.cpp": '#include "imaging/raster.h"\n#include <QImage>\n#include <QString>\n',
    "text/stage.cpp": '#include "text/stage.h"\n#include "imaging/raster.h"\n',
    "text/stage.h": "",
    "decor/frame.h": '#include "imaging/raster.h"\n',
    "workspace/flow.cpp": '#include "text/stage.h"\n',
    "ui/page.cpp": '#include "workspace/flow.h"\n#include <QWidget>\n#include <QtCore/QTimer>\n',
}


class CheckLayersTest(unittest.TestCase):
    def run_check(self, files=None, layers=None):
        with tempfile.TemporaryDirectory() as temp:
            root = pathlib.Path(temp)
            for module, header in (("Core", "QString"), ("Core", "QTimer"), ("Gui", "QImage"),
                                   ("Widgets", "QWidget")):
                (root / "qt" / ("Qt" + module)).mkdir(parents=True, exist_ok=True)
                (root / "qt" / ("Qt" + module) / header).write_text("")
            src = root / "src"
            calls = "".join(f"quillstone_layer({name} {args})\n" for name, args in (layers or LAYERS).items())
            src.mkdir()
            (src / "CMakeLists.txt").write_text("# layers\n" + calls)
            for path, text in (files or FILES).items():
                (src / path).parent.mkdir(parents=True, exist_ok=True)
                (src / path).write_text(text)
            done = subprocess.run([sys.executable, str(SCRIPT), "--src", str(src), "--qt-include-dir",
                                   str(root / "qt")], capture_output=True, text=True)
            return done.returncode, done.stderr

    def test_a_sound_tree_passes(self):
        self.assertEqual(self.run_check(), (0, ""))

    def test_each_bad_include_is_named_with_its_line(self):
        cases = [
            ("text/stage.cpp", '#include "decor/frame.h"', "text/stage.cpp:3: includes decor/frame.h, "
             "but text names only imaging"),
            ("text/stage.cpp", '#include "workspace/flow.h"', "text/stage.cpp:3: includes workspace/flow.h"),
            ("text/stage.cpp", '#include "../decor/frame.h"', "reaching out of its folder"),
            ("text/stage.cpp", '#include "extras/thing.h"', "which names no layer"),
            ("imaging/raster.h", "#include <QString>", "<QString> of Qt Core, which imaging does not link"),
            ("workspace/flow.cpp", "#include <QWidget>", "<QWidget> of Qt Widgets, which workspace"),
            ("platform/canvas.cpp", "#include <QtWidgets/QWidget>", "of Qt Widgets, which platform"),
            ("extra/tool.cpp", "", "src/extra/: a folder of code"),
        ]
        for path, line, message in cases:
            with self.subTest(line=line):
                files = dict(FILES)
                files[path] = files.get(path, "") + line + "\n"
                code, errors = self.run_check(files=files)
                self.assertEqual(code, 1)
                self.assertIn(message, errors)

    def test_each_bad_layer_declaration_is_named(self):
        cases = [
            ("decor", "DEPENDS imaging workspace", "decor names workspace, which is not below it"),
            ("decor", "DEPENDS imaging nothing", "decor names nothing, which is no layer"),
            ("decor", "DEPENDS imaging text", "decor names text but includes none of its headers"),
            ("workspace", "DEPENDS text LIBS Qt6::Widgets", "workspace links Qt Widgets"),
            ("imaging", "LIBS Qt6::Core", "imaging links Qt, which no layer below platform may"),
        ]
        for name, args, message in cases:
            with self.subTest(args=args):
                layers = dict(LAYERS)
                layers[name] = args
                code, errors = self.run_check(layers=layers)
                self.assertEqual(code, 1)
                self.assertIn(message, errors)


if __name__ == "__main__":
    unittest.main()
