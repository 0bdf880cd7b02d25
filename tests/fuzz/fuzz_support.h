// What every fuzz target shares (each target includes this once): undefined behaviour counted
// as a finding, and a private working folder on a memory file system, so that the trace and
// the files written per input cost little and never touch the source tree.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Undefined behaviour stops the run like a crash, so that the input is kept as a finding
// (the libraries are built with recoverable checks, which would only print a line).
extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }

namespace fuzz_support {

inline std::string& scratchFolder() {
    static std::string path;
    return path;
}

// Made once per run, and removed with everything in it when the run ends normally.
inline void enterScratchFolder() {
    if (!scratchFolder().empty()) return;
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/kalkulon-fuzz-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) std::abort();
    scratchFolder() = pattern;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(scratchFolder(), ec);
    });
}

inline void writeFile(const char* path, const unsigned char* data, std::size_t size) {
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

}  // namespace fuzz_support
