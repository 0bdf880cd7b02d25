#include "platform/dialog_text.h"

namespace plat {

std::string wrapDialogText(std::string_view text, std::size_t width) {
    std::string out;
    std::size_t lineStart = 0;
    for (;;) {
        const std::size_t end = text.find('\n', lineStart);
        const std::string_view line = text.substr(lineStart, end == std::string_view::npos ? end : end - lineStart);
        std::size_t start = 0;
        while (line.size() - start > width) {
            const std::size_t space = line.rfind(' ', start + width);
            const bool atSpace = space != std::string_view::npos && space > start;
            const std::size_t cut = atSpace ? space : start + width;
            out.append(line.substr(start, cut - start));
            out.push_back('\n');
            start = atSpace ? cut + 1 : cut;
        }
        out.append(line.substr(start));
        if (end == std::string_view::npos) return out;
        out.push_back('\n');
        lineStart = end + 1;
    }
}

}  // namespace plat
