#pragma once

#include "model/loan_form.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A loan form as the texts of its fields, and those texts applied to a form as the page applies
// them. The backup file is one way of storing these texts; any other store of a page's inputs
// goes through here too, so an import means the same whatever file it came from.
namespace lumavo {

// The fields in the order they are applied (and written). The numbers a user reads in an error
// ("第8个字段") are these plus one.
enum class FormField : std::size_t
{
    Mode,            // 计算方式: selected index of the mode radio group
    Area,            // 面积
    Price,           // 单价
    Ratio,           // 按揭成数 in tenths
    LoanTotal,       // 贷款总额
    CommercialShare, // 商业贷款 share of a combination loan
    Years,           // 按揭年数
    Periods,         // 按揭期数
    RateKind,        // "1" 固定年利率, anything else 浮动年利率
    RateS,           // 商业利率
    RateG,           // 公积金利率
    LendingYear,     // 放贷日
    LendingMonth,
    LendingDay,
    FirstYear, // 月供首日
    FirstMonth,
    FirstDay,
    LoanType, // 贷款类型 index; absent from texts saved before the loan type existed
    Count,
};

inline constexpr std::size_t Index(FormField field)
{
    return static_cast<std::size_t>(field);
}

// Texts saved before the loan type stop one field short.
inline constexpr std::size_t kFormFieldsWithoutLoanType = Index(FormField::LoanType);
inline constexpr std::size_t kFormFieldsWithLoanType = Index(FormField::Count);

// The texts of a form's fields in FormField order: 17 without the loan type, else 18.
struct FormTexts
{
    std::vector<std::string> fields;

    bool HasLoanType() const { return fields.size() >= kFormFieldsWithLoanType; }
    const std::string& Field(FormField field) const { return fields[Index(field)]; }
};

// What stops texts from being applied; nothing of the form has changed then.
struct FormTextsError
{
    std::optional<FormField> field; // none: too few fields
    std::string reason;
};

// The texts the form's fields show. A number field that shows no number yet gives the value it
// still holds, so the texts apply back to the same form.
FormTexts TextsOf(const LoanForm& form);

// The fields in order, each change running the rule the page runs for it. Returns the messages
// those rules raise, for the page to show; or, with the form left as it was, the error for a
// date the pickers do not offer (a picker without a choice, which no calculation can read).
std::variant<FormMessages, FormTextsError> ApplyTexts(LoanForm& form, const FormTexts& texts);

} // namespace lumavo
