// The editor program's start-up: the log, the folder layout based on the
// main folder, the mode of the first parameter, one instance per mode, and
// the mode's window. What each mode opens comes through hooks, so that the
// windows still to be built plug in where the start-up expects them.
#pragma once

#include <functional>

#include "core/StringIni.h"
#include "core/StringList.h"
#include "editor/EditorModes.h"

struct TEditorModeHooks {
  // The settings window for the program's parameters, until it closes.
  std::function<void(const TStringList& params)> RunSetting;
  // One keyword request run without the manager window; true when the
  // manager window is to open after it.
  std::function<bool(TStringIni& request)> ExecuteParamAction;
  // The keyword manager window, until it closes.
  std::function<void()> RunManager;
};

// The hooks of the program as built so far.
TEditorModeHooks DefaultEditorModeHooks();

// Holds the mode's mutex for its lifetime. One create decides: when the
// mutex already existed another instance of the mode runs.
class TModeInstance {
 public:
  explicit TModeInstance(const TEditorModeInfo& mode);
  ~TModeInstance();
  TModeInstance(const TModeInstance&) = delete;
  TModeInstance& operator=(const TModeInstance&) = delete;
  bool First() const { return first_; }

 private:
  void* mutex_ = nullptr;
  bool first_ = false;
};

// Hands the parameters to the running window of the mode (found by class);
// false when there is none, and then nothing is sent.
bool HandOverToRunningEditor(const TEditorModeInfo& mode, const TStringList& params);

// The whole start-up, after the log is on: returns the exit code.
int RunEditorStartup(const TStringList& params, const TEditorModeHooks& hooks);
