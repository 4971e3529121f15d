#include "tests/support/RealInput.h"

#include <cctype>
#include <cstring>

namespace realinput {

namespace {

INPUT Key(WORD vk, bool up) {
  INPUT i = {};
  i.type = INPUT_KEYBOARD;
  i.ki.wVk = vk;
  i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return i;
}

struct TCharKey {
  WORD vk;
  bool shift;
};

// The US layout's keys for the printable ASCII characters.
bool KeyOf(char c, TCharKey& out) {
  if (c >= 'a' && c <= 'z') return out = {static_cast<WORD>(std::toupper(c)), false}, true;
  if (c >= 'A' && c <= 'Z') return out = {static_cast<WORD>(c), true}, true;
  if (c >= '0' && c <= '9') return out = {static_cast<WORD>(c), false}, true;
  static const struct {
    char c;
    WORD vk;
    bool shift;
  } table[] = {
      {' ', VK_SPACE, false},      {'-', VK_OEM_MINUS, false}, {'_', VK_OEM_MINUS, true},
      {'=', VK_OEM_PLUS, false},   {'+', VK_OEM_PLUS, true},   {'.', VK_OEM_PERIOD, false},
      {',', VK_OEM_COMMA, false},  {'/', VK_OEM_2, false},     {'?', VK_OEM_2, true},
      {'\\', VK_OEM_5, false},     {';', VK_OEM_1, false},     {':', VK_OEM_1, true},
      {'\'', VK_OEM_7, false},     {'"', VK_OEM_7, true},      {'!', '1', true},
      {'%', '5', true},            {'*', '8', true},           {'(', '9', true},
      {')', '0', true},
  };
  for (const auto& e : table)
    if (e.c == c) return out = {e.vk, e.shift}, true;
  return false;
}

WORD NamedKey(const std::string& name) {
  static const struct {
    const char* name;
    WORD vk;
  } table[] = {{"Enter", VK_RETURN}, {"Tab", VK_TAB},   {"Esc", VK_ESCAPE}, {"BS", VK_BACK},
               {"Del", VK_DELETE},   {"Down", VK_DOWN}, {"Up", VK_UP},      {"Left", VK_LEFT},
               {"Right", VK_RIGHT},  {"Home", VK_HOME}, {"End", VK_END}};
  for (const auto& e : table)
    if (name == e.name) return e.vk;
  return 0;
}

// The keys of one step of a script starting at pos (empty for an unknown
// one); next is the position after it.
std::vector<WORD> StepKeys(const std::string& script, size_t pos, size_t& next) {
  if (script[pos] == '{') {
    const size_t close = script.find('}', pos);
    if (close != std::string::npos) {
      next = close + 1;
      const std::string name = script.substr(pos + 1, close - pos - 1);
      if (name.size() == 2 && name[0] == '^') return {VK_CONTROL, static_cast<WORD>(std::toupper(name[1]))};
      if (WORD vk = NamedKey(name)) return {vk};
      return {};
    }
  }
  next = pos + 1;
  TCharKey k;
  if (!KeyOf(script[pos], k)) return {};
  if (k.shift) return {VK_SHIFT, k.vk};
  return {k.vk};
}

void Send(const std::vector<WORD>& keys, bool up) {
  std::vector<INPUT> in;
  if (!up) for (WORD k : keys) in.push_back(Key(k, false));
  else for (auto it = keys.rbegin(); it != keys.rend(); ++it) in.push_back(Key(*it, true));
  if (!in.empty()) SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

}  // namespace

void Chord(const std::vector<WORD>& keys) {
  Send(keys, false);
  Send(keys, true);
}

void Char(char c) {
  TCharKey k;
  if (!KeyOf(c, k)) return;
  if (k.shift) Chord({VK_SHIFT, k.vk});
  else Chord({k.vk});
}

void Type(const std::string& script) {
  for (size_t pos = 0, next = 0; pos < script.size(); pos = next) Chord(StepKeys(script, pos, next));
}

void TypeHeld(const std::string& script, const std::function<void()>& settle) {
  for (size_t pos = 0, next = 0; pos < script.size(); pos = next) {
    const std::vector<WORD> keys = StepKeys(script, pos, next);
    Send(keys, false);
    settle();
    Send(keys, true);
    settle();
  }
}

void TypeSeen(const std::string& script, const std::function<void()>& pump) {
  // The thread's key state changes only when it takes the key's message, so
  // it tells that the key got here (the system delivers input late under load).
  auto seen = [&](WORD vk, bool down) {
    for (int i = 0; i < 250; ++i) {
      pump();
      if (((GetKeyState(vk) & 0x8000) != 0) == down) return;
    }
  };
  for (size_t pos = 0, next = 0; pos < script.size(); pos = next) {
    const std::vector<WORD> keys = StepKeys(script, pos, next);
    if (keys.empty()) continue;
    Send(keys, false);
    seen(keys.back(), true);
    Send(keys, true);
    seen(keys.front(), false);
    pump();
  }
}

void PointerTo(POINT screen) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((screen.x * 65535.0) / (GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
  in.mi.dy = static_cast<LONG>((screen.y * 65535.0) / (GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

HWND ShownWindow(DWORD processId, const char* className) {
  struct TFind {
    DWORD pid;
    const char* cls;
    HWND found;
  } find = {processId, className, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* f = reinterpret_cast<TFind*>(p);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        char cls[32] = {};
        GetClassNameA(w, cls, sizeof cls);
        if (pid == f->pid && IsWindowVisible(w) && lstrcmpiA(cls, f->cls) == 0) f->found = w;
        return f->found == nullptr;
      },
      reinterpret_cast<LPARAM>(&find));
  return find.found;
}

std::string ToolTipText(HWND tip) {
  char text[512] = {};
  DWORD_PTR n = 0;
  SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &n);
  return text;
}

}  // namespace realinput
