#include "cli/options.h"

#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"

namespace lumavo::cli {

namespace {

std::optional<Format> FormatNamed(const std::string& name)
{
    if (name == "table")
        return Format::Table;
    if (name == "csv")
        return Format::Csv;
    if (name == "json")
        return Format::Json;
    if (name == "xls")
        return Format::Xls;
    if (name == "xlsx")
        return Format::Xlsx;
    return std::nullopt;
}

// "--name=value" or "--name value"; false when the option is not this one.
bool TakeValue(const std::vector<std::string>& args,
               std::size_t& i,
               const std::string& name,
               std::optional<std::string>& value,
               std::optional<UsageError>& error)
{
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size()) {
            error = UsageError{msg::CliOptionNeedsValue(name)};
            return true;
        }
        value = args[++i];
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        return true;
    }
    return false;
}

// "lpr:-30", "benchmark:0.85", "converted:1.1" or, for the provident fund, "pf:1.1".
std::optional<RateRule> RuleNamed(const std::string& text, bool provident)
{
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const std::string name = text.substr(0, colon);
    RateRule rule;
    if (!ParseNumber(text.substr(colon + 1), rule.number))
        return std::nullopt;
    if (provident) {
        rule.kind = RuleKind::Provident;
        return name == "pf" ? std::optional(rule) : std::nullopt;
    }
    if (name == "lpr")
        rule.kind = RuleKind::LprPlus;
    else if (name == "benchmark")
        rule.kind = RuleKind::BenchmarkTimes;
    else if (name == "converted")
        rule.kind = RuleKind::Converted;
    else
        return std::nullopt;
    return rule;
}

// The options that build the floating tables from the published rates; false when the option
// is none of them.
bool TakeRateOption(const std::vector<std::string>& args,
                    std::size_t& i,
                    Options& options,
                    std::optional<UsageError>& error)
{
    std::optional<std::string> value;
    const auto invalid = [&](const char* option) {
        error = UsageError{msg::CliRuleInvalid(option, *value)};
    };
    if (TakeValue(args, i, "--rates-rule", value, error)) {
        if (!error && !(options.ratesRule = RuleNamed(*value, false)))
            invalid("--rates-rule");
    } else if (TakeValue(args, i, "--pf-rule", value, error)) {
        if (!error && !(options.pfRule = RuleNamed(*value, true)))
            invalid("--pf-rule");
    } else if (TakeValue(args, i, "--future-lpr", value, error)) {
        double rate = 0;
        if (!error && !ParseNumber(*value, rate))
            invalid("--future-lpr");
        options.futureLpr = rate;
    } else if (TakeValue(args, i, "--write-rates", value, error)) {
        if (!error)
            options.writeRatesPath = *value;
    } else if (TakeValue(args, i, "--write-loan", value, error)) {
        if (!error)
            options.writeLoanPath = *value;
    } else {
        return false;
    }
    return true;
}

// The picker texts of "2029年12月08日" or "2029-12-08" (a month or day may have one digit).
std::optional<DateTextParts> PreviewDate(const std::string& text)
{
    if (auto parts = SplitDateText(text))
        return parts;
    const std::optional<Date> date = ParseIsoDate(text, IsoDigits::Typed);
    if (!date)
        return std::nullopt;
    return DateTextParts{PadNumber(date->y, 4), PadNumber(date->m, 2), PadNumber(date->d, 2)};
}

} // namespace

std::optional<PreviewRequest> ParsePreview(const std::string& text)
{
    const auto first = text.find(',');
    const auto second = text.find(',', first == std::string::npos ? first : first + 1);
    if (first == std::string::npos || second == std::string::npos ||
        text.find(',', second + 1) != std::string::npos)
        return std::nullopt;
    const auto date = PreviewDate(text.substr(0, first));
    PreviewRequest request;
    const std::optional<LoanPart> part = PartOfLetter(text.substr(second + 1));
    if (!date || !ParseNumber(text.substr(first + 1, second - first - 1), request.amount) ||
        !(request.amount >= 0) || !part)
        return std::nullopt;
    request.year = date->year;
    request.month = date->month;
    request.day = date->day;
    request.part = *part;
    return request;
}

namespace {

// The backup file, and the options that only make sense together.
std::variant<Options, HelpRequested, UsageError>
Completed(Options options, const std::vector<std::string>& positional)
{
    if (options.ratesData && positional.empty())
        return options;
    if (positional.empty())
        return UsageError{msg::kCliMissingBackup};
    if (options.writeRatesPath && !options.ratesRule && !options.pfRule)
        return UsageError{msg::kCliWriteRatesNeedsRule};
    if (positional.size() > 1)
        return UsageError{msg::CliExtraBackup(positional[1])};
    options.backupPath = positional[0];
    if (options.compare && options.preview)
        return UsageError{msg::kCliCompareAndPreview};
    if ((options.compare || options.preview) &&
        (options.format == Format::Xls || options.format == Format::Xlsx))
        return UsageError{msg::kCliCompareXls};
    if (options.format == Format::Xls && !options.outputPath)
        return UsageError{msg::kCliXlsNeedsOutput};
    if (options.format == Format::Xlsx && !options.outputPath)
        return UsageError{msg::kCliXlsxNeedsOutput};
    return options;
}

} // namespace

std::variant<Options, HelpRequested, UsageError> ParseOptions(const std::vector<std::string>& args)
{
    Options options;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "-h" || arg == "--help")
            return HelpRequested{};
        if (arg == "--rates-data") {
            options.ratesData = true;
            continue;
        }

        std::optional<std::string> value;
        std::optional<UsageError> error;
        if (TakeValue(args, i, "--method", value, error)) {
            if (error)
                return *error;
            options.methodGiven = true;
            if (*value == "debx")
                options.method = Method::Debx;
            else if (*value == "debj")
                options.method = Method::Debj;
            else
                return UsageError{msg::CliMethodInvalid(*value)};
        } else if (TakeValue(args, i, "--format", value, error)) {
            if (error)
                return *error;
            const auto format = FormatNamed(*value);
            if (!format)
                return UsageError{msg::CliFormatInvalid(*value)};
            options.format = *format;
        } else if (TakeValue(args, i, "--rates", value, error)) {
            if (error)
                return *error;
            options.ratesPath = *value;
        } else if (TakeRateOption(args, i, options, error)) {
            if (error)
                return *error;
        } else if (arg == "--compare") {
            options.compare = true;
        } else if (TakeValue(args, i, "--preview", value, error)) {
            if (error)
                return *error;
            options.preview = ParsePreview(*value);
            if (!options.preview)
                return UsageError{msg::CliPreviewInvalid(*value)};
        } else if (TakeValue(args, i, "--output", value, error)) {
            if (error)
                return *error;
            options.outputPath = *value;
        } else {
            return UsageError{msg::CliUnknownOption(arg)};
        }
    }
    return Completed(std::move(options), positional);
}

std::string HelpText()
{
    return msg::kCliHelp;
}

} // namespace lumavo::cli
