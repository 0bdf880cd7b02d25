// Module music: libopenmpt renders the song, SDL's audio device plays it. Any failure (no
// sound device, a missing, broken or overlong module) leaves the game silent; a sound device
// that cannot be had says why on standard error.
#include "platform/platform.h"
#include "platform/report.h"
#include "platform/sdl/library_noise.h"

#include <SDL.h>
#include <libopenmpt/libopenmpt.hpp>

#include <cstdint>
#include <memory>
#include <mutex>
#include <sstream>
#include <vector>

namespace plat {

namespace {

struct Music {
    SDL_AudioDeviceID device = 0;
    int rate = 44100;
    std::mutex lock;                          // the audio thread renders while the game calls
    std::unique_ptr<openmpt::module> module;  // the one song (handle 1)
    int volume = 0;                           // 0..256, linear
    bool playing = false;
};

Music& music() {
    static auto* m = new Music;  // the audio thread may still run at exit
    return *m;
}

void render(void*, Uint8* stream, int length) {
    auto& m = music();
    auto* out = reinterpret_cast<std::int16_t*>(stream);
    const std::size_t frames = static_cast<std::size_t>(length) / 4;
    std::lock_guard guard(m.lock);
    std::size_t done = 0;
    if (m.module && m.playing) {
        try {
            done = m.module->read_interleaved_stereo(m.rate, frames, out);
        } catch (...) {
            done = 0;
        }
        for (std::size_t i = 0; i < done * 2; ++i) out[i] = static_cast<std::int16_t>(out[i] * m.volume / 256);
    }
    for (std::size_t i = done * 2; i < frames * 2; ++i) out[i] = 0;
}

}  // namespace

bool musicInit(int mixRate, int) {
    auto& m = music();
    if (m.device != 0) return true;
    if (sdl::quietly([] { return SDL_InitSubSystem(SDL_INIT_AUDIO); }) != 0) {
        reportFailure("no sound (the game goes on silent)", SDL_GetError());
        return false;
    }
    SDL_AudioSpec want{};
    want.freq = mixRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 2048;
    want.callback = render;
    SDL_AudioSpec have{};
    m.device = sdl::quietly([&] { return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0); });
    if (m.device == 0) {
        reportFailure("no sound device (the game goes on silent)", SDL_GetError());
        return false;
    }
    m.rate = have.freq;
    return true;
}

SongHandle musicLoad(const char* path) {
    auto& m = music();
    std::vector<std::uint8_t> bytes;
    if (!readFile(path, kMaxModuleBytes, bytes)) return 0;
    try {
        std::ostringstream quiet;  // the library's remarks about a module are not shown
        auto mod = std::make_unique<openmpt::module>(bytes, quiet);
        std::lock_guard guard(m.lock);
        m.module = std::move(mod);
        m.playing = false;
        return 1;
    } catch (...) {
        return 0;
    }
}

void musicSetVolume(SongHandle song, int volume) {
    if (song != 1) return;
    std::lock_guard guard(music().lock);
    music().volume = volume < 0 ? 0 : (volume > 256 ? 256 : volume);
}

void musicSetLooping(SongHandle song, bool loop) {
    auto& m = music();
    if (song != 1) return;
    std::lock_guard guard(m.lock);
    if (m.module) m.module->set_repeat_count(loop ? -1 : 0);
}

void musicPlay(SongHandle song) {
    auto& m = music();
    if (song != 1 || !m.module) return;
    {
        std::lock_guard guard(m.lock);
        m.playing = true;
    }
    if (m.device != 0) SDL_PauseAudioDevice(m.device, 0);
}

void musicStop(SongHandle song) {
    if (song != 1) return;
    std::lock_guard guard(music().lock);
    music().playing = false;
}

void musicFree(SongHandle song) {
    if (song != 1) return;
    std::lock_guard guard(music().lock);
    music().module.reset();
}

void musicClose() {
    auto& m = music();
    if (m.device != 0) SDL_CloseAudioDevice(m.device);
    m.device = 0;
    std::lock_guard guard(m.lock);
    m.module.reset();
}

}  // namespace plat
