#include "editor/ParamEdit_Text.h"

#include <algorithm>
#include <vector>

#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "core/WebAddress.h"

namespace {

// No path the ANSI file functions take is longer: joining tokens stops there.
constexpr size_t kMaxJoinedPath = 260;

bool HasBackslash(std::string_view s) { return sjis::FindChar(s, '\\') != sjis::npos; }

// Bytes of the first chars positions of s, as the edit counts them.
size_t BytesOf(std::string_view s, int chars) {
  if (chars <= 0) return 0;
  size_t b = CharMode() ? sjis::CharToBytePos(s, static_cast<size_t>(chars)) : static_cast<size_t>(chars);
  return std::min(b, s.size());
}

// One token of the line: as typed (a joined path with its blanks) and what it means.
struct TToken {
  std::string Typed;
  std::string Meaning;
  bool Resolved = false;
  int Start = 0;  // position of Typed in the line
};

// A leading "!" (not "!!") flips whether the token is resolved; "!!" stands for "!".
std::string Unmark(std::string_view typed, bool& resolved) {
  std::string t(typed);
  if (sjis::StartsWith(t, "!") && !sjis::StartsWith(t, "!!")) {
    t.erase(0, 1);
    resolved = !resolved;
  }
  return sjis::ReplaceAll(t, "!!", "!");
}

// A keyword before the first "\" stands for its folder: the command itself
// when that is a folder, the command's folder when it is a file.
std::string ResolveHead(const std::string& text, IKeywordLookup* store, IPathLookup& paths) {
  const size_t bs = sjis::FindChar(text, '\\');
  if (!store || bs == sjis::npos || bs == 0) return text;
  std::optional<std::string> command = store->Command(text.substr(0, bs));
  if (!command || command->empty()) return text;
  std::string head;
  if (paths.IsFolder(*command)) head = *command;
  else if (paths.IsFile(*command)) head = sjis::ExtractFilePath(*command);
  else return text;
  return sjis::ExcludeTrailingPathDelimiter(head) + text.substr(bs);
}

std::string Interpret(std::string_view typed, bool& resolved, IKeywordLookup* store, IPathLookup& paths) {
  std::string meaning = Unmark(typed, resolved);
  return resolved ? ResolveHead(meaning, store, paths) : meaning;
}

// A path with blanks typed without quotes: the following tokens join while
// the path so far, a blank and the next token (up to its last "\", else with
// "*") still name something.
size_t Join(std::vector<std::string>& tokens, size_t i, TToken& token, IPathLookup& paths) {
  size_t last = i;
  while (last + 1 < tokens.size() && !sjis::EndsWithChar(token.Meaning, ' ') &&
         token.Meaning.size() <= kMaxJoinedPath) {
    const std::string& next = tokens[last + 1];
    const size_t slash = sjis::FindLastChar(next, '\\');
    const std::string probe = token.Meaning + " " + (slash != sjis::npos ? next.substr(0, slash + 1) : next + "*");
    if (!paths.Exists(probe)) break;
    token.Meaning += " " + next;
    token.Typed += " " + next;
    ++last;
  }
  return last;
}

void SetUpAddress(TParamSources& out, const TParamLine& line) {
  out.Set = true;
  out.ModeKey = ":";
  out.Others = TParamSources::TOthers::UserList;
  out.WordStart = 0;
  out.Word = line.Text.substr(0, BytesOf(line.Text, line.Caret));
}

void SetUpToken(TParamSources& out, const TToken& token, const TParamLine& line, IKeywordLookup* store,
                IPathLookup& paths) {
  using TK = TParamSources::TKeywords;
  using TO = TParamSources::TOthers;
  out.Set = true;
  // The token up to the caret, as typed and as meant.
  const std::string before = token.Typed.substr(0, BytesOf(token.Typed, line.Caret - token.Start));
  size_t wordByte = 0;
  if (HasBackslash(token.Meaning)) {
    bool resolved = store != nullptr;
    out.ModeKey = "\\";
    out.Kind = 0;
    out.Folder = sjis::ExtractFilePath(Interpret(before, resolved, store, paths));
    out.Keywords = TK::Removed;
    out.Others = TO::Emptied;
    const size_t bs = sjis::FindLastChar(before, '\\');
    wordByte = bs == sjis::npos ? 0 : bs + 1;
  } else {
    const std::string& t = token.Meaning;
    const size_t slash = sjis::FindLastChar(t, '/');
    std::string group;
    if (slash != sjis::npos && !sjis::StartsWith(t, "/") && !sjis::EndsWithChar(t, ' ')) group = t.substr(0, slash);
    const std::string key = (token.Resolved ? "%" : "/") + group;
    out.Kind = 2;
    if (key != line.ModeKey) {
      out.ModeKey = key;
      out.Keywords = TK::Names;
      if (token.Resolved && store) {
        out.Names = store->Names(group, true, true, line.AddBackSlash);
        RemoveListed(out.Names, group, line.Excluded);
      }
      out.Others = group.empty() ? TO::Filled : TO::Emptied;
    }
    const size_t beforeSlash = sjis::FindLastChar(before, '/');
    const size_t blank = sjis::FindLastChar(before, ' ');
    if (beforeSlash != sjis::npos) wordByte = beforeSlash + 1;
    else if (blank != sjis::npos) wordByte = blank + 1;
  }
  out.WordStart = token.Start + CharLength(std::string_view(before).substr(0, wordByte));
  out.Word = before.substr(wordByte);
  if (out.Kind != 0 && sjis::StartsWith(out.Word, "!") && !sjis::StartsWith(out.Word, "!!")) {
    out.Word.erase(0, 1);
    ++out.WordStart;
  }
}

}  // namespace

TParamSources ParseParams(const TParamLine& line, IKeywordLookup* store, IPathLookup& paths) {
  TParamSources out;
  out.ModeKey = line.ModeKey;
  if (!line.Typing) return out;  // the sources change only while the user types
  if (IsWebAddress(line.Text) || sjis::StartsWithIgnoreCase(line.Text, "mailto:")) {
    SetUpAddress(out, line);
    return out;
  }
  std::vector<std::string> tokens = SplitStringEx(line.Text, " ", '"', true).Items();
  if (tokens.empty()) tokens.emplace_back();  // an empty line is one empty token
  int pos = 0;
  for (size_t i = 0; i < tokens.size(); ++i) {
    TToken token;
    token.Typed = tokens[i];
    token.Resolved = store != nullptr;
    token.Meaning = Interpret(tokens[i], token.Resolved, store, paths);
    token.Start = pos;
    i = Join(tokens, i, token, paths);
    const int length = CharLength(token.Typed);
    if (!out.Set && line.Caret >= token.Start && line.Caret <= token.Start + length)
      SetUpToken(out, token, line, store, paths);
    pos = token.Start + length + 1;  // one blank between tokens
    if (!line.CompleteAfterSpace) break;
  }
  return out;
}
