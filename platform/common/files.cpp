// The game names its files the way it always has ("level\level1.lvl"); here the backslash
// becomes a folder separator.
//
// The game's folder may hold anything: a FIFO, a device, a link to a file elsewhere. So no
// open ever waits (O_NONBLOCK), only regular files are read or written (looked at before the
// open and again once open), nothing is written through a link, and a file is replaced by
// renaming a new file of its own over it.
#include "platform/platform.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <utility>

namespace plat {

namespace {

std::string hostPath(const char* name) {
    std::string path(name);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

// True when `st` is a regular file; otherwise errno says why not (ENOENT is kept for missing
// files only).
bool regular(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return true;
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return false;
}

// The descriptor when it is open on a regular file; otherwise it is closed and -1 returned.
int keepIfRegular(int fd) {
    if (fd < 0) return -1;
    struct stat st = {};
    if (::fstat(fd, &st) == 0 && regular(st)) return fd;
    const int why = errno;
    ::close(fd);
    errno = why;
    return -1;
}

// Writes all of `bytes`, going on after partial writes and interruptions.
bool writeAll(int fd, const void* bytes, std::size_t size) {
    const auto* p = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t done = ::write(fd, p, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        p += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

// A new file beside `path`, named after it with six random letters, made exclusively: never
// an existing file, never through a link. -1 when none can be made.
int createFresh(const std::string& path, std::string& fresh) {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fresh = path + '.';
        for (int i = 0; i < 6; ++i) fresh += kLetters[random() % (sizeof kLetters - 1)];
        const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The rename that put a file in place is kept across a power cut once its folder is synced;
// a folder that cannot be opened or synced leaves the file in place all the same.
void syncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::FILE* openFile(const char* name, const char* mode) {
    const char kind = mode[0];
    if ((kind != 'r' && kind != 'w' && kind != 'a') || std::strchr(mode, '+') != nullptr) {
        errno = EINVAL;
        return nullptr;
    }
    const std::string path = hostPath(name);
    struct stat st = {};
    int fd = -1;
    if (kind == 'r') {
        // Links are followed: the installed game reaches its data through them.
        if (::stat(path.c_str(), &st) != 0 || !regular(st)) return nullptr;
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    } else {
        // The name itself, never what a link points to; a missing file is made.
        if (::lstat(path.c_str(), &st) == 0 && !regular(st)) return nullptr;
        const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (kind == 'a' ? O_APPEND : 0);
        fd = ::open(path.c_str(), flags, 0666);
    }
    // Looked at again once open: the name may have changed in between. O_NONBLOCK stays set;
    // it changes nothing for a regular file.
    fd = keepIfRegular(fd);
    if (fd < 0) return nullptr;
    if (kind == 'w' && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
    std::FILE* f = ::fdopen(fd, kind == 'r' ? "rb" : kind == 'w' ? "wb" : "ab");
    if (f == nullptr) ::close(fd);
    return f;
}

bool readFile(const char* name, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) {
    std::FILE* f = openFile(name, "rb");
    if (f == nullptr) return false;
    struct stat st = {};
    bool ok = ::fstat(::fileno(f), &st) == 0 && static_cast<std::uint64_t>(st.st_size) <= maxBytes;
    std::vector<std::uint8_t> data;
    if (ok) {
        // The size said may be wrong (a file that grows, or one of the kernel's): reading stops
        // at the end of the file or one byte past the limit, whichever comes first.
        data.resize(static_cast<std::size_t>(st.st_size));
        std::size_t have = std::fread(data.data(), 1, data.size(), f);
        unsigned char more[65536];
        while (have == data.size() && data.size() <= maxBytes) {
            const std::size_t got = std::fread(more, 1, sizeof more, f);
            if (got == 0) break;
            data.insert(data.end(), more, more + got);
            have = data.size();
        }
        ok = have == data.size() && data.size() <= maxBytes && !std::ferror(f);
    }
    std::fclose(f);
    if (ok) bytes = std::move(data);
    return ok;
}

bool replaceFile(const char* name, const void* bytes, std::size_t size) {
    const std::string path = hostPath(name);
    std::string fresh;
    const int fd = createFresh(path, fresh);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes, size) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(fresh.c_str(), path.c_str()) == 0) {
        syncFolderOf(path);
        return true;
    }
    const int why = errno;
    ::unlink(fresh.c_str());
    errno = why;
    return false;
}

int lockFile(const char* name, int waitMs) {
    const std::string path = hostPath(name);
    const int fd = keepIfRegular(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666));
    if (fd < 0) return -1;
    // Polled rather than waited for, so that a holder that never lets go costs a bounded wait.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= giveUp) {
            const int why = errno == EWOULDBLOCK ? ETIMEDOUT : errno;
            ::close(fd);
            errno = why;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return fd;
}

void unlockFile(int handle) {
    if (handle >= 0) ::close(handle);  // closing lets go of the lock
}

}  // namespace plat
