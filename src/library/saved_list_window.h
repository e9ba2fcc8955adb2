#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include "library/saved_entry.h"
#include "platform/dialogs.h"
#include "text/text.h"

class QMenu;
class QPoint;
class QRect;
class QTreeWidget;

namespace library {

// The saved list and play history: a narrow two-column list beside the main window whose
// rows are the only store of the entries while the program runs. The rows keep the GBK bytes
// they were given, so what is loaded is saved back unchanged even where it does not convert.
class SavedListWindow : public QWidget {
  Q_OBJECT

 public:
  // `isLoggedIn` answers the forum-login state; `play` writes a link into the main window's
  // address box and runs the play action. `recordFile` is where the list is kept between runs.
  SavedListWindow(platform::Dialogs& dialogs, std::function<bool()> isLoggedIn,
                  std::function<void(const text::Text& link)> play,
                  std::filesystem::path recordFile);

  // Placement when created: right below the main window's frame, as tall as it, own width.
  void PlaceBelow(const QRect& mainWindowFrame);

  // Inserts the entry as the new top row; rows below move down by one.
  void AddSavedEntry(const SavedEntry& entry);
  void AddSavedEntry(const text::Text& name, const text::Text& playAddress) {
    AddSavedEntry(SavedEntry{name, playAddress});
  }
  void ShowSavedListWindow();

  // Start-up: adds the record file's entries on top, in the order they were saved.
  void LoadSavedList();
  // Close: writes the rows to the record file, only while logged in.
  std::error_code SaveSavedList();

  // The main window's link "播放记录": shows the list when logged in, otherwise asks the user
  // to log in first.
  void OnSavedListLinkClicked();

  // The rows from the top down.
  std::vector<SavedEntry> Rows() const;

  // Handlers of the list and its pop-up menu.
  void PlaySelected();
  void RemoveSelected();
  void RemoveAll();
  void AddByHand();

 private:
  int SelectedRow() const;
  void ShowPopupMenu(const QPoint& position);

  platform::Dialogs& dialogs_;
  std::function<bool()> isLoggedIn_;
  std::function<void(const text::Text&)> play_;
  std::filesystem::path recordFile_;
  QTreeWidget* list_;
  QMenu* menu_;
};

}  // namespace library
