// A music module of any bytes through the game's loading path (the real music back end).
#include "fuzz/fuzz_support.h"
#include "platform/platform.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_support::enterScratchFolder();
    fuzz_support::writeFile("song.mod", data, size);
    const plat::SongHandle song = plat::musicLoad("song.mod");
    plat::musicSetVolume(song, 192);
    plat::musicSetLooping(song, true);
    plat::musicFree(song);
    return 0;
}
