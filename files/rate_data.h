#pragma once

#include "calc/rate_rules.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The published-rate history: a CSV file shipped with the program, plus the user's own copy,
// which adds newer quotes (or corrects a shipped value) without a new release.
namespace lumavo {

struct DataEnvironment
{
    std::string xdgDataHome; // $XDG_DATA_HOME
    std::string home;        // $HOME
};

DataEnvironment ProcessDataEnvironment();

struct RateDataPaths
{
    std::string shipped; // "rates.csv" beside the program, else <prefix>/share/lumavo/rates.csv
    std::string user;    // lumavo/rates.csv under $XDG_DATA_HOME, else ~/.local/share
};

RateDataPaths RateDataPathsFor(const std::string& programDirectory,
                               const DataEnvironment& environment);

// The first line that cannot be used; line 1 is the header.
struct RateDataError
{
    std::size_t line = 0;
    std::string what;
};

// "kind,effective,rate,source": kind one of RateSeriesName(), effective YYYY-MM-DD, the rate in
// percent; the source is the rest of the line, commas and all. Blank lines and lines starting
// with "#" are skipped. One bad line rejects the file: half a history is worse than none.
std::variant<std::vector<RateChange>, RateDataError> ParseRateData(std::string_view bytes,
                                                                   const std::string& origin);

struct LoadedRateData
{
    RateHistory history;
    std::vector<std::string> problems; // for the user: a missing shipped file, a rejected file
};

// The shipped file, then the user's file over it. A rejected user file is left out whole and
// named with its line in problems; a missing user file is normal and says nothing.
LoadedRateData LoadRateData(const RateDataPaths& paths);

} // namespace lumavo
