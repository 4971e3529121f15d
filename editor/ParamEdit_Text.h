// How the parameter edit (ParamEdit.h) reads a parameter line: the line splits
// at blanks into tokens (double-quoted runs kept together); a token may name a
// keyword, start with a keyword whose command is a folder or program followed
// by "\" and a path, or be a path with blanks typed without quotes. The token
// at the caret decides which candidates the edit offers. Pure logic over the
// lookups of EditLookup.h.
//
// Positions (caret, word start) count characters of the text as typed, the way
// the edit counts them, even where "!" marks, "!!" escapes or a resolved
// keyword make the token's meaning longer or shorter than what was typed.
#pragma once

#include <string>

#include "core/StringList.h"
#include "editor/EditLookup.h"

// What the edit's candidate sources become for the token at the caret.
struct TParamSources {
  enum class TKeywords {
    Unchanged,  // the mode key did not change: keep the list
    Names,      // the list in Names (empty for a token that names no keyword)
    Removed,    // path mode: no keyword source
  };
  enum class TOthers {
    Unchanged,
    Filled,    // current folder (3), drives (4) and the user list (5)
    Emptied,   // 3, 4 and 5 empty
    UserList,  // address mode: source 5 is the user list
  };

  bool Set = false;  // false: no token at the caret got a set-up
  std::string ModeKey;
  int Kind = 2;        // source kind: 0 files and folders of Folder, 2 no folder listing
  std::string Folder;  // path mode: the folder listed
  TKeywords Keywords = TKeywords::Unchanged;
  TStringList Names;
  TOthers Others = TOthers::Unchanged;
  int WordStart = 0;
  std::string Word;
};

struct TParamLine {
  // While typing: the text before the caret. Sources are set up only then.
  std::string Text;
  int Caret = 0;
  bool Typing = false;
  bool CompleteAfterSpace = true;  // else only the first token is read
  bool AddBackSlash = false;       // the name listing's usable-only option
  std::string ModeKey;             // the mode key of the last set-up
  std::string Excluded;            // a keyword path never offered
};

// The mode key of an edit without a store, and after one was attached.
inline constexpr char kParamModeKeyInitial[] = "\\";
inline constexpr char kParamModeKeyAttached[] = "%%";

// store may be null: then only a leading "!" marks a token as resolved, and a
// resolved token names no keyword and lists no names.
TParamSources ParseParams(const TParamLine& line, IKeywordLookup* store, IPathLookup& paths);
