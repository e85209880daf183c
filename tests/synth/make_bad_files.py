#!/usr/bin/env python3
"""Writes the hostile instrument and song files of tests/bad/.

Each file breaks one limit of the formats (or ends early); the name says
which. Run from anywhere; rewrites the files in place."""
import os
import struct

BAD = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bad")


def text(s):
    return bytes([len(s)]) + s.encode()


def curve(length, points, loop=0, loop_point=0, count=None):
    out = struct.pack("<hBBB", length, loop, loop_point, len(points) if count is None else count)
    for x, y in points:
        out += bytes([x, y])
    return out


def instrument(name="i", one_shot=0, noise=0, arp=(), arp_speed=0, amp_length=10,
               pitch_length=10, release_length=10, morph_length=10, arp_count=None):
    out = text(name) + bytes([one_shot, noise, len(arp) if arp_count is None else arp_count])
    if (len(arp) if arp_count is None else arp_count) > 0:
        out += bytes([arp_speed]) + bytes(arp)
    shape = curve(1, [(0, 0), (255, 255)])
    if not noise:
        out += shape + shape
    out += curve(amp_length, [(0, 255), (255, 255)])
    if not one_shot:
        out += curve(release_length, [(0, 255), (255, 0)])
    out += curve(pitch_length, [(0, 128), (255, 128)])
    if not noise:
        out += curve(morph_length, [(0, 0), (255, 0)])
    return out


def pattern(length, notes=(), name="p"):
    note = [-1] * 768
    inst = [0] * 768
    for row, (n, i) in enumerate(notes):
        note[row] = n
        inst[row] = i
    out = struct.pack("<i", length) + bytes(8) + name.encode().ljust(260, b"\0")
    out += struct.pack("<768i", *note) + struct.pack("<768i", *inst) + bytes(6912)
    assert len(out) == 13328
    return out


def song(title="song", instruments=(instrument(),), patterns=(pattern(1, [(48, 0)]),), orders=(0,),
         instrument_count=None, length=None):
    out = text(title)
    out += bytes([len(instruments) if instrument_count is None else instrument_count])
    out += b"".join(instruments)
    out += bytes([len(patterns)]) + b"".join(patterns)
    out += struct.pack("<H", len(orders) if length is None else length)
    out += b"".join(struct.pack("<H", o) for o in orders)
    return out


def write(name, data):
    with open(os.path.join(BAD, name), "wb") as f:
        f.write(data)


def main():
    os.makedirs(BAD, exist_ok=True)
    write("instrument_empty_file.zdi", b"")
    write("instrument_cut_inside_name.zdi", text("explosion")[:5])
    write("instrument_cut_inside_pitch_curve.zdi", instrument(one_shot=1, noise=1)[:-3])
    write("instrument_arpeggio_count_7.zdi", instrument(arp=(0, 3, 7, 12, 7, 3, 0), arp_speed=100))
    write("instrument_arpeggio_count_255.zdi", instrument(arp_count=255, arp=bytes(255), arp_speed=1))
    write("instrument_curve_with_101_points.zdi",
          text("i") + bytes([1, 1, 0]) + curve(4, [(i, i) for i in range(101)]) + curve(4, [(0, 128), (255, 128)]))
    write("instrument_curve_count_255_cut_short.zdi",
          text("i") + bytes([1, 1, 0]) + curve(4, [(0, 0)], count=255))
    write("instrument_amp_length_0.zdi", instrument(amp_length=0))
    write("instrument_pitch_length_negative.zdi", instrument(pitch_length=-5))
    write("instrument_release_length_0.zdi", instrument(release_length=0))
    write("instrument_morph_length_0.zdi", instrument(morph_length=0))

    write("song_empty_file.zds", b"")
    write("song_title_32_characters.zds", song(title="x" * 32))
    write("song_title_100_characters.zds", text("y" * 100))
    write("song_101_instruments.zds", song(instruments=[instrument()] * 101))
    write("song_instrument_count_255.zds", song(instrument_count=255))
    write("song_instrument_arpeggio_count_9.zds", song(instruments=(instrument(arp=tuple(range(9))),)))
    write("song_instrument_amp_length_0.zds", song(instruments=(instrument(amp_length=0),)))
    write("song_length_16385.zds", song(orders=[0] * 16385))
    write("song_length_65535.zds", song(length=65535))
    write("song_pattern_length_33.zds", song(patterns=(pattern(33, [(48, 0)]),)))
    write("song_pattern_length_negative.zds", song(patterns=(pattern(-1, [(48, 0)]),)))
    write("song_pattern_cut_short.zds", song()[:-2000])
    write("song_order_names_missing_pattern.zds", song(orders=(0, 1)))
    write("song_order_cut_after_first_entry.zds", song(orders=(0, 0, 0))[:-4])
    write("song_note_names_missing_instrument.zds", song(patterns=(pattern(1, [(48, 0), (50, 1)]),)))
    write("song_note_names_negative_instrument.zds", song(patterns=(pattern(1, [(48, -1)]),)))
    write("song_note_120.zds", song(patterns=(pattern(1, [(120, 0)]),)))
    write("song_note_plus_arpeggio_above_119.zds",
          song(instruments=(instrument(arp=(0, 12), arp_speed=100),), patterns=(pattern(1, [(110, 0)]),)))
    write("song_note_on_last_row_of_length_32_names_missing_instrument.zds",
          song(patterns=(pattern(32, [(-1, 0)] * 255 + [(60, 3)]),)))


if __name__ == "__main__":
    main()
