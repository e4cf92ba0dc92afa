#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumavo {

// Writes the bytes to a temporary file beside the target and renames it over the target only
// when every byte is on disk, so a failed write never destroys the previous file and leaves no
// partial file. Returns the system's reason on failure.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

// Whole file, or nullopt with the reason in *error.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr);

// The folder of the running program file, with a trailing "/".
std::string ProgramDirectory();

} // namespace lumavo
