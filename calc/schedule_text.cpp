#include "calc/schedule_text.h"

#include "common/messages.h"
#include "common/text.h"

namespace lumavo {

const std::array<std::string, kScheduleColumns>& ScheduleHeaderTexts()
{
    static const std::array<std::string, kScheduleColumns> headers = {
        msg::kHeaderDate,    msg::kHeaderInterest,      msg::kHeaderPrincipal, msg::kHeaderPayment,
        msg::kHeaderBalance, msg::kHeaderInterestSoFar, msg::kHeaderPrepaidS,  msg::kHeaderPrepaidG,
    };
    return headers;
}

std::array<std::string, kScheduleColumns> ScheduleRowTexts(const ScheduleRow& row)
{
    auto optional = [](const std::optional<double>& value) {
        return value ? MoneyText(*value) : std::string();
    };
    return {DateText(row.date),     MoneyText(row.interest), optional(row.principal),
            MoneyText(row.payment), MoneyText(row.balance),  MoneyText(row.interestSoFar),
            optional(row.prepaidS), optional(row.prepaidG)};
}

std::string EndDateText(const ScheduleTotals& totals)
{
    return totals.endDate ? DateText(*totals.endDate) : std::string();
}

TextGrid ScheduleGridTexts(const Schedule& schedule)
{
    TextGrid grid = TextGrid::Blank(kScheduleColumns, schedule.gridRowCount);
    for (int column = 0; column < kScheduleColumns; ++column)
        grid.At(column, 0) = ScheduleHeaderTexts()[static_cast<std::size_t>(column)];
    int rowIndex = 1;
    for (const ScheduleRow& row : schedule.rows) {
        const auto texts = ScheduleRowTexts(row);
        for (int column = 0; column < kScheduleColumns; ++column)
            grid.At(column, rowIndex) = texts[static_cast<std::size_t>(column)];
        ++rowIndex;
    }
    return grid;
}

} // namespace lumavo
