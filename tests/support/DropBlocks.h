// Blocks that other programs hand over in a drag, made byte by byte for
// tests: a file group descriptor (FILEGROUPDESCRIPTORA) and the contents of
// an internet shortcut.
#pragma once

#include <cstdint>
#include <string>

#include "core/Data_Blocks.h"

// A descriptor block with the given count and one descriptor holding name
// (the rest zero), cut to size bytes when size is given.
inline std::string FileGroupDescriptorBlock(uint32_t count, const std::string& name, size_t size = std::string::npos) {
  std::string block(4 + datablock::kFileDescriptorSize, '\0');
  for (int i = 0; i < 4; ++i) block[static_cast<size_t>(i)] = static_cast<char>((count >> (8 * i)) & 0xFF);
  block.replace(4 + datablock::kFileDescriptorNameOffset, name.size(), name);
  return size == std::string::npos ? block : block.substr(0, size);
}
