#pragma once

#include "calc/loan_input.h"
#include "calc/rate_generator.h"
#include "calc/rate_rules.h"
#include "common/loan_part.h"

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

// --preview DATE,AMOUNT,PART: an entry as the plan panel's fields would hold it.
struct PreviewRequest
{
    std::string year, month, day; // as the date pickers show them: "2029", "12", "08"
    double amount = 0;
    LoanPart part = LoanPart::S;
};

struct Options
{
    Method method = Method::Debx;
    bool methodGiven = false;             // else a loan file's own method, then debx
    std::optional<std::string> ratesPath; // default: percents.ini beside the program
    Format format = Format::Table;
    std::optional<std::string> outputPath;
    std::optional<RateRule> ratesRule; // commercial table from the published rates
    std::optional<RateRule> pfRule;    // provident-fund table from the published rates
    std::optional<double> futureLpr;
    std::optional<std::string> writeRatesPath; // write the rule tables there, compute nothing
    std::optional<std::string> writeLoanPath;  // write the loan as a 贷款方案, compute nothing
    bool ratesData = false;                    // list the rate history, no backup needed
    std::string backupPath; // a .bak, or a 贷款方案 when the name ends in ".lumavo"
    bool compare = false;
    std::optional<PreviewRequest> preview;
    std::vector<RateAdjustment> rateChanges; // --rate-change, on top of the run's rates
    std::optional<LprPricing> pricing;       // --lpr-rule or --converted-2020
    std::vector<SpreadChange> spreadChanges; // --spread-change, --cut-2023, --cut-2024
    bool showRateChanges = false;            // print the adjustments instead of the schedule
    bool bankRounding = false;               // --bank-rounding: 按分入账
    // --reconcile RECORDS --part S|G: the bank's rows of that part beside the schedule.
    std::optional<std::string> recordsPath;
    std::optional<LoanPart> recordsPart;
};

// "2029年12月08日,200000,S" or "2029-12-08,200000,S"; nothing when the text is neither.
std::optional<PreviewRequest> ParsePreview(const std::string& text);

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
