#include "app/page_object.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <QWebEnginePage>
#include <thread>

#include "app/browser_box.h"
#include "support/web_wait.h"
#include "text/codepage.h"

namespace app {
namespace {

// Pages are GBK, like the sites the program talks to.
const char kInputs[] =
    "<!DOCTYPE html><html><body>"
    "<input type=hidden name=h><input type=checkbox name=c>"
    "<input type=text name=first><input type=password id=second><input type=text title=third>"
    "</body></html>";
const char kLinks[] =
    "<!DOCTYPE html><html><body>"
    "<a class='play-button big' href='javascript:void(0)' onclick=\"document.title='big'\">A</a>"
    "<a class='play-button' href='javascript:void(0)' onclick=\"document.title='exact'\">B</a>"
    "<a href='javascript:void(0)' onclick=\"document.title='chinese'\">\xB2\xA5\xB7\xC5</a>"
    "<a id=blank href='/target' target=_blank>new window</a>"
    "<a id=opener href='#' onclick=\"window.open('/opened'); return false\">open</a>"
    "<a id=empty href='#' onclick=\"window.open(''); return false\">empty</a>"
    "</body></html>";
const char kLong[] =
    "<!DOCTYPE html><html><body style='margin:0'>"
    "<div style='width:3000px;height:3000px'>long</div></body></html>";
// The page's own rule comes late in the document, as player pages often put it.
const char kStyled[] =
    "<!DOCTYPE html><html><body><div style='height:3000px'>styled</div>"
    "<style>html { overflow: scroll; }</style></body></html>";
const char kShort[] = "<!DOCTYPE html><html><body>short</body></html>";

class PageObjectTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new httplib::Server;
    auto serve = [](const char* body) {
      return [body](const httplib::Request&, httplib::Response& response) {
        response.set_content(body, "text/html; charset=GBK");
      };
    };
    server_->Get("/inputs", serve(kInputs));
    server_->Get("/links", serve(kLinks));
    server_->Get("/long", serve(kLong));
    server_->Get("/short", serve(kShort));
    server_->Get("/styled", serve(kStyled));
    server_->Get("/target", serve(kShort));
    server_->Get("/opened", serve(kShort));
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = new std::thread([] { server_->listen_after_bind(); });
    while (!server_->is_running())
      std::this_thread::yield();
  }
  static void TearDownTestSuite() {
    server_->stop();
    thread_->join();
    delete thread_;
    delete server_;
  }

  QUrl Url(const char* path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(QLatin1String(path)));
  }
  QVariant Eval(const char* script) {
    return RunScriptAndWait(browser.page(), QString::fromLatin1(script), 5000);
  }
  // Whether `act` makes the box load `path`.
  bool Reaches(const char* path, const std::function<void()>& act) {
    bool loaded = false;
    auto connection = QObject::connect(&browser, &QWebEngineView::loadFinished, [&](bool ok) {
      if (ok && browser.url() == Url(path)) loaded = true;
    });
    act();
    testing_support::WaitUntil([&] { return loaded; });
    QObject::disconnect(connection);
    return loaded;
  }
  void Load(const char* path) {
    ASSERT_TRUE(testing_support::LoadAndWait(&browser, Url(path)))
        << path << " at " << browser.url().toString().toStdString();
    ASSERT_TRUE(page.Attach(&browser));
  }

  static inline httplib::Server* server_ = nullptr;
  static inline std::thread* thread_ = nullptr;
  static inline int port_ = 0;
  BrowserBox browser;
  PageObject page;
};

TEST_F(PageObjectTest, UnboundOperationsDoNothing) {
  EXPECT_FALSE(page.Attach(nullptr));
  EXPECT_FALSE(page.IsBound());
  EXPECT_FALSE(page.SetInputValue("first", "x", 0));
  EXPECT_FALSE(page.ClickLink("1", 0, false));
  EXPECT_FALSE(page.TakeSnapshot().has_value());
  page.ScrollTo(1, 1);
}

TEST_F(PageObjectTest, SetInputValueWritesTheChosenInput) {
  Load("/inputs");
  // "2" is nobody's name: it is the second input of a counted type.
  EXPECT_TRUE(page.SetInputValue("2", "by position", 0));
  EXPECT_TRUE(page.SetInputValue("third", text::Utf8ToGbk("by title \"quoted\" 青禾\r\n"), 0));
  EXPECT_FALSE(page.SetInputValue("h", "hidden", 0));
  EXPECT_FALSE(page.SetInputValue("first", "skipped", 1));
  EXPECT_EQ(Eval("Array.from(document.getElementsByTagName('input')).map(e => e.value)"
                 ".join('|')")
                .toString(),
            QStringLiteral(u"|on||by position|by title \"quoted\" 青禾"))
      << "a one-line field drops the line break";
}

TEST_F(PageObjectTest, ClickLinkNeedsTheExactClassOrText) {
  Load("/links");
  auto titleIs = [this](const char* title) {
    return testing_support::WaitUntil(
        [&] { return Eval("document.title").toString() == QLatin1String(title); }, 3000);
  };
  EXPECT_TRUE(page.ClickLink("play-button", 0, false));
  EXPECT_TRUE(titleIs("exact"));
  EXPECT_TRUE(page.ClickLink(text::Utf8ToGbk("播放"), 0, false));
  EXPECT_TRUE(titleIs("chinese"));
  EXPECT_FALSE(page.ClickLink("play", 0, false));
}

TEST_F(PageObjectTest, NewWindowsOpenInTheBoxInstead) {
  Load("/links");
  EXPECT_TRUE(Reaches("/target", [&] { EXPECT_TRUE(page.ClickLink("blank", 0, false)); }));

  // Clearing the target keeps the navigation in the same page.
  Load("/links");
  EXPECT_TRUE(Reaches("/target", [&] { EXPECT_TRUE(page.ClickLink("blank", 0, true)); }));

  Load("/links");
  EXPECT_TRUE(Reaches("/opened", [&] { EXPECT_TRUE(page.ClickLink("opener", 0, false)); }));

  // Neither an address nor a status-bar text: the box stays where it is.
  Load("/links");
  EXPECT_TRUE(page.ClickLink("empty", 0, false));
  testing_support::WaitUntil([] { return false; }, 500);
  EXPECT_EQ(browser.url(), Url("/links")) << browser.url().toString().toStdString();
  browser.RedirectNewWindow(QUrl());
  testing_support::WaitUntil([] { return false; }, 200);
  EXPECT_EQ(browser.url(), Url("/links"));

  // Without an address the status-bar text, the link under the pointer, is the target.
  emit browser.page()->linkHovered(Url("/opened").toString());
  EXPECT_TRUE(
      Reaches("/opened", [&] { browser.RedirectNewWindow(QUrl(QStringLiteral("about:blank"))); }));
}

TEST_F(PageObjectTest, ScrollAndHideScrollbars) {
  Load("/long");
  page.ScrollTo(100, 137);
  EXPECT_EQ(Eval("window.scrollX + ',' + window.scrollY").toString(), QStringLiteral("100,137"));
  HidePageScrollbars(&browser);
  EXPECT_EQ(Eval("getComputedStyle(document.documentElement).overflow").toString(),
            QStringLiteral("hidden"));
  // Scrolling still works on a page without scroll bars.
  page.ScrollTo(0, 50);
  EXPECT_EQ(Eval("window.scrollX + ',' + window.scrollY").toString(), QStringLiteral("0,50"));

  // The hiding rule wins over the page's own rules, wherever they stand.
  Load("/styled");
  HidePageScrollbars(&browser);
  EXPECT_EQ(Eval("getComputedStyle(document.documentElement).overflow").toString(),
            QStringLiteral("hidden"));

  Load("/short");
  page.ScrollTo(100, 137);
  EXPECT_EQ(Eval("window.scrollX + ',' + window.scrollY").toString(), QStringLiteral("0,0"));
}

}  // namespace
}  // namespace app
