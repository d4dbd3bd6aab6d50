#pragma once
// Printing the window as the user sees it, on the default printer, with no
// dialog.

#include <QString>
#include <QWidget>

namespace toric {

// Sends one page with the image of `window` to the default printer, at its
// size on screen (shrunk only where it would not fit the page). Returns why
// it could not print, in Japanese, or an empty string when the job went out.
QString print_window(QWidget& window);

}  // namespace toric
