// Captions drawn once and kept as images. Shaping and laying out text is the
// dearest part of a repaint, and the same captions come back again and again
// (the log lines, the target panel, a label under a passing sprite, a frame
// around a changing gauge), so a caption's pixels are kept and only blitted.
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <string>

#include "platform/Controls.h"

namespace forms {

// A label's caption in its text box of `size`: "&x" underlines x, "&&" is an
// ampersand; a caption our wider fonts would wrap onto more lines than the
// label has is narrowed to fit.
QImage labelCaption(const Label& l, const std::string& caption, QSize size, const QColor& pen, qreal dpr);
// A frame's caption at its natural size.
QImage frameCaption(const Frame& f, const std::string& caption, const QColor& pen, qreal dpr);

}  // namespace forms
