#pragma once

#include "calc/rate_adjustment.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QPageLayout;
class QPrinter;
class QWidget;

namespace lumavo {

struct RuleDialogInput;

// What a file dialog is opened with.
struct FileRequest
{
    QString title;
    QString fileName;              // preset name, may be empty
    QString defaultSuffix;         // "bak", "xls": added when the user types a name without one
    QString filter;                // "Backup files (*.bak)"
    QString folder;                // where the dialog starts
    QStringList otherFilters = {}; // further file types offered after filter
};

// What to do with unkept work when the window closes.
enum class SaveAnswer
{
    Save,    // 存档, then close
    Discard, // 不存档: close
    Cancel,  // 取消: stay open
};

// Every modal exchange with the user passes through here, so tests can record instead of
// blocking. Texts use "\r" as the program's line break; implementations show it as one.
class UserDialogs
{
  public:
    virtual ~UserDialogs() = default;

    // "温馨提示", information icon, one OK button. The detail, when given, is shown below the
    // text in smaller print: the file and the system's reason behind a failure.
    virtual void Inform(QWidget* parent, const QString& text, const QString& detail = {}) = 0;
    // "温馨提示", error icon, one OK button.
    virtual void Fail(QWidget* parent, const QString& text, const QString& detail = {}) = 0;
    // "消息", question icon, OK and Cancel; true for OK.
    virtual bool ConfirmReplace(QWidget* parent, const QString& text) = 0;
    // The same box for any other question that a Cancel answers with nothing done.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
    // The chosen path, empty when cancelled. The save dialog asks nothing about an existing
    // file: the caller's replace question does.
    virtual QString AskSaveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString AskOpenFile(QWidget* parent, const FileRequest& request) = 0;
    // Hands the address to the system's handler for web addresses; false when none took it.
    virtual bool OpenUrl(QWidget* parent, const QString& url) = 0;
    // A print preview of A4 portrait pages that paint draws on the printer it is given; printing
    // and saving as PDF are the preview's own commands.
    virtual void ShowPrintPreview(QWidget* parent,
                                  const QString& title,
                                  const std::function<void(QPrinter*)>& paint) = 0;
    // The text, one choice per line to pick from (the first picked at start), OK and Cancel:
    // the index of the chosen line, -1 when cancelled.
    virtual int Choose(QWidget* parent,
                       const QString& title,
                       const QString& text,
                       const QStringList& choices) = 0;
    // "温馨提示", warning icon, 存档 / 不存档 / 取消; closing the box is 取消.
    virtual SaveAnswer AskSaveChanges(QWidget* parent, const QString& text) = 0;
    // 按规则生成: the commercial 利率调整 the user took, nullopt when cancelled.
    virtual std::optional<std::vector<RateAdjustment>>
    AskRuleAdjustments(QWidget* parent, const RuleDialogInput& input) = 0;
};

// The real boxes.
class WidgetDialogs : public UserDialogs
{
  public:
    void Inform(QWidget* parent, const QString& text, const QString& detail = {}) override;
    void Fail(QWidget* parent, const QString& text, const QString& detail = {}) override;
    bool ConfirmReplace(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& text) override;
    QString AskSaveFile(QWidget* parent, const FileRequest& request) override;
    QString AskOpenFile(QWidget* parent, const FileRequest& request) override;
    bool OpenUrl(QWidget* parent, const QString& url) override;
    void ShowPrintPreview(QWidget* parent,
                          const QString& title,
                          const std::function<void(QPrinter*)>& paint) override;
    int Choose(QWidget* parent,
               const QString& title,
               const QString& text,
               const QStringList& choices) override;
    SaveAnswer AskSaveChanges(QWidget* parent, const QString& text) override;
    std::optional<std::vector<RateAdjustment>>
    AskRuleAdjustments(QWidget* parent, const RuleDialogInput& input) override;
};

// A4 portrait with the margins every printed report uses.
QPageLayout ReportPageLayout();

// "\r" (and "\r\n") as a visible line break.
QString DisplayText(const QString& text);

} // namespace lumavo
