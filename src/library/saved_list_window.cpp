#include "library/saved_list_window.h"

#include <QAction>
#include <QByteArray>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRect>
#include <QTreeWidget>
#include <utility>

#include "library/saved_list.h"
#include "platform/qt_text.h"

namespace library {
namespace {

constexpr int kFormWidth = 134;
constexpr int kFormHeight = 520;
constexpr int kFormLeft = 50;
constexpr int kFormTop = 50;
const QRect kListPlace(0, 0, 128, 464);
const QRect kExitLinkPlace(8, 464, 112, 24);
const QRect kAutoPlayPlace(24, 488, 88, 24);
constexpr int kNameColumnWidth = 240;
// The address column exists to hold the address but takes no visible width.
constexpr int kAddressColumnWidth = 0;

constexpr int kNameColumn = 0;
constexpr int kAddressColumn = 1;
// Each cell keeps the GBK bytes it shows, which need not survive a round trip through UTF-16.
constexpr int kBytesRole = Qt::UserRole;

QByteArray ToBytes(const text::Text& gbk) {
  return QByteArray(gbk.data(), static_cast<qsizetype>(gbk.size()));
}

text::Text FromBytes(const QVariant& bytes) {
  const QByteArray array = bytes.toByteArray();
  return text::Text(array.constData(), static_cast<std::size_t>(array.size()));
}

QTreeWidgetItem* ItemOf(const SavedEntry& entry) {
  auto* item = new QTreeWidgetItem;
  item->setText(kNameColumn, platform::GbkToQString(entry.name));
  item->setData(kNameColumn, kBytesRole, ToBytes(entry.name));
  item->setText(kAddressColumn, platform::GbkToQString(entry.playAddress));
  item->setData(kAddressColumn, kBytesRole, ToBytes(entry.playAddress));
  return item;
}

SavedEntry EntryOf(const QTreeWidgetItem& item) {
  return {FromBytes(item.data(kNameColumn, kBytesRole)),
          FromBytes(item.data(kAddressColumn, kBytesRole))};
}

}  // namespace

SavedListWindow::SavedListWindow(platform::Dialogs& dialogs, std::function<bool()> isLoggedIn,
                                 std::function<void(const text::Text& link)> play,
                                 std::filesystem::path recordFile)
    : QWidget(nullptr, Qt::Window),
      dialogs_(dialogs),
      isLoggedIn_(std::move(isLoggedIn)),
      play_(std::move(play)),
      recordFile_(std::move(recordFile)),
      list_(new QTreeWidget(this)),
      menu_(new QMenu(this)) {
  setWindowTitle(QStringLiteral(u"电影预存+播放记录"));
  setGeometry(kFormLeft, kFormTop, kFormWidth, kFormHeight);

  list_->setObjectName(QStringLiteral(u"超级列表框1"));
  list_->setGeometry(kListPlace);
  list_->setColumnCount(2);
  list_->setHeaderLabels({QStringLiteral(u"名称"), QStringLiteral(u"播放地址")});
  list_->setRootIsDecorated(false);
  list_->setItemsExpandable(false);
  list_->setSortingEnabled(false);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->header()->setStretchLastSection(false);
  list_->header()->setMinimumSectionSize(0);
  list_->header()->setSectionsMovable(false);
  list_->setColumnWidth(kNameColumn, kNameColumnWidth);
  list_->setColumnWidth(kAddressColumn, kAddressColumnWidth);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { PlaySelected(); });
  connect(list_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& position) { ShowPopupMenu(position); });

  auto* exitLink = new QLabel(QStringLiteral(u"<a href=\"#\">退出</a>"), this);
  exitLink->setObjectName(QStringLiteral(u"超级链接框1"));
  exitLink->setGeometry(kExitLinkPlace);
  exitLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(exitLink, &QLabel::linkActivated, this, [this] { hide(); });

  // Shown as in the original form; nothing reads it.
  auto* autoPlay = new QCheckBox(QStringLiteral(u"自动播放"), this);
  autoPlay->setObjectName(QStringLiteral(u"选择框1"));
  autoPlay->setGeometry(kAutoPlayPlace);
  autoPlay->setEnabled(false);

  menu_->setObjectName(QStringLiteral(u"菜单"));
  connect(menu_->addAction(QStringLiteral(u"移除")), &QAction::triggered, this,
          [this] { RemoveSelected(); });
  connect(menu_->addAction(QStringLiteral(u"全部移除")), &QAction::triggered, this,
          [this] { RemoveAll(); });
  connect(menu_->addAction(QStringLiteral(u"手动添加")), &QAction::triggered, this,
          [this] { AddByHand(); });
}

void SavedListWindow::PlaceBelow(const QRect& mainWindowFrame) {
  move(mainWindowFrame.left(), mainWindowFrame.top() + mainWindowFrame.height());
  resize(width(), mainWindowFrame.height());
}

void SavedListWindow::AddSavedEntry(const SavedEntry& entry) {
  list_->insertTopLevelItem(0, ItemOf(entry));
}

void SavedListWindow::ShowSavedListWindow() {
  show();
  raise();
}

void SavedListWindow::LoadSavedList() {
  // Each entry becomes the new top row; gathered first and inserted at once, a long history
  // does not shift the list's rows once per entry.
  QList<QTreeWidgetItem*> items;
  library::LoadSavedList(recordFile_,
                         [&items](const SavedEntry& entry) { items.prepend(ItemOf(entry)); });
  list_->insertTopLevelItems(0, items);
}

std::error_code SavedListWindow::SaveSavedList() {
  return library::SaveSavedList(recordFile_, isLoggedIn_(), Rows());
}

void SavedListWindow::OnSavedListLinkClicked() {
  if (PassSavedListGate(dialogs_, isLoggedIn_())) ShowSavedListWindow();
}

std::vector<SavedEntry> SavedListWindow::Rows() const {
  std::vector<SavedEntry> rows;
  rows.reserve(static_cast<std::size_t>(list_->topLevelItemCount()));
  for (int row = 0; row < list_->topLevelItemCount(); ++row)
    rows.push_back(EntryOf(*list_->topLevelItem(row)));
  return rows;
}

void SavedListWindow::PlaySelected() {
  const int row = SelectedRow();
  if (row < 0) return;
  if (std::optional<text::Text> address = AddressToPlay(EntryOf(*list_->topLevelItem(row))))
    play_(*address);
}

void SavedListWindow::RemoveSelected() {
  const int row = SelectedRow();
  if (row < 0) return;
  delete list_->takeTopLevelItem(row);
  // Qt would select the neighbour; a second "移除" must not silently take another row.
  list_->clearSelection();
}

void SavedListWindow::RemoveAll() {
  list_->clear();
}

void SavedListWindow::AddByHand() {
  if (std::optional<SavedEntry> entry = AskManualEntry(dialogs_)) AddSavedEntry(*entry);
}

int SavedListWindow::SelectedRow() const {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return -1;
  return list_->indexOfTopLevelItem(selected.first());
}

void SavedListWindow::ShowPopupMenu(const QPoint& position) {
  menu_->popup(list_->viewport()->mapToGlobal(position));
}

}  // namespace library
