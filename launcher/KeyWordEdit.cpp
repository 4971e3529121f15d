#include "launcher/KeyWordEdit.h"
#include "core/WebAddress.h"

#include <algorithm>
#include <vector>

#include "core/Debug_Unit.h"
#include "core/Expand_Env_String.h"
#include "core/FileList.h"
#include "core/Sjis.h"
#include "core/StringUtils.h"
#include "launcher/Priority_Manager.h"

namespace {

// Tokens of a typed line: blanks split, double quotes group and stay.
std::vector<std::string> SplitLine(const std::string& text) { return SplitStringEx(text, " ", '"', true).Items(); }

bool HasBackslash(std::string_view s) { return sjis::FindChar(s, '\\') != sjis::npos; }

// Bytes of the first chars characters of s, counted as the edit counts them.
size_t BytesOf(std::string_view s, int chars) {
  if (chars <= 0) return 0;
  size_t b = CharMode() ? sjis::CharToBytePos(s, static_cast<size_t>(chars)) : static_cast<size_t>(chars);
  return std::min(b, s.size());
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// No path the ANSI file functions take is longer; joining tokens stops there.
constexpr size_t kMaxJoinedPath = 260;

}  // namespace

void TKeyWordParser::SetKeywordManager(TKeyWordManager* keywords) {
  current_.reset();
  currentText_.reset();
  keywords_ = keywords;
  ModeKey = "%%";
}

TKeyWordX* TKeyWordParser::ParseByKeyword(TKeyWordX* item, const std::string& text, bool paramMode) {
  if (item) {
    DoParse(item, text, paramMode);
    return item;
  }
  current_.reset();
  currentText_.reset();
  current_ = DoParse(nullptr, text, paramMode);
  currentText_ = text;
  return current_.get();
}

std::unique_ptr<TKeyWordX> TKeyWordParser::Parse(const std::string& text, bool paramMode) {
  return DoParse(nullptr, text, paramMode);
}

std::unique_ptr<TKeyWordX> TKeyWordParser::DoParse(TKeyWordX* given, const std::string& text, bool paramMode) {
  Sources.Set = false;
  if (!keywords_) return nullptr;
  FoundKeywords.Clear();
  std::unique_ptr<TKeyWordX> own;

  if (!given && (IsWebAddress(text) || sjis::StartsWithIgnoreCase(text, "mailto:"))) {
    own = keywords_->CreateTemp(text, text);
    SetUpSources(text, text, true, false, false, 0);
    return own;
  }

  std::vector<std::string> tokens = SplitLine(text);
  if (tokens.empty()) tokens.emplace_back();  // an empty line is one empty token
  TKeyWordX* result = given;
  bool inside = paramMode;   // inside stored parameters
  bool paramsTaken = false;  // the result's stored parameters were looked at
  size_t storedBegin = 0, storedEnd = 0;
  TFileUtils& fu = FileUtilsInstance();
  TSilentCriticalErrors silent;  // paths on missing drives
  {
    TStringList list;
    list.Items() = tokens;
    DebugOut().Write("KeywordEdit.ParseByKeyword").WriteLn().Indent();
    DebugOut().Write("Commands:").WriteStrings(&list).WriteLn();
  }

  int typedPos = 0;  // character position of the next typed token
  bool caretDone = false;
  // The loop runs once more after the last typed token while the result's
  // stored parameters were not looked at: a keyword typed alone keeps them.
  for (size_t i = 0; i < tokens.size() || (result && !paramsTaken && !inside); ++i) {
    // a. The result's stored parameters come before the typed ones.
    if (result && !paramsTaken && !inside) {
      paramsTaken = true;
      const std::string stored = result->GetParam();
      if (!stored.empty() && !result->ExistsInsertParam(stored)) {
        std::vector<std::string> ins = SplitLine(stored);
        if (!ins.empty()) {
          tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(i), ins.begin(), ins.end());
          storedBegin = i;
          storedEnd = i + ins.size();
          inside = true;
        }
      }
    }
    if (i >= tokens.size()) break;
    const bool typed = !(storedEnd > storedBegin && i >= storedBegin && i < storedEnd);
    const bool first = i == 0 && !given;

    // b. Whether the token may name a keyword.
    bool resolve = first;
    if (!first && result) resolve = (result->GetUseKeyWord() & (inside ? 4 : 2)) != 0;

    // c, d.
    std::string token = GetExpandEnvString().Expand(tokens[i]);
    const bool quoted = token.size() >= 2 && token.front() == '"' && token.back() == '"';
    if (quoted) token = token.substr(1, token.size() - 2);
    bool literal = false;
    if (!first) {
      if (sjis::StartsWith(token, "!") && !sjis::StartsWith(token, "!!")) {
        token.erase(0, 1);
        resolve = !resolve;
        literal = !resolve;
      }
      token = sjis::ReplaceAll(token, "!!", "!");
    }

    // e, f, g.
    std::string value = token;
    bool isKeyword = false;
    if (resolve && !token.empty()) {
      const size_t bs = sjis::FindChar(token, '\\');
      if (bs == sjis::npos) {
        if (std::unique_ptr<TKeyWordX> kw = keywords_->FindKeyWord(token)) {
          isKeyword = true;
          if (typed) FoundKeywords.Add(kw->GetKeyWord());
          if (first) {
            own = std::move(kw);
            result = own.get();
          } else if (std::string command = kw->GetCommand(); !command.empty()) {
            value = command;
          }
        } else if (!fu.ExistsWild(token)) {
          if (std::string exe = fu.FindExecutable(token, ""); !exe.empty()) {
            std::unique_ptr<TKeyWordX> temp = keywords_->CreateTemp(token, exe);
            if (first) {
              own = std::move(temp);
              result = own.get();
            } else {
              value = temp->GetCommand();
            }
          }
        }
      } else {
        std::string head = token.substr(0, bs);
        const std::string tail = token.substr(bs);
        std::string found;
        std::unique_ptr<TKeyWordX> headItem = head.empty() ? nullptr : keywords_->FindKeyWord(head);
        if (headItem) {
          if (typed) FoundKeywords.Add(headItem->GetKeyWord());
          found = headItem->GetCommand();
        } else if (!head.empty() && !fu.ExistsWild(head)) {
          found = fu.FindExecutable(head, "");
        }
        if (!found.empty()) {
          bool replaced = false;
          if (fu.IsDirectory(found)) {
            head = found;
            replaced = true;
            if (tail == "\\" && first && headItem) {
              own = std::move(headItem);
              result = own.get();
            }
          } else if (fu.IsFile(found)) {
            head = sjis::ExtractFilePath(found);
            replaced = true;
          }
          if (replaced) head = sjis::ExcludeTrailingPathDelimiter(head);
          value = head + tail;
        }
      }
    }

    // h. A path with blanks typed without quotes: later tokens join while
    // the path so far, the blank and the next token still name something.
    size_t last = i;
    if (!quoted && !value.empty()) {
      const std::string prefix =
          sjis::FindChar(value, ':') == sjis::npos && !sjis::StartsWith(value, "\\\\") ? ".\\" : "";
      std::string soFar = prefix + value;
      const size_t limit = typed ? tokens.size() : storedEnd;
      for (size_t j = i + 1; j < limit && soFar.size() <= kMaxJoinedPath; ++j) {
        const std::string& next = tokens[j];
        const size_t nextSlash = sjis::FindLastChar(next, '\\');
        const std::string tested =
            soFar + " " + (nextSlash != sjis::npos ? next.substr(0, nextSlash + 1) : next + "*");
        soFar += " " + next;
        if (EndsWith(tested, " ") || EndsWith(tested, " ..") || EndsWith(tested, " .")) continue;
        if (fu.ExistsWild(tested)) {
          value = soFar;
          last = j;
        }
      }
    }

    // i. Existing files, folders and wildcards become temporary items.
    std::unique_ptr<TKeyWordX> pathItem;
    const bool pathPosition = first || (!first && !inside) || (inside && result && (result->GetUseKeyWord() & 4));
    if (pathPosition && !isKeyword && !literal && !value.empty() && fu.ExistsWild(value)) {
      pathItem = keywords_->CreateTemp(value, value);
      if (!first) {
        value = pathItem->GetCommand();
      } else if (!result) {
        own = std::move(pathItem);
        result = own.get();
      }
    }

    // j. The token at the caret chooses the candidates.
    std::string asTyped = tokens[i];
    for (size_t k = i + 1; k <= last; ++k) asTyped += " " + tokens[k];
    if (typed) {
      const int start = typedPos;
      const int length = CharLength(asTyped);
      if (!inside && !caretDone && CaretPos >= start && CaretPos <= start + length) {
        caretDone = true;
        SetUpSources(asTyped, text, false, resolve, !first, start);
        if (Typing) TypedText = value;
        else CompletedKeyword = asTyped.empty() ? value : asTyped;
        const TKeyWordX* tokenItem = first ? result : pathItem.get();
        if (Sources.Set && tokenItem && tokenItem->WildCardTemp) {
          Sources.Keywords = TCaretSources::TKeywordSource::Wildcard;
          Sources.Names.Clear();
          if (std::unique_ptr<TStringList> matches = ListWildPath(value, false)) Sources.Names = *matches;
          Sources.Kind = 3;
          Sources.Word.clear();
        }
      }
      typedPos = start + length + 1;
    }

    // k.
    if (quoted) value = "\"" + value + "\"";
    if (!first && result) result->AddParam(value);

    // l.
    i = last;
    if (inside && !paramMode && i + 1 >= storedEnd) inside = false;
  }
  DebugOut().Outdent().Write("KeywordEdit.ParseByKeyword:END").WriteLn();
  return own;
}

void TKeyWordParser::SetUpSources(const std::string& token, const std::string& line, bool url, bool resolved,
                                  bool param, int tokenStart) {
  if (!Typing) return;
  TCaretSources s;
  s.Set = true;
  if (url) {
    ModeKey = ":";
    s.ModeKey = ModeKey;
    s.Others = TCaretSources::TOthers::UserList;
    s.WordStart = 0;
    s.Word = line.substr(0, BytesOf(line, CaretPos));
    Sources = std::move(s);
    return;
  }
  const std::string before = token.substr(0, BytesOf(token, CaretPos - tokenStart));
  size_t wordByte = 0;
  if (HasBackslash(token)) {
    ModeKey = "\\";
    s.Kind = 0;
    s.Folder = sjis::ExtractFilePath(before);
    s.Keywords = TCaretSources::TKeywordSource::Removed;
    s.Others = TCaretSources::TOthers::Emptied;
    const size_t bs = sjis::FindLastChar(before, '\\');
    wordByte = bs == sjis::npos ? 0 : bs + 1;
  } else {
    const size_t slash = sjis::FindLastChar(token, '/');
    std::string group;
    if (slash != sjis::npos && !sjis::StartsWith(token, "/") && !EndsWith(token, " ")) group = token.substr(0, slash);
    std::string key = group;
    if (param) key = (resolved ? "%" : "/") + group;
    s.Kind = 2;
    if (key != ModeKey) {
      ModeKey = key;
      if (param && !resolved) {
        s.Keywords = TCaretSources::TKeywordSource::Empty;
      } else {
        s.Keywords = TCaretSources::TKeywordSource::GroupNames;
        if (keywords_) s.Names = keywords_->GetNames(group, true, param, true);
      }
      s.Others = key.empty() || key == "%" ? TCaretSources::TOthers::Filled : TCaretSources::TOthers::Emptied;
    }
    const size_t beforeSlash = sjis::FindLastChar(before, '/');
    const size_t blank = sjis::FindLastChar(before, ' ');
    if (beforeSlash != sjis::npos) wordByte = beforeSlash + 1;
    else if (blank != sjis::npos) wordByte = blank + 1;
  }
  s.ModeKey = ModeKey;
  s.WordStart = tokenStart + CharLength(std::string_view(before).substr(0, wordByte));
  s.Word = before.substr(wordByte);
  if (param && s.Kind != 0 && sjis::StartsWith(s.Word, "!") && !sjis::StartsWith(s.Word, "!!")) {
    s.Word.erase(0, 1);
    ++s.WordStart;
  }
  Sources = std::move(s);
}

void TKeyWordParser::Raise(TPriorityManager& priority, int n, bool byCount, const char* logName) {
  if (!keywords_) return;
  for (const std::string& path : FoundKeywords) {
    DebugOut().Write(logName).Write(path).WriteLn();
    std::unique_ptr<TKeyWordX> item = keywords_->FindKeyWord(path);
    priority.ByCount = byCount;
    priority.RaisePriority(item.get(), n);
  }
}

void TKeyWordParser::UpPriority(TPriorityManager& priority, int n) {
  Raise(priority, n, true, "KeywordEdit.UpPriority");
}

void TKeyWordParser::UpPriorityByPer(TPriorityManager& priority, int n) {
  Raise(priority, n, false, "KeywordEdit.UpPriorityByPer");
}

void TKeyWordParser::DoComplete(TPriorityManager& priority) {
  DebugOut().Write("KeywordEdit.DoComplete:").Write(CompletedKeyword).Write(":").Write(TypedText).WriteLn();
  if (!keywords_) return;
  std::string path = CompletedKeyword;
  if (sjis::EndsWithChar(path, '\\')) path.pop_back();  // a trail byte 0x5C is no backslash
  if (std::unique_ptr<TKeyWordX> item = keywords_->FindKeyWord(path)) priority.Complemented(item.get(), TypedText);
}

bool TKeyWordParser::WantsHistoryLine(const std::string& line, bool addSimpleHistory) {
  if (addSimpleHistory || !keywords_) return true;
  std::unique_ptr<TKeyWordX> item = keywords_->FindKeyWord(line);
  return !item || !item->Folder.empty();
}

// ---- The input box ------------------------------------------------------

TKeyWordEdit::TKeyWordEdit() {
  Data().ExtraSources = {&keywordSource_, &currentDir_, &drives_, &userSource_};
  InputFirstCandidate = false;
  SpecialChars = " \\/.";
  DeliminateChars = " \\/";
  OnComplete = [this](TDynamicComplete&, int, const std::string&) { DoComplete(); };
}

TKeyWordEdit::~TKeyWordEdit() = default;

TKeyWordX* TKeyWordEdit::ParseByKeyword(TKeyWordX* item, const std::string& text, bool paramMode) {
  return parser_.ParseByKeyword(item, text, paramMode);
}

void TKeyWordEdit::SetKeywordManager(TKeyWordManager* keywords) {
  parser_.SetKeywordManager(keywords);  // drops the current keyword, mode key "%%"
  HidePopup();
  if (!priority_) priority_ = std::make_unique<TPriorityManager>(keywords);
  else priority_->SetKeyWords(keywords);  // a reloaded store: the old one is gone
  priority_->EnablePriorityBlock = enablePriorityBlock_;
}

void TKeyWordEdit::SetEnablePriorityBlock(bool on) {
  enablePriorityBlock_ = on;
  if (priority_) priority_->EnablePriorityBlock = on;
}

void TKeyWordEdit::SetUserList(const std::string& text) { userList_.SetText(text); }

void TKeyWordEdit::ApplySources(const TCaretSources& s) {
  using KS = TCaretSources::TKeywordSource;
  using OS = TCaretSources::TOthers;
  switch (s.Keywords) {
    case KS::Unchanged:
      break;
    case KS::GroupNames:
    case KS::Wildcard:
      keywordSource_ = s.Names;
      break;
    case KS::Empty:
    case KS::Removed:
      keywordSource_.Clear();
      break;
  }
  switch (s.Others) {
    case OS::Unchanged:
      break;
    case OS::Filled:
      currentDir_.SetText(ListCurrentDir());
      drives_.SetText(ListDrives(false));
      userSource_ = userList_;
      break;
    case OS::Emptied:
      currentDir_.Clear();
      drives_.Clear();
      userSource_.Clear();
      break;
    case OS::UserList:
      userSource_ = userList_;
      break;
  }
  Data().SourceKind = static_cast<uint8_t>(s.Kind);
  Data().Word = s.Word;
  Data().WordStart = s.WordStart;
  Data().FolderNow = s.Folder;
}

void TKeyWordEdit::KeywordChange() {
  if (!parser_.KeywordManager()) {
    Data().SourceKind = 5;  // nothing to complete from yet
    TDynamicComplete::KeywordChange();
    return;
  }
  const bool typing = refreshArmed_;
  parser_.Typing = typing;
  parser_.CaretPos = SelStart();
  std::string text;
  if (typing) {
    parser_.TypedText.clear();
    text = complete::PosSub(Text(), 0, SelStart());
  } else {
    text = CompletedText();
  }
  parser_.ParseByKeyword(nullptr, text, false);  // replaces the current keyword
  if (!typing) {
    if (OnChangeKeyword) OnChangeKeyword();
    if (TKeyWordX* kw = parser_.Current())
      DebugOut().Write("TKeywordEdit.KeywordChange:").Write(kw->GetKeyWord()).WriteLn();
    else
      DebugOut().Write("TKeywordEdit.KeywordChange:nil").WriteLn();
  }
  if (typing && parser_.Sources.Set) ApplySources(parser_.Sources);
  TDynamicComplete::KeywordChange();
  if (typing) {
    // The typed parse saw only the text before the caret, and the refresh
    // may have completed inline since: the current keyword must be what Enter
    // runs, so the whole line the box shows is parsed when it differs.
    FollowLine();
    if (OnTypedKeyword) OnTypedKeyword();
  }
}

void TKeyWordEdit::FollowLine() {
  if (!parser_.KeywordManager()) return;
  const std::string line = GetLineText();
  if (parser_.IsCurrentParseOf(line)) return;
  // A parse outside typing sets up no sources; the typed one's stay as they were.
  TCaretSources sources = parser_.Sources;
  const bool typing = parser_.Typing;
  parser_.Typing = false;
  parser_.CaretPos = SelStart();
  parser_.ParseByKeyword(nullptr, line, false);
  parser_.Typing = typing;
  parser_.Sources = std::move(sources);
}

void TKeyWordEdit::Refresh() {
  refreshArmed_ = true;
  KeywordChange();
}

std::string TKeyWordEdit::GetLineText() { return UseList ? CompletedText() : Text(); }

void TKeyWordEdit::AddHistoryLine(const std::string& line) {
  if (parser_.WantsHistoryLine(line, AddSimpleHistory)) AddHistory(line);
}

void TKeyWordEdit::UpPriority(int n) {
  if (priority_) parser_.UpPriority(*priority_, n);
}

void TKeyWordEdit::UpPriorityByPer(int n) {
  if (priority_) parser_.UpPriorityByPer(*priority_, n);
}

void TKeyWordEdit::DoComplete() {
  if (priority_) parser_.DoComplete(*priority_);
}

void TKeyWordEdit::AddSpace() {
  if (SpaceAfterTab) {
    const int caret = SelStart();
    const std::string before = complete::PosSub(Text(), 0, caret);
    // A blank is one byte and never a trail byte.
    if (!before.empty() && before.back() != ' ') {
      SetSel(caret, 0);
      ReplaceSel(" ");
      SetSelStart(caret + 1);
      Refresh();
    }
  }
  refreshSuppressed_ = false;
}

void TKeyWordEdit::KeyDown(WORD& key, ui::TShiftState shift) {
  if (priority_) priority_->BoxKeyDown(key);
  if (key == VK_TAB) TabKey(key, shift);
  else TDynamicComplete::KeyDown(key, shift);
}

void TKeyWordEdit::TabKey(WORD& key, ui::TShiftState shift) {
  const int caret = SelStart();
  if (GetshowPopup()) {
    ForceComplete();
    if (SelStart() != caret) {
      if (SelLength() == 0 && !GetshowPopup()) AddSpace();
    } else if (TabMode == 0) {
      MoveSelection(1);
    } else if (SelLength() > 0) {
      const int wordStart = Data().WordStart;
      SetSelStart(SelEnd());
      Refresh();
      if (SelLength() == 0 && Data().WordStart == wordStart) AddSpace();
    }
    SetRedraw(true);
    Invalidate();
    key = 0;
    return;
  }
  const int selStart = SelStart(), selLength = SelLength();
  ForceComplete();
  if (SelStart() != caret) {
    if (SelLength() == 0 && !GetshowPopup()) AddSpace();
  } else if (!UseList) {
    if (SelStart() == selStart && SelLength() == selLength) SetSelStart(SelEnd());
  } else {
    Refresh();
    Change();
    if (SelLength() == 0 && !GetshowPopup()) AddSpace();
  }
  TDynamicComplete::KeyDown(key, shift);
}

LRESULT TKeyWordEdit::GetDlgCode(const MSG* msg, LRESULT code) {
  (void)msg;
  return code | DLGC_WANTTAB;  // the arrow keys: the edit asks for them itself
}

LRESULT TKeyWordEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDBLCLK && !GetshowPopup() && TextLength() == 0) {
    // An empty box shows the whole first level.
    Refresh();
    Change();
  }
  return TDynamicComplete::WndProc(msg, wParam, lParam);
}
