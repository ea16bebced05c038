#!/usr/bin/python3
"""Trains the board's handwriting reader from scratch.

    OPENBLAS_NUM_THREADS=1 training/train.py --data ../shared/data/handwriting/unipen-train/words \
        --out build/training --minutes 100

Writers are split once, by a fixed seed: a slice of them is held aside and
never trained on; its words, and lines built from them, give the figures.
Training runs for a fixed time with the learning rate falling over it, checks
the held-aside writers every --eval-minutes, keeps the best state as it goes
and at the end writes the model (TorchScript and ONNX) and a report.
"""

import argparse
import hashlib
import json
import os
import random
import sys
import time
from xml.sax.saxutils import escape

os.environ.setdefault("OPENBLAS_NUM_THREADS", "1")
os.environ.setdefault("OMP_NUM_THREADS", "1")

import numpy as np  # noqa: E402
import torch  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ink  # noqa: E402
import inkml  # noqa: E402
import model  # noqa: E402


def folder_hash(folder):
    """SHA-256 over the folder's InkML files, by name and content."""
    digest = hashlib.sha256()
    for name in sorted(os.listdir(folder)):
        if name.endswith(".inkml") or name.endswith(".inkml.xz"):
            digest.update(name.encode())
            with open(os.path.join(folder, name), "rb") as stream:
                digest.update(stream.read())
    return digest.hexdigest()


def split_writers(words, share, seed):
    writers = sorted({w.writer for w in words})
    rng = random.Random(seed)
    rng.shuffle(writers)
    held = set(writers[: max(1, int(len(writers) * share))])
    train = [w for w in words if w.writer not in held]
    aside = [w for w in words if w.writer in held]
    return train, aside


def build_lines(words, rng, count, low=2, high=4):
    """`count` lines of `low`..`high` words, each line by one writer."""
    by_writer = {}
    for i, w in enumerate(words):
        by_writer.setdefault(w.writer, []).append(i)
    writers = sorted(w for w, items in by_writer.items() if len(items) >= low)
    lines = []
    for _ in range(count):
        items = by_writer[rng.choice(writers)]
        lines.append(rng.sample(items, min(len(items), rng.randint(low, high))))
    return lines


class Samples(torch.utils.data.Dataset):
    """Words and lines of words as (features, label) pairs, distorted when
    training."""

    def __init__(self, words, groups, augment, seed):
        self.words = words
        self.groups = groups
        self.augment = augment
        self.seed = seed
        self.epoch = 0

    def __len__(self):
        return len(self.groups)

    def __getitem__(self, index):
        rng = np.random.default_rng((self.seed, self.epoch, index))
        group = self.groups[index]
        parts = [self.words[i].strokes for i in group]
        strokes = parts[0] if len(parts) == 1 else ink.join_line(parts, rng)
        step = ink.STEP
        if self.augment:
            strokes = ink.distort(strokes, rng)
            step *= rng.uniform(0.85, 1.15)
        label = " ".join(self.words[i].label for i in group)
        return torch.from_numpy(ink.features(strokes, step)), label


def collate(batch):
    batch = [b for b in batch if len(b[0]) > 0]
    lengths = torch.tensor([len(f) for f, _ in batch])
    x = torch.zeros(len(batch), int(lengths.max()), ink.FEATURES)
    for i, (f, _) in enumerate(batch):
        x[i, : len(f)] = f
    targets = [torch.tensor(model.encode(label), dtype=torch.long) for _, label in batch]
    return x, lengths, targets, [label for _, label in batch]


def batches_by_length(lengths, budget, rng):
    """Index batches of similar lengths with about `budget` points each."""
    order = sorted(range(len(lengths)), key=lambda i: lengths[i] * rng.uniform(0.9, 1.1))
    out, current, longest = [], [], 0
    for i in order:
        longest = max(longest, lengths[i])
        if current and longest * (len(current) + 1) > budget:
            out.append(current)
            current, longest = [], lengths[i]
        current.append(i)
    if current:
        out.append(current)
    rng.shuffle(out)
    return out


def edit_distance(a, b):
    previous = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        current = [i]
        for j, cb in enumerate(b, 1):
            current.append(min(previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (ca != cb)))
        previous = current
    return previous[-1]


def evaluate(net, loader):
    """Greedy character error rate and share of exact readings."""
    net.eval()
    errors = chars = right = count = 0
    with torch.no_grad():
        for x, lengths, _, labels in loader:
            best = net(x, lengths).argmax(-1)
            steps = model.frames(lengths)
            for k, label in enumerate(labels):
                text = model.decode_greedy(best[k, : steps[k]].tolist())
                errors += edit_distance(text, label)
                chars += len(label)
                right += text == label
                count += 1
    net.train()
    return {"cer": errors / max(1, chars), "exact": right / max(1, count), "count": count}


def export(net, out):
    net.eval()
    wrapped = model.Exported(net)
    example = torch.from_numpy(ink.features([np.array([[0, 0], [10, 30], [20, 0], [30, 30]], dtype=np.float32)]))
    example = torch.cat([example] * 8).unsqueeze(0)
    traced = torch.jit.trace(wrapped, example)
    traced.save(os.path.join(out, "latin-reader.pt"))
    torch.onnx.export(
        wrapped,
        example,
        os.path.join(out, "latin-reader.onnx"),
        input_names=["points"],
        output_names=["logprobs"],
        # Fixed sizes in the file: OpenCV's importer refuses the LSTM with an open length, and sizes
        # its layers again for each input it is given.
        opset_version=13,
    )
    _plain_onnx(os.path.join(out, "latin-reader.onnx"))
    # What the board checks before it reads with the model: a file of another format is refused.
    about = {
        "format": model.FORMAT_VERSION,
        "alphabet": model.ALPHABET,
        "features": ink.FEATURES,
        "step": ink.STEP,
        "classes": model.CLASSES,
    }
    with open(os.path.join(out, "latin-reader.json"), "w", encoding="utf-8") as stream:
        json.dump(about, stream, ensure_ascii=False, indent=1)


def _plain_onnx(path):
    """Takes out the Identity nodes the exporter puts in for shared constants: OpenCV's importer
    refuses an Identity of a constant. Skipped where the onnx package is missing."""
    try:
        import onnx
    except ImportError:
        return
    graph_model = onnx.load(path)
    graph = graph_model.graph
    renames = {}
    for node in list(graph.node):
        if node.op_type == "Identity":
            renames[node.output[0]] = node.input[0]
            graph.node.remove(node)
    for node in graph.node:
        for i, name in enumerate(node.input):
            while name in renames:
                name = renames[name]
            node.input[i] = name
    onnx.checker.check_model(graph_model)
    onnx.save(graph_model, path)


def write_inkml(path, items, note):
    """Writes (label, writer, strokes at 1000/in) items as annotated InkML trace groups."""
    out = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<ink xmlns="http://www.w3.org/2003/InkML">',
        "  <definitions>",
        '    <context xml:id="ctx">',
        '      <inkSource xml:id="lines">',
        '        <traceFormat><channel name="X" type="integer"/><channel name="Y" type="integer"/></traceFormat>',
        "        <channelProperties>",
        '          <channelProperty channel="X" name="resolution" value="1000" units="1/in"/>',
        '          <channelProperty channel="Y" name="resolution" value="1000" units="1/in"/>',
        "        </channelProperties>",
        "      </inkSource>",
        "    </context>",
        "  </definitions>",
        f'  <annotation type="source">{escape(note)}</annotation>',
    ]
    groups = []
    trace = 0
    for n, (label, writer, strokes) in enumerate(items):
        refs = []
        for stroke in strokes:
            points = ", ".join(f"{int(round(x))} {int(round(y))}" for x, y in stroke)
            out.append(f'  <trace xml:id="t{trace}" contextRef="#ctx">{points}</trace>')
            refs.append(trace)
            trace += 1
        groups.append((n, label, writer, refs))
    for n, label, writer, refs in groups:
        out.append(f'  <traceGroup xml:id="g{n}">')
        out.append(f'    <annotation type="truth">{escape(label)}</annotation>')
        out.append(f'    <annotation type="writer">{escape(writer)}</annotation>')
        out.extend(f'    <traceView traceDataRef="#t{r}"/>' for r in refs)
        out.append("  </traceGroup>")
    out.append("</ink>")
    with open(path, "w", encoding="utf-8") as stream:
        stream.write("\n".join(out) + "\n")


def aside_lines(aside_words, seed):
    """The lines of the held-aside writers' words the figures are taken on, the same on every run."""
    return build_lines(aside_words, random.Random(seed + 1), max(1, len(aside_words) // 6))[:600]


def write_aside(folder, aside_words, seed):
    """The held-aside words and lines as InkML at 1000/in, for the board's own measurement."""
    os.makedirs(folder, exist_ok=True)
    note = "UNIPEN train_r01_v07 (CC BY 4.0), writers held aside from training"

    def scaled(word):
        factor = 1000.0 / word.resolution if word.resolution > 0 else 1.0
        return [s.astype(np.float64) * factor for s in word.strokes]

    words = [(w.label, w.writer, scaled(w)) for w in aside_words]
    write_inkml(os.path.join(folder, "aside-words.inkml"), words, note)
    rng = np.random.default_rng(seed)
    lines = []
    for group in aside_lines(aside_words, seed):
        strokes = ink.join_line([scaled(aside_words[i]) for i in group], rng)
        label = " ".join(aside_words[i].label for i in group)
        lines.append((label, aside_words[group[0]].writer, strokes))
    write_inkml(os.path.join(folder, "aside-lines.inkml"), lines, note + ", words set side by side as lines")


def check(net, out):
    """Fails unless the written TorchScript model gives what the network gives."""
    net.eval()
    x = torch.from_numpy(ink.features([np.array([[0, 0], [5, 20], [10, 0], [15, 20]], dtype=np.float32)]))
    loaded = torch.jit.load(os.path.join(out, "latin-reader.pt"))
    with torch.no_grad():
        difference = float((loaded(x.unsqueeze(0)) - net(x.unsqueeze(0))).abs().max())
    for name in ("latin-reader.onnx", "latin-reader.json", "report.json"):
        if not os.path.getsize(os.path.join(out, name)):
            sys.exit(f"train: {name} is empty")
    if difference > 1e-4:
        sys.exit(f"train: the written model differs from the network by {difference}")
    print(f"check: written model matches the network (largest difference {difference:.2g})")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--data", required=True, help="folder of InkML words")
    parser.add_argument("--out", required=True, help="folder for the model and report")
    parser.add_argument("--minutes", type=float, default=100.0, help="training time")
    parser.add_argument("--max-steps", type=int, default=0, help="stop after this many steps (0: by time)")
    parser.add_argument("--eval-minutes", type=float, default=12.0)
    parser.add_argument("--limit", type=int, default=0, help="read only this many words (0: all)")
    parser.add_argument("--measure", help="folder of InkML words to measure at the end (never trained on)")
    parser.add_argument("--seed", type=int, default=17)
    parser.add_argument("--hidden", type=int, default=128)
    parser.add_argument("--layers", type=int, default=3)
    parser.add_argument("--lr", type=float, default=2e-3)
    parser.add_argument("--batch-points", type=int, default=9000)
    parser.add_argument("--line-share", type=float, default=0.3, help="share of training items that are lines")
    parser.add_argument("--workers", type=int, default=1)
    parser.add_argument("--export-from", help="only write the model files of a saved state")
    parser.add_argument("--check", action="store_true", help="check that the written model reads as trained")
    parser.add_argument("--write-aside", help="only write the held-aside words and lines as InkML here")
    args = parser.parse_args()

    started = time.time()
    torch.set_num_threads(1)
    if args.export_from:
        net = model.Reader(hidden=args.hidden, layers=args.layers)
        net.load_state_dict(torch.load(args.export_from))
        export(net, args.out)
        return
    torch.manual_seed(args.seed)
    rng = random.Random(args.seed)
    device = torch.device("cuda" if torch.cuda.is_available() else "cpu")
    os.makedirs(args.out, exist_ok=True)

    words = inkml.read_folder(args.data)
    if args.limit:
        words = random.Random(args.seed).sample(words, min(args.limit, len(words)))
    train_words, aside_words = split_writers(words, 0.06, args.seed)
    print(f"{len(words)} words, {len(train_words)} to train on, {len(aside_words)} held aside", flush=True)

    if args.write_aside:
        write_aside(args.write_aside, aside_words, args.seed)
        return
    base_length = [len(ink.features(w.strokes)) for w in train_words]
    aside_sets = {
        "words": Samples(aside_words, [[i] for i in range(min(len(aside_words), 3000))], False, args.seed),
        "lines": Samples(aside_words, aside_lines(aside_words, args.seed), False, args.seed),
    }
    aside_loaders = {
        name: torch.utils.data.DataLoader(s, batch_size=32, collate_fn=collate, num_workers=args.workers)
        for name, s in aside_sets.items()
    }

    net = model.Reader(hidden=args.hidden, layers=args.layers).to(device)
    optimiser = torch.optim.Adam(net.parameters(), lr=args.lr)
    ctc = torch.nn.CTCLoss(blank=model.BLANK, zero_infinity=True)
    budget = args.minutes * 60.0
    report = {
        "command": " ".join(sys.argv),
        "data_sha256": folder_hash(args.data),
        "words": len(words),
        "train_words": len(train_words),
        "aside_words": len(aside_words),
        "aside_writers": len({w.writer for w in aside_words}),
        "hidden": args.hidden,
        "layers": args.layers,
        "seed": args.seed,
        "device": str(device),
        "epochs": [],
    }
    best = None
    step = 0
    epoch = 0
    next_eval = time.time() + args.eval_minutes * 60.0
    done = False
    while not done:
        epoch += 1
        groups = [[i] for i in range(len(train_words))]
        lines = build_lines(train_words, rng, int(len(train_words) * args.line_share / 3))
        groups += lines
        lengths = [sum(base_length[i] for i in g) + 4 * (len(g) - 1) for g in groups]
        dataset = Samples(train_words, groups, True, args.seed)
        dataset.epoch = epoch
        loader = torch.utils.data.DataLoader(
            dataset,
            batch_sampler=batches_by_length(lengths, args.batch_points, rng),
            collate_fn=collate,
            num_workers=args.workers,
        )
        losses = []
        for x, lengths_t, targets, _ in loader:
            elapsed = time.time() - started
            fraction = min(1.0, elapsed / budget)
            warm = min(1.0, (step + 1) / 300.0)
            for group in optimiser.param_groups:
                group["lr"] = args.lr * warm * (0.03 + 0.97 * 0.5 * (1.0 + np.cos(np.pi * fraction)))
            log_probs = net(x.to(device), lengths_t.to(device))
            target_lengths = torch.tensor([len(t) for t in targets])
            loss = ctc(log_probs.transpose(0, 1), torch.cat(targets).to(device), model.frames(lengths_t), target_lengths)
            optimiser.zero_grad()
            loss.backward()
            torch.nn.utils.clip_grad_norm_(net.parameters(), 5.0)
            optimiser.step()
            losses.append(float(loss))
            step += 1
            if step % 100 == 0:
                print(f"epoch {epoch} step {step} loss {np.mean(losses[-100:]):.3f} {elapsed / 60:.1f} min", flush=True)
            out_of_time = elapsed >= budget or (args.max_steps and step >= args.max_steps)
            if time.time() >= next_eval or out_of_time:
                figures = {name: evaluate(net, loader_) for name, loader_ in aside_loaders.items()}
                row = {
                    "epoch": epoch,
                    "step": step,
                    "minutes": round((time.time() - started) / 60.0, 1),
                    "loss": float(np.mean(losses[-200:])),
                    "aside_words_cer": figures["words"]["cer"],
                    "aside_words_exact": figures["words"]["exact"],
                    "aside_lines_cer": figures["lines"]["cer"],
                }
                report["epochs"].append(row)
                print(json.dumps(row), flush=True)
                score = figures["words"]["cer"] + figures["lines"]["cer"]
                if best is None or score < best[0]:
                    best = (score, row)
                    torch.save(net.state_dict(), os.path.join(args.out, "best-state.pt"))
                    export(net, args.out)
                    net.train()
                next_eval = time.time() + args.eval_minutes * 60.0
            if out_of_time:
                done = True
                break

    net.load_state_dict(torch.load(os.path.join(args.out, "best-state.pt")))
    report["best"] = best[1]
    report["minutes"] = round((time.time() - started) / 60.0, 1)
    if args.measure:
        measured = inkml.read_folder(args.measure)
        loader = torch.utils.data.DataLoader(
            Samples(measured, [[i] for i in range(len(measured))], False, args.seed), batch_size=32, collate_fn=collate
        )
        report["measure"] = evaluate(net, loader)
    with open(os.path.join(args.out, "report.json"), "w") as stream:
        json.dump(report, stream, indent=1)
    if args.check:
        check(net, args.out)
    print(json.dumps({k: report[k] for k in ("best", "minutes")}), flush=True)


if __name__ == "__main__":
    main()
