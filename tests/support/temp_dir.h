#pragma once

#include <filesystem>
#include <fstream>
#include <stdlib.h>
#include <string>

namespace lumavo::testing_support {

// A fresh folder per test, removed afterwards even when a test left it read-only.
class TempDir
{
  public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lumavo-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }
    std::filesystem::path Dir() const { return m_path; }

    std::filesystem::path Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }

  private:
    std::string m_path;
};

} // namespace lumavo::testing_support
