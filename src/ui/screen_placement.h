#pragma once

#include <QList>
#include <QRect>

namespace lumenquill {

// Where a window saved at these bounds opens on the screens there are now (their available
// areas): where it was when at least half of it lies on one screen; else on the screen it
// overlaps most, or the nearest one when it overlaps none, moved just inside it and made
// smaller only where it does not fit. A monitor unplugged or a scale changed must not leave the
// window out of reach. Without screens the bounds stay as they are.
QRect PlaceOnScreens(const QRect& bounds, const QList<QRect>& screens);

}  // namespace lumenquill
