// What a person sees: titles as the program names them, Qt's own texts in Chinese, a layout
// that never draws one control over another, links that say when they fail, charts that can be
// read.
#include "tests/ui/window_fixture.h"
#include "ui/Uabout.h"
#include "ui/chart_kit.h"
#include "ui/depth_chart_view.h"

#include <QChart>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineSeries>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QValueAxis>
#include <QWindow>

namespace lumavo::testing_support {
namespace {

bool ChineseInstalled()
{
    return QCoreApplication::translate("QPlatformTheme", "OK") != "OK";
}

class AppearanceTest : public WindowTest
{
};

// The application's display name once reached every title: "Lumavo…V3.2 — Lumavo房贷按揭计算器",
// and a message box showed "温…".
TEST_F(AppearanceTest, TitlesAreExactlyTheProgramsOwn)
{
    EXPECT_EQ(window->windowHandle()->title(), "Lumavo房贷按揭计算器V3.2");

    TfrmAbout about(window.get());
    about.show();
    EXPECT_EQ(about.windowHandle()->title(), "关于");

    QString title;
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowHandle()->title();
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        box->accept();
    });
    WidgetDialogs().Inform(window.get(), "贷款总额须大于零！");
    EXPECT_EQ(title, "温馨提示");
    if (ChineseInstalled()) {
        EXPECT_EQ(buttons, QStringList{"确定"});
    }
}

TEST_F(AppearanceTest, QtsOwnTextsAreChinese)
{
    if (!ChineseInstalled())
        GTEST_SKIP() << "Qt's Chinese translation (qt6-translations-l10n) is not installed";
    const std::pair<QDialogButtonBox::StandardButton, const char*> cases[] = {
        {QDialogButtonBox::Ok, "确定"},   {QDialogButtonBox::Cancel, "取消"},
        {QDialogButtonBox::Yes, "是"},    {QDialogButtonBox::No, "否"},
        {QDialogButtonBox::Save, "保存"}, {QDialogButtonBox::Open, "打开"}};
    for (const auto& [standard, text] : cases) {
        QDialogButtonBox box(standard);
        EXPECT_TRUE(box.button(standard)->text().startsWith(QString::fromUtf8(text)))
            << box.button(standard)->text().toStdString();
    }
    std::unique_ptr<QMenu> menu(Field("suiNEdkze")->createStandardContextMenu());
    QStringList actions;
    for (QAction* action : menu->actions())
        actions << action->text();
    EXPECT_TRUE(actions.join("|").contains("粘贴")) << actions.join("|").toStdString();
}

// At 300 px the input and the output column once drew over each other, and at 640 px the
// totals read "7.85" and "08日".
class WindowSizeTest : public WindowTest, public ::testing::WithParamInterface<int>
{
  protected:
    static std::vector<QWidget*> Controls(QWidget* page)
    {
        std::vector<QWidget*> controls;
        for (QWidget* widget : page->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QLineEdit*>(widget) ||
                                 qobject_cast<QComboBox*>(widget) ||
                                 qobject_cast<QAbstractButton*>(widget) ||
                                 qobject_cast<QLabel*>(widget) || widget->objectName() == "suiSG1";
            if (control && widget->isVisibleTo(page) &&
                !widget->parentWidget()->inherits("QComboBox") &&
                !widget->parentWidget()->inherits("QLineEdit"))
                controls.push_back(widget);
        }
        return controls;
    }
};

TEST_P(WindowSizeTest, LoanPageControlsNeverOverlapAndTotalsShowWhole)
{
    window->resize(GetParam(), 700);
    EnterWorkedLoan(0);
    Enter("suiNEdkze", "123456789012");
    Press("TBjs");
    QApplication::processEvents();
    QWidget* page = Pages()->widget(0);
    const std::vector<QWidget*> controls = Controls(page);
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            const QRect a(controls[i]->mapTo(page, QPoint()), controls[i]->size());
            const QRect b(controls[j]->mapTo(page, QPoint()), controls[j]->size());
            if (controls[i]->isAncestorOf(controls[j]) || controls[j]->isAncestorOf(controls[i]))
                continue;
            EXPECT_FALSE(a.intersects(b)) << controls[i]->objectName().toStdString() << "/"
                                          << controls[i]->metaObject()->className() << " and "
                                          << controls[j]->objectName().toStdString() << "/"
                                          << controls[j]->metaObject()->className();
        }
    for (const char* name : {"suiNEyhke", "suiNEhkze", "suiNElxze", "suiEjzrq"}) {
        auto* field = Find<QLineEdit>(name);
        const int needed = field->fontMetrics().horizontalAdvance(field->text());
        EXPECT_LT(needed, field->contentsRect().width() - 4) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Widths,
                         WindowSizeTest,
                         ::testing::Values(270, 300, 640, 800, 1024, 1366, 2560));

// 利率 and 更新 once failed silently when no browser took the address.
TEST_F(AppearanceTest, LinkThatCannotOpenShowsItsAddress)
{
    dialogs.urlOpens = false;
    const std::pair<const char*, const char*> links[] = {{"ToolButton5", kRateChangesUrl},
                                                         {"ToolButton6", kHomePageUrl}};
    for (const auto& [button, url] : links) {
        dialogs.boxes.clear();
        Press(button);
        ASSERT_EQ(dialogs.boxes.size(), 2u);
        EXPECT_EQ(dialogs.boxes[1].text, "无法打开网页，请将下面的地址复制到浏览器中：");
        EXPECT_EQ(dialogs.boxes[1].detail, QString::fromUtf8(url));
    }
    dialogs.urlOpens = true;
    dialogs.boxes.clear();
    Press("ToolButton5");
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

// After an import the panel is folded and nothing showed that the plan held entries.
TEST_F(AppearanceTest, FoldedPlanPanelTellsHowManyEntries)
{
    const std::string file = dir.File("plan.bak");
    dir.Write("plan.bak",
              "1,0.00,0.00,8,100000.00,100,1,12,1,6.000,0.000,2009,01,15,2009,02,15,0\r\n"
              "2009\xC4\xEA"
              "05\xD4\xC2"
              "01\xC8\xD5,20000,0,S,N\r\n"
              "2009\xC4\xEA"
              "06\xD4\xC2"
              "01\xC8\xD5,1000,0,S,N\r\n");
    auto* caption = Find<CollapsiblePanel>("suiPanel1")->findChild<QToolButton*>();
    EXPECT_EQ(caption->text(), "提前还贷计划：");
    dialogs.chosenFile = QString::fromStdString(file);
    Press("TBdr");
    EXPECT_EQ(caption->text(), "提前还贷计划：  2 项");
    Find<CollapsiblePanel>("suiPanel1")->SetCollapsed(false);
    EXPECT_EQ(caption->text(), "提前还贷计划：");
}

TEST(ChartValuesTest, HoverNamesTheNearestPoint)
{
    QLineSeries series;
    series.setName("利息/元");
    const auto day = [](int y, int m, int d) {
        return static_cast<double>(QDateTime(QDate(y, m, d), QTime()).toMSecsSinceEpoch());
    };
    series.append(day(2009, 2, 15), 516.67);
    series.append(day(2009, 3, 15), 459.47);
    EXPECT_EQ(NearestPointText(series, day(2009, 2, 20)), "2009年02月15日  利息/元：516.67");
    EXPECT_EQ(NearestPointText(series, day(2009, 3, 10)), "2009年03月15日  利息/元：459.47");
    EXPECT_EQ(NearestPointText(series, day(2010, 1, 1)), "2009年03月15日  利息/元：459.47");
    EXPECT_EQ(NearestPointText(QLineSeries(), 0), "");
}

// A 200000 prepayment set the scale and flattened the monthly curves: the 2D view zooms.
TEST_F(AppearanceTest, FlatChartZoomsAndComesBack)
{
    EnterWorkedLoan(0);
    Press("TBjs");
    Press("TBts");
    Press("ToolButton2");
    auto* view = Find<DepthChartView>("Chart1");
    auto* amounts = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).front());
    const double whole = amounts->max();
    view->chart()->zoomIn(QRectF(view->chart()->plotArea().center(), QSizeF(20, 20)));
    EXPECT_LT(amounts->max(), whole);
    Press("ToolButtonReset");
    EXPECT_EQ(amounts->max(), whole);

    view->chart()->zoomIn(QRectF(view->chart()->plotArea().center(), QSizeF(20, 20)));
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, view->viewport()->rect().center());
    EXPECT_EQ(amounts->max(), whole);
    Press("ToolButton4"); // the box is drawn for the whole chart
    EXPECT_EQ(view->rubberBand(), QChartView::NoRubberBand);
}

} // namespace
} // namespace lumavo::testing_support
