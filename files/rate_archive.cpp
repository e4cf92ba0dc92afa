#include "files/rate_archive.h"

#include "common/archive.h"
#include "common/text.h"

namespace lumavo {

namespace {

std::string RateKey(int index)
{
    return "percent" + std::to_string(index);
}

} // namespace

RateTable LoadRateTable(const std::string& archivePath, const std::string& section)
{
    RateTable table;
    // An unreadable archive loads like a missing one: start-up shows no message either way.
    const IniDocument document = ReadIniFile(archivePath).value_or(IniDocument{});
    for (int index = 0; index < RateTable::kEntries; ++index) {
        const std::string text = document.Value(section, RateKey(index)).value_or("0");
        double rate = 0;
        if (!ParseNumber(text, rate))
            rate = 0;
        table.Set(index, rate);
    }
    return table;
}

std::optional<std::string>
SaveRateTable(const std::string& archivePath, const std::string& section, const RateTable& table)
{
    std::string error;
    auto document = ReadIniFile(archivePath, &error);
    if (!document)
        return error;
    for (int index = 0; index < RateTable::kEntries; ++index)
        document->SetValue(section, RateKey(index), GeneralNumberText(table.At(index)));
    return WriteIniFile(archivePath, *document);
}

} // namespace lumavo
