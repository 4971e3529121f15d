// Tooltips (a tooltip window of the common controls) for controls: resting
// the mouse on a control shows its text, which may run over several lines
// (CR LF, and wrapped at MaxWidth pixels). The text is live: it is asked for
// each time the tip shows, from a function or from the text last set, and
// setting it while the tip shows changes the tip at once.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Window.h"

namespace ui {

struct TToolTipParams {
  HWND Owner = nullptr;  // the form; the tips stay in front of it
  int MaxWidth = 400;    // wider lines wrap
  int InitialDelay = -1;  // ms before a tip shows (-1: the system's)
  int AutoPopDelay = -1;  // ms a tip stays (-1: the system's)
};

class TToolTip : public TWindow {
 public:
  bool Create(const TToolTipParams& p);

  void AddTool(HWND control, std::string text);
  void AddTool(HWND control, std::function<std::string()> text);
  void RemoveTool(HWND control);
  bool HasTool(HWND control) const;
  // The text of a tool (what its function gives now, for one with a function).
  std::string ToolText(HWND control) const;
  void SetToolText(HWND control, std::string_view text);

  void SetMaxWidth(int pixels);
  void SetDelays(int initialMs, int autoPopMs);
  void SetActive(bool on);
  // The control whose tip shows, or null.
  HWND ShownTool() const;
  // The text the tip shows.
  std::string ShownText() const { return Caption(); }
  // Hides a tip that shows.
  void Pop();

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  struct TTool {
    HWND control;
    std::string text;
    std::function<std::string()> provider;
    std::string given;  // the text last handed to the window, kept while it shows
  };
  TTool* Find(HWND control);
  const TTool* Find(HWND control) const;
  void Register(HWND control);
  std::vector<TTool> tools_;
};

}  // namespace ui
