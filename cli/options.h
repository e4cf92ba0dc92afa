#pragma once

#include "calc/loan_input.h"
#include "calc/rate_rules.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumavo::cli {

enum class Format
{
    Table,
    Csv,
    Json,
    Xls,
    Xlsx,
};

struct Options
{
    Method method = Method::Debx;
    std::optional<std::string> ratesPath; // default: percents.ini beside the program
    Format format = Format::Table;
    std::optional<std::string> outputPath;
    std::optional<RateRule> ratesRule; // commercial table from the published rates
    std::optional<RateRule> pfRule;    // provident-fund table from the published rates
    std::optional<double> futureLpr;
    std::optional<std::string> writeRatesPath; // write the rule tables there, compute nothing
    bool ratesData = false;                    // list the rate history, no backup needed
    std::string backupPath;
};

struct HelpRequested
{
};

struct UsageError
{
    std::string message;
};

std::variant<Options, HelpRequested, UsageError> ParseOptions(const std::vector<std::string>& args);

std::string HelpText();

} // namespace lumavo::cli
