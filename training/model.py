"""The network that reads a point sequence, and the characters it writes.

Convolutions over the points see the shape of each piece of a letter and
shorten the sequence four times; bidirectional LSTMs then read the whole word
both ways, so a dot or a cross written last still reaches its letter. The
output is one CTC distribution per step over ALPHABET, blank first.
"""

import torch
from torch import nn

# Printable ASCII, then the letters German and French add to it.
ALPHABET = "".join(chr(c) for c in range(32, 127)) + "ÄÖÜäöüßÀÂÆÇÉÈÊËÎÏÔŒÙÛŸàâæçéèêëîïôœùûÿ"
BLANK = 0
CLASSES = len(ALPHABET) + 1
FORMAT_VERSION = 1


def encode(text):
    return [ALPHABET.index(c) + 1 for c in text if c in ALPHABET]


def decode_greedy(best):
    out = []
    previous = BLANK
    for k in best:
        if k != previous and k != BLANK:
            out.append(ALPHABET[k - 1])
        previous = k
    return "".join(out)


def frames(length):
    """Output steps for `length` input points (two stride-2 layers)."""
    length = (length - 1) // 2 + 1
    return (length - 1) // 2 + 1


class Reader(nn.Module):
    def __init__(self, features=4, hidden=160, layers=2, dropout=0.25):
        super().__init__()
        self.conv = nn.Sequential(
            nn.Conv1d(features, 64, 5, padding=2),
            nn.ReLU(),
            nn.Conv1d(64, 96, 5, stride=2, padding=2),
            nn.ReLU(),
            nn.Conv1d(96, 128, 3, stride=2, padding=1),
            nn.ReLU(),
        )
        self.lstm = nn.LSTM(128, hidden, num_layers=layers, bidirectional=True, dropout=dropout, batch_first=True)
        self.drop = nn.Dropout(dropout)
        self.out = nn.Linear(2 * hidden, CLASSES)

    def forward(self, x, lengths=None):
        """x: (batch, points, features), lengths in points -> log-probabilities
        (batch, steps, classes)."""
        h = self.conv(x.transpose(1, 2)).transpose(1, 2)
        if lengths is not None:
            packed = nn.utils.rnn.pack_padded_sequence(h, frames(lengths).cpu(), batch_first=True, enforce_sorted=False)
            h, _ = self.lstm(packed)
            h, _ = nn.utils.rnn.pad_packed_sequence(h, batch_first=True)
        else:
            h, _ = self.lstm(h)
        return torch.log_softmax(self.out(self.drop(h)), dim=-1)


class Exported(nn.Module):
    """What the board loads: one word or line in, its step distributions out."""

    def __init__(self, reader):
        super().__init__()
        self.reader = reader
        lstm = reader.lstm
        # Fixed starting states keep the graph free of shape arithmetic, which some runtimes refuse.
        self.register_buffer("start_h", torch.zeros(lstm.num_layers * 2, 1, lstm.hidden_size))
        self.register_buffer("start_c", torch.zeros(lstm.num_layers * 2, 1, lstm.hidden_size))

    def forward(self, x):
        h = self.reader.conv(x.transpose(1, 2)).transpose(1, 2)
        h, _ = self.reader.lstm(h, (self.start_h, self.start_c))
        return torch.log_softmax(self.reader.out(h), dim=-1)
