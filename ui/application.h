#pragma once

class QApplication;

namespace lumavo {

// What the program sets on its application before the window opens: its names, its icon and
// Qt's own texts in Chinese. No display name, since Qt would append it to every window title.
// False when Qt's Chinese translation is missing: its buttons and dialogs then stay English.
bool ConfigureApplication(QApplication& app);

} // namespace lumavo
