// replaceFile for every back end whose files stay on this computer's disk (left out of the
// browser's build, whose storage is elsewhere: platform/web/web_storage.cpp).
#include "platform/common/files.h"
#include "platform/platform.h"

namespace plat {

bool replaceFile(const char* name, const void* bytes, std::size_t size) { return replaceFileHere(name, bytes, size); }

}  // namespace plat
