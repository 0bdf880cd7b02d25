#include "lessons/level_binary.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace lvl {

namespace {

void put32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 255));
}

constexpr std::int32_t kMostNames = 16;  // far more than any level file has

}  // namespace

std::vector<std::uint8_t> encodeLevel(const Level& level) {
    std::vector<std::uint8_t> out;
    put32(out, level.nameCount);
    put32(out, static_cast<std::int32_t>(level.tokens.size()));
    put32(out, level.target);
    put32(out, level.targetX);
    put32(out, level.targetY);
    put32(out, level.playerX);
    put32(out, level.playerY);
    out.insert(out.end(), kNameField * static_cast<std::size_t>(std::max(level.nameCount, 0)), 0);
    for (std::size_t i = 0; i < kNameField; ++i)
        out.push_back(i < level.background.size() ? static_cast<std::uint8_t>(level.background[i]) : 0);
    for (const auto& row : level.cells)
        for (std::int32_t cell : row) put32(out, cell);
    for (const Token& t : level.tokens) {
        put32(out, t.x);
        put32(out, t.y);
        put32(out, t.type);
        out.insert(out.end(), kTokenRecordSize - 12, 0);
    }
    return out;
}

void putNumberAt(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<std::uint8_t>((v >> (8 * i)) & 255);
}

bool decodeLevel(const std::vector<std::uint8_t>& bytes, Level& level, std::string& error) {
    std::size_t pos = 0;
    auto i32 = [&](std::int32_t& v) {
        if (pos + 4 > bytes.size()) return false;
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[pos]) | (static_cast<std::uint32_t>(bytes[pos + 1]) << 8) |
                                      (static_cast<std::uint32_t>(bytes[pos + 2]) << 16) |
                                      (static_cast<std::uint32_t>(bytes[pos + 3]) << 24));
        pos += 4;
        return true;
    };
    auto fail = [&](const char* what) {
        error = what;
        return false;
    };
    level = Level{};
    std::int32_t tokenCount = 0;
    if (!i32(level.nameCount) || !i32(tokenCount) || !i32(level.target) || !i32(level.targetX) || !i32(level.targetY) ||
        !i32(level.playerX) || !i32(level.playerY))
        return fail("header cut short");
    if (level.nameCount < 0 || level.nameCount > kMostNames) return fail("absurd count of block-file names");
    if (tokenCount < 0 || tokenCount > kMaxTokens) return fail("token count outside 0..30");
    for (int k = 0; k <= level.nameCount; ++k) {  // the names, then the background name
        if (pos + kNameField > bytes.size()) return fail("names cut short");
        const char* name = reinterpret_cast<const char*>(&bytes[pos]);
        const std::size_t length = strnlen(name, kNameField);
        if (length == kNameField) return fail("a name is not terminated inside its 12 bytes");
        if (k == level.nameCount) level.background.assign(name, length);
        pos += kNameField;
    }
    for (auto& row : level.cells)
        for (auto& cell : row) {
            if (!i32(cell)) return fail("grid cut short");
            if (cell < -1 || cell > 3) return fail("a cell outside -1..3");
        }
    for (int i = 0; i < tokenCount; ++i) {
        Token t;
        if (pos + kTokenRecordSize > bytes.size()) return fail("token records cut short");
        i32(t.x);
        i32(t.y);
        i32(t.type);
        if (!isKnownToken(t.type)) return fail("a token type outside 1..14");
        pos += kTokenRecordSize - 12;
        level.tokens.push_back(t);
    }
    return true;
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    bytes.clear();
    std::uint8_t buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.insert(bytes.end(), buffer, buffer + n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

bool readLevelFile(const std::string& path, Level& level, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!readFile(path, bytes)) {
        error = "cannot open " + path;
        return false;
    }
    return decodeLevel(bytes, level, error);
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace lvl
