// The main() of the tests that need Qt: one application object for the whole program, set up
// as the real program sets it up.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
