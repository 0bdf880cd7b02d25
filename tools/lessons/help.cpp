#include "help.h"

const lvl::Text& helpText() {
    static const lvl::Text kHelp = {
        R"(Usage: kalkulon-levels COMMAND ...

Make your own lessons for Kalkulon: levels in a text file, seven of them in a folder make a
pack, and every level is proven fair before a child plays it.

Commands:
  check FILE-OR-PACK...      Read level sources (a file) or packs (a folder with level1.txt
                             to level7.txt and perhaps pack.txt). Every mistake is shown as
                             file:line. Then each level is proven: every token can be reached,
                             there is no trap (a place from which the hero can no longer reach
                             every token, such as a ledge too high to climb back or a pit), and
                             some route makes the board's number. A winning sum, its route
                             length and climb are shown, then every answer: every sum of the
                             level's tokens that makes the board's number (3+4 and 4+3 are one),
                             with a warning when there is more than one. Exit code 0 only when
                             every level passes.
  build PACK --out DIR       Check the pack, then make DIR a game folder for it: the seven
                             level files the game reads, and links to the game's pictures and
                             music. Nothing is written when a level fails the check. DIR is
                             new, or an earlier build (with the table of games played there);
                             a folder holding anything else, or a link, is refused.
  preview PACK --out DIR     Draw each level as the game shows it when it starts, as
                             DIR/level1.png to level7.png, and all seven on DIR/sheet.png,
                             to print or show before class.
  practice --facts SPEC --seed N --out DIR
                             Write a practice pack of seven levels for a family of facts,
                             each level proven as by check and with one answer, harder and
                             higher each time.
                             SPEC is one family or several joined by commas:
                               add10   sums within 10        add20   sums within 20
                               sub20   differences within 20
                               2 ... 10  a times table ("2,5,10" mixes three of them)
                               div     division facts        order   order of operations
                             Another seed gives other numbers.
  report FOLDER --out REPORT.html [--csv REPORT.csv] [--since YYYY-MM-DD] [--child NAME]
                             The teacher's report over the records a class folder holds
                             (kalkulon --class FOLDER): per child the levels played, the sums
                             right and wrong, the time a sum takes and the facts missed most;
                             per fact who struggles with it. A page to open in a browser or
                             print, and with --csv one row per sum for a spreadsheet.
  help                       This text.

Options:
  --data DIR    The game's data folder (with gfx/, level/, music/); found by itself when
                the game is installed.

Examples:
  kalkulon-levels check my-level.txt
  kalkulon-levels check ~/lessons/razy-3
  kalkulon-levels preview ~/lessons/razy-3 --out ~/lessons/razy-3-preview
  kalkulon-levels practice --facts 2,5,10 --seed 7 --out ~/.local/share/kalkulon/packs/razy
  kalkulon --pack razy
  kalkulon-levels report /srv/klasa-2b --out report.html --csv report.csv
)",
        R"(Użycie: kalkulon-levels POLECENIE ...

Własne lekcje do Kalkulona: poziom to plik tekstowy, siedem poziomów w folderze to pakiet,
a każdy poziom zostaje sprawdzony, zanim zagra w niego dziecko.

Polecenia:
  check PLIK-LUB-PAKIET...   Czyta opisy poziomów (plik) albo pakiety (folder z plikami
                             level1.txt do level7.txt i ewentualnie pack.txt). Każdy błąd
                             jest pokazany jako plik:wiersz. Potem każdy poziom jest
                             sprawdzany: każdy żeton da się dosięgnąć, nie ma pułapki (miejsca,
                             z którego bohater nie dosięgnie już wszystkich żetonów, jak za
                             wysoka półka albo dół), i jakaś droga daje liczbę z tablicy.
                             Pokazuje zwycięskie działanie, długość drogi i wspinaczkę, potem
                             wszystkie odpowiedzi: działania z żetonów poziomu dające liczbę
                             z tablicy (3+4 i 4+3 to jedno), z ostrzeżeniem, gdy jest ich
                             więcej niż jedna. Kod wyjścia 0 tylko wtedy, gdy wszystkie
                             poziomy są dobre.
  build PAKIET --out FOLDER  Sprawdza pakiet, a potem robi z FOLDERU folder gry: siedem plików
                             poziomów i dowiązania do obrazków i muzyki gry. Nic nie zapisuje,
                             gdy któryś poziom nie przejdzie sprawdzenia. FOLDER jest nowy albo
                             zbudowany wcześniej (z tabelą wyników gier w nim); folder z czymś
                             innym albo dowiązanie zostaje odrzucone.
  preview PAKIET --out FOLDER
                             Rysuje każdy poziom tak, jak gra go pokazuje na starcie, jako
                             FOLDER/level1.png do level7.png, i wszystkie siedem na
                             FOLDER/sheet.png, do wydruku albo pokazania przed lekcją.
  practice --facts RODZAJ --seed N --out FOLDER
                             Zapisuje pakiet ćwiczeń z siedmiu poziomów dla rodziny działań;
                             każdy poziom sprawdzony jak przez check i z jedną odpowiedzią,
                             każdy trudniejszy i wyżej.
                             RODZAJ to jedna rodzina albo kilka po przecinku:
                               add10   dodawanie do 10   add20   dodawanie do 20
                               sub20   odejmowanie do 20
                               2 ... 10  tabliczka mnożenia ("2,5,10" łączy trzy)
                               div     dzielenie         order   kolejność działań
                             Inne ziarno (seed) daje inne liczby.
  report FOLDER --out RAPORT.html [--csv RAPORT.csv] [--since RRRR-MM-DD] [--child IMIĘ]
                             Raport dla nauczyciela z dziennika gier w folderze klasy
                             (kalkulon --class FOLDER): dla każdego dziecka zagrane poziomy,
                             działania dobre i złe, czas działania i najczęstsze błędy; dla
                             każdego działania, kto ma z nim kłopot. Strona do otwarcia
                             w przeglądarce lub wydruku, a z --csv wiersz na działanie.
  help                       Ten tekst.

Opcje:
  --data FOLDER  Folder danych gry (z gfx/, level/, music/); zainstalowana gra znajduje go sama.

Przykłady:
  kalkulon-levels check moj-poziom.txt
  kalkulon-levels check ~/lekcje/razy-3
  kalkulon-levels preview ~/lekcje/razy-3 --out ~/lekcje/razy-3-podglad
  kalkulon-levels practice --facts 2,5,10 --seed 7 --out ~/.local/share/kalkulon/packs/razy
  kalkulon --pack razy
  kalkulon-levels report /srv/klasa-2b --out raport.html --csv raport.csv
)",
        R"(Використання: kalkulon-levels КОМАНДА ...

Власні уроки для Калькулона: рівень — це текстовий файл, сім рівнів у теці — це пакет, і
кожен рівень перевіряється, перш ніж у нього гратиме дитина.

Команди:
  check ФАЙЛ-АБО-ПАКЕТ...    Читає описи рівнів (файл) або пакети (тека з level1.txt до
                             level7.txt і, можливо, pack.txt). Кожну помилку показано як
                             файл:рядок. Потім кожен рівень перевіряється: до кожного жетона
                             можна дістатися, немає пастки (місця, звідки герой уже не
                             дістанеться до всіх жетонів, як-от надто високий уступ або яма),
                             і якийсь шлях дає число з таблички. Показує виграшний приклад,
                             довжину шляху й підйом, а потім кожну відповідь: кожен приклад
                             із жетонів рівня, що дає число з таблички (3+4 і 4+3 — одна),
                             з попередженням, коли їх більше однієї. Код виходу 0 лише тоді,
                             коли всі рівні добрі.
  build ПАКЕТ --out ТЕКА     Перевіряє пакет, а потім робить із ТЕКИ теку гри: сім файлів
                             рівнів і посилання на картинки й музику гри. Нічого не пише,
                             якщо якийсь рівень не пройшов перевірки. ТЕКА нова або зроблена
                             раніше (з таблицею ігор, зіграних там); теку з чимось іншим або
                             посилання не прийнято.
  preview ПАКЕТ --out ТЕКА   Малює кожен рівень так, як гра показує його на початку:
                             ТЕКА/level1.png до level7.png і всі сім на ТЕКА/sheet.png, щоб
                             надрукувати або показати перед уроком.
  practice --facts ВИД --seed N --out ТЕКА
                             Пише пакет вправ із семи рівнів для родини прикладів; кожен
                             рівень перевірено, як у check, з однією відповіддю, і кожен
                             трохи важчий і вищий.
                             ВИД — одна родина або кілька через кому:
                               add10   додавання до 10   add20   додавання до 20
                               sub20   віднімання до 20
                               2 ... 10  таблиця множення ("2,5,10" поєднує три)
                               div     ділення           order   порядок дій
                             Інше зерно (seed) дає інші числа.
  report ТЕКА --out ЗВІТ.html [--csv ЗВІТ.csv] [--since РРРР-ММ-ДД] [--child ІМ'Я]
                             Звіт для вчителя із записів, що їх містить тека класу
                             (kalkulon --class ТЕКА): для кожної дитини зіграні рівні,
                             правильні й неправильні приклади, час на приклад і приклади,
                             у яких найчастіше помиляється; для кожного прикладу — кому він
                             дається важко. Сторінка для браузера або друку, а з --csv —
                             рядок на приклад для електронної таблиці.
  help                       Цей текст.

Параметри:
  --data ТЕКА   Тека даних гри (з gfx/, level/, music/); встановлена гра знаходить її сама.

Приклади:
  kalkulon-levels check my-level.txt
  kalkulon-levels check ~/lessons/times-3
  kalkulon-levels preview ~/lessons/times-3 --out ~/lessons/times-3-preview
  kalkulon-levels practice --facts 2,5,10 --seed 7 --out ~/.local/share/kalkulon/packs/times
  kalkulon --language uk --pack times
  kalkulon-levels report /srv/klas-2b --out zvit.html --csv zvit.csv
)"};
    return kHelp;
}
