// The version window: the launcher's icon, product name, version and
// last-modified time, and link fields that open the support site and the
// support mail address. A second start of its mode finds it by its class and
// asks it forward with WM_COPYDATA.
#pragma once

#include <string>

#include "core/Handles.h"
#include "ui/ActionList.h"
#include "ui/Edit.h"
#include "editor/DropTargetFormLite.h"

class IShellStarter;
namespace ui {
class TImage;
}

inline constexpr const char* kVersionDialogClass = "TQVVersionDialog";

// A borderless, read-only, blue and underlined field whose text a click or
// Enter opens.
struct TLinkFieldParams : ui::TEditParams {
  TLinkFieldParams() {
    Style |= ES_READONLY;
    ExStyle = 0;
  }
};

class TLinkField : public ui::TEdit {
 public:
  using TParams = TLinkFieldParams;
  std::function<void()> OnOpen;

 protected:
  void Click() override;
  void KeyPress(char& key) override;
  LRESULT GetDlgCode(const MSG* msg, LRESULT code) override;
  void ControlColor(ui::TCtlColorEvent& e) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The main folder as the editor finds it: the parent of its own folder, with
// a trailing backslash.
std::string EditorMainFolder();
// A last-write time as the window shows it: '2004年1月3日 09:05'.
std::string FormatVersionTime(const SYSTEMTIME& t);

class TQVVersionDialog : public TDropFormLite {
 public:
  // mainFolder holds quorvane.exe (trailing backslash); links are opened
  // through shell (the real shell when none).
  explicit TQVVersionDialog(std::string mainFolder = EditorMainFolder(), IShellStarter* shell = nullptr);

  const std::string& MainFolder() const { return mainFolder_; }
  ui::TEdit& VersionField() const;
  ui::TEdit& TimeField() const;
  TLinkField& SiteField() const;
  TLinkField& MailField() const;
  ui::TImage& Image() const;
  ui::TAction& OKAction() { return ok_; }
  // Opens a link field's text ("mailto:" in front of an address with "@").
  void OpenLink(const std::string& text);

 private:
  void FormCreate();
  bool LinkFocused() const;

  std::string mainFolder_;
  IShellStarter* shell_;
  core::TUniqueFont fixedFont_, linkFont_;
  ui::TActionList actions_;
  ui::TAction ok_{"&OK", VK_RETURN};
};
