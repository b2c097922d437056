// WAV files built in memory for the sound tests.
#pragma once

#include <QByteArray>

namespace toy {

// A WAV file: format, any chunks before the samples, and the samples, whose
// size the data chunk may overstate (a file cut short).
inline QByteArray wav(quint16 tag, quint16 channels, quint32 rate, quint16 bits, const QByteArray& chunksBeforeData,
                      const QByteArray& samples, quint32 declaredDataSize = 0xFFFFFFFF) {
  auto le = [](quint32 v, int n) {
    QByteArray b;
    for (int i = 0; i < n; ++i) b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
    return b;
  };
  const quint16 block = static_cast<quint16>(channels * bits / 8);
  QByteArray fmt = "fmt " + le(16, 4) + le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * block, 4) +
                   le(block, 2) + le(bits, 2);
  const quint32 dataSize = declaredDataSize == 0xFFFFFFFF ? static_cast<quint32>(samples.size()) : declaredDataSize;
  QByteArray body = "WAVE" + fmt + chunksBeforeData + "data" + le(dataSize, 4) + samples;
  return "RIFF" + le(static_cast<quint32>(body.size()), 4) + body;
}

}  // namespace toy
