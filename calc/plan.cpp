#include "calc/plan.h"

#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <cmath>

namespace lumavo {

namespace {

// The list finds an item by the text before its "=", so the key and the text share this head.
std::string ItemHead(const std::string& tqdate, const std::string& part)
{
    return tqdate + " " + part + "<";
}

} // namespace

std::string PlanItemText(const std::string& tqdate,
                         const std::string& part,
                         double tqse,
                         double sdajqs,
                         const std::string& flagText)
{
    return ItemHead(tqdate, part) + "=> " + GeneralNumberText(tqse) + msg::kPlanItemYuan +
           GeneralNumberText(sdajqs) + msg::kPlanItemPeriods + flagText;
}

std::string PlanItemText(const Ttqhd& entry)
{
    return PlanItemText(entry.tqdate, TypeText(entry), entry.tqse, entry.sdajqs,
                        entry.oneover ? "Y" : "N");
}

std::string PlanItemKey(const Ttqhd& entry)
{
    return ItemHead(entry.tqdate, TypeText(entry));
}

namespace {

unsigned char Fold(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

std::string ItemName(const std::string& text)
{
    return text.substr(0, text.find('='));
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && !PlanTextLess(a, b) && !PlanTextLess(b, a);
}

} // namespace

bool PlanTextLess(const std::string& a, const std::string& b)
{
    // UTF-8 byte order is code point order, so bytes compare as characters do.
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

std::size_t PlanList::Add(std::string text, Ttqhd entry)
{
    const auto at = std::upper_bound(
        m_items.begin(), m_items.end(), text,
        [](const std::string& t, const Item& item) { return PlanTextLess(t, item.text); });
    const auto inserted = m_items.insert(at, Item{std::move(text), std::move(entry)});
    return static_cast<std::size_t>(inserted - m_items.begin());
}

void PlanList::Remove(std::size_t index)
{
    if (index < m_items.size())
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
}

std::optional<std::size_t> PlanList::FindByName(const std::string& key) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (SameName(ItemName(m_items[i].text), key))
            return i;
    return std::nullopt;
}

std::vector<Ttqhd> PlanList::Entries() const
{
    std::vector<Ttqhd> entries;
    entries.reserve(m_items.size());
    for (const Item& item : m_items)
        entries.push_back(item.entry);
    return entries;
}

bool HasOneOverEntry(const PlanList& list, LoanPart part)
{
    return std::any_of(list.Items().begin(), list.Items().end(), [&](const PlanList::Item& item) {
        return PartOf(item.entry) == part && item.entry.oneover;
    });
}

PartTotals
SumOfPart(const PlanList& list, LoanPart part, std::optional<std::size_t> skip, PartTotals sum)
{
    for (std::size_t i = 0; i < list.Size(); ++i) {
        const Ttqhd& entry = list.Items()[i].entry;
        if (PartOf(entry) != part || (skip && *skip == i))
            continue;
        sum.amount += entry.tqse;
        sum.periods += entry.sdajqs;
    }
    return sum;
}

namespace {

std::optional<Refusal> CheckDates(const PlanLoanContext& loan, const PlanSubmission& submission)
{
    Date picked;
    if (!ParseDigits(submission.year, picked.y) || submission.year.size() != 4 ||
        !ParseDigits(submission.month, picked.m) || !ParseDigits(submission.day, picked.d) ||
        !IsCalendarDate(picked))
        return Refusal{msg::kPlanDateInvalid};

    Date lending;
    if (submission.year == loan.lendingYear && ParseWholeNumber(loan.lendingMonth, lending.m) &&
        ParseWholeNumber(loan.lendingDay, lending.d)) {
        if (picked.m < lending.m || (picked.m == lending.m && picked.d < lending.d))
            return Refusal{msg::kPlanBeforeLending};
    }

    Date first;
    if (ParseWholeNumber(loan.firstYear, first.y) && ParseWholeNumber(loan.firstMonth, first.m) &&
        ParseWholeNumber(loan.firstDay, first.d)) {
        const long days = std::labs(SerialDay(picked) - SerialDay(first));
        const double months = std::floor(static_cast<double>(days) / 30.4375);
        if (months + 2 > loan.ajqs)
            return Refusal{msg::kPlanOutsideTerm};
    }
    return std::nullopt;
}

} // namespace

std::variant<PlanDecision, Refusal> CheckPlanSubmission(const PlanList& list,
                                                        const PlanLoanContext& loan,
                                                        const PlanSubmission& submission)
{
    if (auto refusal = CheckDates(loan, submission))
        return *refusal;
    if (!(loan.dkze > 0))
        return Refusal{msg::kLoanTotalPositive};
    // Amounts checked against such a total would be past what a schedule can carry to the fen.
    if (!(loan.dkze < kMaxLoanTotal))
        return Refusal{msg::kLoanTotalTooLarge};

    const LoanPart part = submission.part;
    const bool commercial = part == LoanPart::S;
    const double partTotal = PartPrincipal(loan.dkze, commercial ? loan.ratioS : loan.ratioG);
    if (!submission.oneover) {
        if (submission.tqse > partTotal)
            return Refusal{commercial ? msg::kPlanAmountS : msg::kPlanAmountG};
        if (submission.sdajqs > loan.ajqs)
            return Refusal{msg::kPlanPeriods};
    }

    PlanDecision decision;
    decision.entry.tqdate = JoinDateText(submission.year, submission.month, submission.day);
    decision.entry.tqse = submission.tqse;
    decision.entry.sdajqs = submission.sdajqs;
    decision.entry.tqhdType = part;
    decision.entry.oneover = submission.oneover;
    decision.replaces = list.FindByName(PlanItemKey(decision.entry));

    if (!decision.replaces && HasOneOverEntry(list, part))
        return Refusal{msg::kPlanOneOverExists};
    if (!submission.oneover) {
        const PartTotals sum =
            SumOfPart(list, part, decision.replaces, {submission.tqse, submission.sdajqs});
        if (sum.amount > partTotal)
            return Refusal{commercial ? msg::kPlanSumAmountS : msg::kPlanSumAmountG};
        if (sum.periods > loan.ajqs)
            return Refusal{msg::kPlanSumPeriods};
    }
    return decision;
}

std::size_t ApplyPlanDecision(PlanList& list, const PlanDecision& decision)
{
    if (decision.replaces)
        list.Remove(*decision.replaces);
    return list.Add(decision.entry);
}

} // namespace lumavo
