// Import, calculate and show: a file that imports either is refused by the calculation with its
// message or gives a schedule whose every cell is a text the grid can show — no "nan", no
// negative amount, no row past the grid.
#include "calc/schedule.h"
#include "calc/schedule_text.h"
#include "files/backup.h"
#include "files/backup_loan.h"
#include "model/loan_document.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace lumavo;

// Fixed, so a crash replays; the import accepts years up to three past it.
constexpr int kCurrentYear = 2030;

// Rates that change between years, so interest spans are split at year ends.
FloatingTables Floating()
{
    FloatingTables tables;
    tables.s.Fill(5.94);
    tables.s.Set(2, 6.12);
    tables.s.Set(7, 4.9);
    tables.g.Fill(3.87);
    tables.g.Set(0, 4.5);
    tables.g.Set(4, 3.25);
    return tables;
}

// "0.00" texts of a non-negative finite amount: digits, a point, two digits.
bool IsAmountText(std::string_view text)
{
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || point == 0 || text.size() != point + 3)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != point && (text[i] < '0' || text[i] > '9'))
            return false;
    return true;
}

void CheckSchedule(const Schedule& schedule)
{
    if (schedule.rows.size() + 1 > static_cast<std::size_t>(schedule.gridRowCount))
        std::abort();
    // A part whose balance drops below half a cent counts as repaid, and 利息总额 is 还款总额
    // less the whole principal, so on a loan of a few cents it can fall short by that remainder
    // and show -0.01; anything below that is a fault.
    if (!std::isfinite(schedule.totals.hkze) || !std::isfinite(schedule.totals.lxze) ||
        schedule.totals.hkze < 0 || schedule.totals.lxze < -0.01)
        std::abort();
    const TextGrid grid = ScheduleGridTexts(schedule);
    for (int row = 1; row <= static_cast<int>(schedule.rows.size()); ++row) {
        for (int column = 1; column < kScheduleColumns; ++column) {
            const std::string& text = grid.At(column, row);
            if (!text.empty() && !IsAmountText(text))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const FloatingTables floating = Floating();
    const auto file = ParseBackup(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!std::holds_alternative<BackupFile>(file))
        return 0;
    const auto input = LoanInputFromBackup(std::get<BackupFile>(file), kCurrentYear);
    if (!std::holds_alternative<LoanInput>(input))
        return 0;
    for (const Method method : {Method::Debx, Method::Debj}) {
        const auto outcome =
            CalculateSchedule(std::get<LoanInput>(input), method, floating.s, floating.g);
        if (const auto* schedule = std::get_if<Schedule>(&outcome))
            CheckSchedule(*schedule);
        else if (std::get<Refusal>(outcome).message.empty())
            std::abort();
    }
    return 0;
}
