#include "ui/application.h"

#include "ui/commands.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lumavo {

bool ConfigureApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("lumavo"));
    // Lets the desktop match the window to its menu entry and icon (Wayland uses this name).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.lumavo.Calculator"));
    QApplication::setWindowIcon(ToolIcon("app"));

    // The whole interface is Chinese, so Qt's buttons and dialogs are too, whatever the
    // system's language is.
    auto* translator = new QTranslator(&app);
    const bool loaded = translator->load(QLocale(QLocale::Chinese, QLocale::China), "qt", "_",
                                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded)
        QApplication::installTranslator(translator);
    else
        delete translator;
    return loaded;
}

} // namespace lumavo
