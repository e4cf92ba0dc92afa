#pragma once

#include "calc/reconcile.h"
#include "files/bank_records.h"

#include <QString>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace lumavo {

class LoanPage;
class RadioGroup;
class UserDialogs;

// The 核对 page: the bank's repayment rows of one part beside the schedule of the loan page it
// serves, row by row, what differs marked, and the suggestions that would make them agree. The
// rows are kept in the served page's document and lined up again whenever the page is shown, so
// the page always answers the loan as it stands.
class ReconcilePage : public QWidget
{
    Q_OBJECT

  public:
    // The controls are built when the page is first shown or first used.
    ReconcilePage(UserDialogs& dialogs, QString& dialogFolder, QWidget* parent = nullptr);
    void Build();
    void setVisible(bool visible) override;

    // The loan page to line the rows up with from now on, by the name its tab shows; its kept
    // rows are lined up at once, a refusal going into the summary line.
    void Serve(LoanPage& page, const QString& pageName);
    // The refusal of the last lining up, in a box, if it was refused: what 核对 adds to showing
    // the page.
    void TellRefusal();
    // What 导入记录 and 粘贴 do with what they read: an error is shown and nothing changes;
    // rows are kept as the chosen part's and lined up.
    void Read(const RecordsRead& read);
    // Shows a reconciliation; 采用建议 takes the one shown.
    void Show(const Reconciliation& reconciliation);
    const std::optional<Reconciliation>& Shown() const { return m_shown; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildTop();
    void BuildGrid();
    void ImportFile();
    void PasteRecords();
    void PartChosen();
    void Adopt();
    void LineUp(bool tell);
    void ShowParts();
    void ShowNothing(const QString& why, bool refused);
    void FillGrid(const Reconciliation& reconciliation);
    void FillRow(int row, const ReconciledRow& reconciled);
    void FillUnmatched(const Reconciliation& reconciliation);
    void FitColumns();

    UserDialogs& m_dialogs;
    QString& m_folder; // where the window's file dialogs start
    LoanPage* m_served = nullptr;
    std::optional<Reconciliation> m_shown;
    std::optional<std::string> m_refusal; // of the last lining up

    QLabel* m_source = nullptr;
    RadioGroup* m_part = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_paste = nullptr;
    QPushButton* m_adopt = nullptr;
    QLabel* m_summary = nullptr;
    QTableWidget* m_grid = nullptr;
    QGroupBox* m_unmatchedGroup = nullptr;
    QListWidget* m_unmatched = nullptr;
    std::vector<int> m_naturalWidths;
    std::vector<int> m_leastWidths;
};

} // namespace lumavo
