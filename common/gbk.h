#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text files and worksheet cells are written in the Chinese ANSI code page (GBK, 936);
// everything inside the program is UTF-8.
namespace lumavo {

// nullopt when the text holds a character GBK cannot represent (or is not valid UTF-8).
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// nullopt when the bytes are not valid GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

} // namespace lumavo
