#include "ui/Dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <utility>

namespace ui {

namespace {

template <class H>
H& HandlerOf() {
  static H handler;
  return handler;
}

template <class H>
H Replace(H handler) {
  H old = std::move(HandlerOf<H>());
  HandlerOf<H>() = std::move(handler);
  return old;
}

bool RealFileDialog(TFileDialogRequest& r) {
  std::string filter = SystemFilterText(r.Filter);
  char file[MAX_PATH * 2] = {};
  r.FileName.copy(file, sizeof file - 1);
  OPENFILENAMEA ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = r.Owner;
  ofn.lpstrFilter = filter.size() > 2 ? filter.c_str() : nullptr;
  ofn.nFilterIndex = static_cast<DWORD>(r.FilterIndex);
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrInitialDir = r.InitialDir.empty() ? nullptr : r.InitialDir.c_str();
  ofn.lpstrTitle = r.Title.empty() ? nullptr : r.Title.c_str();
  ofn.lpstrDefExt = r.DefaultExt.empty() ? nullptr : r.DefaultExt.c_str();
  ofn.Flags = r.Flags | OFN_EXPLORER;
  if (r.Save) ofn.Flags &= ~static_cast<DWORD>(OFN_FILEMUSTEXIST);
  BOOL ok = r.Save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  r.FileName = file;
  r.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool RealColorDialog(TColorDialogRequest& r) {
  CHOOSECOLORA cc = {};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = r.Owner;
  cc.rgbResult = r.Color;
  cc.lpCustColors = r.CustomColors.data();
  cc.Flags = r.Flags;
  if (!ChooseColorA(&cc)) return false;
  r.Color = cc.rgbResult;
  return true;
}

int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM, LPARAM data) {
  // Opens on the starting folder; one that does not exist selects nothing.
  if (msg == BFFM_INITIALIZED && data) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

bool RealBrowseForFolder(TBrowseFolderRequest& r) {
  r.Folder.clear();
  BROWSEINFOA info = {};
  info.hwndOwner = r.Owner;
  info.lpszTitle = r.Title.c_str();
  info.ulFlags = r.Flags;
  if (!r.Root.empty()) {
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(r.Root.c_str());
  }
  LPITEMIDLIST list = SHBrowseForFolderA(&info);
  if (!list) return false;
  char path[MAX_PATH + 1] = {};
  BOOL ok = SHGetPathFromIDListA(list, path);
  CoTaskMemFree(list);
  if (!ok) return false;
  r.Folder = path;
  return true;
}

UINT RealTrackMenu(const TTrackMenuRequest& r) {
  // The owner must be the foreground window, or the menu does not close
  // when the user clicks elsewhere.
  if (r.Owner) SetForegroundWindow(r.Owner);
  UINT id = static_cast<UINT>(TrackPopupMenuEx(r.Menu, r.Flags | TPM_RETURNCMD, r.X, r.Y, r.Owner, nullptr));
  if (r.Owner) PostMessageA(r.Owner, WM_NULL, 0, 0);
  return id;
}

}  // namespace

std::string SystemFilterText(const std::string& filter) {
  std::string text = filter;
  if (text.empty() || text.back() != '|') text += '|';
  for (char& c : text)
    if (c == '|') c = '\0';
  text += '\0';
  return text;
}

bool OpenFileDialog(TFileDialogRequest& request) {
  if (auto handler = HandlerOf<TFileDialogHandler>()) return handler(request);
  return RealFileDialog(request);
}

bool ChooseColorDialog(TColorDialogRequest& request) {
  if (auto handler = HandlerOf<TColorDialogHandler>()) return handler(request);
  return RealColorDialog(request);
}

bool BrowseForFolder(TBrowseFolderRequest& request) {
  if (auto handler = HandlerOf<TBrowseFolderHandler>()) return handler(request);
  return RealBrowseForFolder(request);
}

UINT TrackMenu(const TTrackMenuRequest& request) {
  if (auto handler = HandlerOf<TTrackMenuHandler>()) return handler(request);
  return RealTrackMenu(request);
}

TFileDialogHandler SetFileDialogHandler(TFileDialogHandler handler) { return Replace(std::move(handler)); }
TColorDialogHandler SetColorDialogHandler(TColorDialogHandler handler) { return Replace(std::move(handler)); }
TBrowseFolderHandler SetBrowseFolderHandler(TBrowseFolderHandler handler) { return Replace(std::move(handler)); }
TTrackMenuHandler SetTrackMenuHandler(TTrackMenuHandler handler) { return Replace(std::move(handler)); }

}  // namespace ui
