// Requests to the editor program (Files\QVEditor.exe): the launcher never edits
// keywords or settings itself, it starts the editor and says what to do.
// A request is a text store of Action, KeyWord, Command, Comment and Type. Short
// requests travel on the command line, one quoted argument per line; long ones
// (and any line a quote would break) travel in temp\quorvane\param.txt below
// the user data folder. The launcher's line in Files\notify.txt asks the editor
// for reload notices.
//
// The window part of showing the editor (mode, colours, cursor, hiding) stays
// with the launcher window; this unit builds, sends and starts.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "core/StringIni.h"

class TKeyWordManager;

namespace editor_requests {

// The fields of a request, written in this order (Type last). Some senders
// spell the keyword key "Keyword"; names ignore case, so both are read alike.
struct TRequestFields {
  std::string Action = std::string();
  std::optional<std::string> KeyWord = std::nullopt;
  bool KeyWordLower = false;  // write the key as "Keyword"
  std::optional<std::string> Command = std::nullopt;
  std::optional<std::string> Comment = std::nullopt;
  std::optional<int> Type = std::nullopt;
};

std::unique_ptr<TStringIni> BuildRequest(const TRequestFields& fields);

// Resolves keyword references in Command to a real path; an empty result
// removes the key.
void ResolveCommand(TStringIni& request, TKeyWordManager& manager);

// The request's lines, each followed by CR LF.
std::string RequestText(const TStringIni& request);

// <main folder>\Files\notify.txt and the launcher's line in it.
std::string NotifyFilePath(const std::string& mainFolder);
extern const char* const kNotifyLine;
// Appends the launcher's line unless one is there in any letter case. A file
// that exists but cannot be read is left alone; every failure is swallowed.
void AddNotifyLine(const std::string& mainFolder);

// <user data folder>\temp\quorvane\param.txt.
std::string ParamFilePath(const std::string& userDir);
// The longest request text (line ends included) that goes on the command line.
constexpr size_t kMaxCommandLineText = 260;
// The editor's parameters for a request: empty without one; quoted lines when
// short and quote-free; else "/ParamFile" and the quoted param.txt path, saved
// here (folders made as needed).
std::string EditorParams(const TStringIni* request, const std::string& userDir);

// How the editor is started; tests put in their own.
struct TEditorStart {
  HWND Owner = nullptr;
  std::string Verb;       // empty: the default verb
  std::string File;
  std::string Params;
  std::string Directory;  // empty: none
  int Show = SW_SHOWDEFAULT;
};
class IEditorStarter {
 public:
  virtual ~IEditorStarter() = default;
  virtual void Start(const TEditorStart& start) = 0;
};
// The plain shell execute; its result is not checked.
class TShellEditorStarter : public IEditorStarter {
 public:
  void Start(const TEditorStart& start) override;
};
IEditorStarter& DefaultEditorStarter();

// <Files>\QVEditor.exe.
std::string EditorFile(const std::string& filesDir);

struct TEditorFolders {
  std::string MainDir;   // notify.txt lives in its Files folder
  std::string FilesDir;  // QVEditor.exe and the working folder
  std::string UserDir;   // temp\quorvane\param.txt
};

// Sends a request (or, without one, opens the keyword manager): resolves the
// Command when a manager is given, adds the notify line, builds the
// parameters, logs them and starts the editor with verb "open" in <Files>\.
// Owns and frees the request.
void SendRequest(HWND owner, std::unique_ptr<TStringIni> request, TKeyWordManager* manager,
                 const TEditorFolders& folders, IEditorStarter& starter);

// The settings and version starts: verb "open", the switch as parameters,
// no working folder.
void StartEditorSwitch(HWND owner, const std::string& switches, const std::string& filesDir,
                       IEditorStarter& starter);

}  // namespace editor_requests
