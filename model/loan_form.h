#pragma once

#include "calc/loan_input.h"
#include "calc/plan.h"

#include <cstddef>
#include <string>
#include <vector>

// The inputs of one loan page and the rules that keep them in step, without a widget in sight.
// The window shows a form and hands the user's changes to it; an import applies a file to one;
// lumavo-cli reads a file through a fresh one. So every derived value has one source.
namespace lumavo {

// The year lists of the date pickers start here; the last year is the current one plus three.
inline constexpr int kFirstListYear = 1997;

// A number field: the value and the text that shows it. A changed text updates the value; an
// empty or unreadable text leaves the value as it was. Setting a value writes it in the mask and
// reads it back from that text, as the field does, so the value is what the user sees.
struct MaskedNumber
{
    int decimals = 2;          // the mask: 0 "0", 2 "0.00", 3 "0.000"
    std::size_t maxLength = 0; // characters the field holds; 0 for no limit
    double value = 0;
    std::string text = "0.00";

    static MaskedNumber Blank(int decimals, std::size_t maxLength = 0);

    // False, with nothing changed, when the text is the one shown.
    bool SetText(std::string newText);
    bool SetValue(double newValue);
};

// A choose-only list: the items it offers and the one chosen (-1: none).
struct Picker
{
    std::vector<std::string> items;
    int index = -1;

    static Picker Of(std::vector<std::string> items, int index = 0);

    const std::string& Text() const; // "" when nothing is chosen
    // Chooses the item with this text; with no such item, nothing is chosen.
    bool Choose(const std::string& text);
    // New items, the first chosen (nothing when there are none).
    void SetItems(std::vector<std::string> newItems);
};

// The number fields of a loan page.
enum class FormNumber
{
    Area,            // 面积
    Price,           // 单价
    LoanTotal,       // 贷款总额
    CommercialShare, // 商业贷款 share
    ProvidentShare,  // 公积金贷款 share, always derived
    Periods,         // 按揭期数
    RateS,           // 商业利率
    RateG,           // 公积金利率
};

// The pickers of a loan page.
enum class FormPicker
{
    Ratio, // 按揭成数
    Years, // 按揭期数 in years
    LendingYear,
    LendingMonth,
    LendingDay,
    FirstYear,
    FirstMonth,
    FirstDay,
    PrepaymentYear,
    PrepaymentMonth,
    PrepaymentDay,
};

inline constexpr std::size_t kFormNumbers = 8;
inline constexpr std::size_t kFormPickers = 11;

enum class LoanTypeIndex
{
    Commercial = 0,  // 商业贷款
    Provident = 1,   // 公积金贷款
    Combination = 2, // 组合贷款
};

// Messages a rule raises, in the order the user is to see them.
using FormMessages = std::vector<std::string>;

class LoanForm
{
  public:
    // As the page is built: year lists empty until StartUp().
    LoanForm();

    // What showing the window does: the year lists from kFirstListYear to lastListYear, the first
    // year chosen, the first-payment rule run and the first prepayment year chosen.
    void StartUp(int lastListYear);

    int mode = 1;          // 0 根据面积、单价计算, 1 根据贷款总额计算, -1 neither
    bool fixedRate = true; // 固定年利率, else 浮动年利率
    int loanType = 0;      // a LoanTypeIndex, or -1 for none

    MaskedNumber& Number(FormNumber field);
    const MaskedNumber& Number(FormNumber field) const;
    Picker& Choice(FormPicker picker);
    const Picker& Choice(FormPicker picker) const;

    // A text typed or set: the field's own rule runs when the text changed.
    FormMessages SetNumberText(FormNumber field, const std::string& text);
    // A choice from the list: the picker's rule runs.
    FormMessages Choose(FormPicker picker, const std::string& text);

    // The rules, run by the changes above, by the window's handlers and by an import.
    FormMessages LoanTotalFromArea(); // 单价 or 按揭成数 changed
    void RoundLoanTotal();            // 整万
    void PeriodsFromYears();
    void PrepaymentYears();
    void LendingDays();
    void FirstPaymentDays();
    void FirstPaymentYearRule(); // first-payment days, then prepayment years
    void PrepaymentDays();
    void SharesRule();
    void LoanTypeRule();
    // A plan entry's date into the prepayment pickers; a text that is no date leaves them
    // without a choice.
    void ChoosePrepaymentDate(const std::string& dateText);

    // What 计算 reads, with the plan of the page.
    LoanInput Input(const std::vector<Ttqhd>& plan) const;
    // What 提交 checks a plan entry against.
    PlanLoanContext PlanContext() const;

  private:
    MaskedNumber m_numbers[kFormNumbers];
    Picker m_pickers[kFormPickers];
};

// 贷款总额 from area (平方米), unit price (元/平米) and the loan ratio in tenths ("8" 成):
// ratio x (area x price) / 10 in extended precision, rounded to whole fen with halves to even.
double DerivedLoanTotal(double area, double unitPrice, int ratioTenths);

// "整万": the nearest whole ten-thousand, halves to even (235000 -> 240000, 225000 -> 220000).
double RoundToTenThousands(double total);

// The years a prepayment may fall in: the first payment year and one more for every whole 12
// periods, at most as many as the longest term a calculation takes. Year texts have four
// digits, so the list never runs past 9999.
std::vector<std::string> PrepaymentYearTexts(const std::string& firstYearText, double periods);

// The years a 利率调整 may fall in: from the lending year (or the first payment's, when the
// lending year is no number) through the last year the term reaches.
std::vector<std::string> AdjustmentYearTexts(const std::string& lendingYearText,
                                             const std::string& firstYearText,
                                             double periods);

// "01" .. the month's length; empty when either text is not a whole number or the month is
// outside 1..12.
std::vector<std::string> DayTexts(const std::string& yearText, const std::string& monthText);

// Zero-padded texts from first to last inclusive: years with four digits, months with two.
std::vector<std::string> NumberTexts(int first, int last, int width);

} // namespace lumavo
