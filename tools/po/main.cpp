// kalkulon_po pot OUT.pot
//     The translators' template of the table's texts (msgctxt: the key, msgid: the Polish).
// kalkulon_po compile OUT.cpp PO_DIR LANGUAGE...
//     Each PO_DIR/LANGUAGE.po read with gettext's own library into the translations the game
//     is built with (texts/catalogue.h). An entry for a key the table does not have, or whose
//     Polish is not the table's (the text changed since), stops the build with the place to mend;
//     fuzzy and empty entries are left out, as gettext leaves them; entries without a key (the
//     desktop entry's, the metainfo's) are not the game's.
#include "texts/text_table.h"

#include <gettext-po.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <span>
#include <string>
#include <vector>

namespace {

int failures = 0;

void onError(int severity, po_message_t, const char* file, std::size_t line, std::size_t, int, const char* text) {
    if (file != nullptr && line != static_cast<std::size_t>(-1)) std::fprintf(stderr, "%s:%zu: %s\n", file, line, text);
    else std::fprintf(stderr, "%s%s%s\n", file != nullptr ? file : "", file != nullptr ? ": " : "", text);
    if (severity != PO_SEVERITY_WARNING) ++failures;
    if (severity == PO_SEVERITY_FATAL_ERROR) std::exit(1);
}

void onError2(int severity, po_message_t m1, const char* f1, std::size_t l1, std::size_t c1, int ml1, const char* t1,
              po_message_t, const char*, std::size_t, std::size_t, int, const char* t2) {
    onError(severity, m1, f1, l1, c1, ml1, (std::string(t1) + " " + t2).c_str());
}

const po_xerror_handler kHandler = {onError, onError2};

const texts::TextRow* rowOf(std::string_view key) {
    for (const texts::TextRow& row : texts::textTable())
        if (row.key == key) return &row;
    return nullptr;
}

// The line of the file where the entry of `key` starts (its msgctxt), for the message.
std::size_t lineOf(const std::string& file, std::string_view key) {
    std::ifstream in(file);
    const std::string wanted = "msgctxt \"" + std::string(key) + "\"";
    std::string line;
    for (std::size_t n = 1; std::getline(in, line); ++n)
        if (line == wanted) return n;
    return 1;
}

void problem(const std::string& file, std::string_view key, const std::string& what) {
    std::fprintf(stderr, "%s:%zu: %s\n", file.c_str(), lineOf(file, key), what.c_str());
    ++failures;
}

std::string note(const texts::TextRow& row) {
    std::string text(row.note);
    if (row.kind == texts::Kind::Dialog) return text;
    text += " Room: " + std::to_string(row.room.width()) + " x " + std::to_string(row.room.height()) + " pixels";
    if (row.kind == texts::Kind::Font) text += ", in the bitmap font: capitals A-Z and the Ukrainian capitals, 12 pixels each";
    if (row.kind == texts::Kind::Lines) text += ", broken at spaces into lines of that width";
    if (row.kind == texts::Kind::Picture) text += ", drawn into the picture at " + std::to_string(row.pointSize) + " point";
    return text + ".";
}

int writeTemplate(const char* out) {
    po_file_t file = po_file_create();
    po_message_iterator_t it = po_message_iterator(file, nullptr);
    po_message_t header = po_message_create();
    po_message_set_comments(header,
                            "The texts a child sees in Kalkulon, in Polish, the game's own words. Each msgctxt is\n"
                            "a text's key; the note above it says where it shows and how much room it has.\n"
                            "docs/translating.md tells how to add a language and check that every text fits.\n");
    po_message_set_msgid(header, "");
    po_message_set_msgstr(header,
                          "Project-Id-Version: kalkulon\nLanguage: \nMIME-Version: 1.0\n"
                          "Content-Type: text/plain; charset=UTF-8\nContent-Transfer-Encoding: 8bit\n");
    po_message_insert(it, header);
    for (const texts::TextRow& row : texts::textTable()) {
        po_message_t m = po_message_create();
        po_message_set_msgctxt(m, std::string(row.key).c_str());
        po_message_set_msgid(m, std::string(row.polish).c_str());
        po_message_set_msgstr(m, "");
        po_message_set_extracted_comments(m, note(row).c_str());
        if (row.polish.find('%') != std::string_view::npos) po_message_set_format(m, "c-format", 1);
        po_message_insert(it, m);
    }
    po_message_iterator_free(it);
    const bool written = po_file_write(file, out, &kHandler) != nullptr;
    po_file_free(file);
    return written && failures == 0 ? 0 : 1;
}

// A C++ string literal of UTF-8 words.
std::string literal(std::string_view words) {
    std::string out = "\"";
    for (char c : words) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') out += "\\n";
        else out += c;
    }
    return out + "\"";
}

// The translations of one language as a C++ array named `name`.
std::string compileLanguage(const std::string& file, const std::string& name) {
    std::string out = "constexpr Translation " + name + "[] = {\n";
    po_file_t po = po_file_read(file.c_str(), &kHandler);
    if (po == nullptr) {
        ++failures;
        return out + "};\n";
    }
    po_message_iterator_t it = po_message_iterator(po, nullptr);
    int entries = 0;
    for (po_message_t m = po_next_message(it); m != nullptr; m = po_next_message(it)) {
        const char* context = po_message_msgctxt(m);
        if (context == nullptr || po_message_is_obsolete(m)) continue;  // the header, packaging
        const std::string key = context;
        const texts::TextRow* row = rowOf(key);
        if (row == nullptr) {
            problem(file, key, "no text of the game has the key \"" + key + "\" (scripts/update-po brings the file up to date)");
            continue;
        }
        if (row->polish != po_message_msgid(m)) {
            problem(file, key,
                    "the Polish of \"" + key + "\" is now \"" + std::string(row->polish) +
                        "\": run scripts/update-po and check the translation");
            continue;
        }
        const std::string text = po_message_msgstr(m);
        if (text.empty() || po_message_is_fuzzy(m)) continue;
        out += "    {" + literal(key) + ", " + literal(text) + "},\n";
        ++entries;
    }
    po_message_iterator_free(it);
    po_file_free(po);
    if (entries == 0) out += "    {\"\", \"\"},\n";  // no empty arrays in C++; the key matches no row
    return out + "};\n";
}

int compile(const char* out, const std::string& dir, const std::vector<std::string>& languages) {
    std::string code =
        "// Made by kalkulon_po from the po/ files; edit those.\n#include \"texts/catalogue.h\"\n\n"
        "namespace texts {\n\nnamespace {\n\n";
    std::string list;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const std::string name = "kLanguage" + std::to_string(i);
        code += compileLanguage(dir + "/" + languages[i] + ".po", name) + "\n";
        list += "    {" + literal(languages[i]) + ", " + name + "},\n";
    }
    if (failures != 0) return 1;
    code += languages.empty() ? "constexpr std::span<const Catalogue> kCatalogues;\n"
                              : "constexpr Catalogue kCatalogues[] = {\n" + list + "};\n";
    code += "\n}  // namespace\n\nstd::span<const Catalogue> catalogues() { return kCatalogues; }\n\n}  // namespace texts\n";
    std::ofstream file(out, std::ios::binary);
    file << code;
    if (file.good()) return 0;
    std::fprintf(stderr, "kalkulon_po: cannot write %s\n", out);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "pot" && argc == 3) return writeTemplate(argv[2]);
    if (command == "compile" && argc >= 4) return compile(argv[2], argv[3], std::vector<std::string>(argv + 4, argv + argc));
    std::fprintf(stderr, "usage: kalkulon_po pot OUT.pot | kalkulon_po compile OUT.cpp PO_DIR LANGUAGE...\n");
    return 2;
}
