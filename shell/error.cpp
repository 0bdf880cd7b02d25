// Fixed bytes: the dialog texts and their caption are the game's own, wording and all; keep them.
#include "shell/error.h"

#include "platform/cp1250.h"
#include "platform/platform.h"

#include <array>
#include <cstring>

namespace {

constexpr auto kText0 = plat::cp1250(
    "Kategoria: ALERT:\nTa wartość nie oznacza błędu.\nNie powinneś wywoływać tej metody teraz.");
constexpr auto kText1 = plat::cp1250("Kategoria: GENERAL: Brak pamięci na wykonanie programu.\n");
constexpr auto kText2 = plat::cp1250("Kategoria: Błędny uchwyt okna. Nie można zainicjować DirectDraw.\n");
constexpr auto kText3 = plat::cp1250(
    "Kategoria: VIDEO: DirectDraw nie jest zainstalowane w systemie. Aby program działał musisz go zainstalować.\n");
constexpr auto kText4 = plat::cp1250("Kategoria: VIDEO: Nie można ustawić poziomu współpracy.\n");
constexpr auto kText5 = plat::cp1250("Kategoria: VIDEO: Nie można zmienić rozdzielczości ekranu.\n");
constexpr auto kText6 = plat::cp1250("Kategoria: VIDEO: Niewystarczająca ilość pamięci wideo.\n");
constexpr auto kText7 = plat::cp1250("Kategoria: VIDEO: Brak pamięci na stworzenie powierzchni roboczej.\n");
constexpr auto kText8 = plat::cp1250("Kategoria: VIDEO: Nie można wyczyścić powierzchni roboczej.\n");
constexpr auto kText9 = plat::cp1250("Kategoria: VIDEO: Nie można zablokować powierzchni roboczej. Program nie może działać.\n");
constexpr auto kText10 = plat::cp1250("Kategoria: VIDEO: Nie można odblokować powierzchni roboczej. Program nie może działać.\n");
constexpr auto kText11 = plat::cp1250("Kategoria: VIDEO: Nie można pobrać formatu pixela.\n");
constexpr auto kText12 = plat::cp1250("Kategoria: VIDEO: Wystąpił błąd przy flipowaniu powierzchni.\n");
constexpr auto kText13 = plat::cp1250("Kategoria: VIDEO: Wystąpił błąd przy tworzeniu kontekstu DD4.\n");
constexpr std::array<std::string_view, 14> kTexts = {
    kText0.view(), kText1.view(), kText2.view(), kText3.view(),  kText4.view(),  kText5.view(),  kText6.view(),
    kText7.view(), kText8.view(), kText9.view(), kText10.view(), kText11.view(), kText12.view(), kText13.view(),
};
constexpr auto kUnassigned = plat::cp1250(
    "Kategoria: ALERT:\nTen błąd jeszcze nie jest przypisany.\nDodaj go do pętli komunikatów 'error.showMessage'.");
constexpr auto kCaption = plat::cp1250("Błąd!");

}  // namespace

std::string_view errorText(std::int32_t code) {
    auto index = static_cast<std::uint32_t>(code);  // looked up unsigned: negatives fall through
    return index < kTexts.size() ? kTexts[index] : kUnassigned.view();
}

int ErrorReporter::showMessage(std::int32_t code) const {
    char buffer[256] = {};
    std::string_view text = errorText(code);
    std::memcpy(buffer, text.data(), text.size());
    plat::messageBox(buffer, kCaption);
    return 1;  // the OK button
}
