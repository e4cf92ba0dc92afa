#include "common/user_folders.h"

#include <cstdlib>
#include <filesystem>

namespace lumavo {

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
}

std::string XdgBaseFolder(const std::string& xdgHome,
                          const std::string& home,
                          std::string_view defaultBelowHome)
{
    namespace fs = std::filesystem;
    if (fs::path(xdgHome).is_absolute())
        return xdgHome;
    if (fs::path(home).is_absolute())
        return (fs::path(home) / defaultBelowHome).string();
    return {};
}

} // namespace lumavo
