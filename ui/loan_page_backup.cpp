#include "common/text.h"
#include "files/backup.h"
#include "ui/choose_combo.h"
#include "ui/loan_page.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"

#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>

namespace lumavo {

namespace {

std::string Text(const ChooseCombo* combo)
{
    return combo->currentText().toStdString();
}

std::string Text(const NumberEdit* field)
{
    return field->text().toStdString();
}

// Files written before the loan type existed: the commercial share tells it.
int DerivedLoanType(double commercialShare)
{
    if (commercialShare == 100)
        return 0; // 商业贷款
    return commercialShare == 0 ? 1 : 2;
}

} // namespace

BackupFile LoanPage::Backup() const
{
    BackupFile file;
    file.inputFields = {std::to_string(radioGroup->ItemIndex()),
                        Text(mj),
                        Text(dj),
                        Text(ajcs),
                        Text(dkze),
                        Text(ratioS),
                        Text(years),
                        Text(ajqs),
                        rbGd->isChecked() ? "1" : "0",
                        Text(nllS),
                        Text(nllG),
                        Text(fdYear),
                        Text(fdMonth),
                        Text(fdDay),
                        Text(firstYear),
                        Text(firstMonth),
                        Text(firstDay),
                        std::to_string(loanType->currentIndex())};
    for (const PlanList::Item& item : m_plan.Items())
        file.plan.push_back(FromEntry(item.entry));
    return file;
}

// A number field runs its change rule when its text changes; an empty text in the file leaves
// the field as it was.
void LoanPage::SetNumberText(NumberEdit* field, const std::string& text)
{
    if (!text.empty())
        field->setText(QString::fromStdString(text));
}

// A text the list does not hold leaves the picker without a choice; no rule runs.
void LoanPage::SetComboText(ChooseCombo* combo, const std::string& text)
{
    combo->setCurrentIndex(combo->findText(QString::fromStdString(text)));
}

void LoanPage::ApplyBackup(const BackupFile& file)
{
    const std::vector<std::string>& f = file.inputFields;
    int mode = 0;
    if (ParseWholeNumber(f[0], mode) && mode >= -1 && mode <= 1 &&
        mode != radioGroup->ItemIndex()) {
        radioGroup->SetItemIndex(mode);
        ModeRule();
    }
    SetNumberText(mj, f[1]);
    SetNumberText(dj, f[2]);
    SetComboText(ajcs, f[3]);
    SetNumberText(dkze, f[4]);
    SetNumberText(ratioS, f[5]);
    SetComboText(years, f[6]);
    SetNumberText(ajqs, f[7]);
    QRadioButton* rateKind = f[8] == "1" ? rbGd : rbFd;
    if (!rateKind->isChecked()) {
        rateKind->setChecked(true);
        RateModeRule();
    }
    SetNumberText(nllS, f[9]);
    SetNumberText(nllG, f[10]);
    // Each day list follows its month before the day is chosen, so a saved 31st is found
    // whatever month the page showed before.
    SetComboText(fdYear, f[11]);
    SetComboText(fdMonth, f[12]);
    LendingDays();
    SetComboText(fdDay, f[13]);
    SetComboText(firstYear, f[14]);
    FirstPaymentYearRule();
    SetComboText(firstMonth, f[15]);
    FirstPaymentDays();
    SetComboText(firstDay, f[16]);

    int type = DerivedLoanType(ratioS->value());
    if (file.HasLoanType() && !(ParseWholeNumber(f[17], type) && type >= 0 && type <= 2))
        type = -1;
    loanType->setCurrentIndex(type);
    LoanTypeRule();

    ReleasePlan();
    for (const BackupPlanLine& line : file.plan)
        m_plan.Add(line.ItemText(), line.ToEntry());
    const QSignalBlocker quiet(planList);
    for (std::size_t i = 0; i < m_plan.Size(); ++i)
        InsertPlanItem(i);
}

} // namespace lumavo
