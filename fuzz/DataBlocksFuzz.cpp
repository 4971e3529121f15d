// Reads arbitrary bytes as the blocks other programs hand over by drag and
// drop: a file list, text, file descriptors and contents, an internet shortcut
// file. Nothing may read past
// the bytes given (the sanitizers watch), and a block the launcher writes
// must read back whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Data_Blocks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size heap copy, so that reading one byte past it is caught.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string_view block(bytes);
  datablock::DropFileNames names;
  if (datablock::ParseDropFiles(block, names)) {
    for (const std::string& n : names.names)
      if (n.empty() || n.find('\0') != std::string::npos) __builtin_trap();
    if (!names.wide) {
      datablock::DropFileNames back;
      if (!datablock::ParseDropFiles(datablock::BuildDropFiles(names.names), back) || back.names != names.names)
        __builtin_trap();
    }
  }
  datablock::TextUpToNul(block);
  datablock::WideTextUpToNul(block);
  std::string descriptorName;
  if (datablock::FirstDescriptorName(block, descriptorName) && descriptorName.size() > 260) __builtin_trap();
  std::string contents = datablock::FileContentsAddress(block);
  if (contents.size() > 500 || contents.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) __builtin_trap();
  std::string address = datablock::InternetShortcutAddress(block);
  if (address.find_first_of("\r\n") != std::string::npos) __builtin_trap();
  std::string name = datablock::InternetShortcutFileName(block);
  // These bytes are never the second byte of a double-byte character.
  if (name.find_first_of("/:*?\"<>") != std::string::npos) __builtin_trap();
  return 0;
}
