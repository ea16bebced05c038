"""Reads handwritten words out of W3C InkML files (plain or xz-packed).

Each word is a trace group with a "truth" annotation; its strokes are the
traces the group's trace views name. The writer comes from the group's own
"writer" annotation or, failing that, the file's.
"""

import lzma
import os
import xml.etree.ElementTree as ET

import numpy as np

INK_NS = "{http://www.w3.org/2003/InkML}"
XML_ID = "{http://www.w3.org/XML/1998/namespace}id"


class Word:
    __slots__ = ("label", "writer", "strokes", "resolution", "source")

    def __init__(self, label, writer, strokes, resolution, source):
        self.label = label
        self.writer = writer
        self.strokes = strokes  # list of float32 arrays of shape (n, 2), y down
        self.resolution = resolution
        self.source = source


def _open(path):
    if path.endswith(".xz"):
        return lzma.open(path, "rb")
    return open(path, "rb")


def _points(text):
    values = np.array(text.replace(",", " ").split(), dtype=np.float32)
    return values.reshape(-1, 2) if values.size % 2 == 0 else values[: values.size // 2 * 2].reshape(-1, 2)


def _annotation(element, kind):
    for child in element.findall(INK_NS + "annotation"):
        if child.get("type") == kind:
            return (child.text or "").strip()
    return None


def read_words(path):
    """Returns every labelled word of one InkML file."""
    with _open(path) as stream:
        root = ET.parse(stream).getroot()
    resolution = 0.0
    for prop in root.iter(INK_NS + "channelProperty"):
        if prop.get("name") == "resolution" and prop.get("channel") == "Y":
            resolution = float(prop.get("value"))
    file_writer = _annotation(root, "writer") or os.path.basename(path)
    traces = {}
    for trace in root.iter(INK_NS + "trace"):
        name = trace.get(XML_ID) or trace.get("id")
        if name and trace.text:
            traces[name] = _points(trace.text)
    words = []
    for group in root.iter(INK_NS + "traceGroup"):
        label = _annotation(group, "truth")
        if not label:
            continue
        strokes = []
        for view in group.iter(INK_NS + "traceView"):
            ref = (view.get("traceDataRef") or "").lstrip("#")
            stroke = traces.get(ref)
            if stroke is not None and len(stroke):
                strokes.append(stroke)
        if strokes:
            writer = _annotation(group, "writer") or file_writer
            words.append(Word(label, writer, strokes, resolution, os.path.basename(path)))
    return words


def read_folder(folder):
    """Reads every InkML file of a folder, in name order."""
    names = sorted(n for n in os.listdir(folder) if n.endswith(".inkml") or n.endswith(".inkml.xz"))
    words = []
    for name in names:
        words.extend(read_words(os.path.join(folder, name)))
    return words
