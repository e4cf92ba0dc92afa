#include "calc/schedule_text.h"

#include "common/messages.h"
#include "common/text.h"

namespace lumavo {

namespace {

// The header row, then the written rows from row 1 on.
TextGrid
RowsUnder(std::array<std::string, kScheduleColumns> header, const Schedule& schedule, int gridRows)
{
    TextGrid grid = TextGrid::Blank(kScheduleColumns, gridRows);
    for (int column = 0; column < kScheduleColumns; ++column)
        grid.At(column, 0) = std::move(header[static_cast<std::size_t>(column)]);
    int rowIndex = 1;
    for (const ScheduleRow& row : schedule.rows) {
        auto texts = ScheduleRowTexts(row);
        for (int column = 0; column < kScheduleColumns; ++column)
            grid.At(column, rowIndex) = std::move(texts[static_cast<std::size_t>(column)]);
        ++rowIndex;
    }
    return grid;
}

} // namespace

const std::array<std::string, kScheduleColumns>& ScheduleHeaderTexts()
{
    static const std::array<std::string, kScheduleColumns> headers = {
        msg::kHeaderDate,    msg::kHeaderInterest,      msg::kHeaderPrincipal, msg::kHeaderPayment,
        msg::kHeaderBalance, msg::kHeaderInterestSoFar, msg::kHeaderPrepaidS,  msg::kHeaderPrepaidG,
    };
    return headers;
}

std::string ScheduleColumnTitle(ScheduleColumn column)
{
    return Trim(ScheduleHeaderTexts()[static_cast<std::size_t>(ColumnIndex(column))]);
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
    return RowsUnder(ScheduleHeaderTexts(), schedule, schedule.gridRowCount);
}

TextGrid ScheduleTableTexts(const Schedule& schedule)
{
    std::array<std::string, kScheduleColumns> titles;
    for (const ScheduleColumn column : kScheduleColumnOrder)
        titles[static_cast<std::size_t>(ColumnIndex(column))] = ScheduleColumnTitle(column);
    return RowsUnder(std::move(titles), schedule, static_cast<int>(schedule.rows.size()) + 1);
}

} // namespace lumavo
