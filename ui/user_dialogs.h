#pragma once

#include <QString>

class QWidget;

namespace lumavo {

// Every modal exchange with the user passes through here, so tests can record instead of
// blocking. Texts use "\r" as the program's line break; implementations show it as one.
class UserDialogs
{
  public:
    virtual ~UserDialogs() = default;

    // "温馨提示", information icon, one OK button.
    virtual void Inform(QWidget* parent, const QString& text) = 0;
    // "温馨提示", error icon, one OK button.
    virtual void Fail(QWidget* parent, const QString& text) = 0;
    // "消息", question icon, OK and Cancel; true for OK.
    virtual bool ConfirmReplace(QWidget* parent, const QString& text) = 0;
};

// The real boxes.
class WidgetDialogs : public UserDialogs
{
  public:
    void Inform(QWidget* parent, const QString& text) override;
    void Fail(QWidget* parent, const QString& text) override;
    bool ConfirmReplace(QWidget* parent, const QString& text) override;
};

// "\r" (and "\r\n") as a visible line break.
QString DisplayText(const QString& text);

} // namespace lumavo
