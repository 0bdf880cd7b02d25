// The game names its files the way it always has ("level\level1.lvl"); here the backslash
// becomes a folder separator.
#include "platform/platform.h"

#include <cstdio>
#include <string>

namespace plat {

namespace {
std::string hostPath(const char* name) {
    std::string path(name);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}
}  // namespace

std::FILE* openFile(const char* name, const char* mode) {
    return std::fopen(hostPath(name).c_str(), mode);
}

bool replaceFile(const char* from, const char* to) {
    return std::rename(hostPath(from).c_str(), hostPath(to).c_str()) == 0;
}

}  // namespace plat
