#pragma once

#include "calc/compare.h"
#include "calc/loan_input.h"
#include "calc/reconcile.h"
#include "calc/schedule.h"
#include "common/text_grid.h"

#include <string>

namespace lumavo::cli {

std::string JsonOutput(const Schedule& schedule, Method method);
std::string JsonError(const std::string& message);
std::string CsvOutput(const Schedule& schedule);
// Aligned for a terminal, totals below.
std::string TableOutput(const Schedule& schedule, Method method);

// A grid of texts for a terminal: the first column left, the others right-aligned.
std::string AlignedText(const TextGrid& grid);
std::string CsvText(const TextGrid& grid);
// {"compare":{"debx":{"plan":{...},"no_plan":{...},"interest_saved":...},"debj":{...}}}: each
// method the scenarios bring, with the figures the comparison holds.
std::string CompareJson(const Comparison& comparison);
// {"rate_changes":[{"date":"2019-06-20","part":"S","rate":5.39},...]}: a document's 利率调整.
std::string RateChangesJson(const std::vector<RateAdjustment>& adjustments);
// {"preview":{"part":"S","keep_term":{...},"keep_payment":{...}}}
std::string PreviewJson(const PrepaymentPreview& preview, Method method);

// The bank's rows beside ours, one line each with the differences, then the bank's rows no
// schedule row stands for; a header row above.
TextGrid ReconciliationGridTexts(const Reconciliation& reconciliation);
// {"rows":[{"date":"2024-11-20","bank":{...},"ours":{...},"difference":{...},"implied_rate":3.9}],
// "matching_rows":N,"differing_rows":M,"bank_rounding":false,"suggested_changes":[...],
// "suggested_plan":[...],"unmatched_bank_rows":[...],"remaining":[...]}
std::string ReconciliationJson(const Reconciliation& reconciliation);

} // namespace lumavo::cli
