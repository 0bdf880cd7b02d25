// Fixed bytes: the trace lines are the game's own, misspellings included ("nazyw", "klockow").
// Reads "level\levelN.lvl" into the world: header, background name, block grid and tokens.
// Every step goes to the trace. A damaged file never takes the game down: counts and cells out
// of range are made safe, nothing is read past the end of the file, no read goes further than
// the format's largest level (the unused names are stepped over in one seek), and a missing
// piece is reported and traced like any short read. Anything but a regular file counts as
// missing.
//
// File layout (little-endian 32-bit integers): n, token count, board number, its x and y,
// player x and y; n names of 12 bytes (not used); the background name (12 bytes); 14 x 20 grid
// cells; then one 192-byte record per token (x, y, type, and 180 bytes not read).
#include "platform/cp1250.h"
#include "platform/platform.h"
#include "world/game_world.h"

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr std::size_t kNameBytes = kLevelNameBytes;
constexpr std::size_t kTokenRecordBytes = 192;

std::int32_t readLe32(const unsigned char* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                                     static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

// One 32-bit field; false (and 0) when the file does not hold all four bytes.
bool readInt(std::FILE* f, std::int32_t& value) {
    unsigned char bytes[4] = {};
    if (std::fread(bytes, 1, sizeof bytes, f) != sizeof bytes) {
        value = 0;
        return false;
    }
    value = readLe32(bytes);
    return true;
}

// Steps over `count` names of 12 bytes (not used), or to the end of the file when it holds
// fewer: one seek, however large the count.
void skipNames(std::FILE* f, std::int32_t count) {
    if (count <= 0) return;
    const long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return;
    const long end = std::ftell(f);
    const long wanted = static_cast<long>(kNameBytes) * count;
    std::fseek(f, end - here > wanted ? here + wanted : end, SEEK_SET);
}

}  // namespace

bool GameWorld::readLevel(const char* fileName, char (&background)[kLevelNameBytes + 1],
                          const std::function<void(const char* traceLine)>& failed) {
    for (Token& b : tokens) b = Token{};
    // A checked piece that the file does not hold.
    const auto shortRead = [&failed] { failed(plat::cp1250("błąd \n")); };

    std::FILE* file = plat::openFile(fileName, "rb");
    if (file == nullptr) {
        failed("\n nie znaleziono!");
        return false;
    }
    error.debugLog("ok \n");
    error.debugLog("liczba klockow... ");
    std::int32_t nameCount = 0;
    if (!readInt(file, nameCount)) shortRead();
    error.debugLog(nameCount);

    error.debugLog(plat::cp1250("\n liczba bonusów..."));
    if (!readInt(file, tokenCount)) shortRead();
    error.debugLog(tokenCount);
    if (tokenCount > kMaxTokens) {
        error.debugLog(plat::cp1250("\n za dużo bonusów, wczytuję 30"));
        tokenCount = kMaxTokens;
    } else if (tokenCount < 0) {
        error.debugLog(plat::cp1250("\n ujemna liczba bonusów, wczytuję 0"));
        tokenCount = 0;
    }

    std::int32_t* const header[] = {&target, &targetX, &targetY, &playerX, &playerY};
    for (std::int32_t* field : header)
        if (!readInt(file, *field)) shortRead();

    error.debugLog(plat::cp1250("\n Nazwy plików z klockami..."));
    skipNames(file, nameCount);

    error.debugLog("\n Wczytanie nazyw tla...");
    // The stored name has 12 bytes; one more keeps it terminated when the file's is not.
    const std::size_t nameRead = std::fread(background, 1, kNameBytes, file);
    std::memset(background + nameRead, 0, sizeof background - nameRead);
    error.debugLog(background);

    error.debugLog(plat::cp1250("\n Wczytanie tablicy klocków..."));
    for (auto& row : blocks) {
        for (std::int32_t& cell : row) {
            std::int32_t value = 0;
            if (!readInt(file, value)) value = -1;                           // cells the file lacks are empty
            cell = value >= -1 && value < layout::kBlockKinds ? value : -1;  // so is an unknown cell
        }
    }
    error.debugLog("ok \n");

    error.debugLog(plat::cp1250("Odczyt bonusów..."));
    for (std::int32_t i = 0; i < tokenCount; ++i) {
        unsigned char record[kTokenRecordBytes] = {};
        if (std::fread(record, 1, sizeof record, file) != sizeof record) {
            shortRead();  // this token stays out of the level
            continue;
        }
        const std::int32_t x = readLe32(record);
        const std::int32_t y = readLe32(record + 4);
        const std::int32_t type = readLe32(record + 8);
        error.debugLog("Bonus nr ");
        error.debugLog(i);
        error.debugLog("\nx :");
        error.debugLog(x);
        error.debugLog("\ny: ");
        error.debugLog(y);
        error.debugLog("\ntyp :");
        error.debugLog(type);
        error.debugLog("\nInit bonus \n");
        initToken(i, x, y, type);
        error.debugLog(plat::cp1250("następny \n"));
    }
    error.debugLog("Close file \n");
    std::fclose(file);
    return true;
}
