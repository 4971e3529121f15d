// The editor program's three modes, chosen by its first parameter: the
// version window, the settings window and the keyword manager (which also
// runs keyword requests). Each mode runs once: its mutex tells a second start
// to hand its parameters to the running window of the mode's class and end.
#pragma once

#include <string>

class TStringList;

enum class TEditorMode { Version, Setting, Manager };

struct TEditorModeInfo {
  TEditorMode Mode;
  const char* MutexName;
  const char* WindowClass;
  // The application title while the mode runs.
  const char* Title;
};

inline constexpr char kManagerWindowTitle[] = "キーワードマネージャ";

// "/version" and "/setting" (in any case) choose their modes; anything else,
// or nothing, is the keyword manager.
const TEditorModeInfo& EditorModeOf(const TStringList& params);

// The bytes a second start sends the running window, NUL included: the
// settings window gets the lines after "/setting", the manager all of them;
// the version window gets no text at all.
std::string EditorHandOverText(TEditorMode mode, const TStringList& params);
// The data word of the hand-over: 0 for the version window, which only comes
// forward, 1 for text to read.
unsigned EditorHandOverDataWord(TEditorMode mode);

// The start-up log's parameter lines: " Param : " and each parameter as its
// number, ": " and itself, the later ones under the first; two empty lines
// after them.
std::string EditorParamLogText(const TStringList& params);
