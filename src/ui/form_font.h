#pragma once

#include <QFont>

namespace lumenquill {

// The font of every form: "ＭＳ Ｐゴシック" at 12 pixels, falling back to a Japanese sans-serif
// the system has.
QFont FormFont();

// Gives every window of the application, menus, message boxes and file lists included, the
// family of the forms at the platform's size: left to itself, Japanese text outside the forms
// falls back to a fixed-pitch Gothic. Called once the application exists.
void UseFormFamilyThroughout();

}  // namespace lumenquill
