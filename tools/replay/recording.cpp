#include "recording.h"

#include "platform/scan_codes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace replay {

namespace {

namespace hl = plat::headless;
using hl::InputKind;

// Each kind's word and how many numbers follow it (a key, a button or an axis counts as one,
// written by name).
struct Kind {
    InputKind kind;
    const char* word;
    int values;
};
constexpr Kind kKinds[] = {
    {InputKind::Time, "time", 1},
    {InputKind::Advance, "advance", 1},
    {InputKind::TimeStep, "step", 1},
    {InputKind::Message, "message", 3},
    {InputKind::Click, "click", 2},
    {InputKind::Escape, "escape", 0},
    {InputKind::Close, "close", 0},
    {InputKind::Foreground, "foreground", 1},
    {InputKind::Mouse, "mouse", 2},
    {InputKind::Key, "key", 2},
    {InputKind::ReleaseKeys, "release-keys", 0},
    {InputKind::Plug, "plug", 1},
    {InputKind::Unplug, "unplug", 1},
    {InputKind::PadButton, "pad", 3},
    {InputKind::PadAxis, "stick", 3},
    {InputKind::Repeat, "repeat", 1},
};

constexpr std::array<std::pair<std::uint8_t, const char*>, 9> kKeyNames = {{
    {plat::kScanEnter, "Enter"},
    {plat::kScanBackspace, "Backspace"},
    {plat::kScanTab, "Tab"},
    {plat::kScanSpace, "Space"},
    {plat::kScanKeypadEnter, "KeypadEnter"},
    {plat::kScanUp, "Up"},
    {plat::kScanLeft, "Left"},
    {plat::kScanRight, "Right"},
    {plat::kScanDown, "Down"},
}};
constexpr const char* kButtonNames[] = {"south", "east", "start", "up", "down", "left", "right", "other"};
constexpr const char* kAxisNames[] = {"x", "y", "other"};

std::string keyName(std::int64_t scan) {
    for (const auto& [code, name] : kKeyNames)
        if (code == scan) return name;
    for (int letter = 0; letter < 26; ++letter)
        if (plat::kScanLetters[letter] == scan) return std::string(1, static_cast<char>('A' + letter));
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(scan & 0xFF));
    return hex;
}

// A number in decimal, or in hexadecimal after "0x".
bool number(std::string_view word, std::int64_t& value) {
    int base = 10;
    if (word.starts_with("0x")) {
        word.remove_prefix(2);
        base = 16;
    }
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    return ec == std::errc() && end == word.data() + word.size() && !word.empty();
}

bool keyCode(std::string_view word, std::int64_t& scan) {
    for (const auto& [code, name] : kKeyNames)
        if (word == name) return scan = code, true;
    if (word.size() == 1 && word[0] >= 'A' && word[0] <= 'Z') return scan = plat::kScanLetters[word[0] - 'A'], true;
    return word.starts_with("0x") && number(word, scan) && scan >= 0 && scan <= 0xFF;
}

template <std::size_t N>
bool nameIndex(std::string_view word, const char* const (&names)[N], std::int64_t& index) {
    for (std::size_t i = 0; i < N; ++i)
        if (word == names[i]) return index = static_cast<std::int64_t>(i), true;
    return false;
}

bool upOrDown(std::string_view word, std::int64_t& down) {
    if (word != "down" && word != "up") return false;
    down = word == "down" ? 1 : 0;
    return true;
}

// The values of one line after its word; false when one does not read.
bool values(InputKind kind, const std::vector<std::string_view>& words, hl::Input& in) {
    switch (kind) {
    case InputKind::Foreground:
        if (words[0] != "on" && words[0] != "off") return false;
        in.a = words[0] == "on" ? 1 : 0;
        return true;
    case InputKind::Key:
        return keyCode(words[0], in.a) && upOrDown(words[1], in.b);
    case InputKind::Repeat:
        return keyCode(words[0], in.a);
    case InputKind::PadButton:
        return number(words[0], in.a) && nameIndex(words[1], kButtonNames, in.b) && upOrDown(words[2], in.c);
    case InputKind::PadAxis:
        return number(words[0], in.a) && nameIndex(words[1], kAxisNames, in.b) && number(words[2], in.c);
    default: {
        std::int64_t* const slots[] = {&in.a, &in.b, &in.c};
        for (std::size_t i = 0; i < words.size(); ++i)
            if (!number(words[i], *slots[i])) return false;
        return true;
    }
    }
}

std::vector<std::string_view> split(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t\r", at);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t\r", start), line.size());
        words.push_back(line.substr(start, end - start));
        at = end;
    }
    return words;
}

}  // namespace

std::string writeInputs(const Inputs& inputs) {
    std::ostringstream out;
    out << "# A whole game, played headless: one input a line, \"<poll> <input> <values>\", in the order\n"
           "# taken; poll 0 comes before the first. time/advance/step N (ms), message ID W L,\n"
           "# click X Y, escape, close, foreground on|off, mouse X Y, key NAME down|up,\n"
           "# release-keys, plug/unplug PAD, pad PAD BUTTON down|up, stick PAD x|y VALUE,\n"
           "# repeat NAME (the desktop repeats a held key).\n";
    for (const hl::Input& in : inputs) {
        const Kind* kind = nullptr;
        for (const Kind& k : kKinds)
            if (k.kind == in.kind) kind = &k;
        out << in.poll << ' ' << kind->word;
        switch (in.kind) {
        case InputKind::Foreground:
            out << (in.a != 0 ? " on" : " off");
            break;
        case InputKind::Key:
            out << ' ' << keyName(in.a) << (in.b != 0 ? " down" : " up");
            break;
        case InputKind::Repeat:
            out << ' ' << keyName(in.a);
            break;
        case InputKind::PadButton:
            out << ' ' << in.a << ' ' << kButtonNames[in.b] << (in.c != 0 ? " down" : " up");
            break;
        case InputKind::PadAxis:
            out << ' ' << in.a << ' ' << kAxisNames[in.b] << ' ' << in.c;
            break;
        case InputKind::Message:
            out << " 0x" << std::hex << in.a << std::dec << ' ' << in.b << ' ' << in.c;
            break;
        default: {
            const std::int64_t v[] = {in.a, in.b, in.c};
            for (int i = 0; i < kind->values; ++i) out << ' ' << v[i];
        }
        }
        out << '\n';
    }
    return out.str();
}

bool readInputs(std::string_view text, const std::string& fileName, Inputs& inputs, std::string& error) {
    inputs.clear();
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::vector<std::string_view> words = split(line);
        if (words.empty() || words[0].starts_with('#')) continue;

        const auto fail = [&](const std::string& what) {
            error = fileName + ":" + std::to_string(lineNumber) + ": " + what;
            return false;
        };
        hl::Input in;
        std::int64_t poll = 0;
        if (!number(words[0], poll) || poll < 0)
            return fail("a line starts with its poll, not \"" + std::string(words[0]) + "\"");
        in.poll = static_cast<std::uint64_t>(poll);
        if (!inputs.empty() && in.poll < inputs.back().poll)
            return fail("poll " + std::to_string(poll) + " comes after a later one");
        if (words.size() < 2) return fail("no input after the poll");
        const Kind* kind = nullptr;
        for (const Kind& k : kKinds)
            if (words[1] == k.word) kind = &k;
        if (kind == nullptr) return fail("unknown input \"" + std::string(words[1]) + "\"");
        in.kind = kind->kind;
        const std::vector<std::string_view> rest(words.begin() + 2, words.end());
        if (static_cast<int>(rest.size()) != kind->values)
            return fail(std::string(kind->word) + " takes " + std::to_string(kind->values) + " values, not " +
                        std::to_string(rest.size()));
        if (!values(kind->kind, rest, in)) return fail("cannot read the values of " + std::string(kind->word));
        inputs.push_back(in);
    }
    return true;
}

bool readInputsFile(const std::string& path, Inputs& inputs, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in) {
        error = "cannot read " + path;
        return false;
    }
    return readInputs(text, path, inputs, error);
}

}  // namespace replay
