#pragma once

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <unistd.h>

// What a test needs from outside the build: each check names the exact thing, so a skip says
// what to install rather than failing on a machine that lacks it.
namespace lumavo::testing_support {

// A program found on PATH, as the shell would run it.
inline bool HaveProgram(const std::string& name)
{
    return std::system(("command -v '" + name + "' >/dev/null 2>&1").c_str()) == 0;
}

// A program at a fixed path (Debian's own /usr/bin/python3 rather than whatever comes first).
inline bool HaveExecutable(const std::string& path)
{
    return ::access(path.c_str(), X_OK) == 0;
}

// A locale the C library can load: a program started with LANG set to it runs in it.
inline bool HaveLocale(const std::string& name)
{
    const locale_t locale = ::newlocale(LC_ALL_MASK, name.c_str(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return false;
    ::freelocale(locale);
    return true;
}

} // namespace lumavo::testing_support
