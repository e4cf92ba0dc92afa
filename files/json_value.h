#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A small strict JSON (RFC 8259) reader that keeps the line of every value, so a file format
// built on it can name the line and the key at fault, and the writing half of the same rules.
// Bounded in depth and in the number of values: a hostile file costs little memory and no
// deep recursion.
namespace lumavo::json {

inline constexpr std::size_t kMaxDepth = 64;
inline constexpr std::size_t kMaxValues = 1u << 18;

struct Value
{
    enum class Kind
    {
        Null,
        Bool,
        Number,
        String,
        Array,
        Object,
    };

    Kind kind = Kind::Null;
    int line = 0; // 1-based line where the value starts
    bool boolean = false;
    double number = 0;
    std::string text;              // a string's characters, UTF-8; a number as written
    std::vector<Value> items;      // an array's values, or an object's in file order
    std::vector<std::string> keys; // an object's keys, unique, one per item

    // The member of an object with that key; null when there is none.
    const Value* Find(std::string_view key) const;
};

struct Error
{
    int line = 0;
    std::string reason;
};

// The whole text as one value. UTF-8 throughout (a leading byte-order mark is skipped);
// duplicate keys, numbers outside a double's range and anything after the value are errors.
std::variant<Value, Error> Parse(std::string_view text);

// The text as a JSON string literal; characters outside ASCII stay as they are, so Chinese
// reads as Chinese in an editor.
std::string Quoted(std::string_view utf8);

// The shortest number text that reads back to the same double ("4.9", "50000", "1e+22").
std::string NumberText(double value);

// Whether the bytes are UTF-8 a JSON string may hold (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes);

} // namespace lumavo::json
