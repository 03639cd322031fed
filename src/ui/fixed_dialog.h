#pragma once

#include <QDialog>

namespace lumenquill {

// The window of a fixed-size dialog: a title bar with a close button, and no minimise or
// maximise buttons, which would do nothing for it. Qt passes these to the window manager as
// Motif hints and a fixed size; one that offers minimise all the same is answered by
// UnminimisedDialogs.
inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                     Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                                     Qt::WindowCloseButtonHint;

// Places a dialog of its final size centred on the screen of its owner (of the dialog itself
// without one), wholly on that screen; called before it is shown, since Qt would centre it on
// its owner and push it against the screen's edge.
void CentreOnScreen(QDialog& dialog);

}  // namespace lumenquill
