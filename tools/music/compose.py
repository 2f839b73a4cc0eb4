#!/usr/bin/env python3
"""Writes data/Glamora.mid, the game's background music.

An original tune in C major at 140 beats per minute, General MIDI: a square
lead melody, a glockenspiel hook and doubling, electric piano chords, a
fingered bass and drums on channel 10. Form: intro, A, A', B, bridge, A, A',
turnaround. The turnaround ends on G7 so that the restart on the intro's C
chord resolves it. Standard library only.

    tools/music/compose.py [output path]   (default: data/Glamora.mid)
"""
import os
import struct
import sys

TICKS = 480          # per quarter note
EIGHTH = TICKS // 2
BAR = 8 * EIGHTH
TEMPO_BPM = 140

NOTE_NAMES = {"C": 0, "C#": 1, "Db": 1, "D": 2, "D#": 3, "Eb": 3, "E": 4, "F": 5, "F#": 6,
              "Gb": 6, "G": 7, "G#": 8, "Ab": 8, "A": 9, "A#": 10, "Bb": 10, "B": 11}


def pitch(name):
    """'E5' -> 76 (C4 is middle C, 60)."""
    return 12 * (int(name[-1]) + 1) + NOTE_NAMES[name[:-1]]


def phrase(text):
    """'E5:2 G5:1 r:1' -> [(pitch or None, eighths)], bar by bar separated by '|'."""
    bars = []
    for bar in text.split("|"):
        notes = []
        for token in bar.split():
            name, length = token.split(":")
            notes.append((None if name == "r" else pitch(name), int(length)))
        assert sum(n for _, n in notes) == 8, bar
        bars.append(notes)
    return bars


# Chords: root name and quality; a bar holds one chord or two (half a bar each).
QUALITIES = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10), "m7": (0, 3, 7, 10)}


def chord(symbol):
    root = symbol[0] + (symbol[1] if len(symbol) > 1 and symbol[1] in "#b" else "")
    return NOTE_NAMES[root], QUALITIES[symbol[len(root):]]


INTRO_CHORDS = ["C", "Am", "F", "G"]
A_CHORDS = ["C", "G", "Am", "Em", "F", "C", "Dm", "G"]
A2_CHORDS = ["C", "G", "Am", "Em", "F", "C", "Dm G", "C"]
B_CHORDS = ["F", "G", "Em", "Am", "Dm", "G", "C", "C7"]
BRIDGE_CHORDS = ["F", "Fm", "C", "A7", "Dm", "G", "Em A7", "Dm G"]
TURN_CHORDS = ["F", "G", "C", "G7"]

HOOK = phrase("G5:1 C6:1 E6:1 C6:1 G5:1 C6:1 E6:2 | A5:1 C6:1 E6:1 C6:1 A5:1 C6:1 E6:2 |"
              "A5:1 C6:1 F6:1 C6:1 A5:1 C6:1 F6:2 | G5:1 B5:1 D6:1 B5:1 G5:2 r:2")
A_OPEN = ("E5:2 G5:1 E5:1 C5:2 D5:1 E5:1 | D5:2 B4:1 D5:1 G5:3 r:1 | C5:2 E5:1 A5:1 G5:2 E5:1 C5:1 |"
          "B4:4 G4:2 r:2 | A4:1 C5:1 F5:2 E5:1 F5:1 A5:2 | G5:2 E5:1 C5:1 E5:2 G5:2 |")
A_MELODY = phrase(A_OPEN + "F5:2 E5:1 D5:1 A4:2 D5:1 F5:1 | E5:1 D5:1 B4:1 G4:1 D5:4")
A2_MELODY = phrase(A_OPEN + "F5:2 A5:2 G5:1 F5:1 D5:1 B4:1 | C5:6 r:2")
B_MELODY = phrase("C6:1 A5:1 F5:1 A5:1 C6:2 A5:2 | B5:1 G5:1 D5:1 G5:1 B5:2 D6:2 | E6:3 D6:1 B5:2 G5:2 |"
                  "A5:3 G5:1 E5:2 C5:2 | D5:1 F5:1 A5:1 D6:1 C6:2 A5:2 | B5:2 A5:1 G5:1 F5:2 D5:2 |"
                  "E5:1 G5:1 C6:2 G5:1 E5:1 G5:2 | Bb5:2 A5:1 G5:1 E5:2 C5:2")
BRIDGE_MELODY = phrase("A5:4 G5:2 F5:2 | Ab5:4 G5:2 F5:2 | E5:4 G5:2 C6:2 | C#6:4 A5:2 E5:2 |"
                       "F5:4 A5:2 D6:2 | D6:2 C6:1 B5:1 A5:2 G5:2 | G5:2 E5:2 C#5:2 E5:2 | F5:2 D5:2 G5:1 A5:1 B5:2")
TURN_MELODY = phrase("A5:2 G5:1 F5:1 E5:2 C5:2 | D5:2 E5:1 F5:1 G5:4 | E5:1 G5:1 C6:2 G5:1 E5:1 C5:2 |"
                     "D5:1 F5:1 G5:1 B5:1 D6:2 r:2")
REST = phrase("r:8")

# (name, melody, glockenspiel line, chords, drum style)
SECTIONS = [
    ("intro", REST * 4, HOOK, INTRO_CHORDS, "light"),
    ("A", A_MELODY, None, A_CHORDS, "beat"),
    ("A2", A2_MELODY, None, A2_CHORDS, "beat"),
    ("B", B_MELODY, B_MELODY, B_CHORDS, "drive"),
    ("bridge", BRIDGE_MELODY, None, BRIDGE_CHORDS, "ride"),
    ("A", A_MELODY, A_MELODY, A_CHORDS, "beat"),
    ("A2", A2_MELODY, A2_MELODY, A2_CHORDS, "beat"),
    ("turn", TURN_MELODY, None, TURN_CHORDS, "drive"),
]

KICK, SNARE, HAT, OPEN_HAT, CRASH, RIDE, CLAP = 36, 38, 42, 46, 49, 51, 39
TOMS = [50, 48, 47, 45]


class Track:
    def __init__(self):
        self.events = []  # (tick, order, bytes)

    def add(self, tick, data, order=1):
        self.events.append((tick, order, bytes(data)))

    def note(self, tick, channel, key, length, velocity):
        self.add(tick, [0x90 | channel, key, velocity], 1)
        self.add(tick + length, [0x80 | channel, key, 0], 0)  # offs before ons at one tick

    def chunk(self, end_tick):
        out = bytearray()
        last = 0
        for tick, _, data in sorted(self.events, key=lambda e: (e[0], e[1])):
            out += varlen(tick - last) + data
            last = tick
        assert end_tick >= last, "a note runs past the end of the piece"
        out += varlen(end_tick - last) + b"\xff\x2f\x00"
        return b"MTrk" + struct.pack(">I", len(out)) + bytes(out)


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def setup(track, channel, program, volume, pan, reverb):
    track.add(0, [0xC0 | channel, program], 0)
    track.add(0, [0xB0 | channel, 7, volume], 0)
    track.add(0, [0xB0 | channel, 10, pan], 0)
    track.add(0, [0xB0 | channel, 91, reverb], 0)


def write_line(track, channel, bars, start, transpose, velocity, legato=0.9):
    tick = start
    for bar in bars:
        for key, eighths in bar:
            length = eighths * EIGHTH
            if key is not None:
                track.note(tick, channel, key + transpose, int(length * legato), velocity)
            tick += length


def bar_chords(symbols):
    parts = symbols.split()
    return [(chord(p), i * BAR // len(parts), BAR // len(parts)) for i, p in enumerate(parts)]


def write_piano(track, bars, start):
    # Stabs on 1, the "and" of 2, 3 and 4, close voicing around middle C.
    for b, symbols in enumerate(bars):
        for (root, quality), offset, span in bar_chords(symbols):
            hits = [(0, 2), (3, 1), (4, 2), (6, 2)] if span == BAR else [(0, 2), (2, 2)]
            keys = sorted(60 + (root + i) % 12 - (12 if (root + i) % 12 > 7 else 0) for i in quality)
            for at, eighths in hits:
                for k in keys:
                    track.note(start + b * BAR + offset + at * EIGHTH, 1, k, eighths * EIGHTH - 30, 62)


def write_bass(track, bars, start):
    for b, symbols in enumerate(bars):
        for (root, quality), offset, span in bar_chords(symbols):
            low = 36 + root if root < 8 else 24 + root
            fifth = low + 7
            pattern = ([(0, 2, low), (3, 1, low), (4, 2, fifth), (6, 1, low + 12), (7, 1, fifth)]
                       if span == BAR else [(0, 2, low), (2, 1, fifth), (3, 1, low + 12)])
            for at, eighths, key in pattern:
                track.note(start + b * BAR + offset + at * EIGHTH, 2, key, eighths * EIGHTH - 40, 96)


def write_drums(track, bars, start, style, last_section):
    for b in range(bars):
        bar = start + b * BAR
        fill = b == bars - 1
        if b == 0 and style != "light":
            track.note(bar, 9, CRASH, EIGHTH, 100)
        for e in range(8):
            t = bar + e * EIGHTH
            if style == "light":
                if e in (0, 4):
                    track.note(t, 9, KICK, EIGHTH, 90)
                track.note(t, 9, HAT, EIGHTH // 2, 50 if e % 2 else 70)
                continue
            if style == "ride":
                if e % 2 == 0:
                    track.note(t, 9, RIDE, EIGHTH, 70)
                if e == 0 or e == 5:
                    track.note(t, 9, KICK, EIGHTH, 95)
                if e in (2, 6):
                    track.note(t, 9, CLAP, EIGHTH, 70)
                continue
            if fill and e >= 6:
                continue
            kicks = (0, 3, 4) if style == "drive" else (0, 4, 5)
            if e in kicks:
                track.note(t, 9, KICK, EIGHTH, 105)
            if e in (2, 6):
                track.note(t, 9, SNARE, EIGHTH, 95)
            hat = OPEN_HAT if (style == "drive" and e == 7) else HAT
            if not (b == 0 and e == 0):
                track.note(t, 9, hat, EIGHTH // 2, 72 if e % 2 == 0 else 55)
        if fill and style != "light":
            # Sixteenths over the last beat: snare in sections, toms down
            # into the restart at the very end of the piece.
            sixteenth = EIGHTH // 2
            for i in range(4):
                t = bar + 6 * EIGHTH + i * sixteenth
                key = TOMS[i] if last_section else SNARE
                track.note(t, 9, key, sixteenth, 80 + 5 * i)


def compose():
    tempo, lead, piano, bass, drums, glock = (Track() for _ in range(6))
    tempo.add(0, b"\xff\x51\x03" + struct.pack(">I", round(60_000_000 / TEMPO_BPM))[1:], 0)
    tempo.add(0, b"\xff\x58\x04\x04\x02\x18\x08", 0)  # 4/4
    tempo.add(0, b"\xff\x03\x07Glamora", 0)
    setup(lead, 0, 80, 84, 64, 50)    # square lead
    setup(piano, 1, 4, 80, 44, 60)    # electric piano
    setup(bass, 2, 33, 100, 64, 20)   # fingered bass
    setup(glock, 3, 9, 70, 84, 70)    # glockenspiel
    drums.add(0, [0xB9, 7, 96], 0)
    drums.add(0, [0xB9, 91, 40], 0)

    start = 0
    for index, (name, melody, glock_line, chords, style) in enumerate(SECTIONS):
        assert len(melody) == len(chords), name
        write_line(lead, 0, melody, start, 0, 100)
        if glock_line is not None:
            # The intro's hook sounds as written; doublings an octave up.
            write_line(glock, 3, glock_line, start, 0 if name == "intro" else 12, 72 if name == "intro" else 58, 0.6)
        write_piano(piano, chords, start)
        write_bass(bass, chords, start)
        write_drums(drums, len(chords), start, style, index == len(SECTIONS) - 1)
        start += len(chords) * BAR

    tracks = [tempo, lead, glock, piano, bass, drums]
    header = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS)
    return header + b"".join(t.chunk(start) for t in tracks), start


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data", "Glamora.mid")
    data, ticks = compose()
    with open(out, "wb") as f:
        f.write(data)
    seconds = ticks / TICKS * 60 / TEMPO_BPM
    print(f"{out}: {len(data)} bytes, {ticks // BAR} bars, {seconds:.1f} s")


if __name__ == "__main__":
    main()
