#include "lessons/layouts.h"

#include "lessons/level_text.h"

#include <algorithm>
#include <string_view>

namespace lessons {

lvl::Token tokenAt(Cell cell, int type) {
    return {lvl::cellToPixel(cell.first) - lvl::kTokenOffset, lvl::cellToPixel(cell.second) - lvl::kTokenOffset, type};
}

Shape shapeOf(const Layout& layout) {
    Shape shape;
    std::vector<std::pair<char, Cell>> lettered;
    std::string_view picture = layout.picture;
    while (picture.starts_with('\n')) picture.remove_prefix(1);
    for (int r = 0; r < lvl::kRows; ++r) {
        const std::string_view row = picture.substr(0, picture.find('\n'));
        picture.remove_prefix(std::min(picture.size(), row.size() + 1));
        for (int c = 0; c < lvl::kColumns; ++c) {
            const char mark = c < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(c)] : '.';
            const int block = lvl::cellValue(mark);
            shape.level.cells[r][c] = block == -2 ? -1 : block;
            if (mark == 'S') {
                shape.level.playerX = lvl::cellToPixel(c) - lvl::kStartOffset;
                shape.level.playerY = lvl::cellToPixel(r);
            } else if (mark == 'E') {
                shape.equals = {c, r};
            } else if (mark >= 'a' && mark <= 'z') {
                lettered.push_back({mark, {c, r}});
            }
        }
    }
    std::sort(lettered.begin(), lettered.end());
    for (const auto& [letter, cell] : lettered) shape.places.push_back(cell);
    return shape;
}

}  // namespace lessons
