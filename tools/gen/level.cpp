#include "level.h"

#include <cmath>
#include <sstream>

namespace gen {

int bonusType(char symbol) {
    if (symbol >= '1' && symbol <= '9') return symbol - '0';
    switch (symbol) {
        case '+': return 10;
        case '-': return 11;
        case '*': return 12;
        case '/': return 13;
        case '=': return 14;
        default: return 0;
    }
}

namespace {

int cellValue(char c) {
    switch (c) {
        case '.': return -1;
        case '#': return 0;
        case 'X': return 1;
        case '=': return 2;
        case 'O': return 3;
        default: return -2;
    }
}

// A position in cells, fractions allowed ("5.5"), as pixels.
bool cellToPixel(const std::string& word, int& pixel) {
    std::istringstream in(word);
    double v = 0;
    if (!(in >> v) || !in.eof()) return false;
    pixel = static_cast<int>(std::lround(v * 32));
    return true;
}

}  // namespace

bool parseLevel(const std::string& source, Level& level, std::string& error) {
    level = Level{};
    std::istringstream in(source);
    std::string line;
    int lineNo = 0;
    int gridRows = -1;  // -1 before "grid", then rows read so far
    bool haveBoard = false, haveStart = false;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(lineNo) + ": " + what;
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (gridRows >= 0 && gridRows < kRows) {
            if (static_cast<int>(line.size()) != kColumns) return fail("a grid row has 20 cells");
            for (int c = 0; c < kColumns; ++c) {
                const int v = cellValue(line[c]);
                if (v == -2) return fail(std::string("unknown cell '") + line[c] + "'");
                level.cells[gridRows][c] = v;
            }
            ++gridRows;
            continue;
        }
        const auto hash = line.find('#');
        const std::string body = line.substr(0, hash);
        std::istringstream words(body);
        std::string key;
        if (!(words >> key)) continue;
        if (key == "background") {
            if (!(words >> level.background)) return fail("background needs a file name");
            if (level.background.size() > 11) return fail("background name longer than 11 characters");
        } else if (key == "board") {
            if (!(words >> level.target >> level.targetX >> level.targetY))
                return fail("board needs: number x y");
            haveBoard = true;
        } else if (key == "start") {
            std::string c, r;
            int px = 0, py = 0;
            if (!(words >> c >> r) || !cellToPixel(c, px) || !cellToPixel(r, py))
                return fail("start needs: column row");
            level.playerX = px - 11;  // body centred on the cell
            level.playerY = py;
            haveStart = true;
        } else if (key == "grid") {
            if (gridRows >= 0) return fail("a second grid");
            gridRows = 0;
        } else if (key == "bonus") {
            std::string sym, c, r;
            if (!(words >> sym >> c >> r) || sym.size() != 1) return fail("bonus needs: symbol column row");
            LevelBonus b;
            b.type = bonusType(sym[0]);
            if (b.type == 0) return fail("unknown bonus symbol " + sym);
            if (!cellToPixel(c, b.x) || !cellToPixel(r, b.y)) return fail("bad bonus position");
            b.x -= 1;  // the 34 x 33 sprite centred on its 32 x 32 cell
            b.y -= 1;
            if (static_cast<int>(level.bonuses.size()) == kMaxLevelBonuses) return fail("more than 30 bonuses");
            level.bonuses.push_back(b);
        } else {
            return fail("unknown word " + key);
        }
        std::string extra;
        if (words >> extra) return fail("unexpected " + extra);
    }
    if (gridRows != kRows) {
        error = "the grid needs 14 rows after \"grid\"";
        return false;
    }
    if (level.background.empty() || !haveBoard || !haveStart) {
        error = "background, board and start are needed";
        return false;
    }
    return true;
}

namespace {
void put32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 255));
}
}  // namespace

std::vector<std::uint8_t> compileLevel(const Level& level) {
    std::vector<std::uint8_t> out;
    put32(out, 0);  // no block-file names
    put32(out, static_cast<std::int32_t>(level.bonuses.size()));
    put32(out, level.target);
    put32(out, level.targetX);
    put32(out, level.targetY);
    put32(out, level.playerX);
    put32(out, level.playerY);
    for (std::size_t i = 0; i < 12; ++i)
        out.push_back(i < level.background.size() ? static_cast<std::uint8_t>(level.background[i]) : 0);
    for (const auto& row : level.cells)
        for (int cell : row) put32(out, cell);
    for (const LevelBonus& b : level.bonuses) {
        put32(out, b.x);
        put32(out, b.y);
        put32(out, b.type);
        out.insert(out.end(), kBonusRecordSize - 12, 0);
    }
    return out;
}

}  // namespace gen
