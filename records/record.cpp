#include "records/record.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <ctime>
#include <utility>

namespace records {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::pair<Kind, const char*> kKindNames[] = {
    {Kind::Start, "start"}, {Kind::Sum, "sum"}, {Kind::Restart, "restart"}, {Kind::End, "end"}};

const char* nameOf(Kind kind) {
    for (const auto& [k, name] : kKindNames)
        if (k == kind) return name;
    return "?";
}

// The field `key` when it holds a value of the wanted type; otherwise `into` keeps its value
// and the answer is false.
bool take(const Json& object, const char* key, std::string& into) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_string()) return false;
    into = it->get<std::string>();
    return true;
}

bool take(const Json& object, const char* key, int& into) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_number_integer()) return false;
    const auto v = it->get<long long>();
    if (v < -2147483648LL || v > 2147483647LL) return false;
    into = static_cast<int>(v);
    return true;
}

bool take(const Json& object, const char* key, double& into) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_number()) return false;
    into = it->get<double>();
    return true;
}

bool take(const Json& object, const char* key, bool& into) {
    const auto it = object.find(key);
    if (it == object.end() || !it->is_boolean()) return false;
    into = it->get<bool>();
    return true;
}

}  // namespace

std::string toLine(const Record& r) {
    Json j;
    j["v"] = kFormatVersion;
    j["kind"] = nameOf(r.kind);
    j["time"] = r.time;
    j["child"] = r.child;
    j["pack"] = r.pack;
    j["level"] = r.level;
    if (r.kind == Kind::Sum) {
        j["sum"] = r.sum;
        j["board"] = r.board;
        j["value"] = r.value;
        j["right"] = r.right;
    }
    if (r.kind == Kind::Sum || r.kind == Kind::Restart) j["seconds"] = std::round(r.seconds * 10) / 10;
    if (r.kind == Kind::End) {
        j["how"] = r.how;
        j["score"] = r.score;
    }
    j["lives"] = r.lives;
    return j.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

LineFault fromLine(std::string_view line, Record& record) {
    const Json j = Json::parse(line, nullptr, false);
    if (j.is_discarded() || !j.is_object()) return LineFault::NotARecord;
    int version = 0;
    if (!take(j, "v", version) || version < 1) return LineFault::NotARecord;
    if (version > kFormatVersion) return LineFault::NewerVersion;
    std::string kind;
    Record r;
    if (!take(j, "kind", kind) || !take(j, "time", r.time) || !take(j, "child", r.child) || !take(j, "pack", r.pack) ||
        !take(j, "level", r.level) || !take(j, "lives", r.lives))
        return LineFault::NotARecord;
    bool known = false;
    for (const auto& [k, name] : kKindNames)
        if (kind == name) r.kind = k, known = true;
    if (!known) return LineFault::NotARecord;
    bool whole = true;
    if (r.kind == Kind::Sum)
        whole = take(j, "sum", r.sum) && take(j, "board", r.board) && take(j, "value", r.value) && take(j, "right", r.right);
    if (r.kind == Kind::Sum || r.kind == Kind::Restart) whole = whole && take(j, "seconds", r.seconds);
    if (r.kind == Kind::End) whole = take(j, "how", r.how) && take(j, "score", r.score);
    if (!whole) return LineFault::NotARecord;
    record = std::move(r);
    return LineFault::None;
}

std::string localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    const std::string out = text;  // +0100: the offset gets its colon, as ISO 8601 writes it
    return out.size() == 24 ? out.substr(0, 22) + ":" + out.substr(22) : out;
}

}  // namespace records
