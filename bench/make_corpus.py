#!/usr/bin/env python3
"""Writes the deterministic benchmark corpus: a small presentation folder and a large one."""
import os
import random
import sys

MB = 1024 * 1024
WORDS = ("slide shape text run paragraph theme master layout notes chart series axis value title body "
         "picture media transition timing animation effect colour scheme font latin east asian").split()


def incompressible(rng, size):
    return rng.randbytes(size)


def xml_text(rng, size):
    """XML-like text that deflates to roughly a quarter, as presentation parts do."""
    out, length, n = [], 0, 0
    while length < size:
        w = rng.choice(WORDS)
        line = '<p:%s id="%d" x="%d" y="%d" name="%s %s">%s</p:%s>\n' % (
            w, n, rng.randrange(9_144_000), rng.randrange(6_858_000), rng.choice(WORDS), rng.choice(WORDS),
            " ".join(rng.choice(WORDS) for _ in range(rng.randrange(3, 12))), w)
        out.append(line)
        length += len(line)
        n += 1
    return "".join(out).encode()[:size]


def presentation(rng, size):
    """A binary presentation: records of text between blocks of embedded, already compressed pictures."""
    parts, length = [], 0
    while length < size:
        block = xml_text(rng, 48 * 1024) if rng.random() < 0.6 else incompressible(rng, 32 * 1024)
        parts.append(block)
        length += len(block)
    return b"".join(parts)[:size]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def small(root):
    rng = random.Random(1)
    write(os.path.join(root, "课件.ppt"), presentation(rng, 2 * MB))
    for i in range(6):
        write(os.path.join(root, "images", "photo%d.jpg" % i), incompressible(rng, 100 * 1024))
    for i in range(4):
        write(os.path.join(root, "notes", "note%d.xml" % i), xml_text(rng, 100 * 1024))
    write(os.path.join(root, "media", "clips.zip"), incompressible(rng, 200 * 1024))


def large(root):
    rng = random.Random(2)
    write(os.path.join(root, "课件.pptx"), presentation(rng, 4 * MB))
    video = os.path.join(root, "media", "lecture.wmv")
    os.makedirs(os.path.dirname(video), exist_ok=True)
    with open(video, "wb") as f:
        for _ in range(200):
            f.write(incompressible(rng, MB))
    # 60 MB of text in 500 files, three folders deep.
    for i in range(500):
        folder = os.path.join(root, "parts", "unit%d" % (i % 5), "lesson%d" % (i % 25), "slides%d" % (i % 50))
        write(os.path.join(folder, "slide%d.xml" % i), xml_text(rng, 60 * MB // 500))
    for i in range(40):
        write(os.path.join(root, "pictures", "picture%02d.png" % i), incompressible(rng, MB))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_corpus.py FOLDER")
    base = sys.argv[1]
    for name, make in (("small", small), ("large", large)):
        root = os.path.join(base, name)
        stamp = root + ".complete"  # beside the folder, so it is not archived
        if not os.path.exists(stamp):
            make(root)
            open(stamp, "w").close()


main()
