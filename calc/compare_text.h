#pragma once

#include "calc/compare.h"
#include "common/text_grid.h"

#include <string>
#include <string_view>

namespace lumavo {

// The comparison as the 方案对比 page and the command line show it: a header row, then one row
// per figure; the columns are the item, then one per scenario in the comparison's order.
TextGrid ComparisonGridTexts(const Comparison& comparison);

// The title of a scenario's column and line: "等额本息（按计划）".
std::string ScenarioTitle(const Scenario& scenario);

// The two outcomes of a preview side by side: item, 减少月供, 缩短年限（月供基本不变）.
TextGrid PreviewGridTexts(const PrepaymentPreview& preview, Method method);

// What the 试算 box asks, and the text of each of its two choices.
std::string PreviewQuestionText(const PrepaymentPreview& preview, Method method);
std::string PreviewChoiceText(const PrepaymentPreview& preview, bool keepPayment, Method method);

// The line above a kept preview: where and when it was asked, and the payment before it.
std::string PreviewRecordText(const PrepaymentPreview& preview,
                              Method method,
                              std::string_view pageName,
                              std::string_view when);

// "商业贷款" or "公积金贷款".
std::string PartName(LoanPart part);

} // namespace lumavo
