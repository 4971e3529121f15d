#include "launcher/Priority_Manager.h"

#include <cstdint>
#include <cstdlib>
#include <exception>

#include "core/Debug_Unit.h"
#include "core/KeyWordX.h"
#include "core/Sjis.h"

namespace {

constexpr char kHPKey[] = "PriorityHP";
constexpr char kWordKey[] = "ComplementedWord";

// The manager whose journal hook is installed.
TPriorityManager* g_hooked = nullptr;
HHOOK g_hook = nullptr;

bool Down(SHORT state) { return (state & 0x8000) != 0; }

LRESULT CALLBACK PriorityHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* ev = reinterpret_cast<const EVENTMSG*>(lParam);
  if (code != HC_ACTION || !ev || (ev->message != WM_KEYDOWN && ev->message != WM_SYSKEYDOWN))
    return CallNextHookEx(g_hook, code, wParam, lParam);
  const bool modifier = Down(GetAsyncKeyState(VK_SHIFT)) || Down(GetAsyncKeyState(VK_LWIN)) ||
                        Down(GetAsyncKeyState(VK_CONTROL)) || Down(GetAsyncKeyState(VK_MENU));
  const WORD key = LOBYTE(ev->paramL);
  const DWORD time = ev->time;
  LRESULT r = CallNextHookEx(g_hook, code, wParam, lParam);
  // No message box from here: a modal loop inside a system-wide input hook
  // would hold up the desktop's input. The failure is logged and the key passes.
  try {
    if (g_hooked) g_hooked->KeyEvent(key, modifier, time);
  } catch (...) {
    try {
      DebugOut().Write("Priority_Manager.PriorityHookProc:exception").WriteLn();
    } catch (...) {
    }
  }
  return r;
}

void LogFailure(const char* where, const std::exception& e) {
  DebugOut().Write(where).Write(":").Write(e.what()).WriteLn();
}

}  // namespace

// ---------------------------------------------------------------------------
// TJournalKeySource

TJournalKeySource::~TJournalKeySource() { Stop(); }

bool TJournalKeySource::Start(TPriorityManager& target) {
  Stop();
  if (g_hook) {  // another manager's hook: one per process
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
  }
  hook_ = SetWindowsHookExA(WH_JOURNALRECORD, PriorityHookProc, GetModuleHandleA(nullptr), 0);
  if (!hook_) return false;
  g_hook = hook_;
  g_hooked = &target;
  return true;
}

void TJournalKeySource::Stop() {
  if (!hook_) return;
  // The system may have removed the hook already (Ctrl+Esc); unhooking again only fails.
  UnhookWindowsHookEx(hook_);
  if (g_hook == hook_) {
    g_hook = nullptr;
    g_hooked = nullptr;
  }
  hook_ = nullptr;
}

// ---------------------------------------------------------------------------
// TPriorityManager

TPriorityManager::TPriorityManager(TKeyWordManager* keywords)
    : TickCount([] { return GetTickCount(); }), keywords_(keywords) {
  match_.UseRomaji = false;
}

TPriorityManager::~TPriorityManager() { StopHook(); }

void TPriorityManager::SetKeySource(IPriorityKeySource* source) {
  StopHook();
  source_ = source ? source : &journal_;
}

bool TPriorityManager::HookStarted() const { return source_->Started(); }

int TPriorityManager::RaisePriority(TKeyWordX* item, int n) {
  if (!item || !keywords_) return -1;
  try {
    int result = item->GetIndex();
    if (!item->Folder.empty())
      if (std::unique_ptr<TKeyWordX> folder = keywords_->FindKeyWord(item->Folder)) RaisePriority(folder.get(), n);
    if (result < 0 || !CanUpPriority(item)) return result;
    long long steps = n;
    if (!ByCount) steps = steps * keywords_->GetNames(item->Folder).Count() / 100;  // truncates toward zero
    for (long long k = 0; k < steps; ++k) {
      int a = StepUp(item);
      if (a == result) break;
      result = a;
    }
    return result;
  } catch (const std::exception& e) {
    LogFailure("Priority_Manager.RaisePriority", e);
    return -1;
  }
}

bool TPriorityManager::CanUpPriority(TKeyWordX* item) {
  if (!item) return false;
  if (item->Folder.empty()) return true;
  std::unique_ptr<TKeyWordX> folder = keywords_->FindKeyWord(item->Folder);
  return folder && folder->Data() && folder->Data()->ReadBool("UpPriority", false);
}

int TPriorityManager::StepUp(TKeyWordX* item) {
  if (EnablePriorityBlock) {
    std::unique_ptr<TKeyWordX> above = keywords_->GetPrevKeyWord(item);
    if (above && !IsNotBlocked(item, above.get())) return item->GetIndex();
  }
  int index = item->GetIndex();
  if (index > 0) item->SetIndex(index - 1);
  return item->GetIndex();
}

bool TPriorityManager::IsNotBlocked(TKeyWordX* item, TKeyWordX* above) {
  if (!item || !above || !above->Data()) return true;
  TStringList words;
  words.SetCommaText(above->Data()->ReadString(kWordKey, ""));
  const int hp = above->Data()->ReadInteger(kHPKey, 0);
  if (words.Empty() || hp <= 0) return true;
  const std::string lower = item->GetKeyWord(), upper = above->GetKeyWord();
  for (const std::string& w : words) {
    const int lowerLevel = match_.Match(lower, w, 0);
    // A lower keyword that does not match the text at all does not compete for it.
    if (lowerLevel >= 0 && lowerLevel >= match_.Match(upper, w, 0)) {
      DecreaseHP(above, 1);
      return false;
    }
  }
  return true;
}

int TPriorityManager::DecreaseHP(TKeyWordX* item, int n) {
  if (!item || !item->Data()) return 0;
  const long long hp = static_cast<long long>(item->Data()->ReadInteger(kHPKey, 0)) - n;
  const int value = hp < 0 ? 0 : hp > INT32_MAX ? INT32_MAX : static_cast<int>(hp);
  item->Data()->WriteInteger(kHPKey, value);
  return value;
}

void TPriorityManager::AddComplementedWord(TKeyWordX* item, const std::string& typed) {
  if (typed.empty() || !item || !item->Data()) return;
  TStringList words;
  words.SetCommaText(item->Data()->ReadString(kWordKey, ""));
  words.Add(typed);
  while (words.Count() > ComplementedWordMemory && words.Count() > 1) words.Delete(0);
  bool allSame = true;
  for (const std::string& w : words)
    if (!sjis::EqualsIgnoreCase(w, words[words.Count() - 1])) allSame = false;
  if (allSame) {
    std::string last = words[words.Count() - 1];
    words.Clear();
    words.Add(last);
  }
  item->Data()->WriteString(kWordKey, words.GetCommaText());
}

int TPriorityManager::Complemented(TKeyWordX* item, const std::string& typed) {
  if (!item || !item->Data()) return 0;
  try {
    TStringIni& data = *item->Data();
    int hp = data.ReadInteger(kHPKey, 0);
    if (typed == item->GetKeyWord()) return hp;  // the whole keyword typed out
    if (!typed.empty() && EnableBackSpaceCancel) {
      completedTick_ = TickCount();
      completedIndex_ = item->GetIndex();
      completedPath_ = item->GetKeyWord();
      StartHook();
    }
    if (EnablePriorityBlock) {
      AddComplementedWord(item, typed);
      if (hp < MaxHP) data.WriteInteger(kHPKey, ++hp);
    }
    return hp;
  } catch (const std::exception& e) {
    LogFailure("Priority_Manager.Complemented", e);
    return 0;
  }
}

void TPriorityManager::StartHook() {
  StopHook();
  armed_ = true;
  // Without the hook the input box's key-downs (BoxKeyDown) serve.
  source_->Start(*this);
}

void TPriorityManager::StopHook() {
  armed_ = false;
  source_->Stop();
}

void TPriorityManager::KeyEvent(WORD key, bool modifierDown, DWORD time) {
  if (!armed_) return;
  lastKeyTime_ = time;
  if (key == VK_BACK && !modifierDown) DoBackSpaceCancel();
  else StopHook();
}

void TPriorityManager::BoxKeyDown(WORD key) {
  if (!armed_) return;
  const bool modifier = Down(GetKeyState(VK_SHIFT)) || Down(GetKeyState(VK_LWIN)) || Down(GetKeyState(VK_CONTROL)) ||
                        Down(GetKeyState(VK_MENU));
  KeyEvent(key, modifier, TickCount());
}

void TPriorityManager::DoBackSpaceCancel() {
  StopHook();
  // Tick counts wrap after 49.7 days: the difference is taken modulo 2^32.
  const long long d = std::llabs(static_cast<long long>(static_cast<int32_t>(lastKeyTime_ - completedTick_)));
  if (d >= BackSpaceWindow) {
    DebugOut().WriteFmt("Priority_Manager.DoBackSpaceCancel:TimeOver!![%d]", static_cast<int>(d)).WriteLn();
    return;
  }
  if (!keywords_) return;
  try {
    std::unique_ptr<TKeyWordX> item = keywords_->FindKeyWord(completedPath_);
    if (!item) return;
    DebugOut().Write("Priority_Manager.DoBackSpaceCancel!").WriteLn();
    item->SetIndex(completedIndex_ + 1);
    DecreaseHP(item.get(), 2);
    keywords_->Save();
  } catch (const std::exception& e) {
    LogFailure("Priority_Manager.DoBackSpaceCancel", e);
  }
}
