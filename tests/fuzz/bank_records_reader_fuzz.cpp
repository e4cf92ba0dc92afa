// Whatever a user pastes or picks as the bank's records: as text rows and as a workbook, the
// reader gives records or an error, never crashes; an error names a line of the input, records
// stand on real dates, in the order of their lines, no more of them than the bound.
#include "files/bank_records.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(const lumavo::RecordsRead& read, std::size_t lines, bool ordered)
{
    if (const auto* error = std::get_if<lumavo::RecordsError>(&read)) {
        if (error->reason.empty() || error->line < 0 || error->column < 0 ||
            static_cast<std::size_t>(error->line) > lines)
            std::abort();
        return;
    }
    const auto& records = std::get<std::vector<lumavo::BankRecord>>(read);
    if (records.size() > lumavo::kMostRecordRows)
        std::abort();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& record = records[i];
        if (!lumavo::IsCalendarDate(record.date) || !std::isfinite(record.principal) ||
            !std::isfinite(record.interest) || record.line < 1 ||
            (ordered && i > 0 && records[i - 1].line >= record.line))
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    Check(lumavo::ParseBankRecords(bytes), lines, true);
    // A sheet numbers its own rows, up to the most a sheet can have.
    Check(lumavo::ParseBankWorkbook(bytes), 1048576, false);
    return 0;
}
