#include "editor/HotKey_Frame.h"

#include "core/HotKeyUtils.h"
#include "core/ScopeGuard.h"
#include "editor/Int_Input.h"
#include "ui/Form.h"

namespace {
constexpr UINT kAskNumberMessage = WM_APP + 0x124;
}

THotKeyFrame::THotKeyFrame() : state_(IsDoubleModSupported()) {}

bool THotKeyFrame::Create(const ui::TFrameParams& p) {
  if (!CreateContainer(p, "QvHotKeyFrame")) return false;
  ui::TForm* form = ui::TForm::FormOf(p.Parent);
  auto scale = [form](int v) { return form ? form->Scale(v) : v; };
  auto place = [&](ui::TControlParams& c, HWND parent, int x, int y, int w, int h) {
    c.Parent = parent;
    c.X = scale(x);
    c.Y = scale(y);
    c.Width = scale(w);
    c.Height = scale(h);
    c.Font = p.Font;
  };
  ui::TGroupBoxParams g;
  g.Caption = "修飾キー";
  place(g, Handle(), 0, 0, 212, 44);
  if (!group_.Create(g)) return false;
  struct TBox {
    ui::TCheckBox& box;
    const char* caption;
    int x, width;
  };
  const TBox boxes[] = {{shift_, "Shift", 8, 50}, {alt_, "Alt", 60, 42}, {ctrl_, "Ctrl", 104, 46}, {win_, "Win", 152, 46}};
  for (const auto& b : boxes) {
    ui::TCheckBoxParams c;
    c.Caption = b.caption;
    place(c, group_.Handle(), b.x, 18, b.width, 18);
    if (!b.box.Create(c)) return false;
    b.box.OnClick = [this] { Changed(false); };
  }
  ui::TLabelParams plus;
  plus.Caption = "+";
  place(plus, Handle(), 218, 23, 12, 16);
  if (!plus_.Create(plus)) return false;
  ui::TLabelParams label;
  label.Caption = "キー(&K)";
  place(label, Handle(), 234, 2, 122, 14);
  if (!keyLabel_.Create(label)) return false;
  ui::TComboBoxParams list;
  list.AutoDropDown = true;
  list.DropDownCount = 16;
  place(list, Handle(), 234, 19, 120, 300);
  if (!keyList_.Create(list)) return false;
  keyLabel_.SetFocusControl(keyList_.Handle());
  for (auto* event : {&keyList_.OnChange, &keyList_.OnClick, &keyList_.OnCloseUp, &keyList_.OnSelect})
    *event = [this] { Changed(true); };
  Push();
  return true;
}

void THotKeyFrame::Pull() {
  THotKeyFrameView& v = state_.View;
  v.Shift = shift_.Checked();
  v.Alt = alt_.Checked();
  v.Ctrl = ctrl_.Checked();
  v.Win = win_.Checked();
  std::string text = keyList_.Text();
  int index = keyList_.ItemIndex();
  if (text != shownText_) {
    // Typed, or an entry highlighted in the open list (its text comes with it).
    v.Text = text;
    v.ItemIndex = -1;
    for (size_t i = 0; i < v.Items.size(); ++i)
      if (v.Items[i] == text) {
        v.ItemIndex = static_cast<int>(i);
        break;
      }
  } else if (index != shownIndex_) {
    // Chosen from the list: the text box may still show the text before.
    v.ItemIndex = index;
    v.Text = index >= 0 && index < static_cast<int>(v.Items.size()) ? v.Items[static_cast<size_t>(index)] : "";
  }
}

void THotKeyFrame::Push() {
  bool wasBusy = std::exchange(busy_, true);
  auto restore = core::ScopeExit([&] { busy_ = wasBusy; });
  const THotKeyFrameView& v = state_.View;
  shift_.SetChecked(v.Shift);
  alt_.SetChecked(v.Alt);
  ctrl_.SetChecked(v.Ctrl);
  win_.SetChecked(v.Win);
  win_.SetVisible(v.WinVisible);
  if (v.Items != shownItems_) {
    keyList_.SetItems(v.Items);
    shownItems_ = v.Items;
  }
  if (keyList_.ItemIndex() != v.ItemIndex) keyList_.SetItemIndex(v.ItemIndex);
  if (keyList_.Text() != v.Text) keyList_.SetText(v.Text);
  std::string label = state_.KeyLabel();
  if (keyLabel_.Caption() != label) keyLabel_.SetCaption(label);
  shownText_ = v.Text;
  shownIndex_ = v.ItemIndex;
}

void THotKeyFrame::Changed(bool fromKeyList) {
  // What Push sets fires the controls' events too.
  if (busy_) return;
  Pull();
  if (fromKeyList && state_.NumberEntrySelected() && !keyList_.DroppedDown() && !askPending_) {
    askPending_ = true;
    PostMessageA(Handle(), kAskNumberMessage, 0, 0);
  }
  state_.Normalize();
  Push();
  // What the open list highlights is no choice yet.
  if (!keyList_.DroppedDown()) state_.NoteSelection();
}

void THotKeyFrame::AskNumber() {
  askPending_ = false;
  Pull();
  if (!state_.NumberEntrySelected()) return;
  int code = InputInteger(this, "キーコードの入力");
  state_.AnswerNumberEntry(code);
  state_.Normalize();
  Push();
  state_.NoteSelection();
}

LRESULT THotKeyFrame::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kAskNumberMessage) {
    AskNumber();
    return 0;
  }
  return ui::TFrame::WndProc(msg, wParam, lParam);
}

std::string THotKeyFrame::GetKeyText() { return Read([](auto& s) { return s.GetKeyText(); }); }
std::string THotKeyFrame::GetHotKeyText() { return Read([](auto& s) { return s.GetHotKeyText(); }); }
int THotKeyFrame::GetHotKeyPart(int part) { return Read([&](auto& s) { return s.GetHotKeyPart(part); }); }
bool THotKeyFrame::IsValid() { return Read([](auto& s) { return s.IsValid(); }); }

void THotKeyFrame::SetHotKeyText(std::string_view text) { Update([&](auto& s) { s.SetHotKeyText(text); }, true); }
void THotKeyFrame::SetModifiers(uint8_t bits) { Update([&](auto& s) { s.SetModifiers(bits); }); }
void THotKeyFrame::SetKey(int code) { Update([&](auto& s) { s.SetKey(code); }, true); }
void THotKeyFrame::SetEnableWinKey(bool on) { Update([&](auto& s) { s.SetEnableWinKey(on); }); }
void THotKeyFrame::SetEnableDoubleMod(bool on) { Update([&](auto& s) { s.SetEnableDoubleMod(on); }); }
void THotKeyFrame::SetKind(uint8_t kind) { Update([&](auto& s) { s.SetKind(kind); }); }
void THotKeyFrame::SetDefaultModifier(uint8_t modifier) { Update([&](auto& s) { s.SetDefaultModifier(modifier); }); }
void THotKeyFrame::Normalize() { Update([](auto& s) { s.Normalize(); }); }
void THotKeyFrame::Clear() { Update([](auto& s) { s.Clear(); }, true); }
