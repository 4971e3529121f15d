// The hotkey capture box: an edit that shows the combination the user presses
// while it has the focus ("Ctrl+K", "F5", "なし" for none). While focused it
// holds a keyboard hook on its thread, so that the keys reach it before the
// loop's shortcuts and dialog keys (and Alt, Win or Enter do not open menus,
// the shell or press buttons); Tab, Esc and, unless Enter alone may be
// captured, a plain Enter go on to the dialog. Its rules are
// THotKeyEditState's (editor/HotKeyEditState.h).
#pragma once

#include <windows.h>

#include <cstdint>

#include "editor/HotKeyEditState.h"
#include "ui/Edit.h"

class THotKeyEdit : public ui::TEdit {
 public:
  THotKeyEdit() = default;
  ~THotKeyEdit() override;
  // The text starts as "なし" unless the creation struct gives one.
  bool Create(const ui::TEditParams& p);

  void SetKind(uint8_t kind);
  void SetDefaultModifier(uint8_t modifier);
  void SetEnableWinKey(bool on);
  void SetEnableDoubleMod(bool on);
  void SetEnableSingleEnter(bool on);
  uint8_t Kind() const { return state_.Kind(); }
  uint8_t DefaultModifier() const { return state_.DefaultModifier(); }
  bool EnableWinKey() const { return state_.EnableWinKey(); }
  bool EnableDoubleMod() const { return state_.EnableDoubleMod(); }
  bool EnableSingleEnter() const { return state_.EnableSingleEnter(); }
  void ClearText();

  bool Captured() const { return state_.Captured(); }
  const std::string& AcceptedText() const { return state_.AcceptedText(); }
  // The edit that holds the keyboard hook now, if any.
  static THotKeyEdit* HookEdit();

 protected:
  void KeyDown(WORD& key, ui::TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoEnter() override;
  void DoExit() override;
  void Change() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
  void InstallHook();
  static void RemoveHook();
  void SetKeyState(int key, uint8_t bits);
  void KeyUpStep(int key);
  // The focus-leaving step (before the toolkit's own).
  void Leave();
  // Runs a rule of the state on the present text and shows what it leaves.
  template <class F>
  void Update(F&& rule) {
    state_.Text = Text();
    rule(state_);
    if (Handle() && state_.Text != Text()) SetText(state_.Text);
  }

  THotKeyEditState state_;
  bool filtering_ = false;  // the key messages are filtered while focused
};
