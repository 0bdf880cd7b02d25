// Pieces of Numeria's scenery shared by the level backgrounds, the title and the high-score
// picture: skies, sun and moon, clouds, hills, trees, mountains, crystals, stars and faint
// floating numbers.
#pragma once

#include "draw.h"
#include "image.h"

namespace gen {

void sky(Image& img, Rgb top, Rgb bottom, int y0 = 0, int y1 = 480);
void sun(Image& img, double cx, double cy, double r, Rgb core, Rgb glow);
void cloud(Image& img, double cx, double cy, double size, Rgb light, Rgb shade);
// A band of hills: the ground line wanders around `baseY` with the given height and width of
// its waves; everything below it is filled with a top-to-bottom gradient.
void hills(Image& img, double baseY, double amplitude, double wavelength, int seed, Rgb top, Rgb bottom);
void mountains(Image& img, double baseY, double height, int seed, Rgb rock, Rgb snow);
void roundTree(Image& img, double x, double groundY, double size, Rgb leaves, Rgb trunk);
void pineTree(Image& img, double x, double groundY, double size, Rgb needles, Rgb trunk);
void palm(Image& img, double x, double groundY, double size);
void flower(Image& img, double x, double y, Rgb petals);
void stars(Image& img, int count, int seed, int yMax);
void crystal(Image& img, double x, double baseY, double height, double width, Rgb light, Rgb dark, bool down);
void castle(Image& img, double x, double groundY, double scaleBy, Rgb wall, Rgb roof);
// A large, faint digit or sign floating in the air: the numbers of Numeria.
void ghostSign(Image& img, char sign, int pointSize, double cx, double cy, Rgb colour, double alpha);

}  // namespace gen
