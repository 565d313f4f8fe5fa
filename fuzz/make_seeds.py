#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target from real packets of the
program's own logs (the golden logs of the tests): a Read ID, status
replies, a Verify End, Read Data packets, the writer's identity and update
replies, NAND information, bad block and data replies, device images,
device lists, resource tables and manifests.

The targets read their input with libFuzzer's FuzzedDataProvider, which
takes byte strings from the front and numbers from the back; Seed builds
inputs the same way. Run it from anywhere; it rewrites fuzz/corpus/."""
import os
import shutil
import struct


class Seed:
    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order the target consumes them

    def number(self, value, span):
        """ConsumeIntegralInRange(min, min + span) of value - min."""
        n = 0
        while span >> (8 * n):
            n += 1
        for i in range(max(n, 1) if span else 0):
            self.back.append((value >> (8 * (n - 1 - i))) & 0xFF)
        return self

    def flag(self, value):
        self.back.append(1 if value else 0)
        return self

    def data(self, raw):
        self.front += bytes(raw)
        return self

    def reply(self, raw):
        """One scripted reply: its length (0 to 64), then its bytes."""
        self.number(len(raw), 64)
        return self.data(raw)

    def bytes(self):
        return bytes(self.front) + bytes(reversed(self.back))


def packet(*payload, count=64):
    raw = bytes(payload)
    return raw + bytes(count - len(raw))


def status(code, *states):
    return packet(code, 7, *(states or (0,) * 7))


READ_ID = packet(0xA0, 7, *([0x51] * 7))
READ_ID_EXTENDED = bytes([0xA0, 21] + [0x65] * 7 + [0x5C, 0x41] * 7)
VERIFY_END = packet(0xA7, 28, *([0xD9, 0xC6, 0x0B, 0x34] * 7))
READ_DATA = packet(0xAA, 62, *range(62))
READ_DATA_LAST = packet(0xAA, 38, *range(38))
IDENTITY = packet(0xF0, 4, 0x03, 0x00, 0x05, 0x01)


def chip_seeds():
    seeds = {}
    for name, reply in [("status", status(0xC0, 0, 3, 0, 0, 0x80, 0, 0)), ("read_id", READ_ID),
                        ("read_id_extended", READ_ID_EXTENDED), ("verify_end", VERIFY_END),
                        ("read_data", READ_DATA)]:
        s = Seed().flag(True).number(7, 9).number(62, 0xFFFFFFFF)
        s.back += bytes(7)  # the status before
        s.number(len(reply), 64).data(reply)
        seeds[name] = s.bytes()
    run = Seed().flag(False).number(6, 6).number(99, 699)
    for reply in [READ_ID, status(0xA1), packet(0xA4, 1, 0), READ_DATA, READ_DATA_LAST, status(0xA2)]:
        run.reply(reply)
    seeds["read_100_bytes"] = run.bytes()
    return seeds


def writer_seeds():
    image = bytes([0x03, 0x00, 0x05, 0x01]) + bytes(range(60))
    s = Seed().number(len(image), 300).data(image)
    s.reply(IDENTITY).reply(packet(0xF1, 1, 0)).reply(packet(0xF2, 2, 0x17, 0x20)).reply(packet(0xF3, 1, 0))
    s.reply(packet(0xF4, 1, 0)).reply(packet(0xF4, 1, 0))
    s.reply(packet(0xF5, 62, *image[:62])).reply(packet(0xF5, 2, *image[62:64]))
    return {"update": s.bytes(), "identity": Seed().number(0, 300).reply(IDENTITY).bytes()}


def nand_seeds():
    info = packet(0xA0, 17, *struct.pack("<II", 131072, 1024), *b"SIMNAND\0\0")
    bad = packet(0xA9, 60, *struct.pack("<15I", *range(3, 18)))
    seeds = {"information": Seed().flag(True).number(0xA0, 255).number(len(info), 64).data(info).bytes(),
             "bad_block_table": Seed().flag(True).number(0xA9, 255).number(64, 64).data(bad).bytes()}
    order = [0, 2, 3, 4, 5, 7, 8, 9, 10, 11, 1]
    s = Seed().flag(False).number(len(order) - 1, 23).data(order)
    for reply in [packet(0xAE, 1, 0), info, packet(0xA8, 4, 15, 0, 0, 0), bad, packet(0xAB, 4, 7, 0, 0, 0),
                  packet(0xA2, 1, 0), packet(0xD0, 1, 0), packet(0xD1, 1, 0), packet(0xA3, 1, 0),
                  packet(0xA4, 62, *range(62)), packet(0xAF, 1, 0)]:
        s.reply(reply)
    seeds["bracket"] = s.bytes()
    return seeds


def device_list_record(number, name, sector, flash, chip, maker, device):
    return struct.pack("<H22sIIBBBB12s", number, name.encode(), sector, flash, chip, 0, maker, device, bytes(12))


def device_file_seeds():
    records = device_list_record(0x0003, "ORB-C300", 4, 128, 0x51, 0x3A, 0x21) + \
        device_list_record(0xFFFF, "Not Registered!", 0, 0, 0, 0, 0)
    image = bytes([0x03, 0x00, 0x05, 0x01]) + bytes(200)
    return {"image": Seed().number(0, 2).data(image).bytes(),
            "device_list": Seed().number(1, 2).data(records).bytes(),
            "resource_table": Seed().number(2, 2).number(len(records), 200).data(records).data(b"\x7fELF" + bytes(60)).bytes()}


def manifest_seeds():
    doc = (b'<?xml version="1.0" encoding="UTF-8"?>\n<update><files>'
           b'<file name="Vantrell.exe" version="1.18.2187.66" exec="1"/>'
           b'<file name="Device/ORB-C300.bin" version="1.05"/></files></update>')
    out = {}
    # ConsumeRandomLengthString ends a string at a backslash followed by another character.
    for name, a, b in [("versions", "1.10", "1.9"), ("climbing", "../../etc/passwd", "1.2.0")]:
        out[name] = a.encode() + b"\\x" + b.encode() + b"\\x" + doc
    return out


def sim_seeds():
    def frame(code, *payload):
        return bytes([code, len(payload), *payload])
    chip = Seed().number(1, 255)
    for f in [frame(0xF0), frame(0xA0), frame(0xC0), frame(0xC1, 0, 0, 0, 0), frame(0xC6), frame(0xD0),
              frame(0xD3, 0, 0, 0, 0, 0x42), frame(0xD4, *range(62)), frame(0xD1), frame(0xA8)]:
        chip.number(len(f) - 1, 65).data(f).flag(False).number(63, 79)
    nand = Seed().number(2, 255)
    for f in [frame(0xAE), frame(0xA0), frame(0xA8), frame(0xA9), frame(0xD0, 3, 0, 0, 0), frame(0xD1, *range(62)),
              frame(0xD1), frame(0xA3, 3, 0, 0, 0), frame(0xA4), frame(0xAF)]:
        nand.number(len(f) - 1, 65).data(f).flag(False).number(63, 79)
    return {"chip_run": chip.bytes(), "nand_run": nand.bytes()}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    corpus = os.path.join(here, "corpus")
    targets = {"chip_replies_fuzz": chip_seeds(), "writer_replies_fuzz": writer_seeds(),
               "nand_replies_fuzz": nand_seeds(), "device_files_fuzz": device_file_seeds(),
               "manifest_fuzz": manifest_seeds(), "sim_requests_fuzz": sim_seeds()}
    shutil.rmtree(corpus, ignore_errors=True)
    for target, seeds in targets.items():
        os.makedirs(os.path.join(corpus, target))
        for name, data in seeds.items():
            with open(os.path.join(corpus, target, name), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main()
