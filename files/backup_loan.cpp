#include "files/backup_loan.h"

#include "calc/plan.h"
#include "common/messages.h"
#include "common/text.h"

namespace lumavo {

namespace {

// A number field as the page has it: a value and the text shown. Setting a text equal to the
// one shown does nothing; an empty text keeps the value.
struct NumberField
{
    double value;
    std::string text;

    bool SetText(const std::string& newText)
    {
        if (newText == text)
            return false;
        text = newText;
        double parsed = 0;
        if (ParseNumber(newText, parsed))
            value = parsed;
        return true;
    }

    void SetValue(double newValue, const std::string& shown)
    {
        SetText(shown);
        value = newValue;
    }
};

struct LoanPage
{
    NumberField area{0, "0.00"};
    NumberField price{0, "0.00"};
    std::string ratioText = "8";
    NumberField total{0, "0.00"};
    NumberField shareS{100, "100"};
    NumberField shareG{0, "0"};
    NumberField periods{240, "240"};

    void PriceOrRatioChanged()
    {
        int ratio = 0;
        if (!(area.value > 0) || !(price.value > 0) || !ParseWholeNumber(ratioText, ratio))
            return; // the page says why in a message box; the loan total stays
        const double derived = RoundToDecimals(ratio * (area.value * price.value) / 10, 2);
        total.SetValue(derived, MoneyText(derived));
    }

    void ShareChanged()
    {
        if (shareS.value > 100)
            shareS.SetValue(100, "100");
        shareG.SetValue(100 - shareS.value, CountText(100 - shareS.value));
    }

    void SetShare(double value)
    {
        const bool changed = shareS.SetText(CountText(value));
        shareS.value = value;
        if (changed)
            ShareChanged();
    }
};

BackupError FieldError(int field, const std::string& what)
{
    return BackupError{1, "第" + std::to_string(field + 1) + "个字段" + what};
}

bool InList(const std::string& text, int width, int low, int high, int& value)
{
    return static_cast<int>(text.size()) == width && ParseDigits(text, value) && value >= low &&
           value <= high;
}

std::optional<BackupError>
ReadDate(const std::vector<std::string>& fields, int first, int currentYear, Date& date)
{
    if (!InList(fields[static_cast<std::size_t>(first)], 4, 1997, currentYear + 3, date.y))
        return FieldError(first, std::string(msg::kNotInYearList) + "（1997–" +
                                     std::to_string(currentYear + 3) + "）：" +
                                     fields[static_cast<std::size_t>(first)]);
    if (!InList(fields[static_cast<std::size_t>(first + 1)], 2, 1, 12, date.m))
        return FieldError(first + 1, std::string(msg::kNotInMonthList) + "：" +
                                         fields[static_cast<std::size_t>(first + 1)]);
    if (!InList(fields[static_cast<std::size_t>(first + 2)], 2, 1, 31, date.d))
        return FieldError(first + 2, std::string(msg::kNotInDayList) + "：" +
                                         fields[static_cast<std::size_t>(first + 2)]);
    // The day list follows the month, so a 30th of February has no item to choose.
    if (!IsCalendarDate(date))
        return FieldError(first + 2, std::string(msg::kNotInMonthDays) + "：" +
                                         fields[static_cast<std::size_t>(first + 2)]);
    return std::nullopt;
}

int DerivedLoanType(double commercialShare)
{
    if (commercialShare == 100)
        return 0;
    return commercialShare == 0 ? 1 : 2;
}

} // namespace

std::variant<LoanInput, BackupError> LoanInputFromBackup(const BackupFile& file, int currentYear)
{
    const std::vector<std::string>& f = file.inputFields;
    if (f.size() < 17)
        return BackupError{1, "字段不足17个"};

    LoanPage page;
    page.area.SetText(f[1]);
    if (page.price.SetText(f[2]))
        page.PriceOrRatioChanged();
    page.ratioText = f[3];
    page.total.SetText(f[4]);
    if (page.shareS.SetText(f[5]))
        page.ShareChanged();
    page.periods.SetText(f[7]);

    LoanInput input;
    input.floatingRates = f[8] != "1";
    NumberField rateS{0, "0.000"};
    NumberField rateG{0, "0.000"};
    rateS.SetText(f[9]);
    rateG.SetText(f[10]);
    if (auto error = ReadDate(f, 11, currentYear, input.lending))
        return *error;
    if (auto error = ReadDate(f, 14, currentYear, input.firstPayment))
        return *error;

    int loanType = DerivedLoanType(page.shareS.value);
    if (file.HasLoanType())
        ParseWholeNumber(f[17], loanType);
    if (loanType == 0)
        page.SetShare(100);
    else if (loanType == 1)
        page.SetShare(0);

    input.dkze = page.total.value;
    input.ajqs = page.periods.value;
    input.ratioS = page.shareS.value;
    input.ratioG = page.shareG.value;
    input.nllS = rateS.value;
    input.nllG = rateG.value;

    PlanList plan;
    for (const BackupPlanLine& line : file.plan)
        plan.Add(line.ItemText(), line.ToEntry());
    input.plan = plan.Entries();
    return input;
}

} // namespace lumavo
