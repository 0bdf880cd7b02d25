#include "lessons/pack_check.h"

#include "lessons/proof.h"

#include <stdlib.h>

#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace lvl {

bool provePack(const Pack& pack, std::vector<Problem>& problems) {
    const std::size_t before = problems.size();
    for (std::size_t i = 0; i < pack.levels.size(); ++i) solver::proveLevel(pack.levels[i], pack.files[i], problems);
    return problems.size() == before;
}

std::vector<PackStatus> packStatuses(const Installed& installed) {
    std::vector<PackStatus> out;
    const ScratchFolder scratch;
    for (const PackEntry& entry : listPacks(packRoots(installed))) {
        PackStatus status{entry, false, {}};
        Pack pack;
        if (readPack(entry.folder, installed.scenery, pack, status.problems)) provePack(pack, status.problems);
        status.broken = !status.problems.empty();
        out.push_back(std::move(status));
    }
    return out;
}

ScratchFolder::ScratchFolder() {
    std::error_code ec;
    previous_ = fs::current_path(ec);
    std::string pattern = (fs::temp_directory_path(ec) / "kalkulon-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    path_ = pattern;
    fs::current_path(path_, ec);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    if (!previous_.empty()) fs::current_path(previous_, ec);
    if (!path_.empty()) fs::remove_all(path_, ec);
}

}  // namespace lvl
