// The launcher window's drop target. TCustomDropTarget implements IDropTarget
// for one window and hands each phase of a drag (enter, over, leave, drop) to
// an ordered list of handlers; the answer to the platform is the effect of the
// last handler that accepted. The handlers: one per kind of data (files, text,
// web addresses, behind the data handlers), the text box under the cursor, and
// the shell's drag image. TMultiDropTarget is the launcher's target with all
// of them: a drop onto a text box goes into the box, any other drop is
// reported through OnDropFiles / OnDropURL, which the launcher window turns
// into requests or parameters.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/ComObject.h"
#include "launcher/SubClass.h"

class TDataHandler;
class TFileDataHandler;
class TTextDataHandler;
class TURLDataHandler;
struct IDropTargetHelper;

class TCustomDropTarget;

enum class TDropPhase { Enter = 0, Over = 1, Leave = 2, Drop = 3 };

class ADropTargetHandler {
 public:
  ADropTargetHandler() = default;
  virtual ~ADropTargetHandler();
  ADropTargetHandler(const ADropTargetHandler&) = delete;
  ADropTargetHandler& operator=(const ADropTargetHandler&) = delete;

  virtual bool DragEnter() = 0;
  virtual bool DragOver() = 0;
  virtual bool DragLeave() = 0;
  virtual bool Drop() = 0;
  virtual void SetWindow(HWND window) { Window = window; }

  // Runs one phase and keeps Dropped, Accepting and DroppedText up to date.
  bool RunPhase(TDropPhase phase);
  // Reports a drop that arrived outside OLE (WM_DROPFILES) as this handler's:
  // the owner's drop report runs without any handler's Drop.
  void SimulateDrop();

  // Copied in by the owner before every phase.
  bool InDrag = false;
  IDataObject* Data = nullptr;  // not referenced: the owner holds it
  HWND Window = nullptr;
  POINT Point = {0, 0};
  TCustomDropTarget* Owner = nullptr;

  DWORD Effect = DROPEFFECT_NONE;
  bool Dropped = false;
  bool Accepting = false;
  bool Enabled = true;
  std::string DroppedText;
};

// IUnknown is not counted: the owner frees the object.
class TCustomDropTarget : public core::TComObject<IDropTarget, core::TComLifetime::Owned> {
 public:
  explicit TCustomDropTarget(HWND window);
  ~TCustomDropTarget() override;

  // IDropTarget; all answer S_OK.
  STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragOver(DWORD keyState, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragLeave() override;
  STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;

  // Owned; dispatch order is the order added.
  ADropTargetHandler& AddHandler(std::unique_ptr<ADropTargetHandler> handler);
  void RemoveHandler(ADropTargetHandler* handler);
  int HandlerCount() const { return static_cast<int>(handlers_.size()); }
  ADropTargetHandler& GetHandler(int index) { return *handlers_[static_cast<size_t>(index)]; }

  void SetWindow(HWND window);
  HWND Window() const { return window_; }
  void SetEnabled(bool value);
  bool Enabled() const { return enabled_; }
  bool Registered() const { return registered_; }
  DWORD Effect() const { return effect_; }
  POINT Point() const { return point_; }
  bool InDrag() const { return inDrag_; }
  bool Simulating() const { return simulating_; }

  // Copies the drag state into every handler.
  void RefreshHandlers();

 protected:
  virtual bool Dispatch(TDropPhase phase);
  virtual void DoDragEnter();
  virtual void DoDragOver();
  virtual void DoDragLeave();
  virtual bool DoDropped();
  // Registration with OLE (a seam for tests that have no drag loop).
  virtual bool RegisterWindow(HWND window);
  virtual void RevokeWindow(HWND window);

 private:
  friend class ADropTargetHandler;
  void RefreshHandler(ADropTargetHandler& handler);
  void HoldData(IDataObject* data);
  void ReleaseData();

  bool inDrag_ = false;
  IDataObject* data_ = nullptr;
  HWND window_ = nullptr;
  DWORD effect_ = DROPEFFECT_NONE;
  POINT point_ = {0, 0};
  bool registered_ = false;
  bool enabled_ = true;
  bool simulating_ = false;
  std::vector<std::unique_ptr<ADropTargetHandler>> handlers_;
};

// A handler with one data handler behind it: accepts when the data object
// offers one of its formats, and reads the data on a drop.
class TCustomDataTargetHandler : public ADropTargetHandler {
 public:
  explicit TCustomDataTargetHandler(std::unique_ptr<TDataHandler> data);
  ~TCustomDataTargetHandler() override;

  bool DragEnter() override;
  bool DragOver() override;
  bool DragLeave() override;
  bool Drop() override;

  TDataHandler& DataHandler() { return *dataHandler_; }

 protected:
  std::unique_ptr<TDataHandler> dataHandler_;
};

// Files (CF_HDROP), also from the shell's older WM_DROPFILES on the window,
// watched by a filter or handed on by the window's owner (DropFiles).
class TFileTargetHandler : public TCustomDataTargetHandler {
 public:
  explicit TFileTargetHandler(TMessageSource source = TMessageSource::Filter);
  ~TFileTargetHandler() override;

  bool DragEnter() override;
  void SetWindow(HWND window) override;
  TFileDataHandler& Files();
  // The names of a WM_DROPFILES: reported as this handler's drop.
  void DropFiles(const std::vector<std::string>& names);

 private:
  void DropFilesMessage(HDROP drop);
  void ForgetFilter();
  TMessageSource source_;
  TSubClass* filter_ = nullptr;
};

class TTextTargetHandler : public TCustomDataTargetHandler {
 public:
  TTextTargetHandler();
  bool DragEnter() override;
  bool Drop() override;
  TTextDataHandler& Text();
};

// Web addresses. A drop with a title onto a text box asks by a menu whether the
// address or the title goes into the box.
class TURLTargetHandler : public TCustomDataTargetHandler {
 public:
  TURLTargetHandler();
  bool DragEnter() override;
  bool Drop() override;
  TURLDataHandler& URLData();

  bool ShowMenu = true;
  // Shows the menu and returns the chosen command, 0 for none; by default the
  // platform's TrackPopupMenu. Tests choose through it.
  std::function<UINT(HMENU menu, POINT at, HWND owner)> TrackMenu;

  static constexpr UINT kPasteURL = 1, kPasteTitle = 2, kCancel = 3;

 private:
  void PasteMenu();
};

// The text box (a window class holding "EDIT" or "MEMO") under the cursor: it
// is marked with a focus rectangle while the drag is over it.
class TEditTargetHandler : public ADropTargetHandler {
 public:
  bool DragEnter() override;
  bool DragOver() override;
  bool DragLeave() override;
  bool Drop() override;

  HWND Marked() const { return marked_; }
  // The marked box's whole text; empty without a box.
  std::string GetText() const;
  void SetText(const std::string& text);

  // The enabled text box at a screen point, or none.
  static HWND EditAt(POINT screenPoint);

 private:
  void Mark(HWND box);
  HWND marked_ = nullptr;
};

// The shell's drag image over the window; never accepts.
class THelperTargetHandler : public ADropTargetHandler {
 public:
  ~THelperTargetHandler() override;
  bool DragEnter() override;
  bool DragOver() override;
  bool DragLeave() override;
  bool Drop() override;

 private:
  IDropTargetHelper* helper_ = nullptr;
  bool tried_ = false;
};

class TMultiDropTarget : public TCustomDropTarget {
 public:
  // source: where the file handler takes the window's WM_DROPFILES from.
  explicit TMultiDropTarget(HWND window, TMessageSource source = TMessageSource::Filter);

  std::function<void(TMultiDropTarget* sender)> OnDragEnd;
  std::function<void(TMultiDropTarget* sender)> OnDragOver;
  // Files: the paths, each followed by CR LF (joined by CR LF after
  // WM_DROPFILES); or dropped text.
  std::function<void(TMultiDropTarget* sender, const std::string& text)> OnDropFiles;
  std::function<void(TMultiDropTarget* sender, const std::string& address, const std::string& title)> OnDropURL;
  bool AppendToEdit = false;

  TFileTargetHandler& FileHandler() { return *file_; }
  TTextTargetHandler& TextHandler() { return *text_; }
  TURLTargetHandler& URLHandler() { return *url_; }
  TEditTargetHandler& EditHandler() { return *edit_; }

 protected:
  void DoDragOver() override;
  void DoDragLeave() override;
  bool DoDropped() override;

 private:
  TFileTargetHandler* file_;
  TTextTargetHandler* text_;
  TURLTargetHandler* url_;
  TEditTargetHandler* edit_;
  THelperTargetHandler* helper_;
};

