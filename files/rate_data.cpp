#include "files/rate_data.h"

#include "common/atomic_file.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"
#include "common/user_folders.h"

#include <filesystem>

namespace lumavo {

namespace {

constexpr std::string_view kHeader = "kind,effective,rate,source";
constexpr std::string_view kFileName = "rates.csv";

std::vector<std::string_view> SplitLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

std::variant<RateChange, std::string> ParseLine(std::string_view line, const std::string& origin)
{
    std::vector<std::string_view> fields;
    for (int i = 0; i < 3; ++i) {
        const auto comma = line.find(',');
        if (comma == std::string_view::npos)
            return std::string(msg::kRateDataTooFewFields);
        fields.push_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
    RateChange change;
    const auto series = RateSeriesNamed(Trim(fields[0]));
    if (!series)
        return msg::RateDataUnknownKind(Trim(fields[0]));
    change.series = *series;
    const std::optional<Date> effective = ParseIsoDate(Trim(fields[1]));
    if (!effective || !IsCalendarDate(*effective))
        return msg::RateDataBadDate(Trim(fields[1]));
    change.effective = *effective;
    // Rates of this kind lie well inside (0, 100); anything else is a typing slip.
    if (!ParseNumber(fields[2], change.rate) || change.rate <= 0 || change.rate >= 100)
        return msg::RateDataBadRate(Trim(fields[2]));
    change.source = Trim(line);
    change.origin = origin;
    return change;
}

std::string FileIn(const std::string& folder)
{
    return (std::filesystem::path(folder) / "lumavo" / kFileName).string();
}

} // namespace

DataEnvironment ProcessDataEnvironment()
{
    return DataEnvironment{EnvironmentValue("XDG_DATA_HOME"), EnvironmentValue("HOME")};
}

RateDataPaths RateDataPathsFor(const std::string& programDirectory,
                               const DataEnvironment& environment)
{
    RateDataPaths paths;
    const std::filesystem::path program(programDirectory);
    const std::filesystem::path beside = program / kFileName;
    const std::filesystem::path installed = program / ".." / "share" / "lumavo" / kFileName;
    // Beside the program (a build, an unpacked copy) before the installed share folder.
    std::error_code ignored;
    const bool installedOnly =
        !std::filesystem::exists(beside, ignored) && std::filesystem::exists(installed, ignored);
    paths.shipped = (installedOnly ? installed.lexically_normal() : beside).string();
    const std::string data =
        XdgBaseFolder(environment.xdgDataHome, environment.home, ".local/share");
    if (!data.empty())
        paths.user = FileIn(data);
    return paths;
}

std::variant<std::vector<RateChange>, RateDataError> ParseRateData(std::string_view bytes,
                                                                   const std::string& origin)
{
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    const auto lines = SplitLines(bytes);
    if (lines.empty() || Trim(lines[0]) != kHeader)
        return RateDataError{1, msg::RateDataBadHeader(kHeader)};
    std::vector<RateChange> changes;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string text = Trim(lines[i]);
        if (text.empty() || text.front() == '#')
            continue;
        auto parsed = ParseLine(text, origin);
        if (auto* what = std::get_if<std::string>(&parsed))
            return RateDataError{i + 1, std::move(*what)};
        changes.push_back(std::get<RateChange>(std::move(parsed)));
    }
    return changes;
}

LoadedRateData LoadRateData(const RateDataPaths& paths)
{
    LoadedRateData loaded;
    const auto take = [&loaded](const std::string& path, bool required) {
        std::error_code ignored;
        if (path.empty() || (!required && !std::filesystem::exists(path, ignored)))
            return;
        std::string error;
        const auto bytes = ReadWholeFile(path, &error);
        if (!bytes) {
            loaded.problems.push_back(msg::RateDataUnreadable(path));
            return;
        }
        auto parsed = ParseRateData(*bytes, path);
        if (const auto* bad = std::get_if<RateDataError>(&parsed)) {
            loaded.problems.push_back(msg::RateDataIgnored(path, bad->line, bad->what));
            return;
        }
        for (RateChange& change : std::get<std::vector<RateChange>>(parsed))
            loaded.history.Add(std::move(change));
    };
    take(paths.shipped, true);
    take(paths.user, false);
    return loaded;
}

} // namespace lumavo
