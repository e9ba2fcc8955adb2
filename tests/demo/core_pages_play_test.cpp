// The demo's player core pages in a real browser engine: the field and link that the client's
// selection rules choose are the ones that make the page's video play.
#include <gtest/gtest.h>
#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "demo/catalogue_data.h"
#include "demo/catalogue_pages.h"
#include "demo/demo_site.h"
#include "demo/poster_image.h"
#include "text/codepage.h"

namespace demo {
namespace {

constexpr int kLoadTimeoutMs = 15000;
constexpr int kScriptTimeoutMs = 5000;
constexpr int kPlayTimeoutMs = 15000;

bool Load(QWebEnginePage& page, const QUrl& url) {
  auto ok = std::make_shared<bool>(false);
  QEventLoop loop;
  QObject::connect(&page, &QWebEnginePage::loadFinished, &loop, [ok, &loop](bool finished) {
    *ok = finished;
    loop.quit();
  });
  QTimer::singleShot(kLoadTimeoutMs, &loop, &QEventLoop::quit);
  page.load(url);
  loop.exec();
  return *ok;
}

QVariant RunScript(QWebEnginePage& page, const QString& script) {
  auto result = std::make_shared<QVariant>();
  QEventLoop loop;
  QTimer::singleShot(kScriptTimeoutMs, &loop, &QEventLoop::quit);
  page.runJavaScript(script, [result, &loop](const QVariant& value) {
    *result = value;
    loop.quit();
  });
  loop.exec();
  return *result;
}

void Wait(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Chooses the input and the link as the client does (first input of type text, password or
// file by name, id or title; first link by href, id, title, text or whole class), fills the
// one and clicks the other. Answers which of the two it found.
QString FillAndClick(const QString& input, const QString& link, const QString& value) {
  return QStringLiteral(
             "(function(inputName, linkName, value) {"
             "  var found = '';"
             "  var inputs = document.getElementsByTagName('input');"
             "  for (var i = 0; i < inputs.length; i++) {"
             "    var e = inputs[i];"
             "    if ('text|password|file'.indexOf(e.type) < 0) continue;"
             "    if (e.name === inputName || e.id === inputName || e.title === inputName) {"
             "      e.value = value; found += 'input'; break;"
             "    }"
             "  }"
             "  var links = document.getElementsByTagName('a');"
             "  for (var j = 0; j < links.length; j++) {"
             "    var a = links[j];"
             "    if (a.href === linkName || a.id === linkName || a.title === linkName ||"
             "        a.innerText === linkName || a.className === linkName) {"
             "      a.click(); found += '+link'; break;"
             "    }"
             "  }"
             "  return found;"
             "})('%1', '%2', '%3')")
      .arg(input, link, value);
}

double CurrentTime(QWebEnginePage& page) {
  const QVariant t =
      RunScript(page, QStringLiteral("(function(){var v=document.getElementById('player');"
                                     "return v.paused ? -1 : v.currentTime;})()"));
  return t.isValid() ? t.toDouble() : -1;
}

// The player's state, for a failure message.
QString PlayerState(QWebEnginePage& page) {
  return RunScript(page, QStringLiteral(
                             "(function(){var v=document.getElementById('player');"
                             "return 'paused=' + v.paused + ' time=' + v.currentTime +"
                             " ' ready=' + v.readyState + ' network=' + v.networkState +"
                             " ' error=' + (v.error ? v.error.code + ' ' + v.error.message : '') +"
                             " ' note=' + document.getElementById('note').textContent;})()"))
      .toString();
}

TEST(CorePagesPlayTest, ClickingEachCoresPlayLinkPlaysTheAddressInItsField) {
  DemoSite site;
  ASSERT_TRUE(site.Start());
  const platform::Sites sites = site.Sites();
  const QString video = QString::fromStdString(site.SampleVideoUrl());
  struct Core {
    const char* input;
    const char* link;
  };
  const Core cores[] = {{"u", "play-button"},
                        {"u", "play-button"},
                        {"playAddr", "playBtn"},
                        {"u", "play-button"},
                        {"playurl", "playnow"}};
  for (std::size_t i = 0; i < std::size(cores); ++i) {
    SCOPED_TRACE(sites.corePageAddress[i]);
    // Shown at the size of the client's browser box: the engine pauses video in hidden pages.
    QWebEngineView view;
    view.resize(904, 456);
    view.show();
    QWebEnginePage& page = *view.page();
    ASSERT_TRUE(Load(page, QUrl(QString::fromStdString(sites.corePageAddress[i]))));
    // The client scrolls every core page to 100,137 inside its browser box.
    EXPECT_EQ(RunScript(page, QStringLiteral("document.documentElement.scrollTop = 137;"
                                             "document.documentElement.scrollLeft = 100;"
                                             "window.scrollX + ',' + window.scrollY"))
                  .toString(),
              QStringLiteral("100,137"));
    // A line break after the address, as the client may send, is dropped by the field.
    EXPECT_EQ(RunScript(page, FillAndClick(QString::fromLatin1(cores[i].input),
                                           QString::fromLatin1(cores[i].link), video + "\\r\\n"))
                  .toString(),
              QStringLiteral("input+link"));
    double played = -1;
    for (int waited = 0; waited < kPlayTimeoutMs && played < 0.5; waited += 100) {
      Wait(100);
      played = CurrentTime(page);
    }
    EXPECT_GE(played, 0.5) << PlayerState(page).toStdString();
    EXPECT_EQ(
        RunScript(page, QStringLiteral("document.getElementById('player').currentSrc")).toString(),
        video);
  }
}

// Plays `address` in the page of core `core` (from 0) and answers how far it got.
double PlayInCore(const platform::Sites& sites, std::size_t core, const QString& address) {
  QWebEngineView view;
  view.resize(904, 456);
  view.show();
  QWebEnginePage& page = *view.page();
  if (!Load(page, QUrl(QString::fromStdString(sites.corePageAddress[core])))) return -1;
  const char* const inputs[] = {"u", "u", "playAddr", "u", "playurl"};
  const char* const links[] = {"play-button", "play-button", "playBtn", "play-button", "playnow"};
  if (RunScript(page, FillAndClick(QString::fromLatin1(inputs[core]),
                                   QString::fromLatin1(links[core]), address))
          .toString() != QStringLiteral("input+link")) {
    return -1;
  }
  double played = -1;
  for (int waited = 0; waited < kPlayTimeoutMs && played < 0.5; waited += 100) {
    Wait(100);
    played = CurrentTime(page);
  }
  return played;
}

TEST(CorePagesPlayTest, CatalogueResourcesPlayInTheCores) {
  DemoSite site;
  ASSERT_TRUE(site.Start());
  const platform::Sites sites = site.Sites();
  const Catalogue catalogue(CatalogueSize::kNormal);
  const std::vector<CatalogueTitle> titles = catalogue.Page(15, 1);
  // A ready-made address and a second-kind one; their file names hold Chinese text, which
  // the browser sends escaped as UTF-8.
  std::vector<std::string> addresses;
  for (const CatalogueTitle& title : titles) {
    if (addresses.empty() && title.firstKindCount > 0) {
      addresses.push_back(FirstKindAddress(site.MainAddress(), title, 0));
    }
    if (addresses.size() == 1 && title.secondKindCount > 0) {
      addresses.push_back(sites.resourceBase + SecondKindPath(title, 0));
    }
  }
  ASSERT_EQ(addresses.size(), 2u);
  for (std::size_t k = 0; k < addresses.size(); ++k) {
    SCOPED_TRACE(addresses[k]);
    // The address box turns GBK text into a Unicode string before it reaches the page.
    const QString address = QString::fromUtf8(text::GbkToUtf8(addresses[k]));
    EXPECT_GE(PlayInCore(sites, k, address), 0.5);
  }
}

TEST(CataloguePosterTest, PostersDecodeAtThePosterBoxSize) {
  std::set<QRgb> corners;
  for (int id : {1500000, 1500001, 1600007, 2100035}) {
    const std::string png = PosterPng(id);
    const QImage image =
        QImage::fromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()));
    ASSERT_FALSE(image.isNull()) << id;
    EXPECT_EQ(image.width(), kPosterWidth);
    EXPECT_EQ(image.height(), kPosterHeight);
    corners.insert(image.pixel(0, 0));
  }
  EXPECT_EQ(corners.size(), 4u);
  EXPECT_TRUE(EncodePng(2, 2, "short").empty());
}

TEST(CorePagesPlayTest, AnAddressThePageCannotPlayIsReportedOnThePage) {
  DemoSite site;
  ASSERT_TRUE(site.Start());
  QWebEnginePage page;
  ASSERT_TRUE(Load(page, QUrl(QString::fromStdString(site.Sites().corePageAddress[0]))));
  EXPECT_EQ(RunScript(page, FillAndClick(QStringLiteral("u"), QStringLiteral("play-button"),
                                         QStringLiteral("thunder://QUFodHRwOi8veC9aWg==")))
                .toString(),
            QStringLiteral("input+link"));
  Wait(200);
  EXPECT_EQ(CurrentTime(page), -1);
  EXPECT_TRUE(RunScript(page, QStringLiteral("document.getElementById('note').textContent"))
                  .toString()
                  .contains(QStringLiteral("thunder://")));
}

}  // namespace
}  // namespace demo
