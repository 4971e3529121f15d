// A page control: a tab control of the common controls (SysTabControl32)
// whose pages are TTabSheet containers inside it, one shown at a time in the
// tab control's display area. A page made with the page control as its parent
// joins it at the end. A page's tab can be hidden (TabVisible): the page stays
// in the control and can still be shown from code, so a form may hide every
// tab and choose the page itself; with no tab shown, the pages fill the whole
// control. OnChanging may refuse a change of page the user makes; OnChange
// fires after it.
#pragma once

#include <functional>
#include <vector>

#include "ui/Control.h"
#include "ui/Frame.h"

namespace ui {

class TPageControl;

struct TTabSheetParams : TFrameParams {
  TTabSheetParams() = default;
  TTabSheetParams(HWND pageControl, std::string caption) { Parent = pageControl; Caption = std::move(caption); Style = 0; }
  bool TabVisible = true;
};

class TTabSheet : public TFrame {
 public:
  using TParams = TTabSheetParams;
  ~TTabSheet() override;
  // The parent must be a TPageControl. The page starts hidden unless it is
  // the first one; its bounds are the page control's display area.
  bool Create(const TTabSheetParams& p);

  TPageControl* PageControl() const { return pageControl_; }
  int PageIndex() const;
  // The index of the page's tab among the tabs shown, or -1 when hidden.
  int TabIndex() const;
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool on);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

struct TPageControlParams : TControlParams {
  using TControlParams::TControlParams;
};

class TPageControl : public TControl {
 public:
  using TParams = TPageControlParams;
  ~TPageControl() override;
  bool Create(const TPageControlParams& p);

  std::function<void(bool& allow)> OnChanging;
  std::function<void()> OnChange;

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Page(int index) const;
  int IndexOf(const TTabSheet* page) const;
  // The page shown (null when there is none).
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const { return IndexOf(active_); }
  void SetActivePageIndex(int index) { SetActivePage(Page(index)); }
  // The next (or previous) page with a visible tab, going round.
  void SelectNextPage(bool forward);
  int TabCount() const;
  // Where the pages stand, in client coordinates.
  RECT DisplayRect() const;

 protected:
  bool Notify(NMHDR& header, LRESULT& result) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool Unhandled(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  friend class TTabSheet;
  void AddPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void RebuildTabs();
  void PlacePages();
  TTabSheet* PageOfTab(int tab) const;
  std::vector<TTabSheet*> pages_;  // the pages do not belong to the control
  TTabSheet* active_ = nullptr;
};

}  // namespace ui
