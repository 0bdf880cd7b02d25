// The game's tune, "Numeria": a bouncy C-major melody over I-V-vi-IV, a walking bass, an
// arpeggiated chord and a little drum kit, on samples synthesised here. Four patterns played
// twice make a loop of about a minute.
#include "modfile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <sstream>

namespace gen {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDrumRate = 8287.0;  // playback rate of a sample at C-2

std::int8_t clip(double v) { return static_cast<std::int8_t>(std::clamp(std::lround(v * 127.0), -127L, 127L)); }

// A looping single-cycle wave, repeated so the loop is long enough for any player.
ModSample cycleSample(const char* name, int cycle, int volume, double (*wave)(double)) {
    ModSample s;
    s.name = name;
    s.volume = volume;
    const int repeats = 512 / cycle;
    for (int r = 0; r < repeats; ++r)
        for (int i = 0; i < cycle; ++i) s.data.push_back(clip(wave(i / double(cycle))));
    s.loopStart = 0;
    s.loopLength = static_cast<int>(s.data.size());
    return s;
}

double pulse(double t) { return t < 0.25 ? 0.7 : -0.7; }
double triangle(double t) { return t < 0.5 ? 4 * t - 1 : 3 - 4 * t; }
double softSaw(double t) { return (2 * t - 1) * 0.6 + 0.25 * std::sin(2 * kPi * t); }

// Repeatable noise for the drums.
struct Lfsr {
    std::uint32_t state = 0xACE1u;
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state & 0xFFFF) / 32767.5 - 1.0;
    }
};

ModSample kick() {
    ModSample s{"kick", {}, 64, 0, 0};
    double phase = 0;
    for (int i = 0; i < 1400; ++i) {
        const double t = i / kDrumRate;
        const double f = 55 + 110 * std::exp(-t * 30);
        phase += f / kDrumRate;
        s.data.push_back(clip(std::sin(2 * kPi * phase) * std::exp(-t * 14)));
    }
    return s;
}

ModSample snare() {
    ModSample s{"snare", {}, 44, 0, 0};
    Lfsr n;
    for (int i = 0; i < 1600; ++i) {
        const double t = i / kDrumRate;
        const double v = 0.55 * n.next() * std::exp(-t * 18) + 0.4 * std::sin(2 * kPi * 190 * t) * std::exp(-t * 30);
        s.data.push_back(clip(v));
    }
    return s;
}

ModSample hat() {
    ModSample s{"hat", {}, 30, 0, 0};
    Lfsr n;
    n.state = 0x1234u;
    double last = 0;
    for (int i = 0; i < 480; ++i) {
        const double t = i / kDrumRate;
        const double v = n.next();
        s.data.push_back(clip((v - last) * 0.45 * std::exp(-t * 60)));
        last = v;
    }
    return s;
}

enum Sample { kLead = 1, kBass, kChord, kKick, kSnare, kHat };

// "E-2" -> period; "." or anything else -> 0.
int parseNote(const std::string& w) {
    static constexpr std::array<const char*, 12> kNames = {"C-", "C#", "D-", "D#", "E-", "F-",
                                                           "F#", "G-", "G#", "A-", "A#", "B-"};
    if (w.size() != 3) return 0;
    for (int i = 0; i < 12; ++i)
        if (w.compare(0, 2, kNames[static_cast<std::size_t>(i)]) == 0) return notePeriod(w[2] - '0', i);
    return 0;
}

// One voice over 64 rows, 16 words a bar: a note starts, "." lets it ring with a gentle fade.
void writeVoice(ModPattern& p, int channel, Sample sample, const std::string& rows, int fade) {
    std::istringstream in(rows);
    std::string w;
    for (int r = 0; r < 64 && (in >> w); ++r) {
        ModCell& c = p.cells[r][channel];
        const int period = parseNote(w);
        if (period != 0) {
            c.period = period;
            c.sample = sample;
        } else if (fade > 0) {
            c.effect = 0xA;
            c.param = fade;  // volume slide down
        }
    }
}

struct Chord {
    const char* root;  // note of the chord, octave 2
    int arpeggio;      // 0x47 major, 0x37 minor
    const char* bass;  // root an octave lower
    const char* fifth;
};

constexpr Chord kC{"C-2", 0x47, "C-1", "G-1"};
constexpr Chord kG{"G-1", 0x47, "G-1", "D-1"};
constexpr Chord kAm{"A-1", 0x37, "A-1", "E-1"};
constexpr Chord kF{"F-1", 0x47, "F-1", "C-1"};

void writeHarmony(ModPattern& p, const std::array<Chord, 4>& bars) {
    for (int b = 0; b < 4; ++b) {
        const Chord& ch = bars[static_cast<std::size_t>(b)];
        const int root = parseNote(ch.bass);
        const int up = root / 2;  // an octave higher
        const int fifth = parseNote(ch.fifth);
        const int bassLine[8] = {root, up, root, up, fifth, up, root, up};
        for (int k = 0; k < 8; ++k) {
            ModCell& c = p.cells[b * 16 + k * 2][1];
            c.period = bassLine[k];
            c.sample = kBass;
            p.cells[b * 16 + k * 2 + 1][1].effect = 0xA;
            p.cells[b * 16 + k * 2 + 1][1].param = 0x04;
        }
        for (int r = 0; r < 16; ++r) {
            ModCell& c = p.cells[b * 16 + r][2];
            if (r == 0 || r == 8) {
                c.period = parseNote(ch.root);
                c.sample = kChord;
            }
            c.effect = 0x0;
            c.param = ch.arpeggio;
        }
        for (int r = 0; r < 16; r += 2) {
            ModCell& c = p.cells[b * 16 + r][3];
            c.period = notePeriod(2, 0);
            c.sample = (r % 8 == 0) ? kKick : (r % 8 == 4 ? kSnare : kHat);
        }
    }
}

}  // namespace

std::vector<std::uint8_t> makeSong() {
    Module m;
    m.title = "Numeria";
    m.samples.push_back(cycleSample("lead", 32, 48, pulse));
    m.samples.push_back(cycleSample("bass", 64, 58, triangle));
    m.samples.push_back(cycleSample("chord", 32, 18, softSaw));
    m.samples.push_back(kick());
    m.samples.push_back(snare());
    m.samples.push_back(hat());

    const std::array<const char*, 4> melodies = {
        "E-2 . G-2 . C-3 . . . G-2 . E-2 . G-2 . . . "
        "D-3 . . . B-2 . G-2 . A-2 . B-2 . D-3 . . . "
        "C-3 . . . A-2 . E-2 . A-2 . C-3 . E-3 . . . "
        "D-3 . C-3 . A-2 . F-2 . G-2 . . . . . . . ",
        "C-3 . E-3 . G-3 . E-3 . C-3 . . . G-2 . . . "
        "B-2 . D-3 . G-3 . D-3 . B-2 . . . G-2 . . . "
        "A-2 . C-3 . E-3 . C-3 . A-2 . B-2 . C-3 . . . "
        "F-2 . A-2 . C-3 . A-2 . G-2 . . . . . . . ",
        "G-3 . G-3 . E-3 . C-3 . E-3 . G-3 . . . . . "
        "F-3 . F-3 . D-3 . B-2 . D-3 . F-3 . . . . . "
        "E-3 . E-3 . C-3 . A-2 . C-3 . E-3 . . . . . "
        "D-3 . C-3 . A-2 . C-3 . D-3 . . . E-3 . . . ",
        "A-2 . C-3 . F-3 . C-3 . A-2 . C-3 . F-3 . . . "
        "B-2 . D-3 . G-3 . D-3 . B-2 . D-3 . G-3 . . . "
        "C-3 . E-3 . G-3 . E-3 . C-3 . . . E-3 . . . "
        "D-3 . . . . . . . B-2 . . . G-2 . . . ",
    };
    const std::array<std::array<Chord, 4>, 4> harmony = {{
        {kC, kG, kAm, kF},
        {kC, kG, kAm, kF},
        {kC, kG, kAm, kF},
        {kF, kG, kC, kG},
    }};
    for (int i = 0; i < 4; ++i) {
        ModPattern p{};
        writeVoice(p, 0, kLead, melodies[static_cast<std::size_t>(i)], 0x02);
        writeHarmony(p, harmony[static_cast<std::size_t>(i)]);
        m.patterns.push_back(p);
    }
    // Speed 6, tempo 125 at the start.
    m.patterns[0].cells[0][3].effect = 0xF;
    m.patterns[0].cells[0][3].param = 6;
    m.order = {0, 1, 2, 3, 0, 1, 2, 3};
    return encodeModule(m);
}

}  // namespace gen
