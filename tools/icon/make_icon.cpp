// Writes the game's desktop icon as SVG: a chalkboard in a wooden frame with a sum in chalk
// and a bright answer token, the way the game shows its board. Same bytes on every run.
#include <cstdio>
#include <string>

namespace {

std::string chalkDigit(double x, double y, const char* text, const char* colour, double size) {
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "  <text x=\"%.1f\" y=\"%.1f\" font-family=\"DejaVu Sans\" font-weight=\"bold\" "
                  "font-size=\"%.0f\" fill=\"%s\" text-anchor=\"middle\">%s</text>\n",
                  x, y, size, colour, text);
    return buf;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.svg\n");
        return 2;
    }
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"wood\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#c98a4b\"/><stop offset=\"1\" stop-color=\"#8a5428\"/>\n"
        "    </linearGradient>\n"
        "    <linearGradient id=\"board\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#2f7a52\"/><stop offset=\"1\" stop-color=\"#1d5238\"/>\n"
        "    </linearGradient>\n"
        "    <radialGradient id=\"token\" cx=\"0.4\" cy=\"0.35\" r=\"0.7\">\n"
        "      <stop offset=\"0\" stop-color=\"#fff4a0\"/><stop offset=\"1\" stop-color=\"#f0a81c\"/>\n"
        "    </radialGradient>\n"
        "  </defs>\n"
        "  <rect x=\"8\" y=\"20\" width=\"240\" height=\"190\" rx=\"22\" fill=\"url(#wood)\"/>\n"
        "  <rect x=\"24\" y=\"36\" width=\"208\" height=\"158\" rx=\"10\" fill=\"url(#board)\"/>\n"
        "  <rect x=\"60\" y=\"208\" width=\"14\" height=\"40\" rx=\"4\" fill=\"#8a5428\"/>\n"
        "  <rect x=\"182\" y=\"208\" width=\"14\" height=\"40\" rx=\"4\" fill=\"#8a5428\"/>\n";
    svg += chalkDigit(70, 112, "3", "#f4f1e6", 62);
    svg += chalkDigit(118, 110, "+", "#ffd76a", 56);
    svg += chalkDigit(166, 112, "4", "#f4f1e6", 62);
    svg += chalkDigit(90, 176, "=", "#ffd76a", 56);
    svg += "  <circle cx=\"160\" cy=\"158\" r=\"30\" fill=\"url(#token)\" stroke=\"#7a3f0a\" stroke-width=\"4\"/>\n";
    svg += chalkDigit(160, 178, "7", "#5a2a00", 54);
    svg += "</svg>\n";
    std::FILE* f = std::fopen(argv[1], "wb");
    if (f == nullptr) return 1;
    const bool ok = std::fwrite(svg.data(), 1, svg.size(), f) == svg.size();
    return std::fclose(f) == 0 && ok ? 0 : 1;
}
