#include "completion/Complete_Data.h"

#include <algorithm>

#include "core/StringUtils.h"

namespace {

int DigitOr(char c, int fallback) { return (c >= '0' && c <= '9') ? c - '0' : fallback; }

}  // namespace

TCompleteData::TCompleteData() = default;

int TCompleteData::MatchLevelOf(std::string_view candidate, std::string_view word, int mode) {
  match_.UseRomaji = UseRomaji;
  match_.RomajiOnlyUpper = RomajiOnlyUpper;
  return match_.Match(candidate, word, mode);
}

void TCompleteData::UpdateCommonPrefix(std::string_view s) {
  if (static_cast<int>(s.size()) > Longest) Longest = static_cast<int>(s.size());
  if (!TrackCommonPrefix) return;
  if (CommonPrefixLength == -1) {
    CommonPrefixLength = CharLength(s);
    CommonPrefix.assign(s);
    return;
  }
  const bool chars = CharMode();
  // Walk both texts position by position; a candidate that ends before the
  // prefix does shortens it to its own length.
  std::string_view kept = CommonPrefix;
  size_t i = 0, j = 0;
  for (int n = 0; n < CommonPrefixLength; ++n) {
    if (i >= kept.size() || j >= s.size()) { CommonPrefixLength = n; return; }
    size_t la, lb;
    uint16_t a, b;
    if (chars) {
      a = ansicase::UpperCharAt(kept, i, la);
      b = ansicase::UpperCharAt(s, j, lb);
    } else {
      la = lb = 1;
      a = static_cast<unsigned char>(kept[i]);
      b = static_cast<unsigned char>(s[j]);
      if (a >= 'a' && a <= 'z') a -= 32;
      if (b >= 'a' && b <= 'z') b -= 32;
    }
    if (a != b) { CommonPrefixLength = n; return; }
    i += la;
    j += lb;
  }
}

const std::string& TCandidateRows::operator[](int i) const {
  static const std::string kNone;
  if (i < 0 || static_cast<size_t>(i) >= refs_.size()) return kNone;
  const TRef& r = refs_[static_cast<size_t>(i)];
  const TStringList* source = r.Source < sources_.size() ? sources_[r.Source] : nullptr;
  if (!source || r.Index >= static_cast<uint32_t>(source->Count())) return kNone;
  return (*source)[static_cast<int>(r.Index)];
}

TStringList TCandidateRows::ToStringList() const {
  TStringList out;
  out.Items().reserve(refs_.size());
  for (int i = 0; i < Count(); ++i) out.Add((*this)[i]);
  return out;
}

void TCompleteData::PickSources(std::vector<const TStringList*>& table, std::vector<uint8_t>& picks) const {
  table.clear();
  table.push_back(FolderSource);
  table.push_back(SourceKind == 3 ? nullptr : HistorySource);
  table.insert(table.end(), ExtraSources.begin(), ExtraSources.end());
  picks.clear();
  for (size_t i = 0; i < ListOrder.size(); ++i) {
    size_t pick = static_cast<size_t>(DigitOr(ListOrder[i], 0));
    if (pick >= table.size()) continue;
    if (i < CheckedLists.size() && DigitOr(CheckedLists[i], 1) == 0) continue;
    const TStringList* source = table[pick];
    if (source == nullptr || source->Empty()) continue;
    picks.push_back(static_cast<uint8_t>(pick));
  }
}

void TCompleteData::BuildList() {
  Longest = 0;
  SelectionIndex = -1;
  BestLevel = -1;
  CompletionOffset = 0;
  CommonPrefixLength = -1;

  TCandidateRows out;
  std::vector<uint8_t> picks;
  PickSources(out.sources_, picks);

  // Rows of each level in the order met: groups 3, 2, 1, 0 make the list. The
  // vectors keep their room from build to build.
  auto& groups = groups_;
  for (auto& g : groups) g.clear();
  std::vector<const std::string*> firstRows;  // the rows the duplicate test searches
  size_t rows = 0;
  const size_t limit = DedupeLimit > 0 ? static_cast<size_t>(DedupeLimit) : 0;
  // Every string is scored as MatchLevelOf scores it, the word prepared once.
  match_.UseRomaji = UseRomaji;
  match_.RomajiOnlyUpper = RomajiOnlyUpper;
  match_.Prepare(Word);

  for (uint8_t pick : picks) {
    const std::vector<std::string>& items = out.sources_[pick]->Items();
    for (size_t k = 0; k < items.size(); ++k) {
      const std::string& s = items[k];
      if (s.empty()) continue;
      if (rows < limit) {
        bool seen = false;
        for (const std::string* r : firstRows)
          if (r->size() == s.size() && ansicase::SameText(*r, s)) { seen = true; break; }
        if (seen) continue;
      }
      int level = match_.ScorePrepared(s, MatchMode);
      if (level >= 0 && level <= 3) {
        groups[3 - level].push_back({static_cast<uint32_t>(k), pick, static_cast<int8_t>(level)});
        if (rows < limit) firstRows.push_back(&s);
        ++rows;
        UpdateCommonPrefix(s);
      }
      if (level > BestLevel) BestLevel = level;
    }
  }

  out.refs_.reserve(rows);
  for (auto& g : groups) out.refs_.insert(out.refs_.end(), g.begin(), g.end());
  // Built upward the list is the exact mirror: best rows next to the edit.
  if (Upward) std::reverse(out.refs_.begin(), out.refs_.end());
  list_ = std::move(out);
}

bool TCompleteData::HasCandidates() {
  std::vector<const TStringList*> table;
  std::vector<uint8_t> picks;
  PickSources(table, picks);
  match_.UseRomaji = UseRomaji;
  match_.RomajiOnlyUpper = RomajiOnlyUpper;
  match_.Prepare(Word);
  // The first string that scores is a row: no row before it can be its duplicate.
  for (uint8_t pick : picks)
    for (const std::string& s : *table[pick]) {
      if (s.empty()) continue;
      int level = match_.ScorePrepared(s, MatchMode);
      if (level >= 0 && level <= 3) return true;
    }
  return false;
}

TCandidateRows TCompleteData::TakeRows() {
  if (!list_) BuildList();
  TCandidateRows out = std::move(*list_);
  list_.reset();
  return out;
}

TStringList TCompleteData::GetCandidates() { return TakeRows().ToStringList(); }
