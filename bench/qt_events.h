#pragma once

// The Qt side of a benchmark, kept out of its GBK-compiled sources (Qt's headers hold text
// that GBK cannot carry).
namespace bench {

// Owns the program's QCoreApplication for as long as it lives.
class EventApplication {
 public:
  EventApplication(int& argc, char** argv);
  ~EventApplication();
  EventApplication(const EventApplication&) = delete;
  EventApplication& operator=(const EventApplication&) = delete;

 private:
  struct Impl;
  Impl* impl_;
};

// Lets the application process its pending events once, as a window does after each row.
void ProcessPendingEvents();

}  // namespace bench
