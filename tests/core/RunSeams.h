// Scripted stand-ins for the platform services of keyword runs, and a keyword
// store fixture that uses them: message boxes answer from a script and record
// what they showed, the shell start records its start data, the clipboard holds
// a fixed text, and the message pump counts its calls.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/AppEvents.h"
#include "core/FileIO.h"
#include "core/KeyWordX.h"
#include "core/Sjis.h"
#include "tests/support/TempDir.h"

struct TShownBox {
  std::string text;
  std::string caption;
  unsigned int type;
};

class TScriptedBoxes : public IRunMessageBox {
 public:
  std::deque<int> answers;  // IDOK once the script has run out
  std::vector<TShownBox> shown;
  int Show(const std::string& text, const std::string& caption, unsigned int type) override {
    shown.push_back({text, caption, type});
    if (answers.empty()) return IDOK;
    int a = answers.front();
    answers.pop_front();
    return a;
  }
};

struct TStartRecord {
  DWORD cbSize = 0;
  ULONG fMask = 0;
  HWND hwnd = nullptr;
  bool verbSet = false;
  std::string file;
  std::string params;
  bool dirSet = false;
  std::string dir;
  int nShow = 0;
};

class TRecordingShell : public IShellStarter {
 public:
  std::vector<TStartRecord> starts;
  std::deque<bool> results;  // success once the script has run out
  // Given to each successful start as its process handle (a duplicate, which
  // the run must close), when set.
  HANDLE process = nullptr;
  std::vector<HANDLE> handedOut;
  bool Start(SHELLEXECUTEINFOA& s) override {
    TStartRecord r;
    r.cbSize = s.cbSize;
    r.fMask = s.fMask;
    r.hwnd = s.hwnd;
    r.verbSet = s.lpVerb != nullptr;
    r.file = s.lpFile ? s.lpFile : "";
    r.params = s.lpParameters ? s.lpParameters : "";
    r.dirSet = s.lpDirectory != nullptr;
    r.dir = s.lpDirectory ? s.lpDirectory : "";
    r.nShow = s.nShow;
    starts.push_back(r);
    bool ok = true;
    if (!results.empty()) {
      ok = results.front();
      results.pop_front();
    }
    if (ok && process) {
      HANDLE dup = nullptr;
      DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &dup, 0, FALSE, DUPLICATE_SAME_ACCESS);
      s.hProcess = dup;
      handedOut.push_back(dup);
    }
    return ok;
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> f;
    for (const auto& s : starts) f.push_back(s.file);
    return f;
  }
};

class TFixedClipboard : public IClipboardText {
 public:
  std::string text;
  int reads = 0;
  std::string Read() override {
    ++reads;
    return text;
  }
};

class TCountingPump : public IMessagePump {
 public:
  int calls = 0;
  std::function<void(int)> onCall;
  void ProcessMessages() override {
    ++calls;
    if (onCall) onCall(calls);
  }
};

// Splits the text at blanks (double quotes group) into the item's parameters,
// as the launcher's input box does, and records every call.
class TSplitParser : public IKeywordParser {
 public:
  struct Call {
    std::string keyword;
    std::string text;
    bool paramMode;
  };
  std::vector<Call> calls;
  TKeyWordX* ParseByKeyword(TKeyWordX* item, const std::string& text, bool paramMode) override {
    calls.push_back({item->GetKeyWord(), text, paramMode});
    if (!item->ArrayedParam) item->ArrayedParam = std::make_unique<TStringList>();
    item->ArrayedParam->SetDelimitedText(text, ' ', '"');
    return item;
  }
};

// A keyword store in a fresh temp folder whose runs use the stand-ins.
class RunFixture : public ::testing::Test {
 protected:
  TempDir td;
  std::string items = td / "Items";
  TKeyWordManager m{items, td / "Main"};
  TScriptedBoxes boxes;
  TRecordingShell shell;
  TFixedClipboard clipboard;
  TCountingPump pump;

  void SetUp() override {
    m.RunServices = TRunServices{&boxes, &shell, &clipboard, &pump};
    app::RaiseDeactivated();  // no path kind cached by an earlier test
  }
  void TearDown() override { app::RaiseDeactivated(); }

  void Put(const std::string& name, const std::string& text) { WriteTextFile(items + "\\" + name, text); }
  // A file or folder below the temp folder; returns its full path.
  std::string File(const std::string& name, const std::string& text = "x") {
    std::string p = td / name;
    fileio::ForceDirectories(sjis::ExtractFilePath(p));
    WriteTextFile(p, text);
    app::RaiseDeactivated();
    return p;
  }
  std::string Folder(const std::string& name) {
    std::string p = td / name;
    fileio::ForceDirectories(p);
    app::RaiseDeactivated();
    return p;
  }
  std::string RunIni() { return td / "RunCommand.ini"; }
  void Options(const std::string& lines) { WriteTextFile(RunIni(), lines); }

  using Values = std::vector<std::pair<std::string, std::string>>;
  // A stored item of the group with the given values (written as the text
  // store writes them).
  std::unique_ptr<TKeyWordX> Item(const std::string& name, const Values& values, const std::string& group = "",
                                  int type = kTypeCommand) {
    auto kw = m.NewKeyWord(name, group, type);
    for (const auto& [key, value] : values) kw->Data()->WriteString(key, value);
    kw->RunFile = RunIni();
    return kw;
  }
  // Runs a command item with the given parameters.
  void Run(TKeyWordX& kw, const std::vector<std::string>& params = {}) {
    kw.ArrayedParam = std::make_unique<TStringList>(params);
    kw.TypedParams.reset();  // as on a fresh view of the item
    kw.RunCommand();
  }
};
