// The system's modal choosers (open and save file, colour, folder) and popup
// menus, each behind a handler that tests replace, as ui/MessageBox.h does
// for message boxes: the program asks through these functions and a test
// scripts the answer and records what was asked. With no handler installed
// the real dialog or menu runs.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace ui {

// Open or save a file (GetOpenFileNameA / GetSaveFileNameA).
struct TFileDialogRequest {
  HWND Owner = nullptr;
  bool Save = false;
  std::string Title;
  // Pairs of description and patterns, each part ended by "|":
  // "アイコンファイル(*.ico,*.exe)|*.ico;*.exe" (a last "|" may be left off).
  std::string Filter;
  int FilterIndex = 1;  // 1-based, as the dialog counts; the chosen one afterwards
  std::string InitialDir;
  std::string FileName;  // the starting name; the chosen file afterwards
  std::string DefaultExt;
  DWORD Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
};
// True when the user chose a file (then FileName and FilterIndex are set).
bool OpenFileDialog(TFileDialogRequest& request);

// Choose a colour (ChooseColorA).
struct TColorDialogRequest {
  HWND Owner = nullptr;
  COLORREF Color = 0;  // the starting colour; the chosen one afterwards
  std::array<COLORREF, 16> CustomColors{};
  DWORD Flags = CC_RGBINIT | CC_FULLOPEN;
};
bool ChooseColorDialog(TColorDialogRequest& request);

// Choose a folder with the shell's browser (SHBrowseForFolderA).
struct TBrowseFolderRequest {
  HWND Owner = nullptr;
  std::string Title;
  std::string Root;    // selected when the browser opens; empty for none
  std::string Folder;  // the chosen folder afterwards
  // BIF_RETURNONLYFSDIRS, BIF_RETURNFSANCESTORS, BIF_EDITBOX, BIF_NEWDIALOGSTYLE,
  // BIF_BROWSEINCLUDEFILES.
  UINT Flags = 0x4059;
};
// True with Folder set when the user chose one; false with Folder empty.
bool BrowseForFolder(TBrowseFolderRequest& request);

// A popup menu (TrackPopupMenuEx with TPM_RETURNCMD): the id chosen, 0 for
// none. The menu's WM_INITMENUPOPUP and WM_MENUSELECT go to Owner as usual.
struct TTrackMenuRequest {
  HMENU Menu = nullptr;
  HWND Owner = nullptr;
  int X = 0, Y = 0;  // screen coordinates
  UINT Flags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON;
};
UINT TrackMenu(const TTrackMenuRequest& request);

// Each Set... installs a handler in place of the real dialog and returns the
// one before; nullptr brings the real one back.
using TFileDialogHandler = std::function<bool(TFileDialogRequest&)>;
using TColorDialogHandler = std::function<bool(TColorDialogRequest&)>;
using TBrowseFolderHandler = std::function<bool(TBrowseFolderRequest&)>;
using TTrackMenuHandler = std::function<UINT(const TTrackMenuRequest&)>;
TFileDialogHandler SetFileDialogHandler(TFileDialogHandler handler);
TColorDialogHandler SetColorDialogHandler(TColorDialogHandler handler);
TBrowseFolderHandler SetBrowseFolderHandler(TBrowseFolderHandler handler);
TTrackMenuHandler SetTrackMenuHandler(TTrackMenuHandler handler);

// The filter text as the system wants it: each "|" a zero byte, two at the end.
std::string SystemFilterText(const std::string& filter);

}  // namespace ui
