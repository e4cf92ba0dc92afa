#pragma once

#include "model/loan_document.h"
#include "ui/loan_page_controls.h"

#include <optional>
#include <string>
#include <vector>

namespace lumavo {

// The 利率调整 list of a loan tab: a view of the document's adjustments, and the fields an entry
// is made from. The fields' year list follows the loan's term and only the parts the loan type
// has are offered.
class AdjustmentPanel
{
  public:
    AdjustmentPanel(const AdjustmentControls& controls, LoanDocument& document);

    // The list items anew from the document; nothing is chosen afterwards.
    void ShowAdjustments();
    // The years the loan's form reaches and the parts its type has, keeping the choices shown
    // where they are still offered.
    void ShowLoan();
    // The days of the month the pickers show.
    void ShowDays();
    // 添加: the refusal's message, or nothing when the entry went in.
    std::optional<std::string> Add();
    // 删除: removes the chosen item, if one is chosen.
    void RemoveChosen();
    // The chosen item's entry into the fields.
    void ShowChosen();
    // 按规则生成 taken: the generated entries in place of every commercial one.
    void ReplaceCommercial(const std::vector<RateAdjustment>& generated);
    void Collapse();

  private:
    void ShowCount();

    AdjustmentControls m_ui;
    LoanDocument& m_document;
};

} // namespace lumavo
