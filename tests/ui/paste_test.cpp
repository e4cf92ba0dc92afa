#include "tests/ui/window_fixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

namespace lumavo::testing_support {
namespace {

enum class Route
{
    Keys, // Ctrl+V
    Menu, // the field's own menu, 粘贴
    Drop, // what a drop or the middle button does, into the emptied field
};

struct PasteCase
{
    const char* name;
    int page;
    const char* field;
    Route route;
    const char* pasted;
    const char* shown;   // after leaving the field; null: the text it had before
    const char* message; // null: none
};

class PasteTest : public WindowTest, public ::testing::WithParamInterface<PasteCase>
{
  protected:
    void Paste(NumberEdit* field, const QString& text) const
    {
        switch (GetParam().route) {
        case Route::Keys:
            QApplication::clipboard()->setText(text);
            field->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            break;
        case Route::Menu:
            PasteFromMenu(field, text);
            break;
        case Route::Drop:
            // Offscreen Qt delivers no synthetic drop; the drop handler only places the cursor.
            field->clear();
            field->InsertPasted(text);
            break;
        }
    }

    static void PasteFromMenu(NumberEdit* field, const QString& text)
    {
        QApplication::clipboard()->setText(text);
        field->selectAll();
        QContextMenuEvent open(QContextMenuEvent::Mouse, field->rect().center(),
                               field->mapToGlobal(field->rect().center()));
        QApplication::sendEvent(field, &open);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().contains("Paste") || action->text().contains("粘贴"))
                paste = action;
        ASSERT_NE(paste, nullptr);
        paste->trigger();
        menu->close();
    }
};

TEST_P(PasteTest, TakesTheNumberAsTypedOrRefusesNamingTheField)
{
    const PasteCase& c = GetParam();
    ShowPage(c.page);
    NumberEdit* field = Field(QString::fromUtf8(c.field));
    const QString before = field->text();
    Paste(field, QString::fromUtf8(c.pasted));
    Leave(field);
    EXPECT_EQ(field->text(), c.shown ? QString::fromUtf8(c.shown) : before);
    EXPECT_EQ(dialogs.Texts(),
              c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
}

INSTANTIATE_TEST_SUITE_P(
    Fields,
    PasteTest,
    ::testing::Values(
        PasteCase{"YenAndCommas", 0, "suiNEdkze", Route::Keys, "¥1,000,000", "1000000.00", nullptr},
        PasteCase{"Blanks", 1, "suiNEdkze2", Route::Menu, "1 000 000", "1000000.00", nullptr},
        PasteCase{"Yuan", 0, "suiNEdkze", Route::Drop, "1000000元", "1000000.00", nullptr},
        PasteCase{"TenThousands", 1, "suiNEdkze2", Route::Keys, "100万", "1000000.00", nullptr},
        PasteCase{"TenThousandsFraction", 0, "suiNEdkze", Route::Menu, "100.5万", "1005000.00",
                  nullptr},
        PasteCase{"FullWidth", 0, "suiNEdkze", Route::Keys, "１２３，４５６．７８", "123456.78",
                  nullptr},
        PasteCase{"FullWidthPeriods", 0, "suiNEajqs", Route::Drop, "２４０", "240", nullptr},
        PasteCase{"RatePoint", 1, "suiNEnllS2", Route::Keys, "４．９", "4.900", nullptr},
        PasteCase{"FloatingRate", 2, "suiNEper0", Route::Menu, " 4.9 ", "4.900", nullptr},
        PasteCase{"Words", 0, "suiNEdkze", Route::Keys, "一百万", nullptr,
                  "贷款总额：粘贴的内容不是数字"},
        PasteCase{"DecimalComma", 1, "suiNEdkze2", Route::Menu, "1,5", nullptr,
                  "贷款总额：粘贴的内容不是数字"},
        PasteCase{"FractionOfPeriods", 0, "suiNEajqs", Route::Keys, "12.5", nullptr,
                  "按揭期数：粘贴的内容不是整数"},
        PasteCase{"GridRow", 2, "suiNEper0", Route::Keys, "2009年02月15日\t516.67", nullptr,
                  "放贷首年利率：粘贴的内容不是数字"},
        PasteCase{"Uniform", 3, "suiNEperGone", Route::Menu, "abc", nullptr,
                  "统一值：粘贴的内容不是数字"},
        PasteCase{"EditableTotal", 1, "suiNEybjhke2", Route::Keys, "-", nullptr,
                  "月本金还款额：粘贴的内容不是数字"},
        PasteCase{"DroppedWords", 1, "suiNEdkze2", Route::Drop, "约100万", nullptr,
                  "贷款总额：粘贴的内容不是数字"}),
    [](const auto& paste) { return std::string(paste.param.name); });

} // namespace
} // namespace lumavo::testing_support
