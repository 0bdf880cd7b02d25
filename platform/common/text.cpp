// Platform text output: the game's Windows-1250 bytes (or the UTF-8 of another language)
// rendered with SDL_ttf into a coverage mask, the way the system's text output drew into a
// drawing context.
#include "platform/cp1250.h"
#include "platform/platform.h"
#include "platform/report.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <memory>

namespace plat {

namespace {

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using FontPtr = std::unique_ptr<TTF_Font, FontCloser>;

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

TTF_Font* font(int pointSize) {
    static std::map<int, FontPtr> fonts;  // fonts stay open for the run, one per size
    auto it = fonts.find(pointSize);
    if (it != fonts.end()) return it->second.get();
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
        reportFailure("no text (the font library did not start)", TTF_GetError());
        fonts.emplace(pointSize, nullptr);  // asked once a size, like a font that failed
        return nullptr;
    }
    TTF_Font* f = TTF_OpenFont(KALKULON_FONT_PATH, pointSize);
    if (f != nullptr) TTF_SetFontHinting(f, TTF_HINTING_LIGHT);
    else reportFailure("no text (the font " KALKULON_FONT_PATH " could not be opened)", TTF_GetError());
    fonts.emplace(pointSize, FontPtr(f));
    return f;
}

}  // namespace

bool rasteriseText(const char* cp1250, int length, TextImage& out, int pointSize) {
    if (length <= 0) {
        out = TextImage{};
        return false;
    }
    const std::string utf8 = toUtf8(std::string_view(cp1250, static_cast<std::size_t>(length)));
    return rasteriseUtf8Text(utf8.c_str(), static_cast<int>(utf8.size()), out, pointSize);
}

bool rasteriseUtf8Text(const char* text, int length, TextImage& out, int pointSize) {
    out = TextImage{};
    if (length <= 0) return false;
    TTF_Font* f = font(pointSize);
    if (f == nullptr) return false;
    const std::string utf8(text, static_cast<std::size_t>(length));
    SDL_Color white{255, 255, 255, 255};
    std::unique_ptr<SDL_Surface, SurfaceFree> s(TTF_RenderUTF8_Blended(f, utf8.c_str(), white));
    if (!s) return false;
    std::unique_ptr<SDL_Surface, SurfaceFree> argb(SDL_ConvertSurfaceFormat(s.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb) return false;
    out.width = argb->w;
    out.height = argb->h;
    out.coverage.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    SDL_LockSurface(argb.get());
    for (int y = 0; y < out.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) +
                                                                 y * argb->pitch);
        for (int x = 0; x < out.width; ++x)
            out.coverage[static_cast<std::size_t>(y) * out.width + x] = static_cast<std::uint8_t>(row[x] >> 24);
    }
    SDL_UnlockSurface(argb.get());
    return true;
}

}  // namespace plat
