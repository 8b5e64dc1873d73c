#!/usr/bin/env python3
"""Writes data/zoemer.wav, the buzzer's sound: half a second of a 400 Hz buzz that the
program plays in a loop.

The buzz is a sine squeezed towards a square wave (tanh), which keeps its edges soft.
Half a second holds exactly 200 periods of 400 Hz, so the last sample leads smoothly
into the first and the loop has no click.
"""

import math
import struct
import sys
import wave
from pathlib import Path

RATE = 22050        # samples per second
FREQUENCY = 400     # Hz
SECONDS = 0.5
SQUARENESS = 3.0    # 0 would be a pure sine; higher is closer to a square wave
LEVEL = 0.45        # of full scale


def samples():
    count = round(RATE * SECONDS)
    assert (FREQUENCY * count) % RATE == 0, "the loop must hold whole periods"
    norm = math.tanh(SQUARENESS)
    for n in range(count):
        x = math.tanh(SQUARENESS * math.sin(2 * math.pi * FREQUENCY * n / RATE)) / norm
        yield round(LEVEL * 32767 * x)


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else \
        Path(__file__).resolve().parent.parent / "data" / "zoemer.wav"
    with wave.open(str(target), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", s) for s in samples()))
    print(f"{target}: {SECONDS} s, {FREQUENCY} Hz")


if __name__ == "__main__":
    main()
