#include "app/page_object.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QTimer>
#include <QVariantList>
#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <memory>

#include "platform/qt_text.h"

namespace app {
namespace {

// How long a page may take to answer one script, as long as the old control's document
// request was allowed to take.
constexpr int kScriptTimeoutMilliseconds = 1000;

// Collects the fields the choice rules read. Properties rather than attributes, as the page
// sees them; anything that is not a string (the class name of an SVG link) counts as empty.
constexpr char16_t kSnapshotScript[] =
    uR"js((function () {
  var body = document.body;
  if (!body) return null;
  function s(v) { return typeof v === 'string' ? v : ''; }
  function take(tag, fields) {
    var list = body.getElementsByTagName(tag), out = [];
    for (var i = 0; i < list.length; i++) out.push(fields(list[i]));
    return out;
  }
  function named(e) { return [s(e.type), s(e.name), s(e.id), s(e.title)]; }
  return {
    inputs: take('input', named),
    buttons: take('button', named),
    links: take('a', function (e) {
      return [s(e.href), s(e.id), s(e.title), s(e.innerText), s(e.className)];
    })
  };
})())js";

QString JsString(std::string_view gbk) {
  const QString value = platform::GbkToQString(gbk);
  // A JSON string is a valid script string literal.
  const QByteArray json = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(json.mid(1, json.size() - 2));
}

text::Text Field(const QVariantList& fields, int index) {
  return index < fields.size() ? platform::QStringToGbk(fields[index].toString()) : text::Text();
}

std::vector<PageElement> NamedElements(const QVariant& list) {
  std::vector<PageElement> elements;
  for (const QVariant& item : list.toList()) {
    const QVariantList fields = item.toList();
    PageElement element;
    element.type = Field(fields, 0);
    element.name = Field(fields, 1);
    element.id = Field(fields, 2);
    element.title = Field(fields, 3);
    elements.push_back(std::move(element));
  }
  return elements;
}

std::vector<PageElement> Links(const QVariant& list) {
  std::vector<PageElement> elements;
  for (const QVariant& item : list.toList()) {
    const QVariantList fields = item.toList();
    PageElement element;
    element.href = Field(fields, 0);
    element.id = Field(fields, 1);
    element.title = Field(fields, 2);
    element.innerText = Field(fields, 3);
    element.className = Field(fields, 4);
    elements.push_back(std::move(element));
  }
  return elements;
}

QString TagOf(ElementChoice::Collection collection) {
  switch (collection) {
    case ElementChoice::Collection::kInput:
      return QStringLiteral("input");
    case ElementChoice::Collection::kButton:
      return QStringLiteral("button");
    case ElementChoice::Collection::kLink:
      return QStringLiteral("a");
  }
  return {};
}

// A script that finds the chosen element again and runs `action` on it as `e`; it answers
// true when the element was there.
QString OnChosen(const ElementChoice& choice, const QString& action) {
  return QStringLiteral(
             "(function () { var b = document.body; if (!b) return false;"
             " var e = b.getElementsByTagName('%1')[%2]; if (!e) return false; %3 return true; "
             "})()")
      .arg(TagOf(choice.collection))
      .arg(choice.index)
      .arg(action);
}

}  // namespace

QVariant RunScriptAndWait(QWebEnginePage* page, const QString& script, int timeoutMilliseconds) {
  if (page == nullptr) return {};
  struct State {
    bool done = false;
    QVariant result;
    QEventLoop* loop = nullptr;
  };
  // The callback may arrive after the time-out, when this frame is gone; it then only touches
  // the shared state.
  auto state = std::make_shared<State>();
  QEventLoop loop;
  state->loop = &loop;
  page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [state](const QVariant& value) {
    state->done = true;
    state->result = value;
    if (state->loop != nullptr) state->loop->quit();
  });
  if (!state->done) {
    QTimer::singleShot(timeoutMilliseconds, &loop, &QEventLoop::quit);
    loop.exec();
  }
  state->loop = nullptr;
  return state->done ? state->result : QVariant();
}

bool PageObject::Attach(QWebEngineView* browser) {
  if (browser == nullptr) return false;
  browser_ = browser;
  return browser_->page() != nullptr;
}

std::optional<ElementSnapshot> PageObject::TakeSnapshot() {
  if (browser_.isNull()) return std::nullopt;
  const QVariant answer = RunScriptAndWait(browser_->page(), QString::fromUtf16(kSnapshotScript),
                                           kScriptTimeoutMilliseconds);
  if (answer.typeId() != QMetaType::QVariantMap) return std::nullopt;
  const QVariantMap map = answer.toMap();
  ElementSnapshot snapshot;
  snapshot.inputs = NamedElements(map.value(QStringLiteral("inputs")));
  snapshot.buttons = NamedElements(map.value(QStringLiteral("buttons")));
  snapshot.links = Links(map.value(QStringLiteral("links")));
  return snapshot;
}

void PageObject::ScrollTo(int x, int y) {
  if (browser_.isNull()) return;
  RunScriptAndWait(browser_->page(),
                   QStringLiteral("(function () { var d = document.documentElement;"
                                  " if (d) { d.scrollTop = %1; d.scrollLeft = %2; } })()")
                       .arg(y)
                       .arg(x),
                   kScriptTimeoutMilliseconds);
}

bool PageObject::SetInputValue(std::string_view name, std::string_view value, int skip) {
  const std::optional<ElementSnapshot> snapshot = TakeSnapshot();
  if (!snapshot) return false;
  const std::optional<ElementChoice> choice =
      FindInput(*snapshot, "text|password|file", name, skip);
  if (!choice) return false;
  const QVariant done = RunScriptAndWait(
      browser_->page(), OnChosen(*choice, QStringLiteral("e.value = %1;").arg(JsString(value))),
      kScriptTimeoutMilliseconds);
  return done.toBool();
}

bool PageObject::ClickLink(std::string_view name, int skip, bool clearTarget) {
  const std::optional<ElementSnapshot> snapshot = TakeSnapshot();
  if (!snapshot) return false;
  const std::optional<ElementChoice> choice = FindLink(*snapshot, name, skip);
  if (!choice) return false;
  const QString action =
      clearTarget ? QStringLiteral("e.target = ''; e.click();") : QStringLiteral("e.click();");
  return RunScriptAndWait(browser_->page(), OnChosen(*choice, action), kScriptTimeoutMilliseconds)
      .toBool();
}

void HidePageScrollbars(QWebEngineView* browser) {
  if (browser == nullptr) return;
  // The rule goes last in the document, after the body, so that it wins over the page's own
  // rules of the same weight wherever they stand, as a style sheet added last does.
  RunScriptAndWait(browser->page(),
                   QStringLiteral("(function () { var d = document.documentElement; if (!d) return;"
                                  " var s = document.createElement('style');"
                                  " s.textContent = 'html { overflow: hidden; }';"
                                  " d.appendChild(s); })()"),
                   kScriptTimeoutMilliseconds);
}

}  // namespace app
