#pragma once

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>

namespace lumavo::testing_support {

inline std::set<std::string> Listing(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Takes bytes until the budget is spent, then fails as a full disk does.
inline std::size_t g_diskRoom = 0;
inline ssize_t FullDiskWrite(int fd, const void* bytes, std::size_t count)
{
    if (g_diskRoom == 0) {
        errno = ENOSPC;
        return -1;
    }
    const std::size_t n = std::min(count, g_diskRoom);
    g_diskRoom -= n;
    return ::write(fd, bytes, n);
}

} // namespace lumavo::testing_support
