#include "preview.h"

#include "headless_game.h"
#include "lessons/game_folder.h"
#include "lessons/pack_check.h"
#include "platform/headless.h"
#include "png_files.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
namespace hl = plat::headless;

namespace preview {

namespace {

constexpr int kMargin = 24;
constexpr int kGap = 16;
constexpr int kHeader = 56;
constexpr int kCaption = 30;
constexpr int kColumns = 2;
constexpr std::uint32_t kPaper = 0xFFFFFF;
constexpr std::uint32_t kInk = 0x202020;

std::uint32_t rgbOf(std::uint16_t p) {
    const std::uint32_t r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
    return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
}

// Text (UTF-8) in the game's font, drawn in ink with its top-left corner at (x, y).
void write(std::vector<std::uint32_t>& page, int width, int x, int y, const std::string& text) {
    plat::TextImage image;
    if (!plat::rasteriseUtf8(text.c_str(), static_cast<int>(text.size()), image)) return;
    const int height = static_cast<int>(page.size()) / width;
    for (int j = 0; j < image.height && y + j < height; ++j)
        for (int i = 0; i < image.width && x + i < width; ++i) {
            const std::uint32_t a = image.coverage[static_cast<std::size_t>(j * image.width + i)];
            std::uint32_t& p = page[static_cast<std::size_t>((y + j) * width + x + i)];
            std::uint32_t mixed = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const std::uint32_t under = (p >> shift) & 0xFF, over = (kInk >> shift) & 0xFF;
                mixed |= ((under * (255 - a) + over * a) / 255) << shift;
            }
            p = mixed;
        }
}

bool writeFile(const fs::path& path, const std::vector<std::uint8_t>& bytes, lvl::Text& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    error = {"cannot write " + path.string(), "nie można zapisać " + path.string(), "не вдається записати " + path.string()};
    return false;
}

}  // namespace

bool levelFrames(const lvl::Pack& pack, const lvl::Installed& installed, std::vector<Frame>& frames, lvl::Text& error) {
    const lvl::ScratchFolder scratch;
    if (!lvl::buildGameFolder(pack, installed, fs::current_path(), error)) return false;
    frames.clear();
    replay::HeadlessGame game;
    game.app->showFrameRate = false;
    game.run([&](Game& app, long) {
        if (!app.onTitle || app.world == nullptr || !frames.empty()) return;
        GameWorld& w = *app.world;
        // A new game's start (the title's NOWA GRA), then each level as the play routine starts it.
        w.lives = 3;
        w.score = 0;
        for (int n = 1; n <= lvl::kPackLevels; ++n) {
            app.levelNumber = n;
            w.levelOver = false;
            app.loadLevel(n);
            w.initPlayer();
            w.collectedCount = 0;
            app.drawLevelAndHud(0);
            app.display.flip();
            frames.push_back(hl::lastFrame().pixels);
        }
        hl::postSystemClose();
    });
    const bool shown = frames.size() == static_cast<std::size_t>(lvl::kPackLevels) && !game.timedOut;
    if (!shown)
        error = {"the game could not show the pack's levels", "gra nie mogła pokazać poziomów pakietu",
                 "гра не змогла показати рівні пакета"};
    return shown;
}

std::vector<std::uint32_t> sheet(const lvl::Pack& pack, const std::vector<Frame>& frames, int& width, int& height) {
    const int rows = (static_cast<int>(frames.size()) + kColumns - 1) / kColumns;
    width = 2 * kMargin + kColumns * layout::kFrameWidth + (kColumns - 1) * kGap;
    height = kHeader + kMargin + rows * (kCaption + layout::kFrameHeight) + (rows - 1) * kGap + kMargin;
    std::vector<std::uint32_t> page(static_cast<std::size_t>(width * height), kPaper);
    write(page, width, kMargin, kMargin, pack.title);
    for (std::size_t n = 0; n < frames.size(); ++n) {
        const int x = kMargin + static_cast<int>(n % kColumns) * (layout::kFrameWidth + kGap);
        const int y = kHeader + kMargin + static_cast<int>(n / kColumns) * (kCaption + layout::kFrameHeight + kGap);
        const std::string& title = pack.levels[n].title;
        write(page, width, x, y + 4, "Poziom " + std::to_string(n + 1) + (title.empty() ? "" : ": " + title));
        for (int j = 0; j < layout::kFrameHeight; ++j)
            for (int i = 0; i < layout::kFrameWidth; ++i)
                page[static_cast<std::size_t>((y + kCaption + j) * width + x + i)] = rgbOf(
                    frames[n][static_cast<std::size_t>(j * layout::kFrameWidth + i)]);
    }
    return page;
}

bool writePreview(const lvl::Pack& pack, const lvl::Installed& installed, const fs::path& out, std::vector<fs::path>& written,
                  lvl::Text& error) {
    std::vector<Frame> frames;
    if (!levelFrames(pack, installed, frames, error)) return false;
    std::error_code ec;
    fs::create_directories(out, ec);
    for (std::size_t n = 0; n < frames.size(); ++n) {
        const fs::path file = out / ("level" + std::to_string(n + 1) + ".png");
        if (!writeFile(file, gallery::encodeFrame565(frames[n], layout::kFrameWidth, layout::kFrameHeight), error)) return false;
        written.push_back(file);
    }
    int width = 0, height = 0;
    const std::vector<std::uint32_t> page = sheet(pack, frames, width, height);
    const fs::path file = out / "sheet.png";
    if (!writeFile(file, gallery::encodePng(page, width, height), error)) return false;
    written.push_back(file);
    return true;
}

}  // namespace preview
