#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace lumavo {

// Where the window opens: the size of its inside and where its frame's top-left corner goes.
struct WindowPlacement
{
    QSize size;
    QPoint framePosition;
};

// What a window manager's frame is taken to add before there is one to measure: a title bar
// and thin borders. Guessing high only costs a few pixels of window.
inline constexpr QMargins kFrameAllowance{4, 32, 4, 4};

// The preferred size where the available area (the screen less its panels) holds it with its
// frame, else as much as fits, never below minimum; centred in the area, the frame's top-left
// corner (and so the title bar) never outside it.
WindowPlacement PlaceWindow(const QRect& available,
                            const QSize& preferred,
                            const QSize& minimum,
                            const QMargins& frame = kFrameAllowance);

// Column widths for room pixels: the natural widths when they fit; otherwise every column
// gives up the same share of what it has above its least width, so the narrow ones keep their
// texts whole; the least widths when even they do not fit.
std::vector<int>
FitColumnWidths(const std::vector<int>& natural, const std::vector<int>& least, int room);

} // namespace lumavo
