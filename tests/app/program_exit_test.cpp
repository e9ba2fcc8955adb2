// The real program, started as a user starts it: with a sites file it shows the main window
// and ends with code 0 when the window is closed; a bad sites file ends it with code 2.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "demo/demo_site.h"
#include "platform/sites.h"

namespace {

struct ProgramRun {
  bool finished;
  int exitCode;
  QString errors;
};

ProgramRun RunProgram(const QStringList& arguments, int milliseconds = 120000) {
  QProcess program;
  program.start(QStringLiteral(QINGHE_BINARY), arguments);
  const bool finished = program.waitForFinished(milliseconds);
  if (!finished) program.kill();
  return {finished && program.exitStatus() == QProcess::NormalExit, program.exitCode(),
          QString::fromUtf8(program.readAllStandardError())};
}

TEST(ProgramExitTest, ClosingTheMainWindowEndsWithZero) {
  demo::DemoSite site;
  ASSERT_TRUE(site.Start());
  QTemporaryDir directory;
  const QString sitesFile = directory.filePath(QStringLiteral("sites.conf"));
  {
    QFile file(sitesFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(platform::WriteSites(site.Sites())));
  }
  // The screenshot request closes the main window once the first page is shown.
  const QString picture = directory.filePath(QStringLiteral("main.png"));
  const ProgramRun run =
      RunProgram({QStringLiteral("--sites"), sitesFile, QStringLiteral("--screenshot"), picture});
  ASSERT_TRUE(run.finished) << run.errors.toStdString();
  EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
  const QImage image(picture);
  EXPECT_FALSE(image.isNull());
  EXPECT_GE(image.width(), 898 - 20);
}

TEST(ProgramExitTest, BadSitesFileEndsWithTwo) {
  QTemporaryDir directory;
  const QString badFile = directory.filePath(QStringLiteral("bad.conf"));
  {
    QFile file(badFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("CorePageAddress9=http://127.0.0.1:1/\n");
  }
  for (const QStringList& arguments :
       {QStringList{QStringLiteral("--sites"), badFile},
        QStringList{QStringLiteral("--sites"), directory.filePath(QStringLiteral("missing"))},
        QStringList{QStringLiteral("--sites")}}) {
    const ProgramRun run = RunProgram(arguments, 60000);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("qinghe: "))) << run.errors.toStdString();
  }
}

}  // namespace
