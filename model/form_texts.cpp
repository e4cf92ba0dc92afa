#include "model/form_texts.h"

#include "common/messages.h"
#include "common/text.h"

#include <charconv>

namespace lumavo {

namespace {

struct DateFields
{
    FormField year, month, day;
    FormPicker yearPicker, monthPicker, dayPicker;
};

constexpr DateFields kLending{FormField::LendingYear,   FormField::LendingMonth,
                              FormField::LendingDay,    FormPicker::LendingYear,
                              FormPicker::LendingMonth, FormPicker::LendingDay};
constexpr DateFields kFirstPayment{FormField::FirstYear,   FormField::FirstMonth,
                                   FormField::FirstDay,    FormPicker::FirstYear,
                                   FormPicker::FirstMonth, FormPicker::FirstDay};

// What the field shows; while it shows no number (emptied, or only a point typed so far) it
// still holds its value, and a calculation would use that, so the texts get the value, in the
// shortest text that reads back to the same double.
std::string Text(const LoanForm& form, FormNumber field)
{
    const MaskedNumber& number = form.Number(field);
    double shown = 0;
    if (ParseNumber(number.text, shown))
        return number.text;
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, number.value);
    return std::string(buffer, written.ptr);
}

std::string Text(const LoanForm& form, FormPicker picker)
{
    return form.Choice(picker).Text();
}

// A number field takes the text; an empty one leaves the field as it was.
void SetNumber(LoanForm& form, FormNumber field, const std::string& text, FormMessages& messages)
{
    if (text.empty())
        return;
    for (std::string& message : form.SetNumberText(field, text))
        messages.push_back(std::move(message));
}

// After applying, a date picker without a choice means the text is not in its list.
std::optional<FormTextsError>
CheckDate(const LoanForm& form, const FormTexts& texts, const DateFields& date)
{
    const Picker& year = form.Choice(date.yearPicker);
    if (year.index < 0) {
        const std::string first = year.items.empty() ? "" : year.items.front();
        const std::string last = year.items.empty() ? "" : year.items.back();
        return FormTextsError{date.year, msg::NotInYearList(first, last, texts.Field(date.year))};
    }
    if (form.Choice(date.monthPicker).index < 0)
        return FormTextsError{date.month,
                              msg::NotInList(msg::kNotInMonthList, texts.Field(date.month))};
    if (form.Choice(date.dayPicker).index < 0) {
        const std::string& day = texts.Field(date.day);
        int number = 0;
        const bool inAnyMonth =
            day.size() == 2 && ParseDigits(day, number) && number >= 1 && number <= 31;
        return FormTextsError{
            date.day, msg::NotInList(inAnyMonth ? msg::kNotInMonthDays : msg::kNotInDayList, day)};
    }
    return std::nullopt;
}

// The share fields hold whole percents, and the provident share is 100 less the commercial one.
// A fraction is rounded as the field rounds it when left (2.5 -> 3, so 3 and 97); taken as
// written, the provident share would show 98 and the loan would lend 100.5 %.
std::string WholeShare(const std::string& text)
{
    double share = 0;
    return ParseNumber(text, share) ? CountText(share) : text;
}

// Texts saved before the loan type existed: the commercial share tells it.
int DerivedLoanType(double commercialShare)
{
    if (commercialShare == 100)
        return static_cast<int>(LoanTypeIndex::Commercial);
    return static_cast<int>(commercialShare == 0 ? LoanTypeIndex::Provident
                                                 : LoanTypeIndex::Combination);
}

// Year and month first, then the day list follows them before the day is chosen, so a saved
// 31st is found whatever month the page showed before.
void ApplyDates(LoanForm& page, const FormTexts& texts)
{
    page.Choice(FormPicker::LendingYear).Choose(texts.Field(FormField::LendingYear));
    page.Choice(FormPicker::LendingMonth).Choose(texts.Field(FormField::LendingMonth));
    page.LendingDays();
    page.Choice(FormPicker::LendingDay).Choose(texts.Field(FormField::LendingDay));
    page.Choice(FormPicker::FirstYear).Choose(texts.Field(FormField::FirstYear));
    page.FirstPaymentYearRule();
    page.Choice(FormPicker::FirstMonth).Choose(texts.Field(FormField::FirstMonth));
    page.FirstPaymentDays();
    page.Choice(FormPicker::FirstDay).Choose(texts.Field(FormField::FirstDay));
}

} // namespace

FormTexts TextsOf(const LoanForm& form)
{
    FormTexts texts;
    texts.fields.resize(kFormFieldsWithLoanType);
    const auto set = [&texts](FormField field, std::string text) {
        texts.fields[Index(field)] = std::move(text);
    };
    set(FormField::Mode, std::to_string(form.mode));
    set(FormField::Area, Text(form, FormNumber::Area));
    set(FormField::Price, Text(form, FormNumber::Price));
    set(FormField::Ratio, Text(form, FormPicker::Ratio));
    set(FormField::LoanTotal, Text(form, FormNumber::LoanTotal));
    set(FormField::CommercialShare, Text(form, FormNumber::CommercialShare));
    set(FormField::Years, Text(form, FormPicker::Years));
    set(FormField::Periods, Text(form, FormNumber::Periods));
    set(FormField::RateKind, form.fixedRate ? "1" : "0");
    set(FormField::RateS, Text(form, FormNumber::RateS));
    set(FormField::RateG, Text(form, FormNumber::RateG));
    set(FormField::LendingYear, Text(form, FormPicker::LendingYear));
    set(FormField::LendingMonth, Text(form, FormPicker::LendingMonth));
    set(FormField::LendingDay, Text(form, FormPicker::LendingDay));
    set(FormField::FirstYear, Text(form, FormPicker::FirstYear));
    set(FormField::FirstMonth, Text(form, FormPicker::FirstMonth));
    set(FormField::FirstDay, Text(form, FormPicker::FirstDay));
    set(FormField::LoanType, std::to_string(form.loanType));
    return texts;
}

std::variant<FormMessages, FormTextsError> ApplyTexts(LoanForm& form, const FormTexts& texts)
{
    if (texts.fields.size() < kFormFieldsWithoutLoanType)
        return FormTextsError{std::nullopt, msg::TooFewInputFields(kFormFieldsWithoutLoanType)};

    LoanForm page = form;
    FormMessages messages;
    int mode = 0;
    if (ParseWholeNumber(texts.Field(FormField::Mode), mode) && mode >= -1 && mode <= 1)
        page.mode = mode;
    SetNumber(page, FormNumber::Area, texts.Field(FormField::Area), messages);
    SetNumber(page, FormNumber::Price, texts.Field(FormField::Price), messages);
    // Pickers set by the program run no rule: the loan total stays what the texts say.
    page.Choice(FormPicker::Ratio).Choose(texts.Field(FormField::Ratio));
    SetNumber(page, FormNumber::LoanTotal, texts.Field(FormField::LoanTotal), messages);
    SetNumber(page, FormNumber::CommercialShare,
              WholeShare(texts.Field(FormField::CommercialShare)), messages);
    page.Choice(FormPicker::Years).Choose(texts.Field(FormField::Years));
    SetNumber(page, FormNumber::Periods, texts.Field(FormField::Periods), messages);
    page.fixedRate = texts.Field(FormField::RateKind) == "1";
    SetNumber(page, FormNumber::RateS, texts.Field(FormField::RateS), messages);
    SetNumber(page, FormNumber::RateG, texts.Field(FormField::RateG), messages);

    ApplyDates(page, texts);
    for (const DateFields& date : {kLending, kFirstPayment})
        if (auto error = CheckDate(page, texts, date))
            return *error;

    int type = DerivedLoanType(page.Number(FormNumber::CommercialShare).value);
    if (texts.HasLoanType() &&
        !(ParseWholeNumber(texts.Field(FormField::LoanType), type) && type >= 0 && type <= 2))
        type = -1;
    page.loanType = type;
    page.LoanTypeRule();

    form = std::move(page);
    return messages;
}

} // namespace lumavo
