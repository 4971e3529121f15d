// Byte layouts of the data that the programs exchange with other programs by
// drag and drop: the file list block (DROPFILES), zero-ended text, internet
// shortcut files (".url"). Every reader takes the whole block as it was
// received, so nothing can read past it, whatever its header or terminators
// claim. Pure logic: no Windows header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace datablock {

// Size of the DROPFILES header: names offset, drop point x and y, non-client
// flag, wide flag, each 32 bits.
inline constexpr size_t kDropFilesHeaderSize = 20;

// Names found in a file list block. Exactly one of the two lists is used, as
// the block's wide flag says.
struct DropFileNames {
  bool wide = false;
  std::vector<std::string> names;         // single-byte (ANSI) names
  std::vector<std::u16string> wideNames;  // 16-bit names
};

// Reads a file list block. Names start at the header's offset and end at the
// first empty name; a name cut off by the end of the block is not taken. False
// (no names) when the block is too small for its header or the offset points
// outside the block.
bool ParseDropFiles(std::string_view block, DropFileNames& out);

// The block as the launcher writes it: offset 20, point (0, 0), non-client flag
// -1, single-byte names each ended by a zero byte, one more zero byte.
std::string BuildDropFiles(const std::vector<std::string>& paths);

// Text up to the block's first zero byte, or the whole block when it has none.
std::string TextUpToNul(std::string_view block);

// 16-bit text up to the block's first zero character, or the whole block
// when it has none (an odd last byte is no character).
std::u16string WideTextUpToNul(std::string_view block);

// Size of one single-byte file descriptor (FILEDESCRIPTORA) in a file group
// descriptor block, after the block's 32-bit count; its name of 260 bytes
// stands at the end.
inline constexpr size_t kFileDescriptorSize = 332;
inline constexpr size_t kFileDescriptorNameOffset = 72;

// Name in the first descriptor of a file group descriptor block
// (FILEGROUPDESCRIPTORA), up to its first zero byte. False (and no name)
// unless the count is at least one and the whole first descriptor is there.
bool FirstDescriptorName(std::string_view block, std::string& name);

// Address in the contents of a dragged internet shortcut: the text after
// "[InternetShortcut]" CR LF "URL=" (from the 25th byte on), up to a zero
// byte or a line end, at most 250 characters. Empty when the block holds
// nothing there.
std::string FileContentsAddress(std::string_view block);

// Address of an internet shortcut file's text: the first line beginning with
// "URL=" after the line "[InternetShortcut]" and before any other section line.
// Empty when there is none.
std::string InternetShortcutAddress(std::string_view fileText);

// Contents of the internet shortcut file written for an address.
std::string InternetShortcutText(std::string_view address);

// File name (no folder) of the internet shortcut written for an address: every
// character that a file name cannot hold, and the few that would make it
// awkward, becomes "-"; then ".url".
std::string InternetShortcutFileName(std::string_view address);

}  // namespace datablock
