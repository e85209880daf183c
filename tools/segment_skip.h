#pragma once
#include "synth/instrument.h"

// Whether a note can make the oscillator skip a waveform segment. The oscillator
// moves on by at most one segment a sample, so a segment is skipped (and the voice
// extrapolates its previous segment, overshooting) only where one sample's step is
// wider than that segment while the voice passes it. The check follows the note's
// control ticks as the voice does (pitch curve, arpeggio, and the blend of the two
// shapes that sets each segment's width), so a fast step over wide segments does
// not count, and a narrow segment counts only while the step is wider.

struct SegmentSkip {
    int tick;      // the control tick (from 1) at which it first can happen
    int note;      // the note sounding then, arpeggio included
    int segment;   // the segment that can be skipped (0: the first two, after a wrap)
    double step;   // of a cycle per sample
    double width;  // of the segment, in cycles
};

// Plays `note` of `instrument` tick by tick (a one-shot to its end; a held note for
// a few passes of its longest curve) and reports the first skip that can happen.
// NoteTable must be filled. False when no segment can ever be skipped.
bool FindSegmentSkip(const Instrument& instrument, int note, SegmentSkip& skip);
