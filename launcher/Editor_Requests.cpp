#include "launcher/Editor_Requests.h"

#include <shellapi.h>

#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/KeyWordX.h"
#include "core/Sjis.h"

namespace editor_requests {

const char* const kNotifyLine = "TZMRTMain\tquorvanemain";

namespace {

std::string WithBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\' || sjis::FindLastSlash(folder) != folder.size() - 1) folder += '\\';
  return folder;
}

}  // namespace

std::unique_ptr<TStringIni> BuildRequest(const TRequestFields& fields) {
  auto request = std::make_unique<TStringIni>();
  request->WriteString("Action", fields.Action);
  if (fields.KeyWord) request->WriteString(fields.KeyWordLower ? "Keyword" : "KeyWord", *fields.KeyWord);
  if (fields.Command) request->WriteString("Command", *fields.Command);
  if (fields.Comment) request->WriteString("Comment", *fields.Comment);
  if (fields.Type) request->WriteInteger("Type", *fields.Type);
  return request;
}

void ResolveCommand(TStringIni& request, TKeyWordManager& manager) {
  if (!request.ValueExists("Command")) return;
  const std::string command = request.ReadString("Command", "");
  // WriteString of an empty value removes the key.
  request.WriteString("Command", ResolveKeyWordPath(command, manager));
}

std::string RequestText(const TStringIni& request) {
  std::string text;
  for (int i = 0; i < request.Lines.Count(); ++i) text += request.Lines[i] + "\r\n";
  return text;
}

std::string NotifyFilePath(const std::string& mainFolder) { return WithBackslash(mainFolder) + "Files\\notify.txt"; }

void AddNotifyLine(const std::string& mainFolder) {
  const std::string path = NotifyFilePath(mainFolder);
  std::string text;
  // Rewriting a file we could not read would lose the other programs' lines.
  if (fileio::FileExists(path) && !fileio::ReadWholeFile(path, text)) return;
  for (const std::string& line : sjis::SplitLines(text))
    if (sjis::CompareIgnoreCase(line, kNotifyLine) == 0) return;
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  text += std::string(kNotifyLine) + "\r\n";
  fileio::WriteFileReplacing(path, text);  // a failure does not stop the request
}

std::string ParamFilePath(const std::string& userDir) { return WithBackslash(userDir) + "temp\\quorvane\\param.txt"; }

std::string EditorParams(const TStringIni* request, const std::string& userDir) {
  if (!request) return std::string();
  const std::string text = RequestText(*request);
  // A quote inside a line would end its argument early and split the request.
  if (text.size() <= kMaxCommandLineText && text.find('"') == std::string::npos) {
    std::string params;
    for (int i = 0; i < request->Lines.Count(); ++i) params += "\"" + request->Lines[i] + "\"\r\n";
    return params;
  }
  const std::string path = ParamFilePath(userDir);
  fileio::ForceDirectories(sjis::ExtractFilePath(path));
  request->SaveToFile(path);
  return "/ParamFile \"" + path + "\"";
}

void TShellEditorStarter::Start(const TEditorStart& s) {
  ShellExecuteA(s.Owner, s.Verb.empty() ? nullptr : s.Verb.c_str(), s.File.c_str(),
                s.Params.empty() ? nullptr : s.Params.c_str(), s.Directory.empty() ? nullptr : s.Directory.c_str(),
                s.Show);
}

IEditorStarter& DefaultEditorStarter() {
  static TShellEditorStarter starter;
  return starter;
}

std::string EditorFile(const std::string& filesDir) { return WithBackslash(filesDir) + "QVEditor.exe"; }

void SendRequest(HWND owner, std::unique_ptr<TStringIni> request, TKeyWordManager* manager,
                 const TEditorFolders& folders, IEditorStarter& starter) {
  if (request && manager) ResolveCommand(*request, *manager);
  AddNotifyLine(folders.MainDir);
  TEditorStart start;
  start.Owner = owner;
  start.Verb = "open";
  start.File = EditorFile(folders.FilesDir);
  start.Params = EditorParams(request.get(), folders.UserDir);
  start.Directory = WithBackslash(folders.FilesDir);
  DebugOut().Write("TZMRTMain.ShowEditor:").WriteLn().Indent();
  DebugOut().Write("Command:").Write(start.File).WriteLn();
  DebugOut().Write("Param  :").Write(start.Params).WriteLn().Outdent();
  starter.Start(start);
}

void StartEditorSwitch(HWND owner, const std::string& switches, const std::string& filesDir,
                       IEditorStarter& starter) {
  TEditorStart start;
  start.Owner = owner;
  start.Verb = "open";
  start.File = EditorFile(filesDir);
  start.Params = switches;
  starter.Start(start);
}

}  // namespace editor_requests
