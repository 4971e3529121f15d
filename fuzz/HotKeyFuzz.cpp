// Reads arbitrary bytes as hotkey texts and as ShortCut.txt lines: every text
// that reads as a combination must be written back as a text that reads the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/HotKeyUtils.h"
#include "core/HotKey_List.h"
#include "core/HotKey_Loader_File.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  for (bool alone : {false, true}) {
    THotKey k = TextToHotKey(text, alone);
    std::string written = HotKeyToText(k.Modifiers, k.Key, true);
    if (written != kNoHotKeyText && !(TextToHotKey(written, true) == k)) __builtin_trap();
  }
  HotKeyWordToText(TextToHotKeyWord(text));
  HotKeyToShortCut(static_cast<uint8_t>(size), static_cast<int>(size) - 5);

  THotKeyList list;
  THotKeyLoaderFile::TextToList(text, list);
  std::string saved = THotKeyLoaderFile::ListToText(list);
  THotKeyList back;
  THotKeyLoaderFile::TextToList(saved, back);
  if (back.GetCount() != list.GetCount()) __builtin_trap();  // one item a line, none lost
  for (int i = 0; i < back.GetCount(); ++i) {
    if (back.GetItem(i).GetModifiers() > 15) __builtin_trap();
    back.GetItem(i).GetHotKeyText();
  }
  return 0;
}
