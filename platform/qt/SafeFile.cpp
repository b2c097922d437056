#include "SafeFile.h"

#include <QFile>
#include <QXmlStreamReader>

#include "platform/SafeOpen.h"

namespace forms {

std::optional<QByteArray> readRegularFile(const QString& path, qint64 limit, FileRefusal* refusal) {
  OpenRefusal refused;
  std::string bytes;
  if (!readWholeFile(QFile::encodeName(path).toStdString(), limit, bytes, refused)) {
    if (refusal) *refusal = FileRefusal{refused.missing, QString::fromLocal8Bit(refused.why.c_str())};
    return std::nullopt;
  }
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
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
