#include "launcher/Drop_Target.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>

#include "core/Debug_Unit.h"
#include "core/Handles.h"
#include "core/Sjis.h"
#include "launcher/File_Data_Handler.h"
#include "launcher/SubClass.h"
#include "launcher/Text_Data_Handler.h"
#include "launcher/URL_Data_Handler.h"
#include "ui/ErrorHandler.h"

namespace {
void Log(const char* text) { DebugOut().Write(text).WriteLn(); }
void Log(const char* text, const std::string& more) { DebugOut().Write(text).Write(more).WriteLn(); }
}  // namespace

// ---- ADropTargetHandler ----

ADropTargetHandler::~ADropTargetHandler() = default;

bool ADropTargetHandler::RunPhase(TDropPhase phase) {
  if (!Enabled) {
    Dropped = Accepting = false;
    DroppedText.clear();
    return false;
  }
  bool answer = false;
  switch (phase) {
    case TDropPhase::Enter:
      answer = DragEnter();
      Dropped = false;
      Accepting = answer;
      DroppedText.clear();
      break;
    case TDropPhase::Over:
      answer = DragOver();
      Accepting = answer;
      break;
    case TDropPhase::Leave:
      answer = DragLeave();
      Dropped = Accepting = false;
      DroppedText.clear();
      break;
    case TDropPhase::Drop:
      answer = Drop();
      Dropped = answer;
      Accepting = false;
      break;
  }
  return answer;
}

void ADropTargetHandler::SimulateDrop() {
  TCustomDropTarget* owner = Owner;
  if (!owner) return;
  owner->RefreshHandlers();
  for (auto& h : owner->handlers_) h->Dropped = h->Accepting = false;
  Dropped = true;
  owner->simulating_ = true;
  struct TReset { bool& f; ~TReset() { f = false; } } reset{owner->simulating_};
  owner->DoDropped();
}

// ---- TCustomDropTarget ----

TCustomDropTarget::TCustomDropTarget(HWND window) { SetWindow(window); }

TCustomDropTarget::~TCustomDropTarget() {
  SetEnabled(false);
  ReleaseData();
  handlers_.clear();
}

bool TCustomDropTarget::RegisterWindow(HWND window) {
  return SUCCEEDED(RegisterDragDrop(window, static_cast<IDropTarget*>(this)));
}

void TCustomDropTarget::RevokeWindow(HWND window) { RevokeDragDrop(window); }

void TCustomDropTarget::SetWindow(HWND window) {
  bool changed = window != window_;
  if (registered_ && (!enabled_ || changed)) {
    if (window_) RevokeWindow(window_);
    registered_ = false;
  }
  if (window && enabled_ && (!registered_ || changed)) RegisterWindow(window);
  window_ = window;
  registered_ = window_ && enabled_;
  RefreshHandlers();
}

void TCustomDropTarget::SetEnabled(bool value) {
  enabled_ = value;
  SetWindow(window_);
}

ADropTargetHandler& TCustomDropTarget::AddHandler(std::unique_ptr<ADropTargetHandler> handler) {
  RefreshHandler(*handler);
  handlers_.push_back(std::move(handler));
  return *handlers_.back();
}

void TCustomDropTarget::RemoveHandler(ADropTargetHandler* handler) {
  auto it = std::find_if(handlers_.begin(), handlers_.end(), [&](auto& h) { return h.get() == handler; });
  if (it != handlers_.end()) handlers_.erase(it);
}

void TCustomDropTarget::RefreshHandler(ADropTargetHandler& h) {
  try {
    h.InDrag = inDrag_;
    h.Data = data_;
    h.Point = point_;
    h.Owner = this;
    h.SetWindow(enabled_ ? window_ : nullptr);
  } catch (...) {
  }
}

void TCustomDropTarget::RefreshHandlers() {
  for (auto& h : handlers_) RefreshHandler(*h);
}

bool TCustomDropTarget::Dispatch(TDropPhase phase) {
  RefreshHandlers();
  bool any = false;
  effect_ = DROPEFFECT_NONE;
  for (auto& h : handlers_) {
    if (h->RunPhase(phase)) {
      any = true;
      effect_ = h->Effect;
    }
  }
  return any;
}

void TCustomDropTarget::DoDragEnter() { Dispatch(TDropPhase::Enter); }
void TCustomDropTarget::DoDragOver() { Dispatch(TDropPhase::Over); }
void TCustomDropTarget::DoDragLeave() { Dispatch(TDropPhase::Leave); }

bool TCustomDropTarget::DoDropped() {
  if (!simulating_) Dispatch(TDropPhase::Drop);
  Log("Drop_Target.DoDropped");
  return simulating_;
}

void TCustomDropTarget::HoldData(IDataObject* data) {
  if (data) data->AddRef();
  ReleaseData();
  data_ = data;
}

void TCustomDropTarget::ReleaseData() {
  if (data_) data_->Release();
  data_ = nullptr;
}

// The platform calls these inside its drag loop: nothing may escape them.
STDMETHODIMP TCustomDropTarget::DragEnter(IDataObject* data, DWORD, POINTL pt, DWORD* effect) {
  ui::Guarded("Drop_Target.DragEnter", [&] {
    Log("Drop_Target.DragEnter");
    HoldData(data);
    inDrag_ = true;
    point_ = {pt.x, pt.y};
    DoDragEnter();
  });
  if (effect) *effect = effect_;
  return S_OK;
}

STDMETHODIMP TCustomDropTarget::DragOver(DWORD, POINTL pt, DWORD* effect) {
  ui::Guarded("Drop_Target.DragOver", [&] {
    point_ = {pt.x, pt.y};
    DoDragOver();
  });
  if (effect) *effect = effect_;
  return S_OK;
}

STDMETHODIMP TCustomDropTarget::DragLeave() {
  ui::Guarded("Drop_Target.DragLeave", [&] { DoDragLeave(); });
  ReleaseData();
  inDrag_ = false;
  return S_OK;
}

STDMETHODIMP TCustomDropTarget::Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect) {
  ui::Guarded("Drop_Target.Drop", [&] {
    HoldData(data);
    point_ = {pt.x, pt.y};
    DoDropped();
  });
  if (effect) *effect = effect_;
  ReleaseData();
  inDrag_ = false;
  return S_OK;
}

// ---- TCustomDataTargetHandler ----

TCustomDataTargetHandler::TCustomDataTargetHandler(std::unique_ptr<TDataHandler> data)
    : dataHandler_(std::move(data)) {}

TCustomDataTargetHandler::~TCustomDataTargetHandler() = default;

bool TCustomDataTargetHandler::DragEnter() { return DragOver(); }

bool TCustomDataTargetHandler::DragOver() {
  Effect = dataHandler_->Effect;
  if (!Data) return false;
  for (int i = 0; i < dataHandler_->Formats.Count(); ++i) {
    FORMATETC f = dataHandler_->Formats.GetFormat(i);
    if (Data->QueryGetData(&f) == S_OK) return true;
  }
  return false;
}

bool TCustomDataTargetHandler::DragLeave() {
  Log("Data_Drop_TargetHandler.Leave");
  return false;
}

bool TCustomDataTargetHandler::Drop() {
  bool answer = Data && dataHandler_->ReadFrom(Data);
  DroppedText = dataHandler_->GetText();
  return answer;
}

// ---- TFileTargetHandler ----

TFileTargetHandler::TFileTargetHandler(TMessageSource source)
    : TCustomDataTargetHandler(std::make_unique<TFileDataHandler>()), source_(source) {}

TFileTargetHandler::~TFileTargetHandler() { SetWindow(nullptr); }

TFileDataHandler& TFileTargetHandler::Files() { return static_cast<TFileDataHandler&>(*dataHandler_); }

bool TFileTargetHandler::DragEnter() {
  Files().ClearFiles();
  bool ok = TCustomDataTargetHandler::DragEnter();
  Log(ok ? "FILE_Drop_TargetHandler.OK" : "FILE_Drop_TargetHandler.ERROR");
  return ok;
}

void TFileTargetHandler::ForgetFilter() {
  if (TSubClass* f = filter_) {
    filter_ = nullptr;
    f->OnDestroy = nullptr;
    delete f;
  }
}

void TFileTargetHandler::SetWindow(HWND window) {
  if (window == Window) return;
  if (Window) {
    ForgetFilter();
    if (IsWindow(Window)) DragAcceptFiles(Window, FALSE);
  }
  Window = window;
  if (!window) return;
  DragAcceptFiles(window, TRUE);
  if (source_ == TMessageSource::Owner) return;
  filter_ = new TSubClass(window);
  filter_->Messages.Add(WM_DROPFILES);
  filter_->OnBeforeMessage = [this](TCustomSubClass*, TMessage& m) {
    if (m.Msg != WM_DROPFILES) return;
    // The drop handle is finished here, so nothing after us may touch it.
    m.Handled = true;
    ui::Guarded("File_Drop_Recognizer.MessageDroped", [&] { DropFilesMessage(reinterpret_cast<HDROP>(m.WParam)); });
  };
  // The window went away and took the filter with it.
  filter_->OnDestroy = [this](TCustomSubClass*) { filter_ = nullptr; };
  filter_->SetActive(true);
}

void TFileTargetHandler::DropFilesMessage(HDROP drop) {
  std::vector<std::string> names;
  UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::string name(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
    name.resize(DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size())));
    names.push_back(std::move(name));
  }
  DragFinish(drop);
  DropFiles(names);
}

void TFileTargetHandler::DropFiles(const std::vector<std::string>& names) {
  std::string joined;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) joined += "\r\n";
    joined += names[i];
  }
  Files().SetFilesText(joined);
  DroppedText = joined;
  Log("File_Drop_Recognizer.MessageDroped:", joined);
  SimulateDrop();
}

// ---- TTextTargetHandler ----

TTextTargetHandler::TTextTargetHandler() : TCustomDataTargetHandler(std::make_unique<TTextDataHandler>()) {}

TTextDataHandler& TTextTargetHandler::Text() { return static_cast<TTextDataHandler&>(*dataHandler_); }

bool TTextTargetHandler::DragEnter() {
  bool ok = TCustomDataTargetHandler::DragEnter();
  Log(ok ? "Text_Drop_TargetHandler.OK" : "Text_Drop_TargetHandler.ERROR");
  return ok;
}

bool TTextTargetHandler::Drop() {
  bool ok = TCustomDataTargetHandler::Drop();
  if (ok) Log("Text_Drop_TargetHandler.Droped:", DroppedText);
  return ok;
}

// ---- TURLTargetHandler ----

TURLTargetHandler::TURLTargetHandler() : TCustomDataTargetHandler(std::make_unique<TURLDataHandler>()) {}

TURLDataHandler& TURLTargetHandler::URLData() { return static_cast<TURLDataHandler&>(*dataHandler_); }

bool TURLTargetHandler::DragEnter() {
  bool ok = TCustomDataTargetHandler::DragEnter();
  URLData().URL.clear();
  URLData().Title.clear();
  Log(ok ? "URL_Drop_TargetHandler.OK" : "URL_Drop_TargetHandler.ERROR");
  return ok;
}

bool TURLTargetHandler::Drop() {
  bool ok = TCustomDataTargetHandler::Drop();
  TURLDataHandler& url = URLData();
  DroppedText = url.URL;
  if (!ok) {
    url.URL.clear();
    url.Title.clear();
    return false;
  }
  if (!url.Title.empty() && ShowMenu) PasteMenu();
  Log("URL_Drop_TargetHandler.Droped:", url.Title + "\r\n" + url.URL);
  return true;
}

void TURLTargetHandler::PasteMenu() {
  HMENU menu = CreatePopupMenu();
  if (!menu) {
    DroppedText.clear();
    return;
  }
  AppendMenuA(menu, MF_STRING, kPasteURL, "URLを貼り付け");
  AppendMenuA(menu, MF_STRING, kPasteTitle, "タイトルを貼り付け");
  AppendMenuA(menu, MF_STRING, kCancel, "キャンセル");
  UINT chosen = 0;
  if (TrackMenu) {
    chosen = TrackMenu(menu, Point, Window);
  } else {
    chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY, Point.x, Point.y, 0, Window, nullptr));
  }
  DestroyMenu(menu);
  if (chosen == kPasteURL) DroppedText = URLData().URL;
  else if (chosen == kPasteTitle) DroppedText = URLData().Title;
  else DroppedText.clear();
}

// ---- TEditTargetHandler ----

HWND TEditTargetHandler::EditAt(POINT screenPoint) {
  HWND w = WindowFromPoint(screenPoint);
  if (!w || !IsWindowEnabled(w)) return nullptr;
  char name[261] = {};
  GetClassNameA(w, name, sizeof name);
  if (sjis::FindIgnoreCase(name, "EDIT") == std::string::npos &&
      sjis::FindIgnoreCase(name, "MEMO") == std::string::npos)
    return nullptr;
  return w;
}

void TEditTargetHandler::Mark(HWND box) {
  // An inverting draw: drawing the same rectangle again removes it.
  if (!box || !IsWindow(box)) return;
  core::TWindowDC dc(box);
  if (!dc) return;
  RECT r;
  GetClientRect(box, &r);
  DrawFocusRect(dc.get(), &r);
}

bool TEditTargetHandler::DragEnter() {
  marked_ = nullptr;
  return DragOver();
}

bool TEditTargetHandler::DragOver() {
  HWND box = EditAt(Point);
  if (box != marked_) {
    Mark(marked_);
    Mark(box);
    Log("Edit_Drop_TargetHandler.DoDrawFocusRect");
  }
  marked_ = box;
  return box != nullptr;
}

bool TEditTargetHandler::DragLeave() {
  Mark(marked_);
  marked_ = nullptr;
  return false;
}

bool TEditTargetHandler::Drop() {
  Mark(marked_);
  return marked_ != nullptr;
}

std::string TEditTargetHandler::GetText() const {
  if (!marked_ || !IsWindow(marked_)) return std::string();
  // The whole text, however long: the box's contents are kept, not cut.
  int n = GetWindowTextLengthA(marked_);
  if (n <= 0) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  n = GetWindowTextA(marked_, text.data(), n + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

void TEditTargetHandler::SetText(const std::string& text) {
  if (marked_ && IsWindow(marked_)) SetWindowTextA(marked_, text.c_str());
}

// ---- THelperTargetHandler ----

THelperTargetHandler::~THelperTargetHandler() {
  if (helper_) helper_->Release();
}

bool THelperTargetHandler::DragEnter() {
  if (!tried_) {
    tried_ = true;
    if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                                reinterpret_cast<void**>(&helper_))))
      helper_ = nullptr;
  }
  if (helper_ && Data) {
    POINT pt = Point;
    helper_->DragEnter(Window, Data, &pt, Effect);
  }
  Log("Helper_Drop_TargetHandler.DragEnter");
  return false;
}

bool THelperTargetHandler::DragOver() {
  if (helper_) {
    POINT pt = Point;
    helper_->DragOver(&pt, Effect);
  }
  return false;
}

bool THelperTargetHandler::DragLeave() {
  if (helper_) helper_->DragLeave();
  return false;
}

bool THelperTargetHandler::Drop() {
  if (helper_ && Data) {
    POINT pt = Point;
    helper_->Drop(Data, &pt, Effect);
  }
  return false;
}

// ---- TMultiDropTarget ----

TMultiDropTarget::TMultiDropTarget(HWND window, TMessageSource source) : TCustomDropTarget(window) {
  auto file = std::make_unique<TFileTargetHandler>(source);
  auto text = std::make_unique<TTextTargetHandler>();
  auto url = std::make_unique<TURLTargetHandler>();
  auto edit = std::make_unique<TEditTargetHandler>();
  auto helper = std::make_unique<THelperTargetHandler>();
  file_ = file.get();
  text_ = text.get();
  url_ = url.get();
  edit_ = edit.get();
  helper_ = helper.get();
  AddHandler(std::move(edit));
  AddHandler(std::move(file));
  AddHandler(std::move(text));
  AddHandler(std::move(url));
  AddHandler(std::move(helper));
}

void TMultiDropTarget::DoDragOver() {
  Dispatch(TDropPhase::Over);
  // The paste menu is for a drop onto a text box only.
  url_->ShowMenu = edit_->Accepting;
  if (OnDragOver) OnDragOver(this);
}

void TMultiDropTarget::DoDragLeave() {
  Dispatch(TDropPhase::Leave);
  if (OnDragEnd) OnDragEnd(this);
}

bool TMultiDropTarget::DoDropped() {
  bool result = TCustomDropTarget::DoDropped();
  if (edit_->Dropped) {
    std::string text;
    if (url_->Dropped) text = url_->DroppedText;
    else if (file_->Dropped) text = file_->DroppedText;
    else if (text_->Dropped) text = text_->DroppedText;
    // File lists end with a line break; in a one-line box it would only be
    // junk after the last path.
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    if (!text.empty()) {
      std::string old = edit_->GetText();
      edit_->SetText(AppendToEdit && !old.empty() ? old + " " + text : text);
    }
  } else if (url_->Dropped && OnDropURL) {
    OnDropURL(this, url_->URLData().URL, url_->URLData().Title);
  } else if (file_->Dropped && OnDropFiles) {
    OnDropFiles(this, file_->DroppedText);
  } else if (text_->Dropped && OnDropFiles) {
    OnDropFiles(this, text_->DroppedText);
  }
  if (OnDragEnd) OnDragEnd(this);
  return result;
}
