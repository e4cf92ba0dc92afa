#pragma once

#include "calc/plan.h"
#include "model/loan_document.h"
#include "ui/loan_page_controls.h"

#include <optional>
#include <string>

namespace lumavo {

// The prepayment plan of a loan tab: the list that shows the document's plan, and the fields an
// entry is made from. The date pickers belong to the tab's form, which keeps their lists; the
// panel reads what they show.
class PlanPanel
{
  public:
    PlanPanel(const PlanControls& controls, bool secondTab, LoanDocument& document);

    // The list items anew from the document's plan; nothing is chosen afterwards.
    void ShowPlan();

    // What the fields hold, as 提交 reads them.
    PlanSubmission Submission() const;
    // 缩短按揭期数, as a choice of 试算 fills it.
    void SetShortening(double periods);
    // 提交: the refusal's message, or nothing when the entry went in.
    std::optional<std::string> Submit();
    // 撤销: removes the chosen item, if one is chosen.
    void RemoveChosen();
    // The entry of the item the user chose, if any.
    const Ttqhd* ChosenEntry() const;
    // Amount, periods, part and 一次性还清 of an entry into the fields.
    void ShowEntryFields(const Ttqhd& entry);
    void OneOverRule();
    void Fit();
    void Collapse();

  private:
    void InsertItem(std::size_t index);
    void ShowCount();

    PlanControls m_ui;
    bool m_secondTab; // an entry of an unknown part shows as 公积金贷款 there
    LoanDocument& m_document;
};

} // namespace lumavo
