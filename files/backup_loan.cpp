#include "files/backup_loan.h"

#include "common/messages.h"
#include "common/text.h"

#include <charconv>

namespace lumavo {

namespace {

struct DateFields
{
    InputField year, month, day;
    FormPicker yearPicker, monthPicker, dayPicker;
};

constexpr DateFields kLending{InputField::LendingYear,  InputField::LendingMonth,
                              InputField::LendingDay,   FormPicker::LendingYear,
                              FormPicker::LendingMonth, FormPicker::LendingDay};
constexpr DateFields kFirstPayment{InputField::FirstYear,  InputField::FirstMonth,
                                   InputField::FirstDay,   FormPicker::FirstYear,
                                   FormPicker::FirstMonth, FormPicker::FirstDay};

// What the field shows; while it shows no number (emptied, or only a point typed so far) it
// still holds its value, and a calculation would use that, so the file gets the value, in the
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

BackupError FieldError(InputField field, const std::string& what)
{
    return BackupError{1, msg::InputFieldError(Index(field) + 1, what)};
}

// A number field takes the text; an empty one in the file leaves the field as it was.
void SetNumber(LoanForm& form, FormNumber field, const std::string& text, FormMessages& messages)
{
    if (text.empty())
        return;
    for (std::string& message : form.SetNumberText(field, text))
        messages.push_back(std::move(message));
}

// Year and month first, then the day list follows them before the day is chosen, so a saved
// 31st is found whatever month the page showed before.
void SetDate(LoanForm& form, const BackupFile& file, const DateFields& date)
{
    form.Choice(date.yearPicker).Choose(file.Field(date.year));
    form.Choice(date.monthPicker).Choose(file.Field(date.month));
}

// After the import a date picker without a choice means the file's text is not in its list.
std::optional<BackupError>
CheckDate(const LoanForm& form, const BackupFile& file, const DateFields& date)
{
    const Picker& year = form.Choice(date.yearPicker);
    if (year.index < 0) {
        const std::string first = year.items.empty() ? "" : year.items.front();
        const std::string last = year.items.empty() ? "" : year.items.back();
        return FieldError(date.year, msg::NotInYearList(first, last, file.Field(date.year)));
    }
    if (form.Choice(date.monthPicker).index < 0)
        return FieldError(date.month, msg::NotInList(msg::kNotInMonthList, file.Field(date.month)));
    if (form.Choice(date.dayPicker).index < 0) {
        const std::string& day = file.Field(date.day);
        int number = 0;
        const bool inAnyMonth =
            day.size() == 2 && ParseDigits(day, number) && number >= 1 && number <= 31;
        return FieldError(
            date.day, msg::NotInList(inAnyMonth ? msg::kNotInMonthDays : msg::kNotInDayList, day));
    }
    return std::nullopt;
}

// The share fields hold whole percents, and the provident share is 100 less the commercial one.
// A fraction from a file is rounded as the field rounds it when left (2.5 -> 3, so 3 and 97);
// taken as written, the provident share would show 98 and the loan would lend 100.5 %.
std::string WholeShare(const std::string& text)
{
    double share = 0;
    return ParseNumber(text, share) ? CountText(share) : text;
}

// Files written before the loan type existed: the commercial share tells it.
int DerivedLoanType(double commercialShare)
{
    if (commercialShare == 100)
        return static_cast<int>(LoanTypeIndex::Commercial);
    return static_cast<int>(commercialShare == 0 ? LoanTypeIndex::Provident
                                                 : LoanTypeIndex::Combination);
}

} // namespace

BackupFile BackupOf(const LoanForm& form, const PlanList& plan)
{
    BackupFile file;
    file.inputFields.resize(kInputFieldsWithLoanType);
    const auto set = [&file](InputField field, std::string text) {
        file.inputFields[Index(field)] = std::move(text);
    };
    set(InputField::Mode, std::to_string(form.mode));
    set(InputField::Area, Text(form, FormNumber::Area));
    set(InputField::Price, Text(form, FormNumber::Price));
    set(InputField::Ratio, Text(form, FormPicker::Ratio));
    set(InputField::LoanTotal, Text(form, FormNumber::LoanTotal));
    set(InputField::CommercialShare, Text(form, FormNumber::CommercialShare));
    set(InputField::Years, Text(form, FormPicker::Years));
    set(InputField::Periods, Text(form, FormNumber::Periods));
    set(InputField::RateKind, form.fixedRate ? "1" : "0");
    set(InputField::RateS, Text(form, FormNumber::RateS));
    set(InputField::RateG, Text(form, FormNumber::RateG));
    set(InputField::LendingYear, Text(form, FormPicker::LendingYear));
    set(InputField::LendingMonth, Text(form, FormPicker::LendingMonth));
    set(InputField::LendingDay, Text(form, FormPicker::LendingDay));
    set(InputField::FirstYear, Text(form, FormPicker::FirstYear));
    set(InputField::FirstMonth, Text(form, FormPicker::FirstMonth));
    set(InputField::FirstDay, Text(form, FormPicker::FirstDay));
    set(InputField::LoanType, std::to_string(form.loanType));
    for (const PlanList::Item& item : plan.Items())
        file.plan.push_back(FromEntry(item.entry));
    return file;
}

std::variant<FormMessages, BackupError> ApplyBackup(LoanForm& form, const BackupFile& file)
{
    if (file.inputFields.size() < kInputFieldsWithoutLoanType)
        return BackupError{1, msg::TooFewInputFields(kInputFieldsWithoutLoanType)};

    LoanForm page = form;
    FormMessages messages;
    int mode = 0;
    if (ParseWholeNumber(file.Field(InputField::Mode), mode) && mode >= -1 && mode <= 1)
        page.mode = mode;
    SetNumber(page, FormNumber::Area, file.Field(InputField::Area), messages);
    SetNumber(page, FormNumber::Price, file.Field(InputField::Price), messages);
    // Pickers set by the program run no rule: the loan total stays what the file says.
    page.Choice(FormPicker::Ratio).Choose(file.Field(InputField::Ratio));
    SetNumber(page, FormNumber::LoanTotal, file.Field(InputField::LoanTotal), messages);
    SetNumber(page, FormNumber::CommercialShare,
              WholeShare(file.Field(InputField::CommercialShare)), messages);
    page.Choice(FormPicker::Years).Choose(file.Field(InputField::Years));
    SetNumber(page, FormNumber::Periods, file.Field(InputField::Periods), messages);
    page.fixedRate = file.Field(InputField::RateKind) == "1";
    SetNumber(page, FormNumber::RateS, file.Field(InputField::RateS), messages);
    SetNumber(page, FormNumber::RateG, file.Field(InputField::RateG), messages);

    SetDate(page, file, kLending);
    page.LendingDays();
    page.Choice(FormPicker::LendingDay).Choose(file.Field(InputField::LendingDay));
    page.Choice(FormPicker::FirstYear).Choose(file.Field(InputField::FirstYear));
    page.FirstPaymentYearRule();
    page.Choice(FormPicker::FirstMonth).Choose(file.Field(InputField::FirstMonth));
    page.FirstPaymentDays();
    page.Choice(FormPicker::FirstDay).Choose(file.Field(InputField::FirstDay));
    for (const DateFields& date : {kLending, kFirstPayment})
        if (auto error = CheckDate(page, file, date))
            return *error;

    int type = DerivedLoanType(page.Number(FormNumber::CommercialShare).value);
    if (file.HasLoanType() &&
        !(ParseWholeNumber(file.Field(InputField::LoanType), type) && type >= 0 && type <= 2))
        type = -1;
    page.loanType = type;
    page.LoanTypeRule();

    form = std::move(page);
    return messages;
}

PlanList PlanFromBackup(const BackupFile& file)
{
    PlanList plan;
    for (const BackupPlanLine& line : file.plan)
        plan.Add(line.ItemText(), line.ToEntry());
    return plan;
}

std::variant<LoanInput, BackupError> LoanInputFromBackup(const BackupFile& file, int currentYear)
{
    LoanForm form;
    form.StartUp(currentYear + 3);
    const auto applied = ApplyBackup(form, file);
    if (const auto* error = std::get_if<BackupError>(&applied))
        return *error;
    return form.Input(PlanFromBackup(file).Entries());
}

} // namespace lumavo
