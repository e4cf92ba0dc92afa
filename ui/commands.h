#pragma once

#include <QIcon>

class QWidget;

namespace lumavo {

// A toolbar picture drawn for this program: its PNG sizes rendered by the build
// (":/icons/NAME-SIZE.png"), or the drawing ":/icons/NAME.svg" itself where the build had no
// renderer; either way sharp at the usual screen scales.
QIcon ToolIcon(const char* name);

// Gives the main toolbar's commands their keys and appends each key to the command's hint,
// finding the commands by name in the window.
void AssignShortcuts(QWidget* window);

// Pictures above the captions of the chart page's tools, found by name, so the page can be
// built without knowing about them.
void DecorateChartTools(QWidget* chartPage);

} // namespace lumavo
