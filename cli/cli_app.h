#pragma once

#include "common/archive.h"
#include "files/rate_data.h"

#include <string>
#include <vector>

namespace lumavo::cli {

enum ExitStatus
{
    kExitOk = 0,
    kExitFileError = 1, // unreadable or invalid backup file, bad options, failed output
    kExitRefused = 2,   // the inputs failed a check of the calculation
};

struct Environment
{
    std::string programDirectory; // with a trailing "/"
    int currentYear = 0;
    ConfigEnvironment config{}; // where the window keeps its rate archive when installed
    DataEnvironment data{};     // where the user keeps newer published rates
};

struct Result
{
    int status = kExitOk;
    std::string out; // standard output (bytes)
    std::string err; // standard error
};

Result RunCli(const std::vector<std::string>& args, const Environment& environment);

} // namespace lumavo::cli
