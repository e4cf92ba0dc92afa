#pragma once

#include <QWidget>

class QToolButton;

namespace lumavo {

// A panel that folds to its caption bar. It docks to the bottom of its parent and, opened,
// covers the parent up to 20 pixels below the parent's top edge.
class CollapsiblePanel : public QWidget
{
    Q_OBJECT

  public:
    CollapsiblePanel(const QString& caption, QWidget* dockParent);

    QWidget* Body() const { return m_body; }
    bool IsCollapsed() const { return m_collapsed; }
    void SetCollapsed(bool collapsed);
    int CaptionHeight() const;
    // Shown beside the caption while the panel is folded, so what it holds is not forgotten.
    void SetNote(const QString& note);
    // Docks to the bottom of the parent: the caption alone, or opened up to 20 pixels below the
    // parent's top edge.
    void FitToHost();
    // Docks on top of another panel's caption instead of the parent's bottom, so both captions
    // stay in view; opened, it leaves that caption uncovered.
    void DockAbove(const CollapsiblePanel* below);

  signals:
    void popped(); // opened by the user

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowCaption();

    QToolButton* m_caption;
    QWidget* m_body;
    bool m_collapsed = false;
    QString m_title;
    QString m_note;
    const CollapsiblePanel* m_below = nullptr;
};

} // namespace lumavo
