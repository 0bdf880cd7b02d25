// Replacing a file on this computer's disk, shared by the back ends' replaceFile: the desktop's
// and the headless one's is this alone (replace_file.cpp); the browser's keeps the file in its
// storage afterwards.
#pragma once

#include <cstddef>

namespace plat {

// replaceFile's work on the disk (platform.h says what it promises).
bool replaceFileHere(const char* name, const void* bytes, std::size_t size);

}  // namespace plat
