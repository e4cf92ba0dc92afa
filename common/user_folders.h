#pragma once

#include <string>
#include <string_view>

// Where a user's own files go on a desktop that follows the XDG base-directory rules.
namespace lumavo {

// The value of this process's environment variable; empty when it is unset.
std::string EnvironmentValue(const char* name);

// One base folder by the XDG rule: $XDG_…_HOME (xdgHome) when it is absolute, a relative one
// being ignored, else the default beneath an absolute $HOME ("~/.config", "~/.local/share");
// empty when neither gives a folder.
std::string XdgBaseFolder(const std::string& xdgHome,
                          const std::string& home,
                          std::string_view defaultBelowHome);

} // namespace lumavo
