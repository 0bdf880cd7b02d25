// The files a person writes: level sources and pack.txt. Read in UTF-8, or, where a file is not
// UTF-8, in Windows-1250 (what a Polish Notepad saves as "ANSI"), said in a remark; and for a
// file that is missing, the file of nearly its name that was meant ("Level1.txt",
// "level1.txt.txt").
#pragma once

#include "lessons/language.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lvl {

// Reads a file a person wrote (at most 64 KiB) into UTF-8 text; false, with a problem, when
// it cannot be read or is in neither encoding. A file read as Windows-1250 adds a remark.
bool readSourceFile(const std::filesystem::path& path, const std::string& shownAs, std::string& text,
                    std::vector<Problem>& problems, std::vector<Problem>* remarks = nullptr);

// Whether `bytes` are UTF-8 (no broken, overlong or surrogate sequence).
bool isUtf8(std::string_view bytes);

// The name of a file in `folder` that a person probably meant as `wanted` ("level1.txt"): the
// same but for capitals, spaces or dashes, and a missing or doubled ".txt"; "" for none.
std::string nearMiss(const std::filesystem::path& folder, const std::string& wanted);

}  // namespace lvl
