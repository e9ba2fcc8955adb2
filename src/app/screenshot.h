#pragma once

#include <QString>

namespace app {

class Application;

// For the demo script: once start-up has finished and the first page has loaded, saves a
// picture of the main window to `file` and closes the window, which ends the program.
void ScreenshotThenClose(Application& application, const QString& file);

}  // namespace app
