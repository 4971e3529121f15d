#include "editor/DropTargetFormLite.h"

#include <shellapi.h>
#include <shlobj.h>

#include <memory>

#include "core/AnsiText.h"
#include "core/Data_Blocks.h"
#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/Handles.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "ui/Control.h"
#include "ui/CopyData.h"
#include "ui/Edit.h"
#include "ui/ErrorHandler.h"
#include "ui/OleData.h"
#include "ui/PopupMenu.h"

namespace {

// Reads the formats of one drop in turn. Only global memory is read: a
// format offered in any other medium (released unread) ends the drop, and
// every read after it finds nothing.
class TDropReader {
 public:
  explicit TDropReader(IDataObject* data) : data_(data) {}
  bool Read(FORMATETC format, std::string& block) {
    block.clear();
    if (refused_ || !data_ || data_->QueryGetData(&format) != S_OK) return false;
    if (ui::GetGlobalData(data_, format, block)) return true;
    refused_ = true;
    return false;
  }
  bool Read(CLIPFORMAT format, std::string& block) { return Read(ui::MakeFormatEtc(format), block); }

 private:
  IDataObject* data_;
  bool refused_ = false;
};

// A name less its last four characters (".url"); a shorter one leaves nothing.
std::string LessLastFour(const std::string& name) {
  size_t n = sjis::CharCount(name);
  if (n < 4) return std::string();
  return name.substr(0, sjis::CharToBytePos(name, n - 4));
}

}  // namespace

const TDropFormLite::TFormats& TDropFormLite::Formats() {
  static const TFormats formats = {
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileContents")),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileGroupDescriptor")),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Shell IDList Array")),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA("Preferred DropEffect")),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA("UniformResourceLocator")),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileNameMap")),
      static_cast<CLIPFORMAT>(RegisterClipboardFormatA("FileNameMapW")),
  };
  return formats;
}

TDropFormLite::TDropFormLite(ui::TForm* owner) : ui::TForm(owner) {
  OnCopyData = [this](ui::TCopyDataEvent& e) { CopyDataReceived(e); };
  OnDropFiles = [this](ui::TDropFilesEvent& e) { FilesDropped(e); };
  OnQueryEndSession = [this](ui::TQueryEndSessionEvent& e) {
    Close();
    e.Answer(TRUE);
  };
}

TDropFormLite::~TDropFormLite() {
  if (registered_ && Handle()) RevokeDragDrop(Handle());
  registered_ = false;
}

bool TDropFormLite::Create(const ui::TFormParams& params) {
  Formats();
  if (!ui::TForm::Create(params)) return false;
  DragAcceptFiles(Handle(), TRUE);
  registered_ = SUCCEEDED(RegisterDragDrop(Handle(), &target_));
  return true;
}

ui::TEdit* TDropFormLite::MarkedEdit() const {
  return marked_ ? dynamic_cast<ui::TEdit*>(ui::TWindow::FromHandle(marked_)) : nullptr;
}

// ---- the drag

// An inverting focus rectangle over the box's client area: the same draw
// again takes it off.
void TDropFormLite::Mark(HWND box) {
  marked_ = box;
  markDrawn_ = false;
  if (!box || !IsWindow(box)) return;
  core::TWindowDC dc(box);
  if (!dc) return;
  RECT r = {};
  GetClientRect(box, &r);
  DrawFocusRect(dc.get(), &r);
  markDrawn_ = true;
}

void TDropFormLite::Unmark() {
  if (markDrawn_ && marked_ && IsWindow(marked_)) {
    core::TWindowDC dc(marked_);
    RECT r = {};
    GetClientRect(marked_, &r);
    if (dc) DrawFocusRect(dc.get(), &r);
  }
  markDrawn_ = false;
  marked_ = nullptr;
}

// Repainting the form wipes the mark off the screen: the next move over the
// box draws it again.
void TDropFormLite::Refresh() {
  if (!Handle()) return;
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  markDrawn_ = false;
}

void TDropFormLite::FireDragEnd() {
  dragEndFired_ = true;
  if (onDragEnd) onDragEnd();
}

HRESULT TDropFormLite::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  marked_ = nullptr;
  markDrawn_ = false;
  dragEndFired_ = false;
  data_ = core::TComPtr<IDataObject>::Share(data);
  DragOver(keyState, point, effect);
  Refresh();
  if (effect) *effect = DROPEFFECT_LINK;
  return S_OK;
}

HRESULT TDropFormLite::DragOver(DWORD, POINTL point, DWORD* effect) {
  if (!data_) return S_OK;
  DWORD answer = DROPEFFECT_LINK;
  const POINT at = {point.x, point.y};
  if (onDragOver) onDragOver(at, answer);
  auto* box = dynamic_cast<ui::TEdit*>(ui::FindControlAt(at, *this));
  if (box) {
    if (box->Handle() != marked_) {
      Unmark();
      Mark(box->Handle());
    } else if (!markDrawn_) {
      UpdateWindow(marked_);
      Mark(marked_);
    }
  } else {
    Unmark();
  }
  // Whatever onDragOver chose, the drag is offered a link.
  if (effect) *effect = DROPEFFECT_LINK;
  return S_OK;
}

HRESULT TDropFormLite::DragLeave() {
  data_.reset();
  Unmark();
  FireDragEnd();
  return S_OK;
}

HRESULT TDropFormLite::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) {
  data_.reset();
  if (effect) *effect = DROPEFFECT_LINK;
  Refresh();
  ReadDrop(data, {point.x, point.y});
  // The box is forgotten with its mark: a later drop by WM_DROPFILES must
  // not land in it.
  Unmark();
  if (!dragEndFired_) FireDragEnd();
  return S_OK;
}

void TDropFormLite::ReadDrop(IDataObject* data, POINT point) {
  const TFormats& f = Formats();
  TDropReader reader(data);
  std::string block;

  if (reader.Read(CF_HDROP, block)) {
    datablock::DropFileNames names;
    std::vector<std::string> paths;
    if (datablock::ParseDropFiles(block, names)) {
      paths = names.names;
      for (const std::u16string& w : names.wideNames) paths.push_back(WideToAnsi(w));
    }
    if (paths.empty()) return;
    const std::string& first = paths.front();
    if (!fileio::FileExists(first) && !fileio::DirectoryExists(first)) return;
    if (sjis::ToLowerAscii(sjis::ExtractFileExt(first)) == ".url") {
      std::string text;
      fileio::ReadWholeFile(first, text);
      URLDrop(point, datablock::InternetShortcutAddress(text), LessLastFour(sjis::ExtractFileName(first)));
    } else if (paths.size() == 1) {
      FileDrop(point, first);
    } else {
      std::string all;
      for (const std::string& p : paths) all += p + "\r\n";
      FileDrop(point, all);
    }
    return;
  }

  std::string title, name;
  if (reader.Read(f.FileGroupDescriptor, block) && datablock::FirstDescriptorName(block, name))
    title = LessLastFour(name);
  if (reader.Read(f.FileNameMap, block)) return FileDrop(point, datablock::TextUpToNul(block));
  if (reader.Read(f.FileNameMapW, block)) return FileDrop(point, WideToAnsi(datablock::WideTextUpToNul(block)));
  if (!title.empty() && reader.Read(CF_TEXT, block)) return URLDrop(point, datablock::TextUpToNul(block), title);
  FORMATETC contents = ui::MakeFormatEtc(f.FileContents);
  contents.lindex = 0;  // the first file
  if (reader.Read(contents, block)) {
    const std::string address = datablock::FileContentsAddress(block);
    if (!address.empty()) return URLDrop(point, address, title);
  }
  if (reader.Read(CF_TEXT, block)) TextDrop(point, datablock::TextUpToNul(block));
}

// ---- what a drop gives

void TDropFormLite::AppendToMarked(const std::string& text) {
  ui::TEdit* box = MarkedEdit();
  if (!box) return;
  std::string before = box->Text();
  if (!before.empty()) before += ' ';
  box->SetText(before + text);
  // Positions count as the box counts them: characters.
  box->SetSel(CharLength(before), CharLength(text));
}

void TDropFormLite::FileDrop(POINT point, const std::string& files) {
  if (MarkedEdit()) AppendToMarked(files);
  else if (onFileDrop) onFileDrop(point, files);
  FireDragEnd();
}

void TDropFormLite::TextDrop(POINT point, const std::string& text) {
  if (MarkedEdit()) AppendToMarked(text);
  else if (onTextDrop) onTextDrop(point, text);
  FireDragEnd();
}

void TDropFormLite::URLDrop(POINT point, const std::string& address, const std::string& title) {
  if (MarkedEdit()) {
    auto menu = std::make_unique<ui::TPopupMenu>();
    auto paste = [this](const std::string& text) {
      if (!URLReplacesBoxText) return AppendToMarked(text);
      if (ui::TEdit* box = MarkedEdit()) box->SetText(text);
    };
    menu->Items().Add(kPasteURL, [paste, address] { paste(address); });
    menu->Items().Add(kPasteTitle, [paste, title] { paste(title); });
    menu->Items().Add(kCancel);
    menu->Popup(point.x, point.y, Handle());
  } else if (onURLDrop) {
    onURLDrop(point, address, title);
  }
  FireDragEnd();
}

// ---- messages

void TDropFormLite::CopyDataReceived(ui::TCopyDataEvent& e) {
  std::string text;
  const bool taken = ui::CopyDataText(reinterpret_cast<const COPYDATASTRUCT*>(e.LParam), text);
  DebugOut().Write("TDropFormLite:MessageSended:").Write(text).WriteLn();
  if (onCopyData) onCopyData(text, e.Sender);
  e.Answer(taken ? TRUE : FALSE);
}

void TDropFormLite::FilesDropped(ui::TDropFilesEvent& e) {
  std::string joined;
  for (const std::string& name : e.Files) {
    if (!joined.empty()) joined += "\r\n";
    joined += name;
  }
  if (!joined.empty()) FileDrop({0, 0}, joined);
}

// ---- IDropTarget: the platform calls these inside its drag loop, so nothing
// may escape them.

STDMETHODIMP TDropFormLite::TTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  return ui::Guarded("TDropFormLite.DragEnter", [&] { return form_.DragEnter(data, keyState, point, effect); }, S_OK);
}

STDMETHODIMP TDropFormLite::TTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
  return ui::Guarded("TDropFormLite.DragOver", [&] { return form_.DragOver(keyState, point, effect); }, S_OK);
}

STDMETHODIMP TDropFormLite::TTarget::DragLeave() {
  return ui::Guarded("TDropFormLite.DragLeave", [&] { return form_.DragLeave(); }, S_OK);
}

STDMETHODIMP TDropFormLite::TTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  return ui::Guarded("TDropFormLite.Drop", [&] { return form_.Drop(data, keyState, point, effect); }, S_OK);
}
