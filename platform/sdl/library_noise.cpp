#include "platform/sdl/library_noise.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat::sdl {

namespace {

bool noiseAskedFor() {
    const char* debug = std::getenv("KALKULON_DEBUG");
    return debug != nullptr && *debug != '\0' && std::strcmp(debug, "0") != 0;
}

}  // namespace

LibraryNoiseMuted::LibraryNoiseMuted() {
    if (noiseAskedFor()) return;
    std::fflush(stderr);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere < 0) return;
    saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (saved_ >= 0 && ::dup2(nowhere, STDERR_FILENO) < 0) {
        ::close(saved_);
        saved_ = -1;
    }
    ::close(nowhere);
}

LibraryNoiseMuted::~LibraryNoiseMuted() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
}

}  // namespace plat::sdl
