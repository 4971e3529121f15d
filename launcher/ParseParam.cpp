#include "launcher/ParseParam.h"

#include <stdexcept>

#include "core/AppFlags.h"
#include "core/Debug_Unit.h"
#include "core/FileIO.h"
#include "core/Sjis.h"

namespace {

// The line after the line at index, or "" when there is none.
std::string LineAfter(const TStringList& lines, int index, int distance) {
  if (index < 0) return std::string();
  const int i = index + distance;
  return i < lines.Count() ? lines[i] : std::string();
}

// The line equal to name, else the first beginning with name and "=".
int IndexOfSwitch(const TStringList& lines, std::string_view name) {
  int i = lines.IndexOf(name);
  if (i >= 0) return i;
  const std::string prefix = std::string(name) + "=";
  for (int j = 0; j < lines.Count(); ++j)
    if (sjis::StartsWithIgnoreCase(lines[j], prefix)) return j;
  return -1;
}

int IndexOfKey(const TStringList& keys, std::string_view name) {
  const std::string prefix = std::string(name) + "=";
  for (int j = 0; j < keys.Count(); ++j)
    if (sjis::StartsWithIgnoreCase(keys[j], prefix)) return j;
  return -1;
}

}  // namespace

// ---- One call's view ---------------------------------------------------

bool TParamParser::TCall::Has(std::string_view name) const { return Keys.IndexOf(name) >= 0; }

bool TParamParser::TCall::HasValue(std::string_view name) const { return IndexOfKey(Keys, name) >= 0; }

// The value is the rest of the line as sent: nothing in it is unescaped, so a
// path like C:\temp\new stays what it was.
std::string TParamParser::TCall::Value(std::string_view name) const {
  const int i = IndexOfKey(Keys, name);
  return i < 0 ? std::string() : Keys[i].substr(name.size() + 1);
}

int TParamParser::TCall::Integer(std::string_view name, int def) const {
  return HasValue(name) ? sjis::StrToIntDef(sjis::Trim(Value(name)), def) : def;
}

void TParamParser::TCall::DeleteKey(std::string_view name) {
  const int i = IndexOfKey(Keys, name);
  if (i >= 0) Keys.Delete(i);
}

// ---- The parser ----------------------------------------------------------

TParamParser::TParamParser(IParamParserHost* owner) : owner_(owner) {
  if (!owner_) throw std::invalid_argument("TParamParser.Create:オーナーが空です");
}

std::string TParamParser::JoinSwitches(const TStringList& lines) {
  std::string text;
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string& line = lines[i];
    if (i > 0) text += ' ';
    if (sjis::FindChar(line, ' ') != std::string::npos || sjis::FindChar(line, '"') != std::string::npos)
      text += '"' + sjis::ReplaceAll(line, "\"", "\"\"") + '"';
    else
      text += line;
  }
  return text;
}

void TParamParser::Parse(const TStringList* lines, uintptr_t sender) {
  if (!lines) {
    owner_->ActivateWindow();
    return;
  }
  // Everything of this call lives here, so a switch that parses again (system
  // command 11) neither replaces nor frees what this call still reads.
  TCall call;
  call.Keys = *lines;
  call.Lines = *lines;
  parse_ = false;
  pendingText_ = JoinSwitches(call.Lines);
  const std::string result = Setparam(call);
  ReturnResult(call, result, sender);
}

void TParamParser::ParsePosition(const TCall& call) {
  activate_ = false;
  const bool percent = call.Has("/ActivePos");
  if (call.HasValue("/X")) {
    owner_->MoveTo(call.Integer("/X", -1), -1, percent);
    activate_ = true;
  }
  if (call.HasValue("/Y")) {
    owner_->MoveTo(-1, call.Integer("/Y", -1), percent);
    activate_ = true;
  }
  if (call.Has("/CaretPos")) {
    int x = -1, y = -1;
    owner_->CaretPoint(x, y);
    owner_->MoveTo(x, y, false);
    activate_ = true;
  }
}

std::string TParamParser::Setparam(TCall& call) {
  std::string result;
  parse_ = false;
  ParsePosition(call);
  DebugOut().Write("TZMRTMain.Setparam:").WriteLn().Indent().WriteStrings(&call.Lines).Outdent();

  if (call.Has("/ReLoad")) {
    // "/OldItem=" and "/NewItem=" come with it from the editor and are not used.
    if (!owner_->IsStarting()) owner_->ReLoad(false);
  } else if (call.Has("/hide")) {
    owner_->ShowOrHide(false);
  } else if (call.Has("/getUserDir")) {
    result = owner_->UserDir();
  } else if (call.Has("/getCurrentDir")) {
    result = owner_->CurrentDir();
  } else if (call.Has("/New")) {
    owner_->ReLoad(true);
    owner_->ShowOrHide(true);
    owner_->ResetIcon();
  } else if (call.HasValue("/RunCommand")) {
    const std::string name = call.Value("/RunCommand");
    owner_->RunCommand(name);
    call.DeleteKey("/RunCommand");
  } else if (call.HasValue("/RunSysCommand")) {
    owner_->RunSysCommand(call.Integer("/RunSysCommand", -1), GetNextParam(call, "/RunSysCommand"));
  } else if (call.Has("/Paste")) {
    owner_->ActivateWindow();
    owner_->PasteText(GetNextParam(call, "/Paste"), false);
    activate_ = false;
    parse_ = true;
  } else if (call.Has("/SetConfig")) {
    const int i = IndexOfSwitch(call.Lines, "/SetConfig");
    owner_->SetConfig(LineAfter(call.Lines, i, 1), LineAfter(call.Lines, i, 2));
  } else if (call.Lines.Count() > 0 && !call.Lines[0].empty() && owner_->PathExists(call.Lines[0])) {
    std::string text;
    for (int i = 0; i < call.Lines.Count(); ++i) {
      if (i > 0) text += "\r\n";
      text += call.Lines[i];
    }
    owner_->DropFiles(text);
  }

  if (!app::Terminated()) ParseOptions(call);
  return result;
}

void TParamParser::ParseOptions(const TCall& call) {
  if (call.HasValue("/SelStart")) {
    owner_->SetSelStart(call.Integer("/SelStart", 0));
    parse_ = false;
  }
  if (call.HasValue("/SelLength")) {
    owner_->SetSelLength(call.Integer("/SelLength", 0));
    parse_ = false;
    activate_ = true;
  }
  if (call.HasValue("/DefaultKeyword")) owner_->SetMode(call.Value("/DefaultKeyword"));
  if (call.Has("/noActivate")) activate_ = false;
  if (call.Has("/Activate")) {
    activate_ = true;
    DebugOut().Write("ParseParam./Activete").WriteLn();
  }
  if (call.Has("/hide")) {
    sawHide_ = true;
    owner_->ShowOrHide(false);
  }
  if (call.Has("/Parse")) parse_ = true;
  if (call.Has("/noParse")) parse_ = false;
  if (activate_) owner_->ActivateWindow();
  if (parse_) owner_->ParseInput();
}

std::string TParamParser::GetNextParam(const TCall& call, std::string_view name) {
  return LineAfter(call.Lines, IndexOfSwitch(call.Lines, name), 1);
}

void TParamParser::ReturnResult(const TCall& call, const std::string& result, uintptr_t sender) {
  if (result.empty()) return;
  if (sender != 0) {
    owner_->SendResult(sender, result);
  } else if (call.HasValue("/ResultFile") && !call.Value("/ResultFile").empty()) {
    const std::string path = call.Value("/ResultFile");
    const std::string folder = sjis::ExtractFilePath(path);
    if (!folder.empty()) {
      fileio::ForceDirectories(folder);
      if (!fileio::DirectoryExists(folder)) return;
    }
    fileio::WriteFileReplacing(path, result);
  } else if (call.Has("/OutToClip")) {
    owner_->PutOnClipboard(result);
  }
}
