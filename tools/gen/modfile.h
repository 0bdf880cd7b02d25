// A four-channel ProTracker module ("M.K."): the container writer, and the game's tune.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gen {

struct ModSample {
    std::string name;               // at most 22 characters
    std::vector<std::int8_t> data;  // even length, at most 131070 bytes
    int volume = 64;                // 0..64
    int loopStart = 0;              // bytes, even
    int loopLength = 0;             // bytes, even; 0 for a one-shot sample
};

struct ModCell {
    int period = 0;  // 0: no note
    int sample = 0;  // 1..31, 0: none
    int effect = 0;  // 0..15
    int param = 0;   // 0..255
};

struct ModPattern {
    ModCell cells[64][4];
};

struct Module {
    std::string title;               // at most 20 characters
    std::vector<ModSample> samples;  // at most 31
    std::vector<ModPattern> patterns;
    std::vector<int> order;  // 1..128 pattern numbers
};

// The period of a note: octave 1..3 and semitone 0..11 (C = 0), finetune 0.
int notePeriod(int octave, int semitone);

std::vector<std::uint8_t> encodeModule(const Module& module);

// "music/3dparadise.mod": a cheerful looping tune on our own synthesised 8-bit samples.
std::vector<std::uint8_t> makeSong();  // song.cpp

}  // namespace gen
