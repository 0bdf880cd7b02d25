// Functions whose real code has not landed yet. Each is deleted from here by the change that
// builds it; this file goes away before anything is called done.
#include "shell/application.h"

bool Display::loadBitmap(Surface*, int, int, const char*) { return false; }
bool Display::loadTitleBitmap() { return false; }
bool Display::loadHighScoreBitmap() { return false; }
bool Display::loadSpriteBitmaps() { return false; }
bool Display::loadBackgroundBitmap(const char*) { return false; }
bool Display::loadBlocksBitmap(const char*) { return false; }
void Display::drawBackground() {}
void Display::drawPlayBackground() {}
void Display::drawTitle() {}
void Display::drawBlocks() {}
void Display::drawBonuses() {}
void Display::drawCollected() {}
void Display::drawPlayer() {}
void Display::drawFontText(std::int32_t, std::int32_t, const char*) {}
void Display::drawFontNumber(std::int32_t, std::int32_t, std::int32_t) {}
void Display::drawHighScores() {}
std::int32_t Display::drawBox(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                              std::int32_t) { return 0; }
void Display::wipeOut() {}
void Display::wipeIn() {}
void Application::loadLevel(std::int32_t) {}
