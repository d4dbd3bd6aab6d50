#pragma once
// The printed page: the window drawn as one PDF page, at the resolution of
// the page rather than as a screen picture, so captions and the result line
// print sharp.

#include <QString>
#include <QWidget>

namespace toric {

// Writes one A4 page holding `window` at its size on screen, at the top left
// of the printable area, to the PDF file `path`. Talks to no print service.
// Returns an empty string, or why the file could not be written whole (a
// full disk, say): a cut-off page must never reach the printer.
QString render_window_to_pdf(QWidget& window, const QString& path);

}  // namespace toric
