// Loads arbitrary bytes as a text store and reads, writes and re-reads it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/StringIni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TStringIni ini;
  ini.Lines.SetText(text);
  for (int i = 0; i < ini.Lines.Count() && i < 64; ++i) {
    std::string name = ini.Lines.Name(i);
    std::string value = ini.ReadString(name, "d");
    ini.ReadInteger(name, 1);
    TStringIni copy;
    copy.WriteString("K", value);
    // A written value must read back whole, as one line.
    TStringIni back;
    back.Lines.SetText(copy.Lines.GetText());
    if (!value.empty() && back.Lines.Count() != 1) __builtin_trap();
  }
  ini.SetText(text);
  ini.IndexOfKey(text.substr(0, 8));
  TStringList l;
  l.SetCommaText(text);
  l.GetCommaText();
  return 0;
}
