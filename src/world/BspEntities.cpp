#include "world/BspEntities.h"

#include <charconv>
#include <string_view>

namespace korvath {

namespace {

// A decimal number, as the level tools write them ("-1.40334e-014" included).
// Hexadecimal, "inf" and "nan" are not numbers here.
bool ToNumber(std::string_view text, float& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const size_t digit = text.find_first_not_of('-');
    if (digit != 1 && digit != 0) return false;
    if (digit >= text.size() || !((text[digit] >= '0' && text[digit] <= '9') || text[digit] == '.')) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "10 20 30" gives (30, 20, 10): the numbers land in reverse order.
bool ToReversedOrigin(std::string_view text, VECTOR3& origin) {
    float numbers[3];
    for (int i = 0; i < 3; ++i) {
        const size_t blank = text.find(' ');
        if (i < 2 && blank == std::string_view::npos) return false;
        if (!ToNumber(text.substr(0, blank), numbers[i])) return false;
        if (i < 2) text.remove_prefix(blank + 1);
    }
    origin = {numbers[2], numbers[1], numbers[0]};
    return true;
}

enum class KeyKind { Text, Number, Origin };

struct Key {
    std::string_view Name;
    KeyKind Kind;
    std::string ENTITY::*Text;
    float ENTITY::*Number;
};

// Tested in this order; the first whose name follows the opening quote wins.
const Key kKeys[] = {
    {"classname", KeyKind::Text, &ENTITY::ClassName, nullptr},
    {"angle", KeyKind::Number, nullptr, &ENTITY::Angle},
    {"health", KeyKind::Number, nullptr, &ENTITY::Health},
    {"model", KeyKind::Text, &ENTITY::Model, nullptr},
    {"message", KeyKind::Text, &ENTITY::Message, nullptr},
    {"noise", KeyKind::Text, &ENTITY::Noise, nullptr},
    {"origin", KeyKind::Origin, nullptr, nullptr},
    {"speed", KeyKind::Number, nullptr, &ENTITY::Speed},
    {"target", KeyKind::Text, &ENTITY::Target, nullptr},
    {"team", KeyKind::Text, &ENTITY::Team, nullptr},
    {"wait", KeyKind::Number, nullptr, &ENTITY::Wait},
};

// The value sits after the key's closing quote, a blank and its own opening
// quote, and ends before the line's last character.
std::string_view ValueOf(std::string_view line, const Key& key) {
    const size_t start = key.Name.size() + 4;
    if (line.size() < start + 1) return {};
    return line.substr(start, line.size() - start - 1);
}

// Stores the value of a known key; other keys, lines too short to hold a
// quoted key (blank lines), and a value that does not parse as its key's
// number leave the entity as it was.
void Store(std::string_view line, ENTITY& entity) {
    for (const Key& key : kKeys) {
        // The whole key: "angles" is not "angle", nor "targetname" "target".
        if (line.size() < key.Name.size() + 2 || line.substr(1, key.Name.size()) != key.Name ||
            line[key.Name.size() + 1] != '"')
            continue;
        const std::string_view value = ValueOf(line, key);
        switch (key.Kind) {
        case KeyKind::Text: entity.*key.Text = std::string(value); return;
        case KeyKind::Number: {
            float number = 0;
            if (ToNumber(value, number)) entity.*key.Number = number;
            return;
        }
        case KeyKind::Origin: {
            VECTOR3 origin;
            if (ToReversedOrigin(value, origin)) entity.Origin = origin;
            return;
        }
        }
    }
}

}  // namespace

std::vector<ENTITY> ParseEntities(const std::string& text) {
    std::vector<ENTITY> entities;
    size_t count = 0;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; start = end + 1, end = text.find('\n', start)) {
        const std::string_view line(text.data() + start, end - start);
        // Only a block that was opened is counted when it closes, and key lines
        // outside a block are ignored: stray braces must not make room for
        // entities that were never written.
        const bool open = entities.size() > count;
        if (line == "{") {
            entities.resize(count + 1);
        } else if (line == "}") {
            if (open) ++count;
        } else if (open) {
            Store(line, entities[count]);
        }
    }
    entities.resize(count);
    return entities;
}

}  // namespace korvath
