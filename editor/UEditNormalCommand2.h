// The dialog of a normal command keyword: its target, parameters, working
// folder, window state, wait and environment options, and its icon (or the
// program of a window picked on the desktop). Every change is written to the
// item at once; the base undoes them on Cancel.
#pragma once

#include <memory>
#include <string>

#include "editor/UEditCommand.h"

namespace ui {
class TGetTargetExeFile;
class TPopupMenu;
}  // namespace ui

class TNormalCommandDlg : public TEditCommand {
 public:
  explicit TNormalCommandDlg(ui::TForm* owner);
  ~TNormalCommandDlg() override;

  void SetIcon(HICON icon) override;
  void ReadItem(TKeyWordX& item) override;
  TKeyWordX* Execute(TKeyWordX& item, TStringList& hotKeyLines, TKeyWordManager& manager, bool isNew,
                     const std::string& oldName) override;

  // What a drop outside the edit boxes brings: a file, folder or text; a web
  // address and its title. An address dropped onto a box replaces its text
  // by the address or title the drop form's menu offers.
  void DropFileOrText(const std::string& text);
  void DropWebAddress(const std::string& address, const std::string& title);

  // A picked window's title and program (the window picker reports them).
  void TargetPicked(const std::string& title, const std::string& program);

  bool PickerShown() const { return pickerShown_; }
  HWND PickerWindow() const;

  static constexpr char kCaption[] = "通常コマンド設定";
  static constexpr char kLinkFailed[] =
      "リンク先の取得に失敗しました。リンク先が実体のないアイテムである可能性があります。";
  static constexpr char kToTargetIcon[] = "ターゲットアイコンに切り替え";
  static constexpr char kToNormalIcon[] = "通常アイコンに切り替え";
  static constexpr char kPickerPicture[] = "%IconDir\\target.ico";

 protected:
  void UseKeywordClicked(ui::TCheckBox& box, int bit) override;
  void NameChanged() override;
  void IconButtonClick() override;

 private:
  void BuildNormal();
  void TargetChanged();
  void ParamChanged();
  void DirChanged();
  void ShowStateChanged();
  void ChooseFile();
  void ChooseFolder(ui::TEdit& box);
  void ReplaceLink();
  void ShowPicker(bool on);
  void ShowParamMenu(HWND box, int x, int y);
  void InsertParam(HWND box, const std::string& caption);
  // A name for the item from raw text: its first line, forbidden characters as "_".
  static std::string NameFromText(const std::string& text);

  std::string lastTarget_;
  std::string lastPickTitle_;
  std::string lastPickProgram_;
  bool pickerShown_ = false;
  bool filling_ = false;
  std::unique_ptr<ui::TGetTargetExeFile> picker_;
  ui::TAction fileAction_;
};
