"""Turns a word's strokes into the point sequence the network reads.

The board's reader (host/recognizers/inkfeatures.cpp) does exactly the same
steps, so any change here must be made there too and the model retrained:

1. resample every stroke by arc length at a fine step taken from the ink's size;
2. take the writing's size from its core: the spread between the 25th and 75th
   percentiles of y (never less than a quarter of the ink's height), so
   ascenders, descenders and capitals keep their size relative to the core;
3. take the slant from the near-vertical pieces and shear it away;
4. scale by the core size, centre on the median y, and resample again at
   STEP core sizes;
5. give each point (dx, dy, y, pen-down-start) with dx and dy clamped.
"""

import numpy as np

STEP = 0.25
FINE_STEPS_PER_HEIGHT = 32.0
MAX_DELTA = 8.0
FEATURES = 4


def resample(stroke, step):
    """Points every `step` along the stroke's path, first and last kept."""
    if len(stroke) < 2:
        return stroke[:1].copy()
    seg = np.diff(stroke, axis=0)
    length = np.sqrt((seg * seg).sum(axis=1))
    cumulative = np.concatenate(([0.0], np.cumsum(length)))
    total = cumulative[-1]
    if total <= 0.0:
        return stroke[:1].copy()
    count = int(total / step)
    at = np.arange(count + 1, dtype=np.float64) * step
    if total - at[-1] > step * 0.25:
        at = np.append(at, total)
    x = np.interp(at, cumulative, stroke[:, 0])
    y = np.interp(at, cumulative, stroke[:, 1])
    return np.stack([x, y], axis=1)


def _bounds(strokes):
    allp = np.concatenate(strokes)
    return allp.min(axis=0), allp.max(axis=0)


def core_size(strokes):
    """The writing's core size: the interquartile spread of y along the path."""
    low, high = _bounds(strokes)
    height = float(high[1] - low[1])
    width = float(high[0] - low[0])
    reference = max(height, width / 8.0, 1e-6)
    fine = [resample(s, reference / FINE_STEPS_PER_HEIGHT) for s in strokes]
    ys = np.sort(np.concatenate(fine)[:, 1])
    q1 = ys[int(0.25 * (len(ys) - 1))]
    q3 = ys[int(0.75 * (len(ys) - 1))]
    size = max(float(q3 - q1), height / 4.0, reference / 16.0)
    return size, fine


def slant(fine):
    """Mean slant (dx per dy) of the pieces within 50 degrees of vertical."""
    num = 0.0
    den = 0.0
    for stroke in fine:
        if len(stroke) < 2:
            continue
        d = np.diff(stroke, axis=0)
        steep = np.abs(d[:, 0]) < 1.2 * np.abs(d[:, 1])
        if steep.any():
            sign = np.sign(d[steep, 1])
            num += float((d[steep, 0] * sign).sum())
            den += float(np.abs(d[steep, 1]).sum())
    if den <= 0.0:
        return 0.0
    return float(np.clip(num / den, -1.0, 1.0))


def features(strokes, step=STEP):
    """The (n, 4) float32 sequence for a word or line of strokes."""
    strokes = [np.asarray(s, dtype=np.float64) for s in strokes if len(s)]
    if not strokes:
        return np.zeros((0, FEATURES), dtype=np.float32)
    size, fine = core_size(strokes)
    shear = slant(fine)
    ys = np.concatenate(fine)[:, 1]
    centre = float(np.sort(ys)[(len(ys) - 1) // 2])
    left = None
    out = []
    for stroke in strokes:
        s = stroke.copy()
        s[:, 0] -= shear * (s[:, 1] - centre)
        s[:, 1] -= centre
        s /= size
        left = s[:, 0].min() if left is None else min(left, s[:, 0].min())
        out.append(resample(s, step))
    rows = []
    previous = None
    for stroke in out:
        for i, (x, y) in enumerate(stroke):
            if previous is None:
                dx, dy = 0.0, 0.0
            else:
                dx, dy = x - previous[0], y - previous[1]
            rows.append((dx, dy, y, 1.0 if i == 0 else 0.0))
            previous = (x, y)
    f = np.array(rows, dtype=np.float32)
    np.clip(f[:, :3], -MAX_DELTA, MAX_DELTA, out=f[:, :3])
    return f


def distort(strokes, rng):
    """A small random affine change of the writing, as another hand or
    another board would give it."""
    angle = rng.uniform(-0.07, 0.07)
    shear = rng.uniform(-0.3, 0.3)
    sx = rng.uniform(0.8, 1.2)
    sy = rng.uniform(0.9, 1.1)
    c, s = np.cos(angle), np.sin(angle)
    m = np.array([[c, -s], [s, c]]) @ np.array([[sx, shear], [0.0, sy]])
    low, high = _bounds(strokes)
    jitter = rng.uniform(0.0, 0.008) * float(max(high[1] - low[1], 1e-6))
    out = []
    for stroke in strokes:
        p = stroke.astype(np.float64) @ m.T
        if jitter > 0:
            p = p + rng.normal(0.0, jitter, p.shape)
        out.append(p)
    return out


def join_line(words, rng):
    """Places several words of one writer side by side on a baseline, with a
    gap between them, as one line of writing."""
    strokes = []
    right = None
    for word in words:
        size, fine = core_size(word)
        ys = np.concatenate(fine)[:, 1]
        centre = float(np.sort(ys)[(len(ys) - 1) // 2])
        low, high = _bounds(word)
        gap = rng.uniform(1.0, 2.5) * size
        dx = (0.0 if right is None else right + gap) - low[0]
        dy = -centre + rng.uniform(-0.15, 0.15) * size
        for s in word:
            strokes.append(s.astype(np.float64) + np.array([dx, dy]))
        right = high[0] + dx
    return strokes
