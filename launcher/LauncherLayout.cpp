#include "launcher/LauncherLayout.h"

#include <algorithm>

#include "core/Handles.h"
#include "core/ZMRTData.h"
#include "launcher/KeyWordEdit.h"
#include "launcher/WindowUtils.h"

namespace {

constexpr UINT kNoActivateMove = 0x4615;  // no size, z-order, activation, owner z-order, changing; async

RECT WorkArea() {
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace

TLauncherLayout::TLauncherLayout(HWND window, TKeyWordEdit& box, const TZMRTData& settings)
    : window_(window), box_(box), settings_(settings) {}

void TLauncherLayout::Start(POINT at, int width) {
  RECT r = {};
  GetWindowRect(window_, &r);
  SetWindowPos(window_, nullptr, at.x, at.y, width, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  homeLeft_ = at.x;
  pending_ = false;
  Resize();  // the box follows the stored width
  baseFormWidth_ = width;
  RECT er = {};
  GetWindowRect(box_.Handle(), &er);
  baseEditWidth_ = er.right - er.left;
}

void TLauncherLayout::Arrange(HWND icon) {
  if (!box_.Handle()) return;
  RECT er = {};
  GetWindowRect(box_.Handle(), &er);
  const int editHeight = GetWindowTextHeight(box_.Handle()) + 2 * GetSystemMetrics(SM_CYEDGE) + 2;
  const int side = settings_.Small ? 16 : 32;
  int top = 0, minHeight = 18;
  if (!settings_.Small) {
    // The status line lies above the box, as high as the box's own client area.
    top = editHeight - 2 * GetSystemMetrics(SM_CYEDGE);
    minHeight = 36;
  }
  int h = top + editHeight;
  if (h < minHeight) h = minHeight;
  editLeftOffset_ = icon ? side + 4 : 0;
  if (icon) {
    SetWindowPos(icon, nullptr, 2, (h - side) / 2, side, side, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(icon, SW_SHOWNA);
  }
  MoveWindow(box_.Handle(), editLeftOffset_, top, er.right - er.left, editHeight, TRUE);
  fixedClientHeight_ = h;
  Refit();
}

void TLauncherLayout::Refit() {
  pending_ = true;
  Resize();
}

void TLauncherLayout::Refit(int boxLeft) {
  editLeftOffset_ = boxLeft;
  Refit();
}

void TLauncherLayout::Resize() {
  if (!box_.Handle()) return;
  RECT client = {};
  GetClientRect(window_, &client);
  RECT wr = {};
  GetWindowRect(window_, &wr);
  const int frameW = (wr.right - wr.left) - client.right, frameH = (wr.bottom - wr.top) - client.bottom;
  RECT er = {};
  GetWindowRect(box_.Handle(), &er);
  POINT etop = {er.left, er.top};
  ScreenToClient(window_, &etop);
  const int extra = settings_.Small ? 10 : 0;
  // The height change sends its own WM_SIZE, which may already do what is
  // pending here.
  if (client.bottom != fixedClientHeight_ && fixedClientHeight_ > 0)
    SetWindowPos(window_, nullptr, 0, 0, wr.right - wr.left, fixedClientHeight_ + frameH,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (pending_) {
    MoveWindow(box_.Handle(), editLeftOffset_, etop.y, er.right - er.left, er.bottom - er.top, TRUE);
    selfResizing_ = true;
    // Done before the size changes: its WM_SIZE comes back here and would
    // place the box and size the window a second time.
    pending_ = false;
    SetWindowPos(window_, nullptr, 0, 0, (er.right - er.left) + editLeftOffset_ + extra + frameW,
                 fixedClientHeight_ + frameH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    selfResizing_ = false;
  } else if (!selfResizing_) {
    const int width = client.right - editLeftOffset_ - extra;
    MoveWindow(box_.Handle(), editLeftOffset_, etop.y, width, er.bottom - er.top, TRUE);
    baseEditWidth_ = width;
    GetWindowRect(window_, &wr);
    baseFormWidth_ = wr.right - wr.left;
    if (OnBaseChanged) OnBaseChanged();
  }
}

void TLauncherLayout::MoveWindowTo(int left) {
  RECT r = {};
  GetWindowRect(window_, &r);
  SetWindowPos(window_, nullptr, left, r.top, 0, 0, kNoActivateMove & ~SWP_ASYNCWINDOWPOS);
}

int TLauncherLayout::TextWidth(const std::string& text, HFONT font) const {
  core::TWindowDC dc(window_);
  core::TSelectObject select(dc.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {};
  GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

bool TLauncherLayout::AdjustWidth(const std::string& status, HFONT statusFont) {
  if (!box_.Handle()) return false;
  if (!settings_.ExtendWindow) {
    pending_ = false;
    return false;
  }
  // Measured again only when what is measured changed: the call comes with
  // every key, most of which change neither the text nor the status.
  const std::string text = box_.Text();
  const bool byStatus = settings_.ExtendByComment && !settings_.Small;
  const HFONT boxFont = box_.Font();
  if (!measured_.Valid || measured_.Text != text || measured_.BoxFont != boxFont) {
    measured_.Text = text;
    measured_.BoxFont = boxFont;
    measured_.TextWidth = box_.TextWidth(text + "MM");
  }
  if (byStatus && (!measured_.Valid || !measured_.HasStatus || measured_.Status != status ||
                   measured_.StatusFont != statusFont)) {
    measured_.Status = status;
    measured_.StatusFont = statusFont;
    measured_.StatusWidth = TextWidth(status + "M", statusFont);
    measured_.HasStatus = true;
  }
  measured_.Valid = true;
  int w = measured_.TextWidth;
  if (byStatus) w = std::max(w, measured_.StatusWidth);
  const RECT work = WorkArea();
  const int workWidth = work.right - work.left;
  if (!settings_.Small) {
    if (workWidth < w + editLeftOffset_ - 10 + 20) w = workWidth + 10 - editLeftOffset_ - 20;
  } else if (workWidth < w + editLeftOffset_ + 20) {
    w = workWidth - editLeftOffset_ - 20;
  }
  RECT er = {};
  GetWindowRect(box_.Handle(), &er);
  RECT ec = {};
  GetClientRect(box_.Handle(), &ec);
  const int border = (er.right - er.left) - ec.right;
  const RECT desk = DesktopRect();
  POINT boxAt = {er.left, er.top};
  ScreenToClient(window_, &boxAt);
  auto relayout = [&](int boxWidth) {
    MoveWindow(box_.Handle(), boxAt.x, boxAt.y, boxWidth, er.bottom - er.top, TRUE);
    Refit();
  };
  // Whether the box has the width already and the window fits it as Refit
  // would make it: moving a window to where it is still costs its repaint.
  auto fitted = [&](int boxWidth) {
    RECT client = {};
    GetClientRect(window_, &client);
    const int extra = settings_.Small ? 10 : 0;
    return er.right - er.left == boxWidth && boxAt.x == editLeftOffset_ &&
           client.right == boxWidth + editLeftOffset_ + extra &&
           (fixedClientHeight_ <= 0 || client.bottom == fixedClientHeight_);
  };
  bool changed = false;
  if (baseEditWidth_ < w) {
    const int oldClient = ec.right;
    if (!fitted(w + border)) {
      relayout(w + border);
      changed = true;
    }
    if (w > oldClient) {
      // Shows the text from its first character again; caret and selection stay.
      const int start = box_.SelStart(), length = box_.SelLength();
      SendMessageA(box_.Handle(), EM_SETSEL, 0, 0);
      SendMessageA(box_.Handle(), EM_SCROLLCARET, 0, 0);
      box_.SetSel(start, length);
    }
    RECT r = {};
    GetWindowRect(window_, &r);
    if (homeLeft_ + (r.right - r.left) > desk.right) {
      if (r.left != desk.right - (r.right - r.left)) {
        MoveWindowTo(desk.right - (r.right - r.left));
        changed = true;
      }
    } else if (homeLeft_ != r.left) {
      MoveWindowTo(homeLeft_);
      changed = true;
    }
    box_.SetRedraw(true);
    box_.Invalidate();
  } else if (er.right - er.left > baseEditWidth_) {
    relayout(baseEditWidth_);
    changed = true;
    RECT r = {};
    GetWindowRect(window_, &r);
    if (homeLeft_ != r.left) {
      if (homeLeft_ + (r.right - r.left) <= desk.right) MoveWindowTo(homeLeft_);
      else MoveWindowTo(desk.right - (r.right - r.left));
    }
  }
  return changed;
}
