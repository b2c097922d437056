#include "SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QXmlStreamReader>
#include <cerrno>
#include <cstring>

namespace forms {

namespace {

QString kindOf(mode_t mode) {
  if (S_ISFIFO(mode)) return QStringLiteral("a FIFO");
  if (S_ISCHR(mode)) return QStringLiteral("a character device");
  if (S_ISBLK(mode)) return QStringLiteral("a block device");
  if (S_ISDIR(mode)) return QStringLiteral("a folder");
  if (S_ISSOCK(mode)) return QStringLiteral("a socket");
  return QStringLiteral("a special file");
}

QString megabytes(qint64 bytes) { return QString::number(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f', 1); }

std::optional<QByteArray> refuse(FileRefusal* out, QString why, bool missing = false) {
  if (out) *out = FileRefusal{missing, std::move(why)};
  return std::nullopt;
}

}  // namespace

std::optional<QByteArray> readRegularFile(const QString& path, qint64 limit, FileRefusal* refusal) {
  const QByteArray name = QFile::encodeName(path);
  // O_NONBLOCK: opening a FIFO must not wait for a writer, nor a device for its hardware.
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT) return refuse(refusal, QStringLiteral("not found"), true);
    return refuse(refusal, QStringLiteral("could not be opened (%1)").arg(QString::fromLocal8Bit(std::strerror(err))));
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) return refuse(refusal, QStringLiteral("could not be examined"));
  if (!S_ISREG(st.st_mode)) return refuse(refusal, QStringLiteral("is %1, not a regular file").arg(kindOf(st.st_mode)));
  if (st.st_size > limit) {
    return refuse(refusal, QStringLiteral("is too large (%1 MB; at most %2 MB is read)")
                               .arg(megabytes(st.st_size), megabytes(limit)));
  }
  // The file may grow while it is read: never more than the limit, plus one
  // byte to notice that.
  QByteArray bytes;
  bytes.resize(static_cast<qsizetype>(st.st_size) + 1);
  qint64 got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      return refuse(refusal, QStringLiteral("could not be read (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
    if (n == 0) break;
    got += n;
    if (got == bytes.size()) {
      if (got > limit) return refuse(refusal, QStringLiteral("is too large (it grew past %1 MB)").arg(megabytes(limit)));
      bytes.resize(std::min<qsizetype>(bytes.size() * 2, static_cast<qsizetype>(limit) + 1));
    }
  }
  bytes.truncate(static_cast<qsizetype>(got));
  return bytes;
}

QString svgRefusal(const QByteArray& svg, int maxElements) {
  QXmlStreamReader xml(svg);
  int elements = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (++elements > maxElements) return QStringLiteral("has more than %1 elements").arg(maxElements);
    // Whatever the element, a reference may only point inside the document
    // (#id) or carry its data with it (data:).
    for (const QXmlStreamAttribute& a : xml.attributes()) {
      if (a.name() != QLatin1String("href")) continue;
      const QStringView v = a.value().trimmed();
      if (v.startsWith(QLatin1Char('#')) || v.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) continue;
      return QStringLiteral("refers to an outside file (%1 %2=\"%3\")").arg(xml.name(), a.qualifiedName(), v.left(80));
    }
  }
  // A document that is not well-formed is left to the renderer to refuse.
  return {};
}

}  // namespace forms
