#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace lumavo {

// Writes the bytes to a temporary file beside the target and renames it over the target only
// when every byte is on disk, so a failed write never destroys the previous file and leaves no
// partial file. Returns the system's reason on failure.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// The call WriteFileAtomically puts bytes into its temporary file with (::write).
using WriteCall = ssize_t (*)(int fd, const void* bytes, std::size_t count);

// Replaces that call while it lives, so tests can fail a write midway as a full disk does, for
// any user. Not thread-safe; production code never creates one.
class ScopedWriteCall
{
  public:
    explicit ScopedWriteCall(WriteCall call);
    ~ScopedWriteCall();
    ScopedWriteCall(const ScopedWriteCall&) = delete;
    ScopedWriteCall& operator=(const ScopedWriteCall&) = delete;

  private:
    WriteCall m_previous;
};

// The largest file the program reads. Backups and rate archives are small (a 10,000-entry plan is
// about 240 KB); anything far larger was picked by mistake and would only cost time and memory.
inline constexpr std::size_t kMaxReadBytes = 4u << 20;

// Whole file, or nullopt with the reason in *error. A file larger than maxBytes is refused
// before its contents are read.
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         std::string* error = nullptr,
                                         std::size_t maxBytes = kMaxReadBytes);

// The folder of the running program file, with a trailing "/".
std::string ProgramDirectory();

} // namespace lumavo
