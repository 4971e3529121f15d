// The completion state of one completing edit and the candidate list built
// from it: the numbered candidate sources in ListOrder, less those that
// CheckedLists switches off, scored against the typed word, without
// non-matching strings and (up to the dedupe limit) duplicates, grouped by
// match level best first, or mirrored for a popup that opens above the edit.
// The build also records the best level, the longest candidate and the prefix
// common to all candidates. Pure logic: no Windows header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "completion/String_Match.h"
#include "core/StringList.h"

// The rows of one build, best level first (or mirrored): each row refers to a
// string of a source by its source and index, so that a build costs no copies
// of the candidates; a row's text is read where it is drawn or inserted. The
// sources must outlive the rows, as they outlive the builder.
class TCandidateRows {
 public:
  int Count() const { return static_cast<int>(refs_.size()); }
  bool Empty() const { return refs_.empty(); }
  // The text of row i; empty for a row past the end, or one whose source has
  // since lost that string.
  const std::string& operator[](int i) const;
  int Level(int i) const { return refs_[static_cast<size_t>(i)].Level; }
  TStringList ToStringList() const;

 private:
  friend class TCompleteData;
  struct TRef {
    uint32_t Index;  // in its source
    uint8_t Source;  // in the source table of the build
    int8_t Level;
  };
  std::vector<const TStringList*> sources_;
  std::vector<TRef> refs_;
};

class TCompleteData {
 public:
  TCompleteData();

  // Rebuilds the candidate list and the statistics from the fields below.
  void BuildList();
  // Hands the candidate list over, building it first when there is none; the
  // next call builds a new one. GetCandidates gives the texts themselves.
  TCandidateRows TakeRows();
  TStringList GetCandidates();
  // Whether a build would give at least one row, without building one.
  bool HasCandidates();
  // The level of one candidate, with the romaji switches of this object.
  int MatchLevelOf(std::string_view candidate, std::string_view word, int mode);
  // Statistics step of the build for one inserted candidate.
  void UpdateCommonPrefix(std::string_view candidate);

  // Results of the last build.
  std::string CommonPrefix;      // the first candidate of the last build that tracked it
  int CommonPrefixLength = -1;   // as CharLength counts; -1 before the first candidate
  int BestLevel = -1;
  int SelectionIndex = -1;
  int CompletionOffset = 0;
  int Longest = 0;               // bytes of the longest inserted candidate

  // Set by the edit before each build.
  int MatchMode = 0;
  bool Upward = false;           // mirrored: best rows at the bottom
  bool TrackCommonPrefix = false;
  int DedupeLimit = 0;
  std::string Word;
  int WordStart = 0;
  uint8_t SourceKind = 0;        // 3: no history source
  std::string FolderNow, FolderLast;
  bool UseRomaji = false;
  bool RomajiOnlyUpper = false;
  std::string ListOrder;         // source digits in display order
  std::string CheckedLists;      // "0"/"1" by position in ListOrder

  // Sources, owned by the edit: 0 folder listing, 1 history, 2... extra sources.
  const TStringList* FolderSource = nullptr;
  const TStringList* HistorySource = nullptr;
  std::vector<const TStringList*> ExtraSources;

 private:
  // The picked sources in ListOrder, less those switched off or empty, as
  // indexes into the source table.
  void PickSources(std::vector<const TStringList*>& table, std::vector<uint8_t>& picks) const;

  TStringMatch match_;
  std::optional<TCandidateRows> list_;
  std::vector<TCandidateRows::TRef> groups_[4];  // scratch of BuildList
};
