#include "ui/screen_placement.h"

#include <algorithm>
#include <cstdint>

namespace lumenquill {
namespace {

int64_t Area(const QRect& rect) {
  return rect.isEmpty() ? 0 : int64_t{rect.width()} * rect.height();
}

// The square of the distance between the centres, in 64 bits: saved bounds may be anywhere.
int64_t CentreDistance(const QRect& a, const QRect& b) {
  const int64_t dx = int64_t{a.center().x()} - b.center().x();
  const int64_t dy = int64_t{a.center().y()} - b.center().y();
  return dx * dx + dy * dy;
}

// The start of a span of the given length moved just inside [low, low + room).
int Inside(int start, int length, int low, int room) {
  return std::clamp(start, low, low + std::max(room - length, 0));
}

}  // namespace

QRect PlaceOnScreens(const QRect& bounds, const QList<QRect>& screens) {
  if (screens.isEmpty()) return bounds;
  const QRect* best = nullptr;
  int64_t best_overlap = -1;
  int64_t best_distance = 0;
  for (const QRect& screen : screens) {
    const int64_t overlap = Area(bounds.intersected(screen));
    if (2 * overlap >= Area(bounds)) return bounds;
    const int64_t distance = CentreDistance(bounds, screen);
    if (overlap > best_overlap || (overlap == best_overlap && distance < best_distance)) {
      best = &screen;
      best_overlap = overlap;
      best_distance = distance;
    }
  }
  const int width = std::min(bounds.width(), best->width());
  const int height = std::min(bounds.height(), best->height());
  return {Inside(bounds.left(), width, best->left(), best->width()),
          Inside(bounds.top(), height, best->top(), best->height()), width, height};
}

}  // namespace lumenquill
