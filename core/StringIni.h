// Text store: an ordered list of name=value lines in a plain Shift-JIS file, the
// one persistent text format of both programs (settings, run options, keyword
// data, requests). Names ignore case, the first "=" splits, the first line of a
// name wins. Values are escaped on write and unescaped on read. Loading and
// saving never raise and never report.
#pragma once

#include <string>
#include <string_view>

#include "core/StringList.h"

class TStringIni {
 public:
  TStringList Lines;

  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName) const;
  // The program's own file with its extension changed to ".ini".
  void LoadFromExeIni();
  void SaveToExeIni() const;

  bool DeleteKey(std::string_view name);
  bool ValueExists(std::string_view name) const;
  std::string GetName(int index) const;

  std::string ReadString(std::string_view name, std::string_view def) const;
  int ReadInteger(std::string_view name, int def) const;
  bool ReadBool(std::string_view name, bool def) const;
  void WriteString(std::string_view name, std::string_view value);
  void WriteInteger(std::string_view name, int value);
  void WriteBool(std::string_view name, bool value);

  // Makes the whole text the store's lines, escaping backslash, TAB and blank
  // (line breaks kept); returns the escaped text. An empty text changes nothing.
  std::string SetText(std::string_view text);
  // Index of the first line that begins with name followed by "="; -1 if none.
  int IndexOfKey(std::string_view name) const;

  static std::string EscapeValue(std::string_view value);
  static std::string UnescapeValue(std::string_view stored);
};
