// What every fuzz target shares: a private working folder on a memory file system, so the
// trace and the files written per input cost little and never touch the source tree.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz_support {

inline void enterScratchFolder() {
    static bool done = false;
    if (done) return;
    done = true;
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/kalkulon-fuzz-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) std::abort();
}

inline void writeFile(const char* path, const unsigned char* data, std::size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

}  // namespace fuzz_support
