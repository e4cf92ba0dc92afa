#include "ui/commands.h"

#include <QAction>
#include <QKeySequence>
#include <QToolBar>
#include <QWidget>
#include <utility>

// The pictures are compiled into this static library, whose resources nothing registers unless
// asked; Q_INIT_RESOURCE must stand outside any namespace.
static void RegisterIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace lumavo {

namespace {

struct CommandKeys
{
    const char* action;
    QList<QKeySequence> keys; // the first is the one the hint names
};

// Ctrl+S saves what the page shows: the schedule on a loan page, the rates on a rate page. Both
// commands are never visible together, and a hidden command's key is off, so they do not clash.
const QList<CommandKeys>& KeyTable()
{
    static const QList<CommandKeys> table{
        {"TBdr", {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {"TBdc", {QKeySequence(Qt::CTRL | Qt::Key_E)}},
        {"TBjs",
         {QKeySequence(Qt::Key_F9), QKeySequence(Qt::CTRL | Qt::Key_Return),
          QKeySequence(Qt::CTRL | Qt::Key_Enter)}},
        {"TBts", {QKeySequence(Qt::CTRL | Qt::Key_G)}},
        {"TBdb", {QKeySequence(Qt::CTRL | Qt::Key_D)}},
        {"TBbc", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {"TBcdnll", {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {"TBdy", {QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {"TBdypdf", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}},
        {"ToolButton1", {QKeySequence(Qt::Key_F1)}},
    };
    return table;
}

} // namespace

QIcon ToolIcon(const char* name)
{
    [[maybe_unused]] static const bool registered = (RegisterIcons(), true);
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(name)));
}

void AssignShortcuts(QWidget* window)
{
    for (const CommandKeys& command : KeyTable()) {
        auto* action = window->findChild<QAction*>(QString::fromUtf8(command.action));
        if (!action)
            continue;
        action->setShortcuts(command.keys);
        action->setToolTip(QStringLiteral("%1 (%2)").arg(
            action->toolTip(), command.keys.front().toString(QKeySequence::NativeText)));
    }
}

void DecorateChartTools(QWidget* chartPage)
{
    static const std::pair<const char*, const char*> icons[] = {{"ToolButton2", "flat"},
                                                                {"ToolButton4", "solid"},
                                                                {"ToolButton3", "clear"},
                                                                {"ToolButtonReset", "reset"}};
    for (auto* tools : chartPage->findChildren<QToolBar*>()) {
        tools->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tools->setIconSize(QSize(24, 24));
    }
    for (const auto& [name, icon] : icons)
        if (auto* action = chartPage->findChild<QAction*>(QString::fromUtf8(name)))
            action->setIcon(ToolIcon(icon));
}

} // namespace lumavo
