#include "common/archive.h"

#include "common/atomic_file.h"
#include "common/text.h"
#include "common/user_folders.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace lumavo {

namespace {

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

std::optional<std::string> SectionName(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i == line.size() || line[i] != '[')
        return std::nullopt;
    const std::size_t close = line.find(']', i + 1);
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(i + 1, close - i - 1));
}

// Lines starting with ';' are comments even when they hold a '='.
std::optional<std::string> KeyName(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    if (i == line.size() || line[i] == ';' || line[i] == '[')
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    std::string key = Trim(line.substr(0, equals));
    if (key.empty())
        return std::nullopt;
    return key;
}

} // namespace

std::string RateArchivePathFor(const std::string& programDirectory,
                               const ConfigEnvironment& environment)
{
    namespace fs = std::filesystem;
    const fs::path beside = fs::path(programDirectory) / "percents.ini";
    // AT_EACCESS: root without its override rights must meet the permissions as written.
    if (::faccessat(AT_FDCWD, programDirectory.c_str(), W_OK | X_OK, AT_EACCESS) == 0)
        return beside.string();
    const std::string config =
        XdgBaseFolder(environment.xdgConfigHome, environment.home, ".config");
    if (config.empty())
        return beside.string();
    return (fs::path(config) / "lumavo" / "percents.ini").string();
}

ConfigEnvironment ProcessConfigEnvironment()
{
    return ConfigEnvironment{EnvironmentValue("XDG_CONFIG_HOME"), EnvironmentValue("HOME")};
}

std::string RateArchivePath()
{
    const std::string path = RateArchivePathFor(ProgramDirectory(), ProcessConfigEnvironment());
    // A new user has no folder of ours in the configuration folder yet, and a save does not
    // make folders.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return path;
}

IniDocument IniDocument::Parse(std::string_view bytes)
{
    IniDocument document;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        document.m_lines.emplace_back(line);
        start = next;
    }
    return document;
}

std::optional<IniDocument::SectionSpan> IniDocument::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = SectionName(m_lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < m_lines.size() && !SectionName(m_lines[end]))
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(const SectionSpan& span, std::string_view key) const
{
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = KeyName(m_lines[i]);
        if (name && SameName(*name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Value(std::string_view section, std::string_view key) const
{
    const auto span = FindSection(section);
    if (!span)
        return std::nullopt;
    const auto line = FindKey(*span, key);
    if (!line)
        return std::nullopt;
    const std::string& text = m_lines[*line];
    return Trim(std::string_view(text).substr(text.find('=') + 1));
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + "=" + Trim(value);
    const auto span = FindSection(section);
    if (!span) {
        m_lines.push_back('[' + std::string(section) + ']');
        m_lines.push_back(std::move(line));
        return;
    }
    if (const auto existing = FindKey(*span, key)) {
        m_lines[*existing] = std::move(line);
        return;
    }
    // After the last key rather than at the section's end, so blank lines and comments that
    // separate it from the next section stay where they are.
    std::size_t insertAt = span->header + 1;
    for (std::size_t i = span->header + 1; i < span->end; ++i)
        if (KeyName(m_lines[i]))
            insertAt = i + 1;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string IniDocument::Bytes() const
{
    std::string bytes;
    for (const std::string& line : m_lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<IniDocument> ReadIniFile(const std::string& path, std::string* error)
{
    std::string reason;
    if (const auto bytes = ReadWholeFile(path, &reason))
        return IniDocument::Parse(*bytes);
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT)
        return IniDocument{};
    if (error)
        *error = reason;
    return std::nullopt;
}

std::optional<std::string> WriteIniFile(const std::string& path, const IniDocument& document)
{
    return WriteFileAtomically(path, document.Bytes());
}

std::string ReadArchiveString(const std::string& path,
                              const std::string& section,
                              const std::string& key,
                              const std::string& def)
{
    const auto document = ReadIniFile(path);
    if (!document)
        return def;
    return document->Value(section, key).value_or(def);
}

std::optional<std::string> WriteArchiveString(const std::string& path,
                                              const std::string& section,
                                              const std::string& key,
                                              const std::string& value)
{
    std::string error;
    auto document = ReadIniFile(path, &error);
    if (!document)
        return error;
    document->SetValue(section, key, value);
    return WriteIniFile(path, *document);
}

} // namespace lumavo
