#include "app/screenshot.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWebEnginePage>
#include <cstdio>
#include <memory>

#include "app/application.h"
#include "app/browser_box.h"

namespace app {
namespace {

// Time for the last frame of the page to reach the screen.
constexpr int kPaintSettleMilliseconds = 1500;
// A page that never finishes loading is photographed anyway.
constexpr int kGiveUpMilliseconds = 30000;

}  // namespace

void ScreenshotThenClose(Application& application, const QString& file) {
  struct State {
    bool pageLoaded = false;
    bool started = false;
    bool taken = false;
  };
  auto state = std::make_shared<State>();
  auto take = [&application, file, state] {
    if (state->taken) return;
    state->taken = true;
    MainWindow& window = application.Main();
    // The window system's picture holds what the web engine drew; a widget grab is the
    // fallback where there is no window system.
    QPixmap picture;
    if (QScreen* screen = window.screen()) picture = screen->grabWindow(window.winId());
    if (picture.isNull() || picture.width() <= 1) picture = window.grab();
    if (!picture.save(file, "PNG")) std::fprintf(stderr, "cannot save the screenshot\n");
    window.close();
  };
  auto maybeTake = [state, take] {
    if (state->pageLoaded && state->started) QTimer::singleShot(kPaintSettleMilliseconds, take);
  };
  QObject::connect(application.Main().Browser(), &QWebEngineView::loadFinished,
                   [state, maybeTake](bool) {
                     if (state->pageLoaded) return;
                     state->pageLoaded = true;
                     maybeTake();
                   });
  QObject::connect(&application, &Application::startupFinished, [state, maybeTake] {
    state->started = true;
    maybeTake();
  });
  QTimer::singleShot(kGiveUpMilliseconds, take);
}

}  // namespace app
