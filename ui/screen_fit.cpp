#include "ui/screen_fit.h"

#include <algorithm>
#include <numeric>

namespace lumavo {

namespace {

// Where a span of length size starts in [start, start + room): centred, or at the start when
// it does not fit.
int Centred(int start, int room, int size)
{
    return start + std::max(0, (room - size) / 2);
}

} // namespace

WindowPlacement PlaceWindow(const QRect& available,
                            const QSize& preferred,
                            const QSize& minimum,
                            const QMargins& frame)
{
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize size = preferred.boundedTo(available.size() - frameSize).expandedTo(minimum);
    const QSize outer = size + frameSize;
    return {size, QPoint(Centred(available.x(), available.width(), outer.width()),
                         Centred(available.y(), available.height(), outer.height()))};
}

std::vector<int>
FitColumnWidths(const std::vector<int>& natural, const std::vector<int>& least, int room)
{
    const int total = std::accumulate(natural.begin(), natural.end(), 0);
    if (total <= room)
        return natural;
    std::vector<int> slack(natural.size());
    for (std::size_t i = 0; i < natural.size(); ++i)
        slack[i] = std::max(0, natural[i] - least[i]);
    const long long totalSlack = std::accumulate(slack.begin(), slack.end(), 0LL);
    const long long excess = total - room;
    std::vector<int> widths(natural.size());
    if (excess >= totalSlack) {
        for (std::size_t i = 0; i < natural.size(); ++i)
            widths[i] = natural[i] - slack[i];
        return widths;
    }
    // Each gives up its share rounded down; the pixels left over come off the columns with the
    // most slack left, one each.
    long long given = 0;
    for (std::size_t i = 0; i < natural.size(); ++i) {
        const long long share = slack[i] * excess / totalSlack;
        widths[i] = natural[i] - static_cast<int>(share);
        given += share;
    }
    std::vector<std::size_t> order(natural.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return widths[a] - least[a] > widths[b] - least[b];
    });
    for (std::size_t k = 0; given < excess; ++k, ++given)
        --widths[order[k % order.size()]];
    return widths;
}

} // namespace lumavo
