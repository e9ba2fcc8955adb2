#include <QApplication>
#include <QString>
#include <cstdio>
#include <variant>

#include "app/application.h"
#include "app/screenshot.h"
#include "platform/sites.h"

namespace {

constexpr int kBadSitesExitCode = 2;

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication qtApplication(argc, argv);
  // Hidden windows and closed secondary windows never end the program; only the main
  // window's close does.
  QApplication::setQuitOnLastWindowClosed(false);

  // The addresses of the other parties' sites are built in. Only the demo and the tests
  // replace them with a sites file; nothing else is read from the command line, except the
  // demo script's request for a screenshot.
  platform::Sites sites = platform::BuiltInSites();
  QString screenshotFile;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const bool hasValue = i + 1 < arguments.size();
    if (arguments[i] == QStringLiteral("--sites")) {
      if (!hasValue) {
        std::fprintf(stderr, "qinghe: --sites needs a file\n");
        return kBadSitesExitCode;
      }
      auto loaded = platform::LoadSitesFile(arguments[++i].toStdString());
      if (auto* error = std::get_if<platform::SitesError>(&loaded)) {
        std::fprintf(stderr, "qinghe: %s\n", error->message.c_str());
        return kBadSitesExitCode;
      }
      sites = std::get<platform::Sites>(std::move(loaded));
    } else if (arguments[i] == QStringLiteral("--screenshot") && hasValue) {
      screenshotFile = arguments[++i];
    }
  }

  app::Application application(std::move(sites));
  if (!screenshotFile.isEmpty()) app::ScreenshotThenClose(application, screenshotFile);
  application.Start();
  return QApplication::exec();
}
