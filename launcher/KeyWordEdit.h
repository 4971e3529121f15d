// The launcher's command line: how a typed line splits into a keyword and its
// parameters, and which candidates the box offers for the token at the caret.
//
// TKeyWordParser is the part of the launcher's input box that needs no window:
// it is the box's IKeywordParser, and TKeyWordEdit (the completing edit) owns
// one and applies its caret decisions (TCaretSources) to its candidate sources.
//
// Ownership: ParseByKeyword with an item fills that item and returns it (the
// caller keeps owning it). Without an item the result is the parser's current
// keyword, owned by the parser until the next parse (or TakeCurrent). Parse
// hands its result over outright. Temporary items made for parameter tokens
// only lend their command and are gone when the parse ends.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "completion/DynamicComplete.h"
#include "core/KeyWordX.h"
#include "core/StringList.h"

class TPriorityManager;

// What the box's candidate sources become for the token at the caret.
struct TCaretSources {
  enum class TKeywordSource {
    Unchanged,   // the mode key did not change: keep the list
    GroupNames,  // Names: the item names of the group
    Empty,       // an empty list (a parameter that is no keyword)
    Removed,     // path mode: no keyword source
    Wildcard,    // Names: the full paths matching the token's wildcard
  };
  enum class TOthers {
    Unchanged,
    Filled,    // current folder (3), drives (4) and the user list (5)
    Emptied,   // 3, 4 and 5 empty
    UserList,  // URL mode: source 5 is the user list
  };

  bool Set = false;  // a set-up ran in the last parse
  std::string ModeKey;
  int Kind = 2;  // candidate kind: 0 files and folders, 2 keyword names, 3 wildcard matches
  std::string Folder;  // path mode: the folder whose files are offered
  TKeywordSource Keywords = TKeywordSource::Unchanged;
  TStringList Names;
  TOthers Others = TOthers::Unchanged;
  int WordStart = 0;  // in characters, as the edit counts them
  std::string Word;
};

class TKeyWordParser : public IKeywordParser {
 public:
  TKeyWordParser() = default;
  TKeyWordParser(const TKeyWordParser&) = delete;
  TKeyWordParser& operator=(const TKeyWordParser&) = delete;

  // Attaches the store (not owned); drops the current keyword.
  void SetKeywordManager(TKeyWordManager* keywords);
  TKeyWordManager* KeywordManager() const { return keywords_; }

  TKeyWordX* ParseByKeyword(TKeyWordX* item, const std::string& text, bool paramMode) override;
  // The same without an item; the caller owns the result.
  std::unique_ptr<TKeyWordX> Parse(const std::string& text, bool paramMode = false);

  TKeyWordX* Current() const { return current_.get(); }
  std::unique_ptr<TKeyWordX> TakeCurrent() {
    currentText_.reset();
    return std::move(current_);
  }
  // Whether the current keyword (or none) is what the last parse of text gave.
  bool IsCurrentParseOf(const std::string& text) const { return currentText_ && *currentText_ == text; }

  // The caret (in characters) and whether the user is typing (the box's
  // refresh is armed): the sources are set up only while typing.
  int CaretPos = 0;
  bool Typing = false;
  // The token at the caret as typed (while typing), and after a completion
  // the keyword path it was completed to.
  std::string TypedText;
  std::string CompletedKeyword;
  // The mode key of the last set-up: "\" at first, "%%" with a store.
  std::string ModeKey = "\\";
  // Full paths of the keywords found in the last parse, in order.
  TStringList FoundKeywords;
  // The set-up of the last parse.
  TCaretSources Sources;

  // The execution road's raise of every keyword of the last parse, by places
  // or by percent of each keyword's folder.
  void UpPriority(TPriorityManager& priority, int n);
  void UpPriorityByPer(TPriorityManager& priority, int n);
  // After a completion was accepted: the completed keyword (less one trailing
  // "\") and the typed text go to the priority manager.
  void DoComplete(TPriorityManager& priority);
  // Whether an executed line goes to the history: without simple history a
  // line that is exactly a keyword of the root is left out.
  bool WantsHistoryLine(const std::string& line, bool addSimpleHistory);

 private:
  std::unique_ptr<TKeyWordX> DoParse(TKeyWordX* given, const std::string& text, bool paramMode);
  void Raise(TPriorityManager& priority, int n, bool byCount, const char* logName);
  void SetUpSources(const std::string& token, const std::string& line, bool url, bool resolved, bool param,
                    int tokenStart);

  TKeyWordManager* keywords_ = nullptr;
  std::unique_ptr<TKeyWordX> current_;
  std::optional<std::string> currentText_;  // none after a reset or a take
};

// The launcher's input box: a completing edit that understands the command
// line. It parses the text before the caret on every refresh (through its
// TKeyWordParser) and offers, for the token at the caret, the keyword names of
// a group (source 2), the current folder (3), the drives (4), the user's other
// candidates (5), a folder's files (0) and the history (1). Tab completes.
// Completions and executed keywords go to its priority manager.
class TKeyWordEdit : public TDynamicComplete, public IKeywordParser {
 public:
  TKeyWordEdit();
  ~TKeyWordEdit() override;

  TKeyWordX* ParseByKeyword(TKeyWordX* item, const std::string& text, bool paramMode) override;

  // Attaches the store (not owned) and makes the priority manager on first use.
  void SetKeywordManager(TKeyWordManager* keywords);
  TKeyWordManager* KeywordManager() const { return parser_.KeywordManager(); }
  TPriorityManager* PriorityManager() const { return priority_.get(); }
  TKeyWordParser& Parser() { return parser_; }
  // The result of the last parse (owned by the box until the next one).
  // After every refresh it is the parse of the line the box shows, so what
  // the box shows is what Enter runs.
  TKeyWordX* CurrentKeyword() const { return parser_.Current(); }
  // Parses the line the box shows (GetLineText) into the current keyword,
  // unless the current keyword is that line's parse already.
  void FollowLine();
  // Drops the current keyword.
  void DropCurrentKeyword() { parser_.TakeCurrent().reset(); }

  void KeywordChange() override;
  // What the launcher executes.
  std::string GetLineText();
  void AddHistoryLine(const std::string& line);
  void UpPriority(int n);
  void UpPriorityByPer(int n);
  void DoComplete();
  void AddSpace();
  // One candidate a line.
  void SetUserList(const std::string& text);
  bool EnablePriorityBlock() const { return enablePriorityBlock_; }
  void SetEnablePriorityBlock(bool on);

  // Fired when the keyword under the caret is parsed again outside typing.
  std::function<void()> OnChangeKeyword;
  // Fired after each refresh while typing, once the current keyword follows
  // the line the box now shows (the typed text with any inline completion).
  std::function<void()> OnTypedKeyword;
  bool AddSimpleHistory = false;
  bool SpaceAfterTab = false;
  int TabMode = 0;

 protected:
  void KeyDown(WORD& key, ui::TShiftState shift) override;
  LRESULT GetDlgCode(const MSG* msg, LRESULT code) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ApplySources(const TCaretSources& s);
  void TabKey(WORD& key, ui::TShiftState shift);
  void Refresh();

  TKeyWordParser parser_;
  std::unique_ptr<TPriorityManager> priority_;
  bool enablePriorityBlock_ = false;
  TStringList userList_;
  // The extra candidate sources, in the builder's numbering from 2.
  TStringList keywordSource_, currentDir_, drives_, userSource_;
};
