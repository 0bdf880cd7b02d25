#include "modfile.h"

#include <algorithm>

namespace gen {

int notePeriod(int octave, int semitone) {
    static constexpr int kPeriods[36] = {
        856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453, 428, 404, 381, 360, 339, 320,
        302, 285, 269, 254, 240, 226, 214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
    };
    const int i = std::clamp((octave - 1) * 12 + semitone, 0, 35);
    return kPeriods[i];
}

namespace {
void putText(std::vector<std::uint8_t>& out, const std::string& s, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) out.push_back(i < s.size() ? static_cast<std::uint8_t>(s[i]) : 0);
}
void putWordBE(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 255));
    out.push_back(static_cast<std::uint8_t>(v & 255));
}
}  // namespace

std::vector<std::uint8_t> encodeModule(const Module& m) {
    std::vector<std::uint8_t> out;
    putText(out, m.title, 20);
    for (int i = 0; i < 31; ++i) {
        if (i < static_cast<int>(m.samples.size())) {
            const ModSample& s = m.samples[static_cast<std::size_t>(i)];
            putText(out, s.name, 22);
            putWordBE(out, static_cast<int>(s.data.size() / 2));
            out.push_back(0);  // finetune
            out.push_back(static_cast<std::uint8_t>(std::clamp(s.volume, 0, 64)));
            if (s.loopLength > 2) {
                putWordBE(out, s.loopStart / 2);
                putWordBE(out, s.loopLength / 2);
            } else {
                putWordBE(out, 0);
                putWordBE(out, 1);  // no loop
            }
        } else {
            putText(out, "", 22);
            putWordBE(out, 0);
            out.push_back(0);
            out.push_back(0);
            putWordBE(out, 0);
            putWordBE(out, 1);
        }
    }
    out.push_back(static_cast<std::uint8_t>(m.order.size()));
    out.push_back(127);
    for (int i = 0; i < 128; ++i)
        out.push_back(i < static_cast<int>(m.order.size()) ? static_cast<std::uint8_t>(m.order[static_cast<std::size_t>(i)]) : 0);
    putText(out, "M.K.", 4);
    for (const ModPattern& p : m.patterns)
        for (const auto& row : p.cells)
            for (const ModCell& c : row) {
                out.push_back(static_cast<std::uint8_t>((c.sample & 0xF0) | ((c.period >> 8) & 0x0F)));
                out.push_back(static_cast<std::uint8_t>(c.period & 0xFF));
                out.push_back(static_cast<std::uint8_t>(((c.sample & 0x0F) << 4) | (c.effect & 0x0F)));
                out.push_back(static_cast<std::uint8_t>(c.param & 0xFF));
            }
    for (const ModSample& s : m.samples)
        for (std::int8_t v : s.data) out.push_back(static_cast<std::uint8_t>(v));
    return out;
}

}  // namespace gen
