// The on-disk forms of the keyword store, kept apart from the store itself so
// that they can be tested (and fuzzed) on the host: group file names, the item
// lines of a group file, the identifier list IDList.txt, and the plain splitter
// that stored commands are cut into tokens with. Pure logic: no Windows header.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/StringIni.h"
#include "core/StringList.h"

// One item of a group: its stored name and its item data (may be absent).
struct TKeyWordEntry {
  std::string Name;
  std::unique_ptr<TStringIni> Data;
};

// A group list: the items of one group in priority order (index 0 on top). The
// list owns the item data; item data never moves in memory while its entry
// lives, so views may point at it.
class TKeyWordGroupList {
 public:
  std::vector<TKeyWordEntry> Items;

  int Count() const { return static_cast<int>(Items.size()); }
  // Index of the name ignoring case; -1 when absent.
  int IndexOf(std::string_view name) const;
  // Inserts at the index (clamped to the list) and returns the data.
  TStringIni* Insert(int index, std::string name, std::unique_ptr<TStringIni> data);
  // Removes the entry and hands its data to the caller.
  std::unique_ptr<TStringIni> Extract(int index);
  void Move(int from, int to);
};

namespace kwfile {

// Items folder (ending in "\") + "%" + the group path with "/" as "%" + ".vane".
std::string GroupFileName(const std::string& itemsFolder, std::string_view groupPath);
// The group path a group file's bare name stands for ("%a%b.vane" -> "a/b");
// empty when the name does not have that form.
std::string GroupPathFromFileName(std::string_view fileName);

// Fields of one item line. Blanks, TABs and control characters separate fields;
// a field in double quotes may hold them, a doubled quote standing for one. A
// NUL byte ends the line.
std::vector<std::string> SplitItemLine(std::string_view line);
// A field as it is written: in double quotes (inner quotes doubled) when it
// holds a blank, a control character, a double quote or nothing at all.
std::string QuoteItemField(std::string_view field);
// Name, TAB, then every data line as a field, TAB-separated.
std::string BuildItemLine(std::string_view name, const TStringList& dataLines);

// A whole group file into a group list (lines of fewer than two fields are
// dropped), and back (entries without data are not written). Lines end with CR
// LF when written; CR LF, CR or LF end a line when read.
void ParseGroupText(std::string_view text, TKeyWordGroupList& out);
std::string BuildGroupText(const TKeyWordGroupList& list);

// IDList.txt: the first line is the last identifier issued, every further line
// "<id>=<keyword path>". lastId is -1 when the first line is no integer (that
// line is then kept as an entry, so nothing is lost), and never below the
// largest identifier listed, so an identifier is never issued twice.
void ParseIdListText(std::string_view text, int& lastId, TStringList& entries);
std::string BuildIdListText(int lastId, const TStringList& entries);
// Identifier and path of one entry; false when the line is no "<integer>=..." entry.
bool SplitIdEntry(std::string_view line, int& id, std::string& path);

// Cuts at every delimiter, without quote grouping: a text without delimiter
// is one part, two delimiters in a row give an empty part, a delimiter at the
// end gives an empty last part. Double-byte aware.
std::vector<std::string> SplitKeepEmpty(std::string_view text, char delimiter);

}  // namespace kwfile
