// The latency benchmark's driver: starts a program with an edit and a popup
// list (the launcher, or the stand-in), types key scripts into it with
// SendInput and polls the popup from outside on the same clock, and prints per
// kind of key the median, 90th percentile and worst time from the key to the
// last change before the window settles, then the program's working set.
//
// What is polled, each round by SendMessageTimeout: the popup's visibility,
// row count, top index and selection, its window text (the launcher's popup
// reads as its top row there; a virtual list box has no row texts to read),
// and the edit's text and selection (inline completion shows there).
//
// Usage: latency_driver --exe PATH --dir FOLDER --class WINDOWCLASS --label TEXT
//                       [--rounds N] [--raw FILE]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

double g_freq = 0;

double NowMs() {
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / g_freq;
}

struct TState {
  bool Visible = false;
  LRESULT Count = -1, Top = -1, Selected = -1;
  std::wstring Row, Edit;
  DWORD SelStart = 0, SelEnd = 0;
  bool operator==(const TState& o) const {
    return Visible == o.Visible && Count == o.Count && Top == o.Top && Selected == o.Selected && Row == o.Row &&
           Edit == o.Edit && SelStart == o.SelStart && SelEnd == o.SelEnd;
  }
};

struct TTarget {
  DWORD Pid = 0, Tid = 0;
  HANDLE Process = nullptr;
  HWND Main = nullptr, Edit = nullptr, List = nullptr;
  std::string Class;
};

LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  DWORD_PTR r = 0;
  if (!SendMessageTimeoutW(w, msg, wp, lp, SMTO_NORMAL, 20000, &r)) return -2;
  return static_cast<LRESULT>(r);
}

std::wstring TextOf(HWND w) {
  wchar_t buf[1024] = {};
  LRESULT n = Ask(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
  return n > 0 ? std::wstring(buf, static_cast<size_t>(std::min<LRESULT>(n, 1023))) : std::wstring();
}

TState Poll(const TTarget& t) {
  TState s;
  s.Visible = IsWindowVisible(t.List) != FALSE;
  s.Count = Ask(t.List, LB_GETCOUNT);
  s.Top = Ask(t.List, LB_GETTOPINDEX);
  s.Selected = Ask(t.List, LB_GETCURSEL);
  LONG style = GetWindowLongW(t.List, GWL_STYLE);
  if ((style & LBS_HASSTRINGS) || !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) {
    // A list box that keeps its strings: the top row itself (the wide message:
    // the ANSI one comes back as UTF-16 across processes under Wine 8).
    if (s.Count > 0 && s.Top >= 0) {
      wchar_t buf[1024] = {};
      LRESULT len = Ask(t.List, LB_GETTEXTLEN, static_cast<WPARAM>(s.Top));
      if (len > 0 && len < 1024 && Ask(t.List, LB_GETTEXT, static_cast<WPARAM>(s.Top), reinterpret_cast<LPARAM>(buf)) > 0)
        s.Row.assign(buf, static_cast<size_t>(len));
    }
  } else {
    s.Row = TextOf(t.List);
  }
  s.Edit = TextOf(t.Edit);
  Ask(t.Edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s.SelStart), reinterpret_cast<LPARAM>(&s.SelEnd));
  return s;
}

struct TFind {
  DWORD Pid;
  const char* Class;
  HWND Found;
};

BOOL CALLBACK FindTop(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<TFind*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[64];
  if (pid == f->Pid && GetClassNameA(w, cls, sizeof(cls)) && _stricmp(cls, f->Class) == 0) {
    f->Found = w;
    return FALSE;
  }
  return TRUE;
}

HWND TopWindowOf(DWORD pid, const char* cls) {
  TFind f = {pid, cls, nullptr};
  EnumWindows(FindTop, reinterpret_cast<LPARAM>(&f));
  return f.Found;
}

void SendKey(WORD vk) {
  INPUT in[2] = {};
  for (INPUT& i : in) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

struct TSample {
  std::string Kind;
  double Ms;
  bool Changed;
};

// Sends one key and polls until nothing has changed for the quiet time; the
// time of the last change seen, from the key.
TSample Measure(const TTarget& t, WORD vk, const std::string& kind, FILE* raw) {
  constexpr double kQuietMs = 200, kBoundMs = 20000;
  TState last = Poll(t);
  const double t0 = NowMs();
  SendKey(vk);
  double lastChange = -1, now = t0;
  int polls = 0;
  while ((now = NowMs()) - t0 < kBoundMs) {
    TState s = Poll(t);
    ++polls;
    now = NowMs();
    if (!(s == last)) {
      lastChange = now;
      if (raw && std::getenv("QV_LATENCY_TRACE"))
        std::fprintf(raw, "  %.3f visible=%d count=%ld top=%ld sel=%ld edit=%ls [%lu,%lu] row=%ls\n", now - t0, s.Visible,
                     static_cast<long>(s.Count), static_cast<long>(s.Top), static_cast<long>(s.Selected), s.Edit.c_str(),
                     s.SelStart, s.SelEnd, s.Row.c_str());
      if (raw && std::getenv("QV_LATENCY_TRACE")) {
        std::fprintf(raw, "    row %zu:", s.Row.size());
        for (wchar_t c : s.Row) std::fprintf(raw, " %04x", unsigned(c));
        std::fprintf(raw, "\n");
      }
      last = s;
    }
    if (now - (lastChange >= 0 ? lastChange : t0) >= kQuietMs) break;
  }
  TSample out{kind, lastChange >= 0 ? lastChange - t0 : 0, lastChange >= 0};
  if (raw)
    std::fprintf(raw, "%s\t%.3f\t%d\tvisible=%d count=%ld top=%ld sel=%ld edit=%ls [%lu,%lu] row=%ls\n", kind.c_str(),
                 out.Ms, polls, last.Visible, static_cast<long>(last.Count), static_cast<long>(last.Top),
                 static_cast<long>(last.Selected), last.Edit.c_str(), last.SelStart, last.SelEnd, last.Row.c_str());
  return out;
}

double Quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

template <class F>
bool WaitFor(DWORD boundMs, F done) {
  for (DWORD waited = 0; waited < boundMs; waited += 5) {
    if (done()) return true;
    Sleep(5);
  }
  return done();
}

}  // namespace

int main(int argc, char** argv) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  g_freq = static_cast<double>(f.QuadPart);
  std::string exe, dir, label = "target", rawFile;
  TTarget t;
  int rounds = 2;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string k = argv[i], v = argv[i + 1];
    if (k == "--exe") exe = v;
    else if (k == "--dir") dir = v;
    else if (k == "--class") t.Class = v;
    else if (k == "--label") label = v;
    else if (k == "--rounds") rounds = std::atoi(v.c_str());
    else if (k == "--raw") rawFile = v;
  }
  if (exe.empty() || t.Class.empty()) {
    std::fprintf(stderr, "usage: latency_driver --exe PATH --dir FOLDER --class WINDOWCLASS --label TEXT\n");
    return 2;
  }
  FILE* raw = rawFile.empty() ? nullptr : std::fopen(rawFile.c_str(), "w");

  // Start: the window, then the first answer to the first key.
  std::string line = "\"" + exe + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  const double start = NowMs();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.empty() ? nullptr : dir.c_str(),
                      &si, &pi)) {
    std::fprintf(stderr, "cannot start %s (%lu)\n", exe.c_str(), GetLastError());
    return 1;
  }
  CloseHandle(pi.hThread);
  t.Process = pi.hProcess;
  t.Pid = pi.dwProcessId;
  auto windowUp = [&] {
    t.Main = TopWindowOf(t.Pid, t.Class.c_str());
    return t.Main && IsWindowVisible(t.Main) != FALSE;
  };
  if (!WaitFor(60000, windowUp)) {
    std::fprintf(stderr, "%s: no visible window of class %s\n", label.c_str(), t.Class.c_str());
    TerminateProcess(t.Process, 1);
    return 1;
  }
  const double windowAt = NowMs() - start;
  t.Tid = GetWindowThreadProcessId(t.Main, nullptr);
  t.Edit = FindWindowExA(t.Main, nullptr, "Edit", nullptr);
  t.List = TopWindowOf(t.Pid, "ListBox");
  if (!t.Edit || !t.List) {
    std::fprintf(stderr, "%s: edit or popup list not found\n", label.c_str());
    TerminateProcess(t.Process, 1);
    return 1;
  }
  // The launcher is called up as other programs call it: by the copy-data
  // request "/Activate" (a plain activation leaves the focus on its window).
  if (t.Class == "TZMRTMain") {
    char request[] = "/Activate\0";
    COPYDATASTRUCT data = {1, sizeof(request), request};
    DWORD_PTR r = 0;
    SendMessageTimeoutA(t.Main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 60000, &r);
  } else {
    SetForegroundWindow(t.Main);
  }
  auto focused = [&] {
    GUITHREADINFO gi = {};
    gi.cbSize = sizeof(gi);
    return GetGUIThreadInfo(t.Tid, &gi) && gi.hwndFocus == t.Edit && GetForegroundWindow() == t.Main;
  };
  if (!WaitFor(10000, focused)) {
    GUITHREADINFO gi = {};
    gi.cbSize = sizeof(gi);
    GetGUIThreadInfo(t.Tid, &gi);
    char cls[64] = "";
    GetClassNameA(GetForegroundWindow(), cls, sizeof(cls));
    std::fprintf(stderr, "%s: the edit did not get the focus (focus %p, edit %p, foreground %p %s, main %p)\n",
                 label.c_str(), (void*)gi.hwndFocus, (void*)t.Edit, (void*)GetForegroundWindow(), cls, (void*)t.Main);
  }
  const double focusAt = NowMs() - start;

  // The first key after the start, then back to the empty box.
  TSample first = Measure(t, 'N', "start", raw);
  const double answerAt = focusAt + first.Ms;
  Measure(t, VK_BACK, "reset", raw);
  Measure(t, VK_BACK, "reset", raw);

  // The rounds: a first letter, two narrowing letters, then Backspace to the
  // empty box; each Backspace is classed by what it meets (a selected inline
  // part, more than one character, the last character).
  const char* const words[] = {"note", "calc", "photo", "media", "term", "sync",
                               "zoom", "git",  "code",  "keisan", "power", "mail"};
  std::vector<TSample> samples;
  for (int r = 0; r < rounds; ++r) {
    for (const char* w : words) {
      samples.push_back(Measure(t, static_cast<WORD>(toupper(w[0])), "first", raw));
      samples.push_back(Measure(t, static_cast<WORD>(toupper(w[1])), "narrow", raw));
      samples.push_back(Measure(t, static_cast<WORD>(toupper(w[2])), "narrow", raw));
      for (int guard = 0; guard < 40; ++guard) {
        TState s = Poll(t);
        if (s.Edit.empty()) break;
        std::string kind = s.SelEnd > s.SelStart ? "bs-inline" : s.Edit.size() == 1 ? "bs-empty" : "bs-widen";
        samples.push_back(Measure(t, VK_BACK, kind, raw));
      }
    }
  }

  std::printf("%-10s start: window %.0f ms, first answer %.0f ms (first key %.1f ms)\n", label.c_str(), windowAt,
              answerAt, first.Ms);
  std::printf("%-10s %-10s %5s %9s %9s %9s\n", label.c_str(), "key", "n", "median", "p90", "worst");
  for (const char* kind : {"first", "narrow", "bs-inline", "bs-widen", "bs-empty"}) {
    std::vector<double> ms;
    int unchanged = 0;
    for (const TSample& s : samples)
      if (s.Kind == kind) {
        ms.push_back(s.Ms);
        if (!s.Changed) ++unchanged;
      }
    if (ms.empty()) continue;
    std::printf("%-10s %-10s %5zu %9.1f %9.1f %9.1f%s\n", label.c_str(), kind, ms.size(), Quantile(ms, 0.5),
                Quantile(ms, 0.9), *std::max_element(ms.begin(), ms.end()),
                unchanged ? (" (" + std::to_string(unchanged) + " without change)").c_str() : "");
  }
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof(pmc);
  if (GetProcessMemoryInfo(t.Process, &pmc, sizeof(pmc)))
    std::printf("%-10s working set %.1f MB (peak %.1f MB)\n", label.c_str(), pmc.WorkingSetSize / 1048576.0,
                pmc.PeakWorkingSetSize / 1048576.0);
  else
    std::printf("%-10s working set unknown (%lu)\n", label.c_str(), GetLastError());
  std::fflush(stdout);

  PostMessageA(t.Main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(t.Process, 10000) == WAIT_TIMEOUT) TerminateProcess(t.Process, 1);
  CloseHandle(t.Process);
  if (raw) std::fclose(raw);
  return 0;
}
