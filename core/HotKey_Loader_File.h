// ShortCut.txt: one hotkey a line, "name TAB modifiers TAB key TAB class id",
// numbers in decimal, Shift-JIS, CR LF. Lines read in the delimited-text manner
// (any run of blanks and control characters separates fields, double quotes
// group), ending in CR LF, CR or LF. No line is ever rejected.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/HotKey_List.h"

class THotKeyLoaderFile : public THotKeyLoader {
 public:
  // A missing file loads as an empty list.
  bool LoadFromFile(const std::string& fileName, THotKeyList& list) override;
  bool LoadFromStream(std::istream* stream, THotKeyList& list) override;
  // Creates missing folders and replaces the file safely; false, the old file
  // left whole, when the folder or the file cannot be written.
  bool SaveToFile(const std::string& fileName, const THotKeyList& list) override;
  bool SaveToStream(std::ostream* stream, const THotKeyList& list) override;

  static std::string ItemToLine(const THotKeyItem& item);
  static std::unique_ptr<THotKeyItem> LineToItem(std::string_view line);
  static std::string ListToText(const THotKeyList& list);
  static void TextToList(std::string_view text, THotKeyList& list);
};
