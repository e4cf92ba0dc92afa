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

std::vector<std::string> SplitFields(const std::string& text)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        fields.push_back(Trim(text.substr(start, comma - start)));
        if (comma == std::string::npos)
            return fields;
        start = comma + 1;
    }
}

std::optional<Date> CalendarDate(const std::string& text)
{
    const std::optional<Date> date = ParseIsoDate(text, IsoDigits::Typed);
    return date && IsCalendarDate(*date) ? date : std::nullopt;
}

std::optional<double> Number(const std::string& text)
{
    double value = 0;
    return ParseNumber(text, value) ? std::optional(value) : std::nullopt;
}

// The rule options act on the commercial part: the provident part keeps its table fill.
bool IsCommercial(const std::string& letter)
{
    return PartOfLetter(letter) == LoanPart::S;
}

// "jan1", "anniversary" or "MM-DD" (any year's day: 02-29 means February's last day).
std::optional<Repricing> AnchorNamed(const std::string& text)
{
    Repricing repricing;
    if (text == "jan1")
        return repricing;
    if (text == "anniversary") {
        repricing.anchor = RepricingAnchor::Anniversary;
        return repricing;
    }
    const std::optional<Date> day = ParseIsoDate("2000-" + text, IsoDigits::Typed);
    if (!day || !IsCalendarDate(*day))
        return std::nullopt;
    repricing.anchor = RepricingAnchor::MonthDay;
    repricing.month = day->m;
    repricing.day = day->d;
    return repricing;
}

// --lpr-rule S,SPREAD_BP,ANCHOR[,CYCLE]
std::optional<LprPricing> LprRuleNamed(const std::string& text)
{
    const auto fields = SplitFields(text);
    if (fields.size() < 3 || fields.size() > 4 || !IsCommercial(fields[0]))
        return std::nullopt;
    const auto spread = Number(fields[1]);
    auto repricing = AnchorNamed(fields[2]);
    if (!spread || !repricing)
        return std::nullopt;
    if (fields.size() == 4) {
        if (fields[3] != "12" && fields[3] != "6" && fields[3] != "3")
            return std::nullopt;
        repricing->cycleMonths = std::stoi(fields[3]);
    }
    LprPricing pricing;
    pricing.spreadBp = *spread;
    pricing.repricing = *repricing;
    return pricing;
}

// --converted-2020 S,ORIGINAL_RATE[,ANCHOR[,CONVERSION_DATE]]
std::optional<LprPricing> ConvertedNamed(const std::string& text)
{
    const auto fields = SplitFields(text);
    if (fields.size() < 2 || fields.size() > 4 || !IsCommercial(fields[0]))
        return std::nullopt;
    const auto original = Number(fields[1]);
    if (!original || !(*original > 0 && *original < 100))
        return std::nullopt;
    LprPricing pricing;
    pricing.conversion = Conversion2020{*original};
    if (fields.size() >= 3) {
        const auto repricing = AnchorNamed(fields[2]);
        if (!repricing)
            return std::nullopt;
        pricing.repricing = *repricing;
    }
    if (fields.size() == 4) {
        const auto day = CalendarDate(fields[3]);
        if (!day)
            return std::nullopt;
        pricing.conversion->date = *day;
    }
    return pricing;
}

// --rate-change YYYY-MM-DD,S|G,RATE
std::optional<RateAdjustment> RateChangeNamed(const std::string& text)
{
    const auto fields = SplitFields(text);
    if (fields.size() != 3)
        return std::nullopt;
    const auto day = CalendarDate(fields[0]);
    const auto part = PartOfLetter(fields[1]);
    const auto rate = Number(fields[2]);
    if (!day || !part || !rate)
        return std::nullopt;
    return RateAdjustment{*day, *part, *rate};
}

// --spread-change YYYY-MM-DD,S,BP, --cut-2023 S,BP, --cut-2024 S
std::optional<SpreadChange> SpreadChangeNamed(const std::string& option, const std::string& text)
{
    const auto fields = SplitFields(text);
    if (option == "--cut-2024")
        return fields.size() == 1 && IsCommercial(fields[0]) ? std::optional(Cut2024())
                                                             : std::nullopt;
    if (option == "--cut-2023") {
        const auto spread = fields.size() == 2 ? Number(fields[1]) : std::nullopt;
        return spread && IsCommercial(fields[0]) ? std::optional(Cut2023(*spread)) : std::nullopt;
    }
    if (fields.size() != 3 || !IsCommercial(fields[1]))
        return std::nullopt;
    const auto day = CalendarDate(fields[0]);
    const auto spread = Number(fields[2]);
    if (!day || !spread)
        return std::nullopt;
    return SpreadChange{*day, *spread, SpreadChangeKind::Set};
}

// The options that lay 利率调整 over the run's rates; false when the option is none of them.
bool TakeAdjustmentOption(const std::vector<std::string>& args,
                          std::size_t& i,
                          Options& options,
                          std::optional<UsageError>& error)
{
    if (args[i] == "--show-rate-changes") {
        options.showRateChanges = true;
        return true;
    }
    std::optional<std::string> value;
    for (const char* option : {"--rate-change", "--lpr-rule", "--converted-2020", "--spread-change",
                               "--cut-2023", "--cut-2024"}) {
        if (!TakeValue(args, i, option, value, error))
            continue;
        if (error)
            return true;
        const std::string name = option;
        bool valid = false;
        if (name == "--rate-change") {
            const auto change = RateChangeNamed(*value);
            if ((valid = change.has_value()))
                options.rateChanges.push_back(*change);
        } else if (name == "--lpr-rule" || name == "--converted-2020") {
            const auto pricing =
                name == "--lpr-rule" ? LprRuleNamed(*value) : ConvertedNamed(*value);
            if ((valid = pricing.has_value())) {
                if (options.pricing)
                    error = UsageError{msg::kCliRuleTwoPricings};
                options.pricing = pricing;
            }
        } else {
            const auto change = SpreadChangeNamed(name, *value);
            if ((valid = change.has_value()))
                options.spreadChanges.push_back(*change);
        }
        if (!valid)
            error = UsageError{msg::CliRuleInvalid(name, *value)};
        return true;
    }
    return false;
}

// --bank-rounding, --reconcile and --part; false when the option is none of them.
bool TakeReconcileOption(const std::vector<std::string>& args,
                         std::size_t& i,
                         Options& options,
                         std::optional<UsageError>& error)
{
    if (args[i] == "--bank-rounding") {
        options.bankRounding = true;
        return true;
    }
    std::optional<std::string> value;
    if (TakeValue(args, i, "--reconcile", value, error)) {
        if (!error)
            options.recordsPath = *value;
        return true;
    }
    if (!TakeValue(args, i, "--part", value, error))
        return false;
    if (!error && !(options.recordsPart = PartOfLetter(*value)))
        error = UsageError{msg::CliPartInvalid(*value)};
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

std::optional<UsageError> ReconcileConflict(const Options& options)
{
    if (options.recordsPart && !options.recordsPath)
        return UsageError{msg::kCliPartNeedsReconcile};
    if (!options.recordsPath)
        return std::nullopt;
    if (!options.recordsPart)
        return UsageError{msg::kCliReconcileNeedsPart};
    if (options.compare || options.preview || options.showRateChanges)
        return UsageError{msg::kCliReconcileAlone};
    if (options.format == Format::Xls || options.format == Format::Xlsx)
        return UsageError{msg::kCliReconcileFormat};
    return std::nullopt;
}

// The backup file, and the options that only make sense together.
std::variant<Options, HelpRequested, UsageError>
Completed(Options options, const std::vector<std::string>& positional)
{
    if (options.ratesData && positional.empty())
        return options;
    if (positional.empty())
        return UsageError{msg::kCliMissingBackup};
    if (!options.spreadChanges.empty() && !options.pricing)
        return UsageError{msg::kCliRuleSpreadNeedsPricing};
    if (options.pricing) {
        options.pricing->spreadChanges = options.spreadChanges;
        for (const RateAdjustment& change : options.rateChanges)
            if (change.part == options.pricing->part)
                return UsageError{msg::kCliRuleWithRateChange};
    }
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
    if (auto error = ReconcileConflict(options))
        return *error;
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
        } else if (TakeRateOption(args, i, options, error) ||
                   TakeAdjustmentOption(args, i, options, error) ||
                   TakeReconcileOption(args, i, options, error)) {
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
    std::string help = msg::kCliHelp;
    const auto at = help.find("  -h, --help");
    return help.insert(at == std::string::npos ? help.size() : at,
                       std::string(msg::kCliHelpRateRules) + msg::kCliHelpReconcile);
}

} // namespace lumavo::cli
