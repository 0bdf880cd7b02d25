// The high-score table in the browser's storage: the game folder lives in memory, and a file
// the game replaces is copied into /save, a folder kept in IndexedDB (IDBFS), and written
// there at once. The copy is itself put in place by a rename, and one sync writes the whole
// folder in a single IndexedDB transaction: a tab closed before it ends keeps the old table
// whole. kalkulon.js brings /save back into the game folder before the game starts.
#include "platform/common/files.h"
#include "platform/platform.h"

#include <emscripten.h>

#include <string>
#include <vector>

namespace plat {

namespace {

// Copies the file `name` just put in place into /save and has it written to IndexedDB.
void keepInStorage(const char* name) {
    std::vector<std::uint8_t> bytes;
    if (!readFile(name, std::size_t{1} << 20, bytes)) return;
    std::string kept(name);
    for (char& c : kept)
        if (c == '\\' || c == '/') c = '_';
    EM_ASM(
        {
            const name = '/save/' + UTF8ToString($0);
            try {
                FS.writeFile(name + '.new', HEAPU8.subarray($1, $1 + $2));
                FS.rename(name + '.new', name);
            } catch (e) {
                console.error('kalkulon: the browser cannot keep ' + name + ': ' + e);
                return;
            }
            if (Module.kalkulonSave) Module.kalkulonSave();
        },
        kept.c_str(), bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace

bool replaceFile(const char* name, const void* bytes, std::size_t size) {
    if (!replaceFileHere(name, bytes, size)) return false;
    keepInStorage(name);
    return true;
}

}  // namespace plat
