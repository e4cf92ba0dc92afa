// Random user actions on a real window: typing anything into any field, choosing, clicking,
// toolbar commands with good, missing and garbage files, page switches and resizing. After
// every action nothing may have crashed (the sanitizer build reports what did), no action may
// take a second, and every so often 导出 then 导入 must give the page back exactly.
// LUMAVO_MONKEY_SEED and LUMAVO_MONKEY_ACTIONS choose the run; a failure names its seed and
// action, and rerunning that seed repeats it. scripts/monkey.sh runs many seeds for long.
#include "tests/ui/window_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QListWidget>
#include <QRadioButton>
#include <cstdio>
#include <iterator>
#include <random>

namespace lumavo::testing_support {
namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback)
{
    const char* text = std::getenv(name);
    return text && *text ? std::strtoul(text, nullptr, 10) : fallback;
}

class MonkeyTest : public WindowTest
{
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        m_seed = static_cast<unsigned>(EnvNumber("LUMAVO_MONKEY_SEED", 20261208));
        m_random.seed(m_seed);
        std::string garbage;
        for (int i = 0; i < 4000; ++i)
            garbage += static_cast<char>(Pick(0, 255));
        dir.Write("garbage.bak", garbage);
        dir.Write("short.bak", "1,2,3\r\n");
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    int Pick(int low, std::size_t high) { return Pick(low, static_cast<int>(high)); }

    template <class T> T* Any(const QList<T*>& items)
    {
        return items.isEmpty() ? nullptr : items[Pick(0, static_cast<int>(items.size()) - 1)];
    }

    QWidget* Page() const { return Pages()->currentWidget(); }

    template <class W> QList<W*> Usable() const
    {
        QList<W*> usable;
        for (W* widget : Page()->findChildren<W*>())
            if (widget->isEnabled() && widget->isVisibleTo(Page()))
                usable.append(widget);
        return usable;
    }

    QString RandomText()
    {
        static const char* const kTexts[] = {
            "-5", "12.5", "abc", "1e5", "0", "99999999999999999999", ".", "", "360"};
        switch (Pick(0, 3)) {
        case 0:
            return QString::number(Pick(0, 5000000));
        case 1:
            return QString::fromUtf8(kTexts[Pick(0, 8)]);
        case 2:
            return QString(Pick(1, 30), QChar('0' + Pick(1, 9)));
        default:
            return QString::number(Pick(0, 99999)) + "." + QString::number(Pick(0, 99));
        }
    }

    void TypeSomething()
    {
        NumberEdit* field = Any(Usable<NumberEdit>());
        if (!field || field->isReadOnly())
            return;
        field->selectAll();
        if (Pick(0, 3) == 0) {
            // Grid text or anything else a user might paste.
            QApplication::clipboard()->setText(Pick(0, 1) ? RandomText()
                                                          : "2009年02月15日\t516.67");
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(field, RandomText());
        }
        if (Pick(0, 4) > 0)
            Leave(field);
    }

    void ChooseSomething()
    {
        ChooseCombo* combo = Any(Usable<ChooseCombo>());
        if (combo && combo->count() > 0)
            combo->Choose(combo->itemText(Pick(0, combo->count() - 1)));
    }

    void ClickSomething()
    {
        QAbstractButton* button = Any(Usable<QAbstractButton>());
        if (button)
            button->click();
    }

    void PickPlanEntry()
    {
        QListWidget* list = Any(Usable<QListWidget>());
        if (list && list->count() > 0)
            list->setCurrentRow(Pick(0, list->count() - 1));
    }

    void Command()
    {
        static const char* const kCommands[] = {
            "TBjs",        "TBts",        "TBbc",        "TBdc",        "TBdr",       "TBcdnll",
            "ToolButton2", "ToolButton3", "ToolButton4", "ToolButton5", "ToolButton6"};
        static const char* const kFiles[] = {"saved.bak", "garbage.bak", "short.bak", "missing.bak",
                                             "schedule.xls"};
        QAction* action = Find<QAction>(kCommands[Pick(0, std::size(kCommands) - 1)]);
        if (!action->isVisible())
            return;
        dialogs.chosenFile =
            QString::fromStdString(dir.File(kFiles[Pick(0, std::size(kFiles) - 1)]));
        dialogs.chooseAnswer = Pick(-1, 1);
        dialogs.replaceAnswer = Pick(0, 3) > 0;
        action->trigger();
    }

    void Act()
    {
        switch (Pick(0, 9)) {
        case 0:
        case 1:
        case 2:
            return TypeSomething();
        case 3:
        case 4:
            return ChooseSomething();
        case 5:
            return ClickSomething();
        case 6:
            return PickPlanEntry();
        case 7:
            return Command();
        case 8:
            return ShowPage(Pick(0, Pages()->count() - 1));
        default:
            window->resize(Pick(270, 2560), Pick(200, 1600));
            QApplication::processEvents();
        }
    }

    // What a loan page holds: values rather than texts, since a field left mid-edit shows no
    // number yet still holds one.
    QStringList LoanPageState() const
    {
        QStringList state;
        for (QWidget* widget : Page()->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            // The fields of an entry not yet added (plan or 利率调整) are a draft no file holds.
            if (name.contains("tq") || name.contains("sdajqs") || name.contains("oneover") ||
                name.contains("CBtz") || name.contains("NEtz") || name.contains("RGtz") ||
                name.isEmpty())
                continue;
            const QString enabled = widget->isEnabled() ? "+" : "-";
            if (auto* field = qobject_cast<NumberEdit*>(widget);
                field && !field->isReadOnly() && !name.contains("NEyhke") &&
                !name.contains("NEybjhke") && !name.contains("NEhkze") && !name.contains("NElxze"))
                state << name + "=" + QString::number(field->value(), 'g', 17) + enabled;
            else if (auto* combo = qobject_cast<ChooseCombo*>(widget))
                state << name + "=" + combo->currentText() + "/" + QString::number(combo->count()) +
                             enabled;
            else if (auto* radio = qobject_cast<QRadioButton*>(widget))
                state << name + radio->text() + (radio->isChecked() ? "*" : "") + enabled;
            else if (auto* box = qobject_cast<QCheckBox*>(widget))
                state << name + (box->isChecked() ? "*" : "") + enabled;
            else if (auto* list = qobject_cast<QListWidget*>(widget))
                for (int i = 0; i < list->count(); ++i)
                    state << list->item(i)->text();
        }
        return state;
    }

    void CheckRoundTrip(int action)
    {
        const int page = Pages()->currentIndex();
        if (page > 1)
            return;
        const QStringList before = LoanPageState();
        // A .bak cannot hold 利率调整 or 按分入账; the loan file holds all of a page.
        const QString tab = page == 0 ? QString() : QStringLiteral("2");
        const auto* adjustments = Page()->findChild<QListWidget*>("suiListBoxTz" + tab);
        const auto* rounding = Page()->findChild<QCheckBox*>("suiCheckBankRounding" + tab);
        const bool bakFits =
            adjustments && adjustments->count() == 0 && rounding && !rounding->isChecked();
        dialogs.chosenFile = QString::fromStdString(
            dir.File(bakFits && Pick(0, 1) == 0 ? "round-trip.bak" : "round-trip.lumavo"));
        dialogs.replaceAnswer = true;
        Press("TBdc");
        ASSERT_EQ(dialogs.Texts().last(), "导出成功！") << Where(action);
        Press("TBdr");
        ASSERT_EQ(dialogs.Texts().last(), "导入成功！") << Where(action);
        ASSERT_EQ(LoanPageState(), before) << Where(action);
    }

    std::string Where(int action) const
    {
        return "seed " + std::to_string(m_seed) + ", action " + std::to_string(action);
    }

    unsigned m_seed = 0;
    std::mt19937 m_random;
};

TEST_F(MonkeyTest, RandomActionsKeepTheWindowSound)
{
    const int actions = static_cast<int>(EnvNumber("LUMAVO_MONKEY_ACTIONS", 150));
    std::printf("monkey: seed %u, %d actions\n", m_seed, actions);
    QElapsedTimer run;
    run.start();
    for (int action = 1; action <= actions; ++action) {
        QElapsedTimer timer;
        timer.start();
        Act();
        ASSERT_LT(timer.elapsed(), 1000) << Where(action);
        dialogs.boxes.clear();
        if (action % 10 == 0)
            CheckRoundTrip(action);
        if (HasFatalFailure())
            return;
    }
    const double seconds = static_cast<double>(run.elapsed()) / 1000;
    std::printf("monkey: %d actions in %.1f s, %.0f per second\n", actions, seconds,
                actions / (seconds > 0 ? seconds : 1));
}

} // namespace
} // namespace lumavo::testing_support
