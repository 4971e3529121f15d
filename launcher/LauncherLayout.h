// The launcher window's geometry. The input box sits right of the icon picture
// (when there is one) and, in the normal layout, under the status line; the
// client height is fixed by the box's font and the window sizes in width only.
// The width the user gives the window is its base width. While the typed text
// (or, with ExtendByComment, the status) needs more room the window widens,
// from the left edge the user chose (home left) to the right, or leftwards
// where the desktop ends, and it goes back to its base width and place after.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class TKeyWordEdit;
class TZMRTData;

class TLauncherLayout {
 public:
  // The settings give the small layout and the widening switches.
  TLauncherLayout(HWND window, TKeyWordEdit& box, const TZMRTData& settings);
  TLauncherLayout(const TLauncherLayout&) = delete;
  TLauncherLayout& operator=(const TLauncherLayout&) = delete;

  // Puts the window at its first place with its stored width; the box
  // follows, and both widths become the base.
  void Start(POINT at, int width);
  // Places the icon picture (none: null) and the box for the box's font and
  // fixes the client height, then fits the window to them.
  void Arrange(HWND icon);
  // Fits the window to the box at its left offset now, or at boxLeft.
  void Refit();
  void Refit(int boxLeft);
  // The window's size changed: the client height stays fixed, and a size the
  // user gave (not one the layout gave itself) becomes the base width.
  void Resize();
  // Widens the window for the box's text (and the status text in the font
  // given) or narrows it back to its base; true when the window or the box
  // changed size or place (never with widening off).
  bool AdjustWidth(const std::string& status, HFONT statusFont);
  // The window was moved to left by the user or by a switch.
  void SetHomeLeft(int left) { homeLeft_ = left; }

  int HomeLeft() const { return homeLeft_; }
  int BaseFormWidth() const { return baseFormWidth_; }
  int BaseEditWidth() const { return baseEditWidth_; }
  int FixedClientHeight() const { return fixedClientHeight_; }
  int EditLeftOffset() const { return editLeftOffset_; }  // 0, 20 or 36
  // While the layout sizes the window itself (such moves are none of the user's).
  bool SelfResizing() const { return selfResizing_; }

  // The base width became what the user gave.
  std::function<void()> OnBaseChanged;

 private:
  void MoveWindowTo(int left);
  int TextWidth(const std::string& text, HFONT font) const;

  HWND window_;
  TKeyWordEdit& box_;
  const TZMRTData& settings_;
  int homeLeft_ = 0, baseFormWidth_ = 0, baseEditWidth_ = 0, fixedClientHeight_ = 0, editLeftOffset_ = 0;
  bool pending_ = false, selfResizing_ = false;
  // The last measurements of AdjustWidth and what they measured.
  struct TMeasured {
    bool Valid = false, HasStatus = false;
    std::string Text, Status;
    HFONT BoxFont = nullptr, StatusFont = nullptr;
    int TextWidth = 0, StatusWidth = 0;
  } measured_;
};
