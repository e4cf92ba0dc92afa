#include "ui/collapsible_panel.h"

#include <QEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumavo {

CollapsiblePanel::CollapsiblePanel(const QString& caption, QWidget* dockParent)
    : QWidget(dockParent), m_caption(new QToolButton(this)), m_body(new QWidget(this)),
      m_title(caption)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    m_caption->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_caption->setAutoRaise(true);
    m_caption->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_body, 1);
    connect(m_caption, &QToolButton::clicked, this, [this] {
        SetCollapsed(!m_collapsed);
        if (!m_collapsed)
            emit popped();
    });
    dockParent->installEventFilter(this);
    SetCollapsed(true);
}

int CollapsiblePanel::CaptionHeight() const
{
    return m_caption->sizeHint().height() + 4;
}

void CollapsiblePanel::SetCollapsed(bool collapsed)
{
    m_collapsed = collapsed;
    m_caption->setArrowType(collapsed ? Qt::UpArrow : Qt::DownArrow);
    m_body->setVisible(!collapsed);
    ShowCaption();
    FitToHost();
    raise();
}

void CollapsiblePanel::SetNote(const QString& note)
{
    m_note = note;
    ShowCaption();
}

void CollapsiblePanel::ShowCaption()
{
    m_caption->setText(m_collapsed && !m_note.isEmpty() ? m_title + "  " + m_note : m_title);
}

bool CollapsiblePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        FitToHost();
    return QWidget::eventFilter(watched, event);
}

void CollapsiblePanel::FitToHost()
{
    const QWidget* host = parentWidget();
    constexpr int kMargin = 4;
    const int bottom = host->height() - kMargin - (m_below ? m_below->CaptionHeight() : 0);
    const int height = m_collapsed ? CaptionHeight() : bottom - 20 + kMargin;
    setGeometry(kMargin, bottom - height, host->width() - 2 * kMargin, height);
}

void CollapsiblePanel::DockAbove(const CollapsiblePanel* below)
{
    m_below = below;
    FitToHost();
}

} // namespace lumavo
