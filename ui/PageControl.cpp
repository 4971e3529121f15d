#include "ui/PageControl.h"

#include <commctrl.h>

#include <algorithm>

namespace ui {

// ---- TTabSheet

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

bool TTabSheet::Create(const TTabSheetParams& p) {
  auto* owner = dynamic_cast<TPageControl*>(TWindow::FromHandle(p.Parent));
  if (!owner) return false;
  tabVisible_ = p.TabVisible;
  TFrameParams c = p;
  c.Style = (p.Style & ~(WS_VISIBLE | WS_TABSTOP)) | WS_CLIPSIBLINGS;
  RECT r = owner->DisplayRect();
  c.X = r.left;
  c.Y = r.top;
  c.Width = r.right - r.left;
  c.Height = r.bottom - r.top;
  if (!CreateContainer(c, "QvTabSheet")) return false;
  owner->AddPage(this);
  return true;
}

int TTabSheet::PageIndex() const { return pageControl_ ? pageControl_->IndexOf(this) : -1; }

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_) return -1;
  int tab = 0;
  for (TTabSheet* p : pageControl_->pages_) {
    if (p == this) return tab;
    if (p->tabVisible_) ++tab;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool on) {
  if (tabVisible_ == on) return;
  tabVisible_ = on;
  if (pageControl_) pageControl_->RebuildTabs();
}

LRESULT TTabSheet::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SETTEXT) {
    LRESULT r = TFrame::WndProc(msg, wParam, lParam);
    if (pageControl_) pageControl_->RebuildTabs();
    return r;
  }
  return TFrame::WndProc(msg, wParam, lParam);
}

// ---- TPageControl

TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
}

bool TPageControl::Create(const TPageControlParams& p) {
  return CreateControl(p, WC_TABCONTROLA, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
}

TTabSheet* TPageControl::Page(int index) const {
  return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

int TPageControl::IndexOf(const TTabSheet* page) const {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  return it == pages_.end() ? -1 : static_cast<int>(it - pages_.begin());
}

int TPageControl::TabCount() const { return Handle() ? static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0)) : 0; }

void TPageControl::AddPage(TTabSheet* page) {
  page->pageControl_ = this;
  pages_.push_back(page);
  RebuildTabs();
  if (!active_) SetActivePage(page);
  else PlacePages();
}

void TPageControl::RemovePage(TTabSheet* page) {
  int index = IndexOf(page);
  if (index < 0) return;
  pages_.erase(pages_.begin() + index);
  page->pageControl_ = nullptr;
  if (active_ == page) {
    active_ = nullptr;
    if (!pages_.empty()) SetActivePage(pages_[static_cast<size_t>(std::min(index, PageCount() - 1))]);
  }
  RebuildTabs();
}

TTabSheet* TPageControl::PageOfTab(int tab) const {
  if (tab < 0) return nullptr;
  for (TTabSheet* p : pages_)
    if (p->tabVisible_ && tab-- == 0) return p;
  return nullptr;
}

// The tabs are made again from the pages whenever one is added, removed,
// hidden, shown or renamed: the tab control has no hidden tabs of its own.
void TPageControl::RebuildTabs() {
  if (!Handle()) return;
  int before = TabCount();
  SendMessageA(Handle(), TCM_DELETEALLITEMS, 0, 0);
  int tab = 0;
  for (TTabSheet* p : pages_) {
    if (!p->tabVisible_) continue;
    std::string text = p->Caption();
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(active_ ? active_->TabIndex() : -1), 0);
  // The display area grows or shrinks when the row of tabs comes or goes.
  if ((before == 0) != (tab == 0)) InvalidateRect(Handle(), nullptr, TRUE);
  PlacePages();
}

RECT TPageControl::DisplayRect() const {
  RECT r = ClientRect();
  if (Handle() && TabCount() > 0) SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TPageControl::PlacePages() {
  if (!Handle()) return;
  RECT r = DisplayRect();
  for (TTabSheet* p : pages_)
    if (p->Handle())
      SetWindowPos(p->Handle(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOACTIVATE | (p == active_ ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->pageControl_ != this) return;
  if (page == active_) return;
  // The focus leaves a page that is hidden.
  HWND focus = GetFocus();
  bool focusInside = active_ && active_->Handle() && focus && IsChild(active_->Handle(), focus);
  active_ = page;
  if (Handle()) SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(page ? page->TabIndex() : -1), 0);
  PlacePages();
  if (focusInside) SetFocus(Handle());
}

void TPageControl::SelectNextPage(bool forward) {
  int n = PageCount();
  if (n == 0) return;
  int start = std::max(0, IndexOf(active_));
  for (int step = 1; step <= n; ++step) {
    TTabSheet* p = pages_[static_cast<size_t>(((start + (forward ? step : -step)) % n + n) % n)];
    if (p->tabVisible_) {
      if (p != active_) {
        bool allow = true;
        if (OnChanging) OnChanging(allow);
        if (!allow) return;
        SetActivePage(p);
        if (OnChange) OnChange();
      }
      return;
    }
  }
}

bool TPageControl::Notify(NMHDR& header, LRESULT& result) {
  if (header.code == TCN_SELCHANGING) {
    bool allow = true;
    if (OnChanging) OnChanging(allow);
    result = allow ? FALSE : TRUE;
    return true;
  }
  if (header.code == TCN_SELCHANGE) {
    TTabSheet* page = PageOfTab(static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)));
    if (page) SetActivePage(page);
    if (OnChange) OnChange();
    return true;
  }
  return false;
}

bool TPageControl::Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  return PassToParent(msg, wParam, lParam, result);
}

LRESULT TPageControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SIZE || msg == WM_SETFONT) {
    LRESULT r = TControl::WndProc(msg, wParam, lParam);
    PlacePages();
    return r;
  }
  return TControl::WndProc(msg, wParam, lParam);
}

}  // namespace ui
