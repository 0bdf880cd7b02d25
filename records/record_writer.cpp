#include "records/record_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <system_error>
#include <utility>

namespace records {

namespace {

// How often the writer looks for lines to write.
constexpr std::chrono::milliseconds kLookEvery{20};

// The computer's name as letters, digits, '-' and '.' only.
std::string hostName() {
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') return "computer";
    std::string out;
    for (const char* c = host; *c != '\0'; ++c) {
        const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9') || *c == '.';
        out += plain ? *c : '-';
    }
    return out;
}

std::string randomLetters() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string out;
    for (int i = 0; i < 6; ++i) out += kLetters[pick(device)];
    return out;
}

std::string fileName() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char when[32];
    std::strftime(when, sizeof when, "%Y%m%d-%H%M%S", &local);
    return std::string(when) + "-" + hostName() + "-" + std::to_string(::getpid()) + "-" + randomLetters() + ".jsonl";
}

// Writes all of `line`, going on after a short write or an interrupted one.
bool writeAll(int fd, const std::string& line) {
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

RecordWriter::RecordWriter(std::filesystem::path folder, lvl::Language language)
    : folder_(std::move(folder)), language_(language) {
    try {
        thread_ = std::thread([this] { work(); });
    } catch (const std::system_error&) {
        // No thread to be had (a system at its limit): the lines are written as they come.
    }
}

RecordWriter::~RecordWriter() {
    if (thread_.joinable()) {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    closeFile();
}

void RecordWriter::startFile() { submit({Op::Start, {}}); }
void RecordWriter::append(std::string line) { submit({Op::Append, std::move(line)}); }
void RecordWriter::sync() { submit({Op::Sync, {}}); }

void RecordWriter::submit(Task task) {
    if (!thread_.joinable()) {
        perform(task);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(task));
    }
    // The writer is not woken: waking a thread makes the scheduler hand it the processor now and
    // then, and on a busy machine the game's frame then waited milliseconds. It looks itself.
}

void RecordWriter::drain() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

bool RecordWriter::failed() const {
    const std::lock_guard lock(mutex_);
    return failed_;
}

void RecordWriter::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait_for(lock, kLookEvery, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty() && !stopping_) continue;
        if (queue_.empty()) return;  // stopping, and nothing is left
        std::deque<Task> batch;
        batch.swap(queue_);
        busy_ = true;
        lock.unlock();
        for (std::size_t i = 0; i < batch.size(); ++i) {
            // A sync followed by another (or by the file's end, which syncs) is left to it.
            const bool coveredLater = batch[i].op == Op::Sync &&
                                      std::any_of(batch.begin() + static_cast<std::ptrdiff_t>(i) + 1, batch.end(),
                                                  [](const Task& t) { return t.op != Op::Append; });
            if (!coveredLater) perform(batch[i]);
        }
        lock.lock();
        busy_ = false;
        if (queue_.empty()) done_.notify_all();
    }
}

void RecordWriter::perform(const Task& task) {
    switch (task.op) {
    case Op::Start:
        closeFile();
        openNew();
        break;
    case Op::Append:
        if (fd_ >= 0 && !writeAll(fd_, task.line)) fail(fileName_, errno);
        break;
    case Op::Sync:
        if (fd_ >= 0 && ::fsync(fd_) != 0) fail(fileName_, errno);
        break;
    }
}

void RecordWriter::openNew() {
    // A name already there (two games in one second with the same six letters) is never
    // opened: another name is tried.
    for (int attempt = 0; attempt < 5 && fd_ < 0; ++attempt) {
        fileName_ = fileName();
        fd_ = ::open((folder_ / fileName_).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ < 0) fail(fileName_, errno);
}

void RecordWriter::closeFile() {
    if (fd_ < 0) return;
    if (::fsync(fd_) != 0) fail(fileName_, errno);
    ::close(fd_);
    fd_ = -1;
}

void RecordWriter::fail(const std::string& what, int error) {
    {
        const std::lock_guard lock(mutex_);
        if (failed_) return;
        failed_ = true;
    }
    const std::string where = (folder_ / what).string();
    const std::string why = std::strerror(error);
    const lvl::Text text = {
        "kalkulon: the record " + where + " cannot be written (" + why + "); this game's records are not kept",
        "kalkulon: nie można zapisać dziennika gry " + where + " (" + why + "); dziennik tej gry nie zostanie zachowany",
        "kalkulon: не вдається записати журнал гри " + where + " (" + why + "); журнал цієї гри не буде збережено"};
    std::fprintf(stderr, "%s\n", text.in(language_).c_str());
}

}  // namespace records
