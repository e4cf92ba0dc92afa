#include "common/messages.h"
#include "ui/Umain.h"
#include "ui/application.h"

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

// Without any display Qt would abort with a terse platform error; say what to use instead.
bool NoDisplay()
{
#if defined(__linux__)
    const auto unset = [](const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr || *value == '\0';
    };
    return unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    if (NoDisplay()) {
        std::fputs(lumavo::msg::kNoDisplay, stderr);
        return 1;
    }
    QApplication app(argc, argv);
    // Qt adopts the user's locale; the number texts and the archive always use a full stop.
    std::setlocale(LC_NUMERIC, "C");
    lumavo::ConfigureApplication(app);

    lumavo::TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
