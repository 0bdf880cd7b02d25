// A fresh temporary folder that a test works in: the constructor makes it and changes into it,
// the destructor changes back and deletes it with everything inside. Tests that create files
// (the trace, the high-score table, levels) use one so that they never meet each other's files
// or leave anything in the build folder.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace testing_support {

class TempDir {
public:
    TempDir() {
        std::error_code ec;
        previous_ = std::filesystem::current_path(ec);
        std::string pattern = (std::filesystem::temp_directory_path(ec) / "kalkulon_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot make a temporary folder from " << pattern;
            return;
        }
        path_ = pattern;
        std::filesystem::current_path(path_, ec);
        if (ec) ADD_FAILURE() << "cannot change into " << path_ << ": " << ec.message();
    }
    ~TempDir() {
        std::error_code ec;
        if (!previous_.empty()) std::filesystem::current_path(previous_, ec);
        if (!path_.empty()) std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Whole contents of a file in the folder ("" when it is missing).
    std::string read(const std::string& name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

}  // namespace testing_support
