// Reading the game's trace back in tests: a small reader for its flat JSON objects, one a
// line, the keys each kind of event carries, and a temporary file to write a trace to.
#pragma once

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tarrabel::test {

struct JsonValue {
    enum Kind { Number, String, Bool, Array } kind = Number;
    long long number = 0;
    std::string text;
    bool flag = false;
    std::vector<JsonValue> items;
};

using JsonObject = std::vector<std::pair<std::string, JsonValue>>;

class JsonReader {
  public:
    explicit JsonReader(const std::string& s) : s_(s) {}

    // One object filling the whole line; false on anything else.
    bool ReadObject(JsonObject& out) {
        if (!Eat('{')) return false;
        if (Eat('}')) return AtEnd();
        do {
            std::string key;
            JsonValue v;
            if (!ReadString(key) || !Eat(':') || !ReadValue(v)) return false;
            out.emplace_back(key, v);
        } while (Eat(','));
        return Eat('}') && AtEnd();
    }

  private:
    bool AtEnd() const { return i_ == s_.size(); }
    bool Eat(char c) {
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool ReadString(std::string& out) {
        if (!Eat('"')) return false;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (s_[i_] == '\\' || static_cast<unsigned char>(s_[i_]) < 0x20) return false;
            out += s_[i_++];
        }
        return Eat('"');
    }
    bool ReadWord(const char* w) {
        const std::string word(w);
        if (s_.compare(i_, word.size(), word) != 0) return false;
        i_ += word.size();
        return true;
    }
    bool ReadValue(JsonValue& v) {
        if (i_ >= s_.size()) return false;
        const char c = s_[i_];
        if (c == '"') {
            v.kind = JsonValue::String;
            return ReadString(v.text);
        }
        if (c == 't' || c == 'f') {
            v.kind = JsonValue::Bool;
            v.flag = c == 't';
            return ReadWord(v.flag ? "true" : "false");
        }
        if (c == '[') {
            ++i_;
            v.kind = JsonValue::Array;
            if (Eat(']')) return true;
            do {
                JsonValue item;
                if (!ReadValue(item)) return false;
                v.items.push_back(item);
            } while (Eat(','));
            return Eat(']');
        }
        v.kind = JsonValue::Number;
        const size_t start = i_;
        if (s_[i_] == '-') ++i_;
        const size_t digits = i_;
        while (i_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_])))
            ++i_;
        if (i_ == digits) return false;
        v.number = std::stoll(s_.substr(start, i_ - start));
        return true;
    }

    const std::string& s_;
    size_t i_ = 0;
};

inline std::vector<std::string> Keys(const JsonObject& o) {
    std::vector<std::string> keys;
    for (const auto& kv : o)
        keys.push_back(kv.first);
    return keys;
}

inline const JsonValue* Field(const JsonObject& o, const std::string& key) {
    for (const auto& kv : o)
        if (kv.first == key) return &kv.second;
    return nullptr;
}

// The keys of every event, in the order the trace writer puts them.
inline const std::map<std::string, std::vector<std::string>> kEventKeys = {
    {"deal", {"ev", "variant", "deal", "start", "reversed", "eliminated", "deck"}},
    {"dealt", {"ev", "seat", "slot", "card"}},
    {"starter", {"ev", "card"}},
    {"starter_back", {"ev", "card", "pos"}},
    {"play", {"ev", "seat", "slot", "card"}},
    {"suit", {"ev", "seat", "suit"}},
    {"draw", {"ev", "seat", "slot", "card", "kind"}},
    {"deck_empty", {"ev", "seat"}},
    {"pass", {"ev", "seat"}},
    {"exchange", {"ev", "from", "to"}},
    {"rebuild", {"ev", "deck"}},
    {"end", {"ev", "points", "totals", "result", "eliminated"}},
};

// A file in the temporary folder that is removed again when the test is done.
struct TempFile {
    std::filesystem::path path;
    explicit TempFile(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               (name + "." + std::to_string(::getpid()) + ".jsonl")) {}
    ~TempFile() {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
    std::vector<std::string> Lines() const {
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

}  // namespace tarrabel::test
