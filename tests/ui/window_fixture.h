#pragma once

#include "tests/support/temp_dir.h"
#include "ui/Umain.h"
#include "ui/adjustment_rule_dialog.h"
#include "ui/choose_combo.h"
#include "ui/collapsible_panel.h"
#include "ui/number_edit.h"
#include "ui/radio_group.h"
#include "ui/schedule_grid.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QPrinter>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Test failures show texts, not code units.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace lumavo::testing_support {

// Records every box instead of showing it.
class RecordingDialogs : public UserDialogs
{
  public:
    struct Box
    {
        // "inform", "fail", "replace", "confirm", "save", "open", "url", "preview", "choose",
        // "save-changes", "rule"
        std::string kind;
        QString text; // the message, the dialog's title or the address
        QString detail;
    };

    void Inform(QWidget*, const QString& text, const QString& detail = {}) override
    {
        boxes.push_back({"inform", text, detail});
    }
    void Fail(QWidget*, const QString& text, const QString& detail = {}) override
    {
        boxes.push_back({"fail", text, detail});
    }
    bool ConfirmReplace(QWidget*, const QString& text) override
    {
        boxes.push_back({"replace", text, {}});
        return replaceAnswer;
    }
    bool Confirm(QWidget*, const QString& text) override
    {
        boxes.push_back({"confirm", text, {}});
        return confirmAnswer;
    }
    QString AskSaveFile(QWidget*, const FileRequest& request) override
    {
        boxes.push_back({"save", request.title, {}});
        requests.push_back(request);
        return chosenFile;
    }
    QString AskOpenFile(QWidget*, const FileRequest& request) override
    {
        boxes.push_back({"open", request.title, {}});
        requests.push_back(request);
        return chosenFile;
    }
    bool OpenUrl(QWidget*, const QString& url) override
    {
        boxes.push_back({"url", url, {}});
        return urlOpens;
    }
    void ShowPrintPreview(QWidget*,
                          const QString& title,
                          const std::function<void(QPrinter*)>& paint) override
    {
        boxes.push_back({"preview", title, {}});
        previewPaint = paint;
    }
    int Choose(QWidget*, const QString&, const QString& text, const QStringList& choices) override
    {
        boxes.push_back({"choose", text, choices.join(QChar('\n'))});
        return chooseAnswer;
    }

    SaveAnswer AskSaveChanges(QWidget*, const QString& text) override
    {
        boxes.push_back({"save-changes", text, {}});
        return saveAnswer;
    }

    std::optional<std::vector<RateAdjustment>>
    AskRuleAdjustments(QWidget*, const RuleDialogInput& input) override
    {
        boxes.push_back({"rule", {}, {}});
        ruleDates = input.dates;
        return ruleAnswer;
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const Box& box : boxes)
            texts.append(box.text);
        return texts;
    }

    std::vector<Box> boxes;
    std::vector<FileRequest> requests;
    bool replaceAnswer = true;
    bool confirmAnswer = true;                   // what any other OK / Cancel question answers
    bool urlOpens = true;                        // whether the desktop takes a web address
    QString chosenFile;                          // what the file dialogs answer; empty is a cancel
    std::function<void(QPrinter*)> previewPaint; // what the last preview would have shown
    int chooseAnswer = -1;                       // the line a choice answers; -1 is a cancel
    SaveAnswer saveAnswer = SaveAnswer::Cancel;  // what closing with unkept rates answers
    std::optional<std::vector<RateAdjustment>> ruleAnswer; // 按规则生成's; nullopt is a cancel
    std::optional<LoanDates> ruleDates;                    // the loan it was opened for
};

// What leaving a field with Tab does, without needing a focused window.
inline void Leave(QWidget* widget)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(widget, &out);
}

// A fresh window per test, its rate archive in a folder of its own, the year lists ending at
// 2026 + 3.
class WindowTest : public ::testing::Test
{
  protected:
    static constexpr int kCurrentYear = 2026;
    // The published rates as shipped; no user file, whatever the machine's home holds.
    static constexpr const char* kShippedRates =
        LUMAVO_TEST_DATA "/../../resources/rates/rates.csv";

    void SetUp() override { Open(); }

    // Pages are built as a person opens them unless every one is built before showing.
    void Open(bool buildEveryPage = false)
    {
        window.reset();
        window = std::make_unique<TfrmMain>(
            WindowSetup{ArchivePath(), kCurrentYear, &dialogs, RateDataPaths{kShippedRates, ""}});
        if (buildEveryPage)
            window->BuildEveryPage();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    std::string ArchivePath() const { return dir.File("percents.ini"); }

    // A page is built when first shown; one looked into before that is built then.
    template <class W> W* Find(const QString& name) const
    {
        W* widget = window->findChild<W*>(name);
        if (!widget) {
            window->BuildEveryPage();
            widget = window->findChild<W*>(name);
        }
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    NumberEdit* Field(const QString& name) const { return Find<NumberEdit>(name); }
    ChooseCombo* Combo(const QString& name) const { return Find<ChooseCombo>(name); }
    ScheduleGrid* Grid(const QString& name) const { return Find<ScheduleGrid>(name); }

    QTabWidget* Pages() const { return Find<QTabWidget>("suiPageControl1"); }
    void ShowPage(int index) const
    {
        Pages()->setCurrentIndex(index);
        QApplication::processEvents(); // the toolbar lays out its buttons on the next turn
    }
    void Press(const QString& action) const { Find<QAction>(action)->trigger(); }
    // Runs a command with the file dialog answering path; the boxes it showed, as
    // "kind:text (detail)".
    QStringList RunWithFile(const char* action, const std::string& path)
    {
        dialogs.boxes.clear();
        dialogs.chosenFile = QString::fromStdString(path);
        Press(action);
        QStringList seen;
        for (const auto& box : dialogs.boxes)
            seen << QString::fromStdString(box.kind) + ":" + box.text +
                        (box.detail.isEmpty() ? "" : " (" + box.detail + ")");
        return seen;
    }

    // Types as a user would (through the key filter) and leaves the field.
    void Enter(const QString& field, const QString& text) const
    {
        NumberEdit* edit = Field(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        Leave(edit);
    }
    void Choose(const QString& combo, const QString& text) const
    {
        ASSERT_TRUE(Combo(combo)->Choose(text)) << combo.toStdString() << " " << text.toStdString();
    }
    // The worked loan, typed into loan page 0 or 1 and shown: 100000.00 over 12 periods at 6 %,
    // lent 2009-01-15, first paid 2009-02-15.
    void EnterWorkedLoan(int page, const char* periods = "12", bool withTotal = true) const
    {
        const QString s = page == 0 ? "" : "2";
        ShowPage(page);
        if (withTotal)
            Enter("suiNEdkze" + s, "100000");
        Enter("suiNEajqs" + s, periods);
        Enter("suiNEnllS" + s, "6");
        Choose("suiCBfdyear" + s, "2009");
        Choose("suiCBfdday" + s, "15");
        Choose("suiCBfirstyear" + s, "2009");
        Choose("suiCBfirstmonth" + s, "02");
        Choose("suiCBfirstday" + s, "15");
    }
    QString Text(const QString& field) const { return Find<QLineEdit>(field)->text(); }
    QStringList Items(const QString& combo) const
    {
        QStringList items;
        for (int i = 0; i < Combo(combo)->count(); ++i)
            items.append(Combo(combo)->itemText(i));
        return items;
    }
    std::vector<QString> Row(const QString& grid, int row) const
    {
        std::vector<QString> cells;
        for (int column = 0; column < 8; ++column)
            cells.push_back(Grid(grid)->Cell(column, row));
        return cells;
    }

    TempDir dir;
    RecordingDialogs dialogs;
    std::unique_ptr<TfrmMain> window;
};

} // namespace lumavo::testing_support
