// Data files of the wrong kind or size: each is refused at once with a reason
// naming it, a placeholder or silence takes its place, and the game goes on.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDirIterator>

#include "ToyForms.h"
#include "platform/qt/SafeFile.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace toy {
namespace {

const QByteArray kBlueSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10" viewBox="0 0 10 10">)"
                            R"(<rect width="10" height="10" fill="#0000ff"/></svg>)";

QString refusal(const QString& path, qint64 limit) {
  FileRefusal why;
  const auto bytes = readRegularFile(path, limit, &why);
  return bytes ? QString() : why.why;
}

// A file of `size` bytes that takes no room on disk.
bool sparseFile(const QString& path, qint64 size) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.resize(size);
}

int magentaIn(const QImage& img, QRect logical) {
  const qreal dpr = img.devicePixelRatio();
  int n = 0;
  for (int y = static_cast<int>(logical.top() * dpr); y < static_cast<int>((logical.bottom() + 1) * dpr); ++y)
    for (int x = static_cast<int>(logical.left() * dpr); x < static_cast<int>((logical.right() + 1) * dpr); ++x)
      n += img.pixelColor(x, y) == QColor(Qt::magenta) ? 1 : 0;
  return n;
}

TEST(SpecialFiles, FifosDevicesAndFoldersAreRefusedAtOnceWithTheirKind) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath("Maingun.WAV"), zero = dir.filePath("zero.WAV"), random = dir.filePath("random.WAV");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", zero));
  ASSERT_TRUE(QFile::link("/dev/urandom", random));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.WAV"));
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(refusal(fifo, kMaxSoundBytes), "is a FIFO, not a regular file");
  EXPECT_EQ(refusal(zero, kMaxSoundBytes), "is a character device, not a regular file");
  EXPECT_EQ(refusal(random, kMaxSoundBytes), "is a character device, not a regular file");
  EXPECT_EQ(refusal(dir.filePath("folder.WAV"), kMaxSoundBytes), "is a folder, not a regular file");
  FileRefusal why;
  EXPECT_FALSE(readRegularFile(dir.filePath("none.WAV"), kMaxSoundBytes, &why));
  EXPECT_TRUE(why.missing);
  EXPECT_EQ(why.why, "not found");
  EXPECT_LT(clock.elapsed(), 1000) << "refusing special files took time";
  // A link to a regular file is as good as the file.
  writeFile(dir.filePath("real.WAV"), "RIFF");
  ASSERT_TRUE(QFile::link(dir.filePath("real.WAV"), dir.filePath("link.WAV")));
  EXPECT_EQ(readRegularFile(dir.filePath("link.WAV"), kMaxSoundBytes), QByteArray("RIFF"));
}

TEST(SizeLimits, FilesUpToTheLimitAreReadWholeAndLargerOnesAreRefusedWithoutReadingThem) {
  QTemporaryDir dir;
  const QString exact = dir.filePath("exact.svg"), over = dir.filePath("over.svg");
  writeFile(exact, QByteArray(1000, 'x'));
  writeFile(over, QByteArray(1001, 'x'));
  EXPECT_EQ(readRegularFile(exact, 1000)->size(), 1000);
  EXPECT_EQ(refusal(over, 1000), "is too large (0.0 MB; at most 0.0 MB is read)");
  writeFile(dir.filePath("empty.WAV"), {});
  EXPECT_EQ(readRegularFile(dir.filePath("empty.WAV"), 1000), QByteArray());
  // A 2.2 GB cue and a 5 MB picture: refused from their size alone, at once.
  ASSERT_TRUE(sparseFile(dir.filePath("huge.WAV"), 2200LL * 1024 * 1024));
  ASSERT_TRUE(sparseFile(dir.filePath("big.svg"), 5LL * 1024 * 1024));
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(refusal(dir.filePath("huge.WAV"), kMaxSoundBytes), "is too large (2200.0 MB; at most 16.0 MB is read)");
  EXPECT_EQ(refusal(dir.filePath("big.svg"), kMaxPictureBytes), "is too large (5.0 MB; at most 4.0 MB is read)");
  EXPECT_LT(clock.elapsed(), 500);

  // Every cue and picture the game ships is far inside the limits.
  QDirIterator it(BULWARN_SOURCE_DIR "/assets", {"*.WAV", "*.svg"}, QDir::Files, QDirIterator::Subdirectories);
  int files = 0;
  while (it.hasNext()) {
    const QString path = it.next();
    const bool svg = path.endsWith(".svg");
    const auto bytes = readRegularFile(path, svg ? kMaxPictureBytes / 16 : kMaxSoundBytes / 16);
    ASSERT_TRUE(bytes) << path.toStdString();
    if (svg) {
      EXPECT_EQ(svgRefusal(*bytes, 2000), "") << path.toStdString();
    }
    ++files;
  }
  EXPECT_GE(files, 150);
}

TEST(SizeLimits, AnSvgMayReferOnlyToItselfAndHoldABoundedNumberOfElements) {
  const QByteArray head = R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink">)";
  EXPECT_EQ(svgRefusal(head + R"(<image href="/tmp/fifo" width="5" height="5"/></svg>)"),
            R"(refers to an outside file (image href="/tmp/fifo"))");
  EXPECT_EQ(svgRefusal(head + R"(<image xlink:href="file:///dev/zero"/></svg>)"),
            R"(refers to an outside file (image xlink:href="file:///dev/zero"))");
  EXPECT_EQ(svgRefusal(head + R"(<use xlink:href="other.svg#a"/></svg>)"),
            R"(refers to an outside file (use xlink:href="other.svg#a"))");
  // Inside the document, or carried along with it: fine.
  EXPECT_EQ(svgRefusal(head + R"(<defs><rect id="a"/></defs><use xlink:href="#a"/>)"
                              R"(<image href="data:image/png;base64,iVBORw0KGgo="/></svg>)"),
            "");
  QByteArray many = head;
  for (int i = 1; i < 20000; ++i) many += "<g/>";
  EXPECT_EQ(svgRefusal(many + "</svg>"), "");  // the root and 19,999 more
  EXPECT_EQ(svgRefusal(many + "<g/></svg>"), "has more than 20000 elements");
}

// Shown on a form: every refused picture is a placeholder, named once in a
// warning with its reason, and the form paints at once.
TEST_F(QtForms, PicturesThatAreNotPlainSvgFilesShowAPlaceholderAndSayWhy) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("pictures"));
  const QString fifo = dir.filePath("pictures/no_such_picture.svg");  // the toy form's two images
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("pictures/broken.svg")));
  // A good-looking picture whose image would be read from the FIFO.
  writeFile(dir.filePath("pictures/blue_square.svg"),
            R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="10")"
            R"( height="10" viewBox="0 0 10 10"><image xlink:href=")" +
                QFile::encodeName(fifo) + R"(" width="10" height="10"/></svg>)");
  rt.setDataDir(dir.path().toStdString());
  QElapsedTimer clock;
  clock.start();
  auto& f = make();
  f.Show();
  const QImage img = rt.grab(f);
  EXPECT_LT(clock.elapsed(), 5000);
  EXPECT_GT(magentaIn(img, QRect(20, 100, 32, 32)), 100);
  EXPECT_GT(magentaIn(img, QRect(80, 150, 20, 20)), 50);
  EXPECT_GT(magentaIn(img, QRect(20, 150, 20, 20)), 50);
  EXPECT_EQ(warnings.about("'no_such_picture' at " + fifo + " is a FIFO, not a regular file"), 1);
  EXPECT_EQ(warnings.about("'broken' at " + dir.filePath("pictures/broken.svg") + " is a character device"), 1);
  EXPECT_EQ(warnings.about("'blue_square' at " + dir.filePath("pictures/blue_square.svg") +
                          " refers to an outside file (image xlink:href=\"" + fifo + "\")"),
            1);

  // Put right, under another name, the same kind of picture shows as drawn.
  writeFile(dir.filePath("pictures/plain.svg"), kBlueSvg);
  f.imgBlue.Picture = makePicture("plain", 10, 10);
  EXPECT_EQ(rt.grab(f).pixelColor(QPoint(30, 160) * img.devicePixelRatio()), QColor(0, 0, 255));
}

}  // namespace
}  // namespace toy
