#include "calc/schedule_text.h"

#include "common/text.h"

namespace lumavo {

const std::array<std::string, kScheduleColumns>& ScheduleHeaderTexts()
{
    static const std::array<std::string, kScheduleColumns> headers = {
        "\r还款日期",
        "\r月利息还款额（元）",
        "\r月本金还款额（元）",
        "\r月还款额（元）",
        "\r剩余本金（元）",
        "\r已还利息（元）",
        "\r商业贷款提前还贷（元）",
        "\r公积金贷款提前还贷（元）",
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
