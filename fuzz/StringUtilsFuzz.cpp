// Arbitrary bytes (broken Shift-JIS included) through the string utilities,
// the command-line split and the log formatter; checks what must always hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/OSUtils.h"
#include "core/Params.h"
#include "core/String_Formater.h"
#include "core/StringUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const char delim = static_cast<char>(data[0]);
  const char quote = static_cast<char>(data[1]);
  const bool mode = data[2] & 1;
  std::string text(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::string d(1, delim);

  SetCharMode(mode);
  // Without a quote the parts join back into the text.
  TStringList parts = SplitStringEx(text, d, '\0', false);
  std::string joined;
  for (int i = 0; i < parts.Count(); ++i) joined += (i ? d : "") + parts[i];
  if (joined != text) __builtin_trap();
  // Keeping the quotes loses nothing either.
  TStringList kept = SplitStringEx(text, d, quote, true);
  joined.clear();
  for (int i = 0; i < kept.Count(); ++i) joined += (i ? d : "") + kept[i];
  if (joined != text) __builtin_trap();
  SplitStringEx(text, d, quote, false);

  SplitToArray(text, d, 0);
  SplitToArray(text, d, 1);
  DeleteLastToken(text, d, true);
  DeleteLastToken(text, d, false);
  GetFirstToken(text, d, true);
  GetLastToken(text, d, false);
  LastCharPos(text, delim);

  const int n = CharLength(text);
  const int at = static_cast<int>(data[2] >> 1) % (n + 2);
  const std::string head = CharCopy(text, 1, at), tail = CharCopy(text, at + 1, n);
  std::string cut = text;
  CharDelete(cut, 1, at);
  if (at >= 1 && at <= n && cut != tail) __builtin_trap();
  if (at >= 1 && head + tail != text) __builtin_trap();

  SplitCommandLine(text);
  FormatVersionString(text);
  GetCommaInt(text, 0, at);
  SetCommaInt(text, at, at % 8);

  TStringFormater f;
  f.LineNumbers = mode;
  f.Write(text).Indent().Write(text).Unindent().NewLine();
  return 0;
}
