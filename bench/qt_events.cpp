#include "qt_events.h"

#include <QCoreApplication>

namespace bench {

struct EventApplication::Impl {
  Impl(int& argc, char** argv) : application(argc, argv) {}
  QCoreApplication application;
};

EventApplication::EventApplication(int& argc, char** argv) : impl_(new Impl(argc, argv)) {}

EventApplication::~EventApplication() {
  delete impl_;
}

void ProcessPendingEvents() {
  QCoreApplication::processEvents();
}

}  // namespace bench
