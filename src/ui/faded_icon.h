#pragma once

#include <QIcon>
#include <QSize>

namespace lumenquill {

// The icon with a disabled look of its own at the given size: its picture in grey, faded
// towards white. Qt's own disabled look only greys a picture, which leaves dark pictures (a
// blue question mark, a brown house) looking as usable as before.
QIcon WithFadedDisabledLook(const QIcon& icon, QSize size);

}  // namespace lumenquill
