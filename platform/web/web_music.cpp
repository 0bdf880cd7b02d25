// Module music in a page: the song's bytes go to the page's player (chiptune3, libopenmpt as an
// AudioWorklet; kalkulon.js), which starts sounding at the first click, tap or key, as browsers
// allow. Without Web Audio the game goes on silent.
#include "platform/platform.h"

#include <emscripten.h>

#include <vector>

namespace plat {

bool musicInit(int, int) {
    return EM_ASM_INT({ return Module.kalkulonMusic ? 1 : 0; }) != 0;
}

SongHandle musicLoad(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (!readFile(path, kMaxModuleBytes, bytes) || bytes.empty()) return 0;
    const int loaded = EM_ASM_INT(
        {
            if (!Module.kalkulonMusic) return 0;
            Module.kalkulonMusic.load(HEAPU8.slice($0, $0 + $1).buffer);
            return 1;
        },
        bytes.data(), static_cast<int>(bytes.size()));
    return loaded != 0 ? 1 : 0;
}

void musicSetVolume(SongHandle song, int volume) {
    if (song == 1) EM_ASM({ Module.kalkulonMusic.volume(Math.max(0, Math.min(256, $0)) / 256); }, volume);
}

void musicSetLooping(SongHandle song, bool loop) {
    if (song == 1) EM_ASM({ Module.kalkulonMusic.loop($0 != 0); }, loop ? 1 : 0);
}

void musicPlay(SongHandle song) {
    if (song == 1) EM_ASM({ Module.kalkulonMusic.play(); });
}

void musicStop(SongHandle song) {
    if (song == 1) EM_ASM({ Module.kalkulonMusic.stop(); });
}

void musicFree(SongHandle song) {
    if (song == 1) EM_ASM({ Module.kalkulonMusic.free(); });
}

void musicClose() {
    EM_ASM({
        if (Module.kalkulonMusic) Module.kalkulonMusic.free();
    });
}

}  // namespace plat
