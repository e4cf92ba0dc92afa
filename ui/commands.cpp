#include "ui/commands.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QIconEngine>
#include <QImageReader>
#include <QKeySequence>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>
#include <QWidget>
#include <algorithm>
#include <map>
#include <utility>

// The pictures are compiled into this static library, whose resources nothing registers unless
// asked; Q_INIT_RESOURCE must stand outside any namespace.
static void RegisterIcons()
{
    Q_INIT_RESOURCE(icons);
#ifdef LUMAVO_ICON_PNGS
    Q_INIT_RESOURCE(icon_pngs);
#endif
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

// A picture the build rendered at several sizes: only a size that is drawn is read, when it is
// first drawn, so start-up reads the few the toolbar shows.
class RenderedIconEngine : public QIconEngine
{
  public:
    explicit RenderedIconEngine(std::map<int, QString> files) : m_files(std::move(files)) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const QPixmap& read = Read(std::max(size.width(), size.height()));
        QPixmap shown = read.size() == size
                            ? read
                            : read.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Normal || mode == QIcon::Active)
            return shown;
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, shown, &option);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap shown = pixmap(rect.size() * ratio, mode, state);
        shown.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, shown);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const auto& [side, file] : m_files)
            sizes.append(QSize(side, side));
        return sizes;
    }
    QIconEngine* clone() const override { return new RenderedIconEngine(*this); }

  private:
    // The smallest rendering at least that large, else the largest.
    const QPixmap& Read(int side)
    {
        auto file = m_files.lower_bound(side);
        if (file == m_files.end())
            --file;
        QPixmap& read = m_read[file->first];
        if (read.isNull()) {
            // Told the format, the reader skips asking every image plugin whether it knows the
            // file, which loads them all.
            QImageReader reader(file->second, "png");
            reader.setAutoDetectImageFormat(false);
            read = QPixmap::fromImage(reader.read());
        }
        return read;
    }

    std::map<int, QString> m_files; // by side in pixels
    std::map<int, QPixmap> m_read;
};

} // namespace

QIcon ToolIcon(const char* name)
{
    [[maybe_unused]] static const bool registered = (RegisterIcons(), true);
    const QString picture = QString::fromUtf8(name);
    // NAME-SIZE.png, as many sizes as the build rendered.
    std::map<int, QString> sizes;
    for (const QString& png : QDir(QStringLiteral(":/icons")).entryList({picture + "-*.png"}))
        sizes.emplace(png.sliced(picture.size() + 1).chopped(4).toInt(), ":/icons/" + png);
    if (sizes.empty())
        return QIcon(QStringLiteral(":/icons/%1.svg").arg(picture));
    return QIcon(new RenderedIconEngine(std::move(sizes)));
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
