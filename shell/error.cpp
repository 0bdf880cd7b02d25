#include "shell/error.h"

#include "platform/platform.h"
#include "texts/texts.h"

#include <cstring>

namespace {

// The Polish texts of the message window, the game's own bytes.
const texts::Texts& polish() {
    static const texts::Texts words(texts::kPolish);
    return words;
}

}  // namespace

std::string_view errorText(std::int32_t code) { return polish().text(texts::dialogOf(code)); }

int ErrorReporter::showMessage(std::int32_t code) const {
    char buffer[256] = {};
    std::string_view text = errorText(code);
    std::memcpy(buffer, text.data(), text.size());
    plat::messageBox(buffer, polish().text(texts::TextId::DialogCaption));
    return 1;  // the OK button
}
