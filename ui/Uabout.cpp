#include "ui/Uabout.h"

#include "common/messages.h"
#include "ui/utf8.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>

namespace lumavo {

TfrmAbout::TfrmAbout(QWidget* owner)
    : QDialog(owner,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Utf8(msg::kAboutCaption));
    // Every way of closing releases the window; the next 关于 builds a fresh one.
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(417, 435);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* heading = new QLabel(Utf8(msg::kProgramName), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(12);
    heading->setFont(headingFont);
    heading->setGeometry(16, 10, 383, 30);

    suiMemo1 = new QPlainTextEdit(this);
    suiMemo1->setObjectName(QStringLiteral("suiMemo1"));
    suiMemo1->setGeometry(16, 48, 383, 371);
    suiMemo1->setReadOnly(true);
    suiMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    suiMemo1->viewport()->setCursor(Qt::PointingHandCursor);
    QFont memoFont = suiMemo1->font();
    memoFont.setPointSize(9);
    suiMemo1->setFont(memoFont);
    suiMemo1->setPlainText(Utf8(msg::kAboutText));
    suiMemo1->viewport()->installEventFilter(this);
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == suiMemo1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        suiMemo1DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAbout::suiMemo1DblClick()
{
    close();
}

} // namespace lumavo
