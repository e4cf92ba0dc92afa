#pragma once

#include <QString>
#include <string>

namespace lumavo {

// The messages, the engine's texts and the files' texts are all UTF-8; the widgets want QString.
inline QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

inline QString Utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace lumavo
