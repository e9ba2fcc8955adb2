#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "platform/sites.h"
#include "site_client.h"

extern char** environ;

namespace {

// The demo program run as a child, its standard output read through a pipe.
class DemoProgram {
 public:
  explicit DemoProgram(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), QINGHE_DEMO_PROGRAM);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
      argv.push_back(argument.data());
    argv.push_back(nullptr);
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    output_ = fdopen(pipeEnds[0], "r");
  }

  ~DemoProgram() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (output_) fclose(output_);
  }

  // The next line of its standard output without the line break; empty at its end.
  std::string ReadLine() {
    char line[256];
    if (!output_ || !fgets(line, sizeof line, output_)) return {};
    std::string text(line);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  // Sends `signal` (none when 0) and returns the exit status, -1 unless it exited normally.
  int Finish(int signal) {
    if (pid_ <= 0) return -1;
    if (signal != 0) kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  FILE* output_ = nullptr;
};

std::filesystem::path TempSitesFile() {
  return std::filesystem::temp_directory_path() /
         ("qinghe-demo-sites-" + std::to_string(getpid()) + ".conf");
}

TEST(DemoProgramTest, WritesSitesFileServesAndEndsCleanlyOnSignals) {
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    const auto sitesFile = TempSitesFile();
    std::filesystem::remove(sitesFile);
    DemoProgram program({"--sites-out", sitesFile.string()});
    ASSERT_EQ(program.ReadLine(), "demo site ready");

    auto loaded = platform::LoadSitesFile(sitesFile);
    ASSERT_TRUE(std::holds_alternative<platform::Sites>(loaded));
    const platform::Sites& sites = std::get<platform::Sites>(loaded);
    for (const std::string& core : sites.corePageAddress) {
      auto page = testing_support::Get(core);
      ASSERT_TRUE(page) << core;
      EXPECT_EQ(page->status, 200) << core;
    }
    auto forum = testing_support::Get(sites.forumBase + "forum.php");
    ASSERT_TRUE(forum);
    EXPECT_EQ(forum->status, 200);

    EXPECT_EQ(program.Finish(signal), 0);
    EXPECT_EQ(program.ReadLine(), "");
    std::filesystem::remove(sitesFile);
  }
}

TEST(DemoProgramTest, TheLargeCatalogueHasHundredsOfPages) {
  const auto sitesFile = TempSitesFile();
  for (const char* size : {"normal", "large"}) {
    SCOPED_TRACE(size);
    std::filesystem::remove(sitesFile);
    DemoProgram program({"--sites-out", sitesFile.string(), "--catalogue", size});
    ASSERT_EQ(program.ReadLine(), "demo site ready");
    auto loaded = platform::LoadSitesFile(sitesFile);
    ASSERT_TRUE(std::holds_alternative<platform::Sites>(loaded));
    const std::string base = std::get<platform::Sites>(loaded).catalogueBase;
    auto page = testing_support::Get(base + "/GvodHtml/15_250.html");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, std::string(size) == "large" ? 200 : 404);
    EXPECT_EQ(program.Finish(SIGTERM), 0);
  }
  std::filesystem::remove(sitesFile);
}

TEST(DemoProgramTest, BadCommandLinesAreUsageErrors) {
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"--port", "8080"},
      {"--sites-out"},
      {"--sites-out", "x.conf", "--port", "0"},
      {"--sites-out", "x.conf", "--port", "80x"},
      {"--sites-out", "x.conf", "--verbose", "1"},
      {"--sites-out", "x.conf", "--catalogue", "huge"},
  };
  for (const auto& arguments : bad) {
    DemoProgram program(arguments);
    EXPECT_EQ(program.ReadLine(), "");
    EXPECT_EQ(program.Finish(0), 2);
  }
}

TEST(DemoProgramTest, FailuresToStartEndWithoutReadiness) {
  httplib::Server occupant;
  const int takenPort = occupant.bind_to_any_port("127.0.0.1");
  ASSERT_GT(takenPort, 0);
  const auto sitesFile = TempSitesFile();
  const std::vector<std::vector<std::string>> failing = {
      {"--sites-out", "/nonexistent-dir/sites.conf"},
      {"--sites-out", sitesFile.string(), "--port", std::to_string(takenPort)},
  };
  for (const auto& arguments : failing) {
    SCOPED_TRACE(arguments.back());
    DemoProgram program(arguments);
    EXPECT_EQ(program.ReadLine(), "");
    EXPECT_EQ(program.Finish(0), 1);
  }
  EXPECT_FALSE(std::filesystem::exists(sitesFile));
}

}  // namespace
