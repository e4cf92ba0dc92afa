#pragma once

#include "calc/loan_input.h"
#include "common/ttqhd.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumavo {

// "2012年03月15日 S<=> 50000 元 12 期 N", the plan list's text of an entry. The flag is written
// as given: an imported line shows its file's text there, whatever it is.
std::string PlanItemText(const std::string& tqdate,
                         const std::string& part,
                         double tqse,
                         double sdajqs,
                         const std::string& flagText);

// The text of a submitted entry, flagged "Y" or "N".
std::string PlanItemText(const Ttqhd& entry);

// The item's name, the text before the list's "=" separator: "2012年03月15日 S<".
std::string PlanItemKey(const Ttqhd& entry);

// Order of the plan list: ascending by text, ASCII letters compared without regard to case,
// everything else by code point.
bool PlanTextLess(const std::string& a, const std::string& b);

// The plan list of a loan page: sorted item texts, each owning its entry.
class PlanList
{
  public:
    struct Item
    {
        std::string text;
        Ttqhd entry;
    };

    // Inserts at the sorted place (after items of equal text); returns the index.
    std::size_t Add(std::string text, Ttqhd entry);
    std::size_t Add(const Ttqhd& entry) { return Add(PlanItemText(entry), entry); }
    void Remove(std::size_t index);
    void Clear() { m_items.clear(); }

    // Index of the first item whose name (text before "=") equals the key.
    std::optional<std::size_t> FindByName(const std::string& key) const;

    const std::vector<Item>& Items() const { return m_items; }
    std::size_t Size() const { return m_items.size(); }
    bool Empty() const { return m_items.empty(); }
    std::vector<Ttqhd> Entries() const;

  private:
    std::vector<Item> m_items;
};

// True when the list holds a pay-off-at-once entry of that part.
bool HasOneOverEntry(const PlanList& list, LoanPart part);

// What the panel's fields hold when "提交" is pressed. Dates are the pickers' texts.
struct PlanSubmission
{
    std::string year, month, day;
    LoanPart part = LoanPart::S;
    bool oneover = false;
    double tqse = 0;
    double sdajqs = 0;
};

// The loan page's inputs the submission checks read, as texts where the checks compare texts.
struct PlanLoanContext
{
    double dkze = 0;
    double ajqs = 0;
    double ratioS = 0;
    double ratioG = 0;
    std::string lendingYear, lendingMonth, lendingDay;
    std::string firstYear, firstMonth, firstDay;
};

struct PartTotals
{
    double amount = 0;
    double periods = 0;
};

// What the list's entries of a part add up to, one item left out (the one a submission
// replaces), added in list order to the totals given.
PartTotals SumOfPart(const PlanList& list,
                     LoanPart part,
                     std::optional<std::size_t> skip,
                     PartTotals sum = {});

struct PlanDecision
{
    Ttqhd entry;
    std::optional<std::size_t> replaces; // the item of the same day and part
};

// The checks of a submission in their order: what to add (and what it replaces), or the
// message of the first check that fails.
std::variant<PlanDecision, Refusal> CheckPlanSubmission(const PlanList& list,
                                                        const PlanLoanContext& loan,
                                                        const PlanSubmission& submission);

// Carries out a decision: the replaced item goes, the new one takes its sorted place.
std::size_t ApplyPlanDecision(PlanList& list, const PlanDecision& decision);

} // namespace lumavo
