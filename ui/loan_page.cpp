#include "ui/loan_page.h"

#include "calc/form_rules.h"
#include "calc/schedule_text.h"
#include "common/messages.h"
#include "common/text.h"
#include "ui/choose_combo.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"
#include "ui/schedule_grid.h"
#include "ui/user_dialogs.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <cmath>

namespace lumavo {

namespace {

QStringList ToQt(const std::vector<std::string>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

std::string Text(const ChooseCombo* combo)
{
    return combo->currentText().toStdString();
}

// The pickers only offer whole numbers; a picker left empty reads as 0, which no check passes.
int Whole(const ChooseCombo* combo)
{
    int value = 0;
    return ParseWholeNumber(Text(combo), value) ? value : 0;
}

Date DateOf(const ChooseCombo* year, const ChooseCombo* month, const ChooseCombo* day)
{
    return Date{Whole(year), Whole(month), Whole(day)};
}

void FillDays(ChooseCombo* day, const ChooseCombo* year, const ChooseCombo* month)
{
    day->SetItems(ToQt(DayTexts(Text(year), Text(month))));
}

} // namespace

LoanPage::LoanPage(QWidget* page, const LoanPageNames& names, UserDialogs& dialogs)
    : m_page(page), m_dialogs(dialogs), m_secondTab(names.suffix == QStringLiteral("2"))
{
    Build(names);
}

void LoanPage::Inform(const char* message)
{
    m_dialogs.Inform(m_page->window(), QString::fromUtf8(message));
}

void LoanPage::ModeRule()
{
    const bool byArea = radioGroup->ItemIndex() == 0;
    mj->setEnabled(byArea);
    dj->setEnabled(byArea);
    ajcs->setEnabled(byArea);
    dkze->setEnabled(!byArea);
}

void LoanPage::LoanTotalFromArea()
{
    if (!(mj->value() > 0)) {
        Inform(msg::kAreaPositive);
        return;
    }
    if (!(dj->value() > 0)) {
        Inform(msg::kPricePositive);
        return;
    }
    dkze->setValue(DerivedLoanTotal(mj->value(), dj->value(), Whole(ajcs)));
}

void LoanPage::RoundLoanTotal()
{
    dkze->setValue(RoundToTenThousands(dkze->value()));
}

void LoanPage::PeriodsFromYears()
{
    ajqs->setValue(Whole(years) * 12.0);
}

void LoanPage::PrepaymentYears()
{
    tqYear->SetItems(ToQt(PrepaymentYearTexts(Text(firstYear), ajqs->value())));
}

void LoanPage::LendingDays()
{
    FillDays(fdDay, fdYear, fdMonth);
}

void LoanPage::FirstPaymentDays()
{
    FillDays(firstDay, firstYear, firstMonth);
}

void LoanPage::FirstPaymentYearRule()
{
    FirstPaymentDays();
    PrepaymentYears();
}

void LoanPage::PrepaymentDays()
{
    FillDays(tqDay, tqYear, tqMonth);
}

void LoanPage::SharesRule()
{
    if (ratioS->value() > 100)
        ratioS->setValue(100);
    ratioG->setValue(100 - ratioS->value());
}

void LoanPage::LoanTypeRule()
{
    switch (loanType->currentIndex()) {
    case 0: // 商业贷款
        ratioS->setValue(100);
        sharesGroup->setEnabled(false);
        break;
    case 1: // 公积金贷款
        ratioS->setValue(0);
        sharesGroup->setEnabled(false);
        break;
    case 2: // 组合贷款: the provident share always follows the commercial one
        sharesGroup->setEnabled(true);
        ratioG->setEnabled(false);
        break;
    default:
        break;
    }
}

void LoanPage::RateModeRule()
{
    const bool fixed = rbGd->isChecked();
    nllS->setEnabled(fixed);
    nllG->setEnabled(fixed);
}

void LoanPage::FillYearLists(int lastYear)
{
    const QStringList yearTexts = ToQt(YearTexts(1997, lastYear));
    fdYear->SetItems(yearTexts);
    firstYear->SetItems(yearTexts);
}

LoanInput LoanPage::ReadInput() const
{
    LoanInput input;
    input.dkze = dkze->value();
    input.ajqs = ajqs->value();
    input.ratioS = ratioS->value();
    input.ratioG = ratioG->value();
    input.floatingRates = rbFd->isChecked();
    input.nllS = nllS->value();
    input.nllG = nllG->value();
    input.lending = DateOf(fdYear, fdMonth, fdDay);
    input.firstPayment = DateOf(firstYear, firstMonth, firstDay);
    input.plan = m_plan.Entries();
    return input;
}

void LoanPage::Calculate(Method method, const RateTable& floatingS, const RateTable& floatingG)
{
    const auto outcome = CalculateSchedule(ReadInput(), method, floatingS, floatingG);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        m_dialogs.Inform(m_page->window(), QString::fromStdString(refusal->message));
        return;
    }
    ShowSchedule(std::get<Schedule>(outcome));
}

void LoanPage::ClearScheduleRows()
{
    grid->ClearRows();
}

void LoanPage::ShowSchedule(const Schedule& schedule)
{
    ClearScheduleRows();
    grid->ShowRows(ScheduleGridTexts(schedule));
    summary->setValue(schedule.totals.summary);
    summary->setEnabled(schedule.totals.summaryEnabled);
    hkze->setValue(schedule.totals.hkze);
    lxze->setValue(schedule.totals.lxze);
    jzrq->setText(QString::fromStdString(schedule.totals.endDate));
}

void LoanPage::ReleasePlan()
{
    const QSignalBlocker quiet(planList);
    planList->clear();
    m_plan.Clear();
}

} // namespace lumavo
