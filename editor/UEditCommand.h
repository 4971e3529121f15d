// The base of the keyword dialogs (normal command, system command, group): it
// edits one keyword item in place in the keyword store's cache (name,
// comment, icon, the keyword's hotkey line, the UseKeyword flags, quoting and
// wildcard options) and can store the item's settings as the defaults for
// new items of its kind. Every edit acts on the item at once; Cancel renames
// it back and, for an existing item, puts its data lines back.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/StringIni.h"
#include "core/StringList.h"
#include "ui/ActionList.h"
#include "editor/DropTargetFormLite.h"
#include "ui/Form.h"

class TKeyWordManager;
class TKeyWordX;
namespace ui {
class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TPageControl;
class TTabSheet;
}  // namespace ui

class TEditCommand : public TDropFormLite {
 public:
  explicit TEditCommand(ui::TForm* owner);
  ~TEditCommand() override;

  virtual void SetIcon(HICON icon);
  virtual void ReadItem(TKeyWordX& item);
  // Runs the dialog on the item; the item itself when confirmed, nullptr when
  // cancelled or deleted (Deleted tells which). A deleted item's view holds no
  // data any more; the caller must not undo anything on it.
  virtual TKeyWordX* Execute(TKeyWordX& item, TStringList& hotKeyLines, TKeyWordManager& manager, bool isNew,
                             const std::string& oldName);
  bool Deleted() const { return deleted_; }

  // Rewrites the keyword's line in the hotkey lines: its first line goes, and
  // a valid hotkey text puts one back, at the same place when modifiers and
  // key stay, else at the top. Later lines of the same keyword stay.
  static void StoreHotKey(const std::string& keywordPath, TKeyWordManager& manager, TStringList& hotKeyLines,
                          const std::string& hotKeyText, int scope);

  // The item's first hotkey line as text and scope; false when it has none.
  static bool FindHotKey(const std::string& keywordPath, TKeyWordManager& manager, const TStringList& hotKeyLines,
                         std::string& text, int& scope);

  // The button captions of the advanced-page switch.
  static constexpr char kHideAdvanced[] = "<<高度な設定を隠す(&D)";
  static constexpr char kShowAdvanced[] = ">>高度な設定の表示(&D)";

 protected:
  // Subclasses set these before Execute.
  std::string HelpPage;
  std::string TypeName = "Normal";
  std::vector<std::string> KeptOutKeys = {"Comment", "Icon", "IIndex"};

  TKeyWordX* Item() const { return item_; }
  TKeyWordManager* Manager() const { return manager_; }
  COLORREF WarningColor() const { return warningColor_; }
  bool IsNew() const { return isNew_; }
  ui::TAction& TopMostAction() { return topMost_; }
  ui::TTabSheet& DetailSheet() const;
  ui::TTabSheet& BasicSheet() const;
  // The label colour of a valid or an invalid entry.
  COLORREF LabelColor(bool valid) const { return valid ? GetSysColor(COLOR_WINDOWTEXT) : warningColor_; }

  // Runs fn with the dialog out of the top-most band, then puts it back.
  template <class Fn>
  void WithoutTopMost(Fn&& fn) {
    const bool on = topMost_.Checked();
    if (on) SetStayOnTop(false);
    fn();
    if (on) SetStayOnTop(true);
  }

  // Reacts to a use-keyword box; subclasses add their follow-ups.
  virtual void UseKeywordClicked(ui::TCheckBox& box, int bit);
  virtual void NameChanged();
  virtual void IconButtonClick();

  // The hook the icon button opens the icon chooser through (file and index
  // in and out); the icon chooser unless replaced.
  std::function<bool(std::string& file, int& index, bool useKeywords)> ChooseIcon;

 private:
  void BuildBase();
  void CheckName();
  void CommentChanged();
  void ScopeChanged();
  void EditHotKeyInDialog();
  void ApplyAdvanced();
  void SwitchAdvanced();
  void SaveDefaults();
  void DeleteClick();
  void ToggleTopMost();
  void ShowHelp();
  void PlaceCornerButtons();

  TKeyWordX* item_ = nullptr;
  TKeyWordManager* manager_ = nullptr;
  std::string path_;
  std::string oldName_;
  std::string lastName_;
  bool isNew_ = false;
  bool nameValid_ = false;
  bool deleted_ = false;
  COLORREF warningColor_ = RGB(255, 0, 0);
  TStringIni defaults_;
  std::unique_ptr<ui::TActionList> actions_;
  ui::TAction topMost_;
  ui::TAction okShift_;
  ui::TAction iconAction_;
  ui::TAction helpAction_;
  ui::TAction nextPage_;
  ui::TAction prevPage_;
};
