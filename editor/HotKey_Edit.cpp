#include "editor/HotKey_Edit.h"

#include "core/Debug_Unit.h"
#include "core/HotKeyUtils.h"
#include "ui/ErrorHandler.h"

namespace {

// Process-wide: at most one edit holds the hook.
THotKeyEdit* g_hookEdit = nullptr;
HHOOK g_hook = nullptr;
uint8_t g_lastBits = 0;
bool g_suppressNext = false;

bool Down(int vk) { return GetKeyState(vk) < 0; }

uint8_t HeldModifiers(int key, bool down) {
  return HotKeyModifierBits(Down(VK_SHIFT), Down(VK_CONTROL), Down(VK_MENU), Down(VK_LWIN) || Down(VK_RWIN), key, down);
}

// A Shift press and release: the shell takes a Win key released alone for
// its start menu, but not one that went with another key.
void SendShiftTap() {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = VK_SHIFT;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// The key a key or character message stands for.
int MessageKey(UINT msg, WPARAM wParam) {
  if (msg != WM_CHAR && msg != WM_SYSCHAR && msg != WM_DEADCHAR && msg != WM_SYSDEADCHAR)
    return static_cast<int>(wParam);
  switch (wParam) {
    case '\t': return VK_TAB;
    case 0x1B: return VK_ESCAPE;
    case '\r': return VK_RETURN;
  }
  return 0;
}

bool IsKeyMessage(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
    case WM_CHAR: case WM_SYSCHAR: case WM_DEADCHAR: case WM_SYSDEADCHAR:
      return true;
  }
  return false;
}

}  // namespace

THotKeyEdit::~THotKeyEdit() {
  if (g_hookEdit == this) RemoveHook();
}

bool THotKeyEdit::Create(const ui::TEditParams& p) {
  ui::TEditParams c = p;
  if (c.Caption.empty()) c.Caption = kNoHotKeyText;
  state_.Text = c.Caption;
  return ui::TWindow::Create(c);
}

THotKeyEdit* THotKeyEdit::HookEdit() { return g_hookEdit; }

void THotKeyEdit::SetKind(uint8_t kind) { Update([&](auto& s) { s.SetKind(kind); }); }
void THotKeyEdit::SetDefaultModifier(uint8_t modifier) { Update([&](auto& s) { s.SetDefaultModifier(modifier); }); }
void THotKeyEdit::SetEnableWinKey(bool on) { Update([&](auto& s) { s.SetEnableWinKey(on); }); }
void THotKeyEdit::SetEnableDoubleMod(bool on) { Update([&](auto& s) { s.SetEnableDoubleMod(on); }); }
void THotKeyEdit::SetEnableSingleEnter(bool on) { Update([&](auto& s) { s.SetEnableSingleEnter(on); }); }
void THotKeyEdit::ClearText() { SetText(kNoHotKeyText); }

void THotKeyEdit::Change() {
  // Only texts are reported: an emptied box shows "なし" again.
  if (Handle() && Text().empty()) {
    SetText(kNoHotKeyText);
    return;
  }
  ui::TEdit::Change();
}

void THotKeyEdit::InstallHook() {
  if (g_hookEdit == this && g_hook) return;
  RemoveHook();
  // A hook of this thread only: the box needs the keys of its own windows,
  // and a system-wide hook would load the program into every other one.
  g_hook = SetWindowsHookExA(WH_KEYBOARD, &THotKeyEdit::HookProc, nullptr, GetCurrentThreadId());
  if (g_hook) g_hookEdit = this;
}

void THotKeyEdit::RemoveHook() {
  if (g_hook) UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
  g_hookEdit = nullptr;
  g_suppressNext = false;
}

LRESULT CALLBACK THotKeyEdit::HookProc(int code, WPARAM wParam, LPARAM lParam) {
  // A peek that leaves the key in the queue comes again as HC_ACTION.
  if (code != HC_ACTION || !g_hookEdit) return CallNextHookEx(g_hook, code, wParam, lParam);
  return ui::Guarded("THotKeyEdit.HookProc", [&]() -> LRESULT {
    int key = static_cast<int>(wParam);
    bool down = (lParam & 0x80000000) == 0;
    g_lastBits = HeldModifiers(key, down);
    THotKeyEdit* edit = g_hookEdit;
    THotKeyHookStep step = HotKeyHookStep(g_suppressNext, key, down, g_lastBits, edit->EnableSingleEnter());
    if (step.SendShiftTap) SendShiftTap();
    if (step.PassOn) return CallNextHookEx(g_hook, code, wParam, lParam);
    if (step.KeyDown) edit->SetKeyState(step.Key, g_lastBits);
    else if (step.KeyUp) edit->KeyUpStep(step.Key);
    return 1;
  }, LRESULT(1));
}

void THotKeyEdit::SetKeyState(int key, uint8_t bits) { Update([&](auto& s) { s.SetKeyState(key, bits); }); }

void THotKeyEdit::KeyUpStep(int key) {
  state_.Text = Text();
  if (!state_.Exited()) InstallHook();
  if (!state_.Captured()) return;
  if (!state_.Exited()) {
    WORD k = static_cast<WORD>(key);
    ui::TEdit::KeyUp(k, ui::KeyboardShiftState());
  }
  Update([](auto& s) { s.KeyUpStep(); });
}

void THotKeyEdit::KeyDown(WORD& key, ui::TShiftState shift) {
  if (key != VK_TAB && Focused()) InstallHook();
  ui::TEdit::KeyDown(key, shift);
}

void THotKeyEdit::KeyPress(char& key) {
  if (Focused()) InstallHook();
  key = 0;
}

void THotKeyEdit::DoEnter() {
  ui::TEdit::DoEnter();
  Update([](auto& s) { s.Enter(); });
  filtering_ = true;
  InstallHook();
}

void THotKeyEdit::Leave() {
  if (g_hookEdit == this) RemoveHook();
  filtering_ = false;
  Update([](auto& s) { s.Exit(); });
}

void THotKeyEdit::DoExit() {
  Leave();
  ui::TEdit::DoExit();
}

LRESULT THotKeyEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (filtering_) {
    if (msg == WM_ACTIVATEAPP) return 0;
    if (IsKeyMessage(msg)) {
      int key = MessageKey(msg, wParam);
      if (!HotKeyEditPassesKey(key, HeldModifiers(0, false), EnableSingleEnter())) return 0;
      if (msg == WM_KEYDOWN && key == VK_ESCAPE) Leave();
    }
  }
  return ui::TEdit::WndProc(msg, wParam, lParam);
}
