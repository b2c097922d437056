#include "CaptionImages.h"

#include <QCache>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

#include "ControlPainter.h"
#include "platform/Keys.h"

namespace forms {

namespace {

QString qtext(const std::string& s) {
  QString t = QString::fromStdString(s);
  t.remove(QLatin1Char('\r'));
  return t;
}

Qt::Alignment horizontal(Align a) {
  switch (a) {
    case Align::Right: return Qt::AlignRight;
    case Align::Center: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

// Our fonts run a little wider than the ones the screens were laid out with,
// so a wrapped caption may need more lines than its label has room for. It is
// then narrowed just enough to wrap as designed. (Only asked when a caption is
// first drawn; the drawn caption is kept.)
qreal fitSqueeze(const QFont& font, QSize box, int flags, const QString& text) {
  const QFontMetricsF fm(font);
  // A label always has room for its first line, even if a little short for it.
  const qreal room = std::max<qreal>(box.height(), fm.height()) + 0.5;
  qreal fit = 0.75;  // narrower than this is unreadable; the rest is clipped
  for (qreal s = 1.0; s > 0.75; s -= 0.05) {
    const QRectF need = fm.boundingRect(QRectF(0, 0, box.width() / s, 1e6), flags, text);
    if (need.height() <= room) {
      fit = s;
      break;
    }
  }
  return fit;
}

// The caption of a label inside `text`, which starts at the painter's origin.
void drawLabelText(QPainter& p, const Label& l, const std::string& caption, const QRect& text, const QColor& pen) {
  p.setFont(toQFont(l.font));
  p.setPen(pen);
  const Qt::Alignment h = horizontal(l.alignment);
  // "&x" underlines x, the label's access key; "&&" is an ampersand.
  if (!l.autoSize) {
    const int flags = static_cast<int>(h | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic);
    const QString t = qtext(caption);
    const qreal s = fitSqueeze(p.font(), text.size(), flags, t);
    if (s >= 1.0) {
      p.drawText(text, flags, t);
    } else {
      p.save();
      p.translate(text.topLeft());
      p.scale(s, 1.0);
      p.drawText(QRectF(0, 0, text.width() / s, text.height()), flags, t);
      p.restore();
    }
    return;
  }
  // Exactly the model's lines (of this caption), so the height it computed always fits them.
  const int lineH = static_cast<int>(Label::lineHeightTwips(l.font) / kTwipsPerPixel);
  const QFontMetricsF fm(p.font());
  int y = text.y();
  for (const std::string& s : l.layoutLines()) {
    const QString line = qtext(s);
    const qreal adv = fm.horizontalAdvance(qtext(withoutAccessMarks(s)));
    const QRect box(text.x(), y, text.width(), lineH);
    if (adv > text.width() && adv > 0) {
      p.save();
      p.translate(box.x(), box.y());
      p.scale(text.width() / adv, 1.0);
      p.drawText(QRectF(0, 0, adv, lineH), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, line);
      p.restore();
    } else {
      p.drawText(box, static_cast<int>(h | Qt::AlignVCenter | Qt::TextShowMnemonic), line);
    }
    y += lineH;
  }
}

// The key names everything that shapes a caption's pixels.
QByteArray textKey(const std::string& text, const Font& font, std::initializer_list<long> more) {
  QByteArray key = QByteArray::fromStdString(text);
  key += '\0';
  key += QByteArray::fromStdString(font.name);
  for (long v : {std::lround(font.size * 100), long(font.bold)}) {
    key += '|';
    key += QByteArray::number(static_cast<qlonglong>(v));
  }
  for (long v : more) {
    key += '|';
    key += QByteArray::number(static_cast<qlonglong>(v));
  }
  return key;
}

// The kept image for `key`, or a new one: `measure` gives its logical size and
// `draw` paints it (both only when nothing is kept yet).
template <class Measure, class Draw>
QImage keptText(const QByteArray& key, qreal dpr, Measure measure, Draw draw) {
  static QCache<QByteArray, QImage> kept(16 * 1024 * 1024);
  if (const QImage* hit = kept.object(key)) return *hit;
  const QSize size = measure();
  QImage img(size * dpr, QImage::Format_ARGB32_Premultiplied);
  img.setDevicePixelRatio(dpr);
  img.fill(Qt::transparent);
  QPainter ip(&img);
  draw(ip, size);
  ip.end();
  kept.insert(key, new QImage(img), static_cast<qsizetype>(img.sizeInBytes()));
  return img;
}

}  // namespace

QImage labelCaption(const Label& l, const std::string& caption, QSize size, const QColor& pen, qreal dpr) {
  const QByteArray key = textKey(caption, l.font,
                                 {long(l.alignment), long(l.autoSize), long(pen.rgb()), long(size.width()),
                                  long(size.height()), std::lround(dpr * 100)});
  return keptText(
      key, dpr, [&] { return size; },
      [&](QPainter& ip, QSize s) { drawLabelText(ip, l, caption, QRect(QPoint(0, 0), s), pen); });
}

// A frame's caption at its natural size (kept like a label's; the frame is
// repainted whenever anything inside it changes).
QImage frameCaption(const Frame& f, const std::string& caption, const QColor& pen, qreal dpr) {
  const QByteArray key = textKey(caption, f.font, {long(pen.rgb()), std::lround(dpr * 100)});
  return keptText(
      key, dpr,
      [&] {
        const QFontMetrics fm(toQFont(f.font));
        return QSize(std::max(1, fm.horizontalAdvance(qtext(caption))), fm.height());
      },
      [&](QPainter& ip, QSize s) {
        ip.setFont(toQFont(f.font));
        ip.setPen(pen);
        ip.drawText(QRect(QPoint(0, 0), s), Qt::AlignLeft | Qt::AlignVCenter, qtext(caption));
      });
}

}  // namespace forms
