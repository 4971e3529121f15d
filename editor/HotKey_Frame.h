// The hotkey frame: modifier boxes and a key list, for the keys that cannot be
// typed into a capture box: any key by name or number, and the double press of
// a modifier. Its rules are THotKeyFrameState's (editor/HotKeyFrameState.h);
// the frame shows that state in its controls and hands the user's changes to
// it. Kinds: 0 active while the program is active, 1 system-wide, 3 a shell
// link's hotkey.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/HotKeyFrameState.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "editor/StdCtrlsXP.h"
#include "ui/Label.h"

class THotKeyFrame : public ui::TFrame {
 public:
  using TParams = ui::TFrameParams;
  // The size the frame's controls need, in 96-DPI pixels.
  static constexpr int kWidth = 356, kHeight = 46;

  THotKeyFrame();
  bool Create(const ui::TFrameParams& p);

  std::string GetKeyText();
  std::string GetHotKeyText();
  void SetHotKeyText(std::string_view text);
  int GetHotKeyPart(int part);
  void SetModifiers(uint8_t bits);
  void SetKey(int code);
  void SetEnableWinKey(bool on);
  void SetEnableDoubleMod(bool on);
  bool EnableWinKey() const { return state_.EnableWinKey(); }
  bool EnableDoubleMod() const { return state_.EnableDoubleMod(); }
  void SetKind(uint8_t kind);
  void SetDefaultModifier(uint8_t modifier);
  void Normalize();
  bool IsValid();
  void Clear();

  ui::TCheckBox& ShiftBox() { return shift_; }
  ui::TCheckBox& AltBox() { return alt_; }
  ui::TCheckBox& CtrlBox() { return ctrl_; }
  ui::TCheckBox& WinBox() { return win_; }
  ui::TComboBox& KeyList() { return keyList_; }
  ui::TLabel& KeyLabel() { return keyLabel_; }

 private:
  // The user's change of a box or of the key list.
  void Changed(bool fromKeyList);
  // Asks for the key code of the number entry, once the list has finished
  // its own handling of the choice.
  void AskNumber();
  // Reads what the user changed into the state, and shows the state.
  void Pull();
  void Push();
  // A rule of the state on what the controls show; noteChoice: the entry it
  // leaves is the one a number left unanswered comes back to.
  template <class F>
  void Update(F&& rule, bool noteChoice = false) {
    Pull();
    rule(state_);
    Push();
    if (noteChoice) state_.NoteSelection();
  }
  template <class F>
  auto Read(F&& query) {
    Pull();
    return query(state_);
  }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  THotKeyFrameState state_;
  TXPGroupBox group_;  // themed, as the frame sits on themed pages
  ui::TCheckBox shift_, alt_, ctrl_, win_;
  ui::TLabel plus_, keyLabel_;
  ui::TComboBox keyList_;
  // What the key list showed after the last Push: a text that differs was
  // typed, a selection that differs was chosen.
  std::string shownText_;
  int shownIndex_ = -1;
  std::vector<std::string> shownItems_;
  bool busy_ = false;
  bool askPending_ = false;
};
