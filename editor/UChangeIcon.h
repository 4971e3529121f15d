// The icon chooser: the user picks the icon of a keyword, a file (program,
// library, icon library, control-panel item or icon file) typed with
// completion, picked with the file dialog or dropped on the window, and one of
// the icons it holds, shown as large images. The caller sets IconFile and
// IconIndex, runs Execute and reads them back.
//
// Drops: a file or text dropped on the window (outside its boxes) ends in
// DropText.
#pragma once

#include <memory>
#include <string>

#include "core/KeyWordX.h"
#include "editor/DropTargetFormLite.h"
#include "editor/FileNameComplete.h"
#include "ui/ActionList.h"
#include "ui/Event.h"
#include "ui/Form.h"
#include "ui/ImageList.h"
#include "ui/ListView.h"

inline constexpr char kIconFileFilter[] = "アイコンファイル(*.ico,*.icl,*.dll,*.exe)|*.ico;*.icl;*.dll;*.exe";

class TChangeIconDialog : public TDropFormLite {
 public:
  explicit TChangeIconDialog(ui::TForm* owner = nullptr);
  ~TChangeIconDialog() override;

  // The icon path as the user typed it, and the icon's index: in and out.
  std::string IconFile;
  int IconIndex = 0;

  // Gives the file box the keyword store and the item being edited (either may be null).
  void SetManager(TKeyWordManager* store, TKeyWordX* item);
  // True when an icon was chosen.
  bool Execute();

  // The file the text names: "%Icondir" at its start is the icons folder;
  // otherwise keyword references are resolved.
  std::string ResolvedPath(const std::string& text);
  // The preview of what the file box names.
  void ShowIcons();
  void ListIconsOfFile(const std::string& file);
  void ShowIconFile(const std::string& file);
  // A dropped file name or text becomes the file box's text (its first line).
  void DropText(const std::string& text);

  TFileNameComplete& FileBox() { return Control<TFileNameComplete>("FileNameComplete1"); }
  ui::TListView& IconView() { return Control<ui::TListView>("ListView1"); }
  ui::TImageList& Images() { return images_; }
  ui::TAction& OKAction() { return okAction_; }
  ui::TAction& CancelAction() { return cancelAction_; }
  ui::TAction& BrowseAction() { return browseAction_; }
  ui::TAction& ZOrderAction() { return zOrderAction_; }

 private:
  void FormCreate();
  void FormShow();
  void FormClose(ui::TCloseAction& action);
  void OK();
  void Browse();
  void ZOrderChange();
  // While shown: another program's activation leaves the dialog top-most
  // and the foreground where that program put it.
  void MainWindowHook(bool active);

  ui::TImageList images_{32, 32};
  ui::TActionList actions_{*this};
  ui::TAction cancelAction_{"キャンセル"};
  ui::TAction okAction_{"OK"};
  ui::TAction browseAction_{"参照(&B)"};
  ui::TAction zOrderAction_{"最前面に表示"};
  bool result_ = false;
  ui::TConnection onAppActivate_, onAppDeactivate_;
};
