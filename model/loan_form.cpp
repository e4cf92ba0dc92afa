#include "model/loan_form.h"

#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <cmath>

namespace lumavo {

namespace {

std::size_t Slot(FormNumber field)
{
    return static_cast<std::size_t>(field);
}

std::size_t Slot(FormPicker picker)
{
    return static_cast<std::size_t>(picker);
}

// The field cuts a longer text, as a line edit with a maximum length does; counted in
// characters, not bytes.
std::string Clipped(std::string text, std::size_t maxLength)
{
    if (maxLength == 0)
        return text;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0u) == 0x80u;
        if (!continuation && ++characters > maxLength) {
            text.resize(i);
            break;
        }
    }
    return text;
}

// The pickers offer whole numbers only; one left without a choice reads as 0, which no check
// passes.
int Whole(const Picker& picker)
{
    int value = 0;
    return ParseWholeNumber(picker.Text(), value) ? value : 0;
}

} // namespace

MaskedNumber MaskedNumber::Blank(int decimals, std::size_t maxLength)
{
    return MaskedNumber{decimals, maxLength, 0, MaskedText(0, decimals)};
}

bool MaskedNumber::SetText(std::string newText)
{
    newText = Clipped(std::move(newText), maxLength);
    if (newText == text)
        return false;
    text = std::move(newText);
    double parsed = 0;
    if (ParseNumber(text, parsed))
        value = parsed;
    return true;
}

bool MaskedNumber::SetValue(double newValue)
{
    return SetText(MaskedText(newValue, decimals));
}

Picker Picker::Of(std::vector<std::string> items, int index)
{
    Picker picker;
    picker.items = std::move(items);
    picker.index = index < static_cast<int>(picker.items.size()) ? index : -1;
    return picker;
}

const std::string& Picker::Text() const
{
    static const std::string none;
    return index >= 0 ? items[static_cast<std::size_t>(index)] : none;
}

bool Picker::Choose(const std::string& text)
{
    index = -1;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) {
            index = static_cast<int>(i);
            return true;
        }
    return false;
}

void Picker::SetItems(std::vector<std::string> newItems)
{
    items = std::move(newItems);
    index = items.empty() ? -1 : 0;
}

LoanForm::LoanForm()
{
    Number(FormNumber::Area) = MaskedNumber::Blank(2);
    Number(FormNumber::Price) = MaskedNumber::Blank(2);
    Number(FormNumber::LoanTotal) = MaskedNumber::Blank(2);
    Number(FormNumber::CommercialShare) = MaskedNumber::Blank(0, 3);
    Number(FormNumber::ProvidentShare) = MaskedNumber::Blank(0, 3);
    Number(FormNumber::Periods) = MaskedNumber::Blank(0);
    Number(FormNumber::RateS) = MaskedNumber::Blank(3);
    Number(FormNumber::RateG) = MaskedNumber::Blank(3);
    Number(FormNumber::CommercialShare).SetValue(100);
    Number(FormNumber::Periods).SetValue(240);

    Choice(FormPicker::Ratio) = Picker::Of({"9", "8", "7", "6", "5", "4", "3", "2"}, 1);
    Choice(FormPicker::Years) = Picker::Of({"1", "2", "3", "5", "10", "15", "20", "25", "30"}, 6);
    const std::vector<std::string> months = NumberTexts(1, 12, 2);
    const std::vector<std::string> days = NumberTexts(1, 31, 2);
    for (FormPicker month :
         {FormPicker::LendingMonth, FormPicker::FirstMonth, FormPicker::PrepaymentMonth})
        Choice(month) = Picker::Of(months);
    for (FormPicker day : {FormPicker::LendingDay, FormPicker::FirstDay, FormPicker::PrepaymentDay})
        Choice(day) = Picker::Of(days);
}

void LoanForm::StartUp(int lastListYear)
{
    const std::vector<std::string> years = NumberTexts(kFirstListYear, lastListYear, 4);
    Choice(FormPicker::LendingYear).SetItems(years);
    Choice(FormPicker::FirstYear).SetItems(years);
    FirstPaymentYearRule();
    Picker& prepaymentYear = Choice(FormPicker::PrepaymentYear);
    prepaymentYear.index = prepaymentYear.items.empty() ? -1 : 0;
}

MaskedNumber& LoanForm::Number(FormNumber field)
{
    return m_numbers[Slot(field)];
}

const MaskedNumber& LoanForm::Number(FormNumber field) const
{
    return m_numbers[Slot(field)];
}

Picker& LoanForm::Choice(FormPicker picker)
{
    return m_pickers[Slot(picker)];
}

const Picker& LoanForm::Choice(FormPicker picker) const
{
    return m_pickers[Slot(picker)];
}

FormMessages LoanForm::SetNumberText(FormNumber field, const std::string& text)
{
    if (!Number(field).SetText(text))
        return {};
    switch (field) {
    case FormNumber::Price:
        return LoanTotalFromArea();
    case FormNumber::CommercialShare:
        SharesRule();
        break;
    case FormNumber::Periods:
        PrepaymentYears();
        break;
    default:
        break;
    }
    return {};
}

FormMessages LoanForm::Choose(FormPicker picker, const std::string& text)
{
    Choice(picker).Choose(text);
    switch (picker) {
    case FormPicker::Ratio:
        return LoanTotalFromArea();
    case FormPicker::Years:
        PeriodsFromYears();
        break;
    case FormPicker::LendingYear:
    case FormPicker::LendingMonth:
        LendingDays();
        break;
    case FormPicker::FirstYear:
        FirstPaymentYearRule();
        break;
    case FormPicker::FirstMonth:
        FirstPaymentDays();
        break;
    case FormPicker::PrepaymentYear:
    case FormPicker::PrepaymentMonth:
        PrepaymentDays();
        break;
    default:
        break;
    }
    return {};
}

FormMessages LoanForm::LoanTotalFromArea()
{
    const double area = Number(FormNumber::Area).value;
    const double price = Number(FormNumber::Price).value;
    if (!(area > 0))
        return {msg::kAreaPositive};
    if (!(price > 0))
        return {msg::kPricePositive};
    Number(FormNumber::LoanTotal)
        .SetValue(DerivedLoanTotal(area, price, Whole(Choice(FormPicker::Ratio))));
    return {};
}

void LoanForm::RoundLoanTotal()
{
    MaskedNumber& total = Number(FormNumber::LoanTotal);
    total.SetValue(RoundToTenThousands(total.value));
}

void LoanForm::PeriodsFromYears()
{
    if (Number(FormNumber::Periods).SetValue(Whole(Choice(FormPicker::Years)) * 12.0))
        PrepaymentYears();
}

void LoanForm::PrepaymentYears()
{
    Choice(FormPicker::PrepaymentYear)
        .SetItems(PrepaymentYearTexts(Choice(FormPicker::FirstYear).Text(),
                                      Number(FormNumber::Periods).value));
}

void LoanForm::LendingDays()
{
    Choice(FormPicker::LendingDay)
        .SetItems(DayTexts(Choice(FormPicker::LendingYear).Text(),
                           Choice(FormPicker::LendingMonth).Text()));
}

void LoanForm::FirstPaymentDays()
{
    Choice(FormPicker::FirstDay)
        .SetItems(
            DayTexts(Choice(FormPicker::FirstYear).Text(), Choice(FormPicker::FirstMonth).Text()));
}

void LoanForm::FirstPaymentYearRule()
{
    FirstPaymentDays();
    PrepaymentYears();
}

void LoanForm::PrepaymentDays()
{
    Choice(FormPicker::PrepaymentDay)
        .SetItems(DayTexts(Choice(FormPicker::PrepaymentYear).Text(),
                           Choice(FormPicker::PrepaymentMonth).Text()));
}

void LoanForm::SharesRule()
{
    MaskedNumber& commercial = Number(FormNumber::CommercialShare);
    if (commercial.value > 100)
        commercial.SetValue(100);
    Number(FormNumber::ProvidentShare).SetValue(100 - commercial.value);
}

void LoanForm::LoanTypeRule()
{
    // A combination keeps the shares the user set; an unknown index changes nothing.
    if (loanType == static_cast<int>(LoanTypeIndex::Commercial)) {
        if (Number(FormNumber::CommercialShare).SetValue(100))
            SharesRule();
    } else if (loanType == static_cast<int>(LoanTypeIndex::Provident)) {
        if (Number(FormNumber::CommercialShare).SetValue(0))
            SharesRule();
    }
}

void LoanForm::ChoosePrepaymentDate(const std::string& dateText)
{
    const std::optional<DateTextParts> date = SplitDateText(dateText);
    Picker& year = Choice(FormPicker::PrepaymentYear);
    Picker& month = Choice(FormPicker::PrepaymentMonth);
    year.Choose(date ? date->year : std::string());
    month.Choose(date ? date->month : std::string());
    // The day list follows the entry's month, as it does when the month is picked by hand.
    if (year.index >= 0 && month.index >= 0)
        PrepaymentDays();
    Choice(FormPicker::PrepaymentDay).Choose(date ? date->day : std::string());
}

LoanInput LoanForm::Input(const std::vector<Ttqhd>& plan) const
{
    LoanInput input;
    input.dkze = Number(FormNumber::LoanTotal).value;
    input.ajqs = Number(FormNumber::Periods).value;
    input.ratioS = Number(FormNumber::CommercialShare).value;
    input.ratioG = Number(FormNumber::ProvidentShare).value;
    input.floatingRates = !fixedRate;
    input.nllS = Number(FormNumber::RateS).value;
    input.nllG = Number(FormNumber::RateG).value;
    input.lending =
        Date{Whole(Choice(FormPicker::LendingYear)), Whole(Choice(FormPicker::LendingMonth)),
             Whole(Choice(FormPicker::LendingDay))};
    input.firstPayment =
        Date{Whole(Choice(FormPicker::FirstYear)), Whole(Choice(FormPicker::FirstMonth)),
             Whole(Choice(FormPicker::FirstDay))};
    input.plan = plan;
    return input;
}

PlanLoanContext LoanForm::PlanContext() const
{
    return PlanLoanContext{
        Number(FormNumber::LoanTotal).value,       Number(FormNumber::Periods).value,
        Number(FormNumber::CommercialShare).value, Number(FormNumber::ProvidentShare).value,
        Choice(FormPicker::LendingYear).Text(),    Choice(FormPicker::LendingMonth).Text(),
        Choice(FormPicker::LendingDay).Text(),     Choice(FormPicker::FirstYear).Text(),
        Choice(FormPicker::FirstMonth).Text(),     Choice(FormPicker::FirstDay).Text()};
}

double DerivedLoanTotal(double area, double unitPrice, int ratioTenths)
{
    // The product is kept in extended precision until it is rounded, so a total that lands on
    // half a fen is decided by its exact value, not by a double's last bit.
    const long double total = static_cast<long double>(ratioTenths) *
                              (static_cast<long double>(area) * unitPrice) / 10.0L;
    const long double fen = 0.01L;
    return static_cast<double>(std::nearbyint(total / fen) * fen);
}

double RoundToTenThousands(double total)
{
    return RoundToDecimals(total, -4);
}

std::vector<std::string> PrepaymentYearTexts(const std::string& firstYearText, double periods)
{
    int first = 0;
    if (!ParseWholeNumber(firstYearText, first) || !(periods >= 0))
        return {};
    // A term past the longest a calculation takes is refused by 计算; listing its years would
    // only cost time on every keystroke (a mistyped 30-digit term meant thousands of items).
    const double years = std::min(std::floor(std::trunc(periods) / 12), kMaxPeriods / 12);
    const int last = years > 9999.0 - first ? 9999 : first + static_cast<int>(years);
    return NumberTexts(first, last, 4);
}

std::vector<std::string> AdjustmentYearTexts(const std::string& lendingYearText,
                                             const std::string& firstYearText,
                                             double periods)
{
    std::vector<std::string> years = PrepaymentYearTexts(firstYearText, periods);
    int lending = 0;
    int first = 0;
    if (years.empty() || !ParseWholeNumber(lendingYearText, lending) ||
        !ParseWholeNumber(firstYearText, first) || lending >= first || lending < 0)
        return years;
    std::vector<std::string> before = NumberTexts(lending, first - 1, 4);
    years.insert(years.begin(), before.begin(), before.end());
    return years;
}

std::vector<std::string> DayTexts(const std::string& yearText, const std::string& monthText)
{
    return NumberTexts(1, DaysInMonth(yearText, monthText), 2);
}

std::vector<std::string> NumberTexts(int first, int last, int width)
{
    std::vector<std::string> texts;
    for (int n = first; n <= last; ++n)
        texts.push_back(PadNumber(n, width));
    return texts;
}

} // namespace lumavo
