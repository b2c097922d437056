// Data files of the wrong kind or size: each is refused at once with a reason
// naming it, a placeholder or silence takes its place, and the game goes on.
#include <sys/stat.h>

#include <QDirIterator>

#include "ToyForms.h"
#include "platform/qt/SafeFile.h"

namespace toy {
namespace {

const QColor magenta(Qt::magenta);

// Every cue and picture the game ships is far inside the limits, and every
// picture reads nothing but itself.
TEST(SizeLimits, EveryShippedCueAndPictureIsFarInsideTheLimits) {
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

// Shown on a form, a picture that cannot be shown (missing, no SVG, a FIFO, a
// device, one that would read an outside file) is a placeholder at once, named
// once in a warning with the reason; a good one is drawn at its size, from a
// folder of any name. Frames announced for an image are drawn ahead.
TEST_F(QtForms, PicturesThatCannotBeShownArePlaceholdersThatSayWhyOnce) {
  QTemporaryDir dir(QDir::tempPath() + "/bulwarn-Ünïcode-XXXXXX");
  ASSERT_TRUE(QDir(dir.path()).mkdir("pictures"));
  auto file = [&](const QString& name) { return dir.filePath("pictures/" + name + ".svg"); };
  writeFile(file("blue_square"), svg(R"(<rect width="10" height="10" fill="#0000ff"/>)", 10));
  writeFile(file("broken"), "<svg this is not");
  ASSERT_EQ(mkfifo(QFile::encodeName(file("fifo")).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", file("zero")));
  writeFile(file("outside"),
            svg(R"(<image xlink:href=")" + QFile::encodeName(file("fifo")) + R"(" width="10" height="10"/>)"));
  rt.setDataDir(dir.path().toStdString());
  QElapsedTimer clock;
  clock.start();
  auto& f = make();
  f.Show();
  rt.grab(f);
  const QImage img = rt.grab(f);  // repainting does not warn again
  EXPECT_GT(countColour(img, QRect(20, 100, 32, 32), magenta), 100);
  EXPECT_GT(countColour(img, QRect(80, 100, 32, 32), magenta), 100);
  EXPECT_GT(countColour(img, QRect(80, 150, 20, 20), magenta), 50);
  const int side = qRound(20 * img.devicePixelRatio());  // the picture's own size in device pixels
  EXPECT_EQ(countColour(img, QRect(20, 150, 20, 20), QColor(0, 0, 255)), side * side);
  EXPECT_EQ(warnings.about("'no_such_picture' not found at " + file("no_such_picture")), 1);
  EXPECT_EQ(warnings.about("'broken' at " + file("broken") + " could not be read"), 1);
  EXPECT_EQ(warnings.about("blue_square"), 0);
  const std::pair<QString, QString> wrongKind[] = {
      {"fifo", "is a FIFO, not a regular file"},
      {"zero", "is a character device, not a regular file"},
      {"outside", "refers to an outside file (image xlink:href=\"" + file("fifo") + "\")"}};
  for (const auto& [name, why] : wrongKind) {
    f.imgAgain.Picture = makePicture(name.toStdString(), 32, 32);
    EXPECT_GT(countColour(rt.grab(f), QRect(80, 100, 32, 32), magenta), 100) << name.toStdString();
    EXPECT_EQ(warnings.about("'" + name + "' at " + file(name) + " " + why), 1) << name.toStdString();
  }
  EXPECT_LT(clock.elapsed(), 5000) << "a picture of the wrong kind held the form up";

  // Frames announced for an image are drawn ahead at its size: showing them
  // later draws nothing more from the files.
  rt.expectPictures(f.imgBlue, {makePicture("blue_square", 10, 10), makePicture("no_such_picture", 32, 32)});
  QCoreApplication::processEvents();
  const int drawn = rt.picturesDrawn();
  f.imgBlue.Picture = makePicture("no_such_picture", 32, 32);
  rt.grab(f);
  EXPECT_EQ(rt.picturesDrawn(), drawn);
  EXPECT_GT(countColour(rt.grab(f), QRect(20, 150, 20, 20), magenta), 50);
}

}  // namespace
}  // namespace toy
