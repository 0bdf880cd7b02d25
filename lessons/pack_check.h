// A pack proven as the game proves it before playing it, and the installed packs, each with
// whether it can be played and why not.
#pragma once

#include "lessons/pack.h"

#include <filesystem>
#include <vector>

namespace lvl {

// Proves every level of a pack that was read well (solver::proveLevel); each mistake is
// appended. True when every level passes. The proofs run the game's own code, which adds to
// the trace "debug.txt" in the working folder.
bool provePack(const Pack& pack, std::vector<Problem>& problems);

struct PackStatus {
    PackEntry entry;
    bool broken = false;            // the game will not play it
    std::vector<Problem> problems;  // why
};
// The installed packs (listPacks), each read and proven in a scratch folder: what a child may
// be offered, with the broken ones marked.
std::vector<PackStatus> packStatuses(const Installed& installed);

// A fresh folder under the system's temporary one, the working folder while the object lives;
// then the working folder is the one before, and the scratch folder is gone.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

}  // namespace lvl
