#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rate archive is an INI file that people edit by hand and that may hold GBK text,
// so it is handled as raw bytes: only the lines we write change, everything else stays as it was.
namespace lumavo {

// What the archive's location depends on besides the program folder; an empty text stands for
// an unset variable.
struct ConfigEnvironment
{
    std::string xdgConfigHome; // $XDG_CONFIG_HOME
    std::string home;          // $HOME
};

// "percents.ini" beside the program while its folder is writable (a copy unpacked or built by
// the user); an installed copy cannot write there, so it keeps the archive in the user's
// configuration folder, "lumavo/percents.ini" under $XDG_CONFIG_HOME or else ~/.config. With no
// usable configuration folder it stays beside the program. The folder is asked with the
// caller's effective rights.
std::string RateArchivePathFor(const std::string& programDirectory,
                               const ConfigEnvironment& environment);

// $XDG_CONFIG_HOME and $HOME of this process.
ConfigEnvironment ProcessConfigEnvironment();

// The same for the running program and this process, whatever the working directory is; makes
// the archive's folder when it is missing.
std::string RateArchivePath();

// Section and key names match ASCII letters without regard to case; the first matching section
// and, within it, the first matching key win. Lines are read with LF or CR LF endings and always
// written with CR LF.
class IniDocument
{
  public:
    static IniDocument Parse(std::string_view bytes);

    // The value with blanks around it removed; nullopt when the section or key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces the key's line where it stands, or adds the key after the last key line of its
    // section, or appends the section with the key at the end of the document.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    std::string Bytes() const;

  private:
    struct SectionSpan
    {
        std::size_t header; // index of the "[name]" line
        std::size_t end;    // one past its last line
    };
    std::optional<SectionSpan> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKey(const SectionSpan& span, std::string_view key) const;

    std::vector<std::string> m_lines;
};

// A missing file reads as an empty document; a file that exists but cannot be read gives nullopt
// with the reason (naming the file) in *error, so a writer never replaces what it could not read.
std::optional<IniDocument> ReadIniFile(const std::string& path, std::string* error = nullptr);

// Replaces the whole file in one atomic write; the reason names the file on failure.
std::optional<std::string> WriteIniFile(const std::string& path, const IniDocument& document);

// def when the file, the section or the key is missing.
std::string ReadArchiveString(const std::string& path,
                              const std::string& section,
                              const std::string& key,
                              const std::string& def);

// Reads and rewrites the whole file on every call; nothing is cached between calls.
std::optional<std::string> WriteArchiveString(const std::string& path,
                                              const std::string& section,
                                              const std::string& key,
                                              const std::string& value);

} // namespace lumavo
