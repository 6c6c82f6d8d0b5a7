#!/usr/bin/env python3
"""Writes the starting inputs of the fuzz targets: one small example of every layout each reads.

Streams carry few records so the inputs stay small; the fuzzer grows them where it pays.
Run from anywhere: python3 fuzz/make-seeds.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ID = b"xMvO"  # 'OvMx' as a little-endian machine stores it
STORE_BINARY = b"\x03"


def name(text):
    return text.encode().ljust(24, b"\0")


def records(program_index, values, label):
    out = struct.pack("<iii", 0, 156, program_index) + name(label) + bytes(132)
    for k, v in values:
        out += struct.pack("<iiiiiif", 1, 20, program_index, k, 0, 0, v) + bytes(4)
    return out


def stream(kind, body, count, current=0):
    return ID + kind + struct.pack("<iiiii", 0x01050000, 26, count, current, len(body)) + bytes(16) + body


def reversed_stream(data):
    """Every integer and value turned round, as a big-endian writer stores it."""
    out = bytearray(data)
    out[0:4] = out[0:4][::-1]
    for at in range(5, 41, 4):
        out[at:at + 4] = out[at:at + 4][::-1]
    at = 41
    count = struct.unpack_from("<i", data, 13)[0]
    for _ in range(count):
        kind, size = struct.unpack_from("<ii", data, at)
        fields = 3 + (5 if kind == 1 else 0)
        for f in range(fields):
            out[at + 4 * f:at + 4 * f + 4] = out[at + 4 * f:at + 4 * f + 4][::-1]
        at += 12 + size
    return bytes(out)


def preset_stream():
    body = records(0, [(0, 0.5), (4, 0.25), (25, 0.025)], "Seed preset")
    return stream(b'"', body, 4)


def bank_stream():
    body = records(0, [(1, 0.75), (25, 0.025)], "Seed A") + records(5, [(3, 1.0)], "Seed B")
    return stream(b"8", body, 5, current=5)


def legacy_preset():
    return ID + b"!" + name("Old preset") + struct.pack("<3f", 0.5, 0.5, 0.2)


def legacy_bank():
    return ID + b"7" + b"".join(name("Old %d" % p) + struct.pack("<f", 0.5) for p in range(27))


def legacy_chunk():
    head = struct.pack("<i4sii", 0x01000000, ID, 2, 1) + bytes(16)
    return head + b"".join(name("Chunk %d" % p) + struct.pack("<2f", 0.25, 0.75) for p in range(2))


def chunk(data):
    return struct.pack("<i", 0x02000000) + ID + data


def reversed_chunk(data):
    return struct.pack(">i", 0x02000000) + ID[::-1] + reversed_stream(data)


SEEDS = {
    "HostChunk": {
        "bank": chunk(bank_stream()),
        "bank-reversed": reversed_chunk(bank_stream()),
        "legacy": legacy_chunk(),
    },
    "PresetFile": {
        "stream": preset_stream(),
        "stream-reversed": reversed_stream(preset_stream()),
        "legacy": legacy_preset(),
    },
    "BankFile": {
        "stream": bank_stream(),
        "stream-reversed": reversed_stream(bank_stream()),
        "legacy": legacy_bank(),
    },
    "StoredValue": {
        "preset": STORE_BINARY + preset_stream(),
        "bank": STORE_BINARY + bank_stream(),
        "legacy-preset": STORE_BINARY + legacy_preset(),
        "string": b"\x01" + preset_stream(),
    },
}

for target, seeds in SEEDS.items():
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for label, data in seeds.items():
        with open(os.path.join(folder, "seed-" + label), "wb") as f:
            f.write(data)
