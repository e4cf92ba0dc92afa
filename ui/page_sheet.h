#pragma once

#include <QWidget>
#include <functional>
#include <utility>

namespace lumavo {

// A tab's page whose controls are built just before it first shows, or earlier when asked for:
// built while still hidden, they are laid out and shown with the page, as if built at start.
class PageSheet : public QWidget
{
  public:
    using QWidget::QWidget;

    // What builds the controls; it may be run through Build() before the page shows.
    void BuildOnShow(std::function<void()> build) { m_build = std::move(build); }
    void Build()
    {
        if (auto build = std::exchange(m_build, nullptr))
            build();
    }
    void setVisible(bool visible) override
    {
        if (visible)
            Build();
        QWidget::setVisible(visible);
    }

  private:
    std::function<void()> m_build;
};

} // namespace lumavo
