// The libraries under SDL write their remarks straight to standard error while SDL looks for a
// device: eight "ALSA lib ..." lines on a machine without a sound card, libwayland's
// "XDG_RUNTIME_DIR is invalid" outside a desktop session, Mesa's driver notes. They would
// stand before the game's own line on what is missing, so standard error leads nowhere while
// SDL starts a device, unless KALKULON_DEBUG=1 asks for them. The game's own lines are written
// after the device call, never while the noise is muted.
#pragma once

#include <utility>

namespace plat::sdl {

class LibraryNoiseMuted {
public:
    LibraryNoiseMuted();
    ~LibraryNoiseMuted();
    LibraryNoiseMuted(const LibraryNoiseMuted&) = delete;
    LibraryNoiseMuted& operator=(const LibraryNoiseMuted&) = delete;

private:
    int saved_ = -1;  // standard error while muted, to be given back
};

// The result of `call()`, made with the libraries' noise muted.
template <class Call>
auto quietly(Call&& call) {
    const LibraryNoiseMuted muted;
    return std::forward<Call>(call)();
}

}  // namespace plat::sdl
