// The editor's base form for windows that take drops and messages: it is its
// own window's OLE drop target, accepts the shell's WM_DROPFILES, receives
// WM_COPYDATA texts and closes when the session ends.
//
// A drop onto a text box of the form (any ui::TEdit, so every completing edit
// too) goes into the box: a space after text already there, then the dropped
// text, selected. A drop anywhere else fires onFileDrop, onURLDrop or
// onTextDrop with the screen point of the drop. An address with a title
// dropped onto a box asks by a menu (through ui::TrackMenu) whether the
// address or the title goes in. Every drop ends with one onDragEnd.
//
// What a drag brings is read in this order: files (a ".url" file gives its
// address and its name as the title), then, without files, a link's title
// from its file descriptor, file name maps, the text of a link with a title,
// a shortcut's contents, and plain text. Each block is read within its own
// size.
//
// The form answers its window's OnCopyData, OnDropFiles and OnQueryEndSession
// itself; derived forms use the events below. The drop target is not counted:
// the form frees it and revokes it with its window. OLE is started for the
// user-interface thread while any such form lives.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>

#include "core/ComObject.h"
#include "core/Handles.h"
#include "ui/Form.h"
#include "ui/OleStart.h"

namespace ui {
class TEdit;
}

using TFileDropEvent = std::function<void(POINT point, const std::string& files)>;
using TURLDropEvent = std::function<void(POINT point, const std::string& address, const std::string& title)>;
using TTextDropEvent = std::function<void(POINT point, const std::string& text)>;
using TDragOverEvent = std::function<void(POINT point, DWORD& effect)>;
using TNotifyEvent = std::function<void()>;
using TCopyDataEvent = std::function<void(const std::string& text, HWND sender)>;

class TDropFormLite : public ui::TForm {
 public:
  explicit TDropFormLite(ui::TForm* owner = nullptr);
  ~TDropFormLite() override;

  // Makes the window, lets it accept the shell's drops and registers it for
  // OLE drops.
  bool Create(const ui::TFormParams& params);

  // Files: the paths, each followed by CR LF when there are several; one
  // path alone. From WM_DROPFILES the paths joined by CR LF, at (0, 0).
  TFileDropEvent onFileDrop;
  TURLDropEvent onURLDrop;
  TTextDropEvent onTextDrop;
  // While a drag moves over the form, with the effect it will be given.
  TDragOverEvent onDragOver;
  TNotifyEvent onDragEnd;
  // A WM_COPYDATA text (empty for a message without data or with a data word
  // of 0) and the sender's window.
  TCopyDataEvent onCopyData;

  // The form's drop target, as OLE gets it.
  IDropTarget* DropTarget() { return &target_; }
  bool DropTargetRegistered() const { return registered_; }
  // The text box the drag is over, or none.
  ui::TEdit* MarkedEdit() const;

  // The clipboard formats a drag is read in.
  struct TFormats {
    CLIPFORMAT FileContents, FileGroupDescriptor, ShellIDList, PreferredDropEffect, UniformResourceLocator,
        FileNameMap, FileNameMapW;
  };
  static const TFormats& Formats();

  // The captions of the menu for an address dropped onto a text box.
  static constexpr const char* kPasteURL = "URLを貼り付け";
  static constexpr const char* kPasteTitle = "タイトルを貼り付け";
  static constexpr const char* kCancel = "キャンセル";

 protected:
  // The address or title chosen from the menu replaces the box's text
  // instead of following it.
  bool URLReplacesBoxText = false;

  // The drop target's operations (points in screen coordinates); derived
  // forms may take them over. Each answers S_OK.
  virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect);
  virtual HRESULT DragOver(DWORD keyState, POINTL point, DWORD* effect);
  virtual HRESULT DragLeave();
  virtual HRESULT Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect);

  // What a drop gives, as the reading above decides.
  void FileDrop(POINT point, const std::string& files);
  void TextDrop(POINT point, const std::string& text);
  void URLDrop(POINT point, const std::string& address, const std::string& title);

 private:
  class TTarget final : public core::TComObject<IDropTarget, core::TComLifetime::Owned> {
   public:
    explicit TTarget(TDropFormLite& form) : form_(form) {}
    ~TTarget() override = default;
    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

   private:
    TDropFormLite& form_;
  };

  void ReadDrop(IDataObject* data, POINT point);
  // The marked box gets text: a space after what it holds, then the text, selected.
  void AppendToMarked(const std::string& text);
  void Mark(HWND box);
  void Unmark();
  void Refresh();
  void FireDragEnd();
  void CopyDataReceived(ui::TCopyDataEvent& e);
  void FilesDropped(ui::TDropFilesEvent& e);

  ui::TOleUse ole_;
  TTarget target_{*this};
  bool registered_ = false;
  core::TComPtr<IDataObject> data_;  // the drag in progress
  HWND marked_ = nullptr;        // the box the drag is over
  bool markDrawn_ = false;       // its focus rectangle is on the screen
  bool dragEndFired_ = false;
};
