#pragma once

#include "calc/plan.h"
#include "model/loan_form.h"

#include <random>
#include <string>

// Loan pages in every state a user can reach by typing and choosing, for the round trips of the
// files a page writes.
namespace lumavo::testing_support {

class RandomPage
{
  public:
    explicit RandomPage(unsigned seed) : m_random(seed) {}

    LoanForm Form()
    {
        LoanForm form;
        form.StartUp(2029);
        for (int step = Pick(5, 40); step > 0; --step)
            Act(form);
        return form;
    }

    PlanList Plan()
    {
        PlanList plan;
        for (int n = Pick(0, 6); n > 0; --n) {
            Ttqhd entry;
            entry.tqdate = std::to_string(Pick(1997, 2060)) + "年" + Two(Pick(1, 12)) + "月" +
                           Two(Pick(1, 31)) + "日";
            entry.tqse = Pick(0, 99999999) / 100.0;
            entry.sdajqs = Pick(0, 400);
            entry.tqhdType = Pick(0, 1) ? LoanPart::S : LoanPart::G;
            entry.oneover = Pick(0, 3) == 0;
            plan.Add(entry);
        }
        return plan;
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    static std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

    // What a number field can hold: digits, one point where the mask has decimals, cleared, a
    // lone point typed so far, or a run of thirty digits.
    std::string NumberText(int decimals)
    {
        switch (Pick(0, 5)) {
        case 0:
            return "";
        case 1:
            return decimals > 0 ? "." : "0";
        case 2:
            return std::string(30, static_cast<char>('1' + Pick(0, 8)));
        default: {
            std::string text = std::to_string(Pick(0, 2000000));
            if (decimals > 0 && Pick(0, 1))
                text += "." + std::to_string(Pick(0, 999));
            return text;
        }
        }
    }

    void Choose(LoanForm& form, FormPicker picker)
    {
        const Picker& choice = form.Choice(picker);
        if (!choice.items.empty())
            form.Choose(picker, choice.items[static_cast<std::size_t>(
                                    Pick(0, static_cast<int>(choice.items.size()) - 1))]);
    }

    void Act(LoanForm& form)
    {
        static constexpr FormNumber kTyped[] = {FormNumber::Area,      FormNumber::Price,
                                                FormNumber::LoanTotal, FormNumber::CommercialShare,
                                                FormNumber::Periods,   FormNumber::RateS,
                                                FormNumber::RateG};
        static constexpr FormPicker kChosen[] = {FormPicker::Ratio,       FormPicker::Years,
                                                 FormPicker::LendingYear, FormPicker::LendingMonth,
                                                 FormPicker::LendingDay,  FormPicker::FirstYear,
                                                 FormPicker::FirstMonth,  FormPicker::FirstDay};
        switch (Pick(0, 4)) {
        case 0: {
            const FormNumber field = kTyped[Pick(0, 6)];
            // Only a combination loan lets the share be typed.
            if (field == FormNumber::CommercialShare &&
                form.loanType != static_cast<int>(LoanTypeIndex::Combination))
                break;
            const int decimals = form.Number(field).decimals;
            // The share field holds three characters, as typed into it.
            form.SetNumberText(field, NumberText(decimals).substr(
                                          0, field == FormNumber::CommercialShare ? 3 : 40));
            break;
        }
        case 1:
            Choose(form, kChosen[Pick(0, 7)]);
            break;
        case 2:
            form.loanType = Pick(0, 2);
            form.LoanTypeRule();
            break;
        case 3:
            form.mode = Pick(0, 1);
            break;
        default:
            form.fixedRate = Pick(0, 1);
            break;
        }
    }

    std::mt19937 m_random;
};

// The inputs a calculation reads, and the choices that are no number.
inline std::string Inputs(const LoanForm& form, const PlanList& plan)
{
    const LoanInput input = form.Input(plan.Entries());
    std::string text = std::to_string(form.mode) + "|" + std::to_string(form.fixedRate) + "|" +
                       std::to_string(form.loanType) + "|" + form.Choice(FormPicker::Ratio).Text() +
                       "|" + form.Choice(FormPicker::Years).Text();
    for (const double value :
         {input.dkze, input.ajqs, input.ratioS, input.ratioG, input.nllS, input.nllG,
          form.Number(FormNumber::Area).value, form.Number(FormNumber::Price).value})
        text += "|" + std::to_string(value);
    for (const Date& date : {input.lending, input.firstPayment})
        text += "|" + DateText(date);
    for (const PlanList::Item& item : plan.Items())
        text += "|" + item.text;
    return text;
}

} // namespace lumavo::testing_support
