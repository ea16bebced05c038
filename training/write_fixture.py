#!/usr/bin/python3
"""Writes the point sequences of the words of an InkML file, one line of numbers a word, so that the
board's tests can check that it prepares ink exactly as the training did:

    training/write_fixture.py tests/data/words.inkml > tests/data/words-features.txt
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ink  # noqa: E402
import inkml  # noqa: E402

for word in inkml.read_words(sys.argv[1]):
    rows = ink.features(word.strokes)
    print(word.label, " ".join(f"{v:.6g}" for v in rows.reshape(-1)))
