// Reading the program's data files without trusting what kind of file they
// are. A sound or picture path may name a FIFO (open() would wait for a
// writer for ever), a device (/dev/zero never ends) or a file far larger than
// any real cue or picture: each of these is refused with a reason instead.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace forms {

// Largest files the program reads: well above any real cue or picture.
constexpr qint64 kMaxSoundBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxPictureBytes = 4 * 1024 * 1024;

struct FileRefusal {
  bool missing = false;  // no such file (a reason of its own: "not found")
  QString why;           // e.g. "is a FIFO, not a regular file"
};

// The whole content of a regular file of at most `limit` bytes, read as
// openRegularFile (platform/SafeOpen.h) opens it.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 limit, FileRefusal* refusal = nullptr);

// An SVG document that may be rendered: it reads nothing but itself (no
// <image> or other reference to an outside file) and has at most
// `maxElements` elements. Empty when it may; otherwise why not.
QString svgRefusal(const QByteArray& svg, int maxElements = 20000);

}  // namespace forms
