#include "core/Data_Blocks.h"

#include <algorithm>
#include <cstring>

#include "core/Sjis.h"

namespace datablock {

namespace {

uint32_t ReadU32(std::string_view block, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(block[at + static_cast<size_t>(i)]);
  return v;
}

void PutU32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

bool ParseDropFiles(std::string_view block, DropFileNames& out) {
  out = DropFileNames();
  if (block.size() < kDropFilesHeaderSize) return false;
  const uint32_t offset = ReadU32(block, 0);
  out.wide = ReadU32(block, 16) != 0;
  if (offset > block.size()) return false;
  std::string_view rest = block.substr(offset);
  if (!out.wide) {
    for (;;) {
      size_t end = rest.find('\0');
      if (end == std::string_view::npos || end == 0) break;  // cut off, or the closing empty name
      out.names.emplace_back(rest.substr(0, end));
      rest.remove_prefix(end + 1);
    }
  } else {
    size_t pos = 0;
    std::u16string name;
    while (pos + 2 <= rest.size()) {
      char16_t c = static_cast<char16_t>(static_cast<unsigned char>(rest[pos]) |
                                         (static_cast<unsigned char>(rest[pos + 1]) << 8));
      pos += 2;
      if (c != 0) { name.push_back(c); continue; }
      if (name.empty()) break;
      out.wideNames.push_back(std::move(name));
      name.clear();
    }
  }
  return true;
}

std::string BuildDropFiles(const std::vector<std::string>& paths) {
  std::string out;
  PutU32(out, static_cast<uint32_t>(kDropFilesHeaderSize));
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 0xFFFFFFFFu);
  PutU32(out, 0);
  for (const std::string& p : paths) {
    // A name cannot hold a zero byte, and an empty one would end the list:
    // cutting at the zero keeps every later name readable.
    size_t len = std::strlen(p.c_str());
    if (len == 0) continue;
    out.append(p.c_str(), len);
    out.push_back('\0');
  }
  out.push_back('\0');
  return out;
}

std::string TextUpToNul(std::string_view block) {
  size_t end = block.find('\0');
  return std::string(end == std::string_view::npos ? block : block.substr(0, end));
}

std::u16string WideTextUpToNul(std::string_view block) {
  std::u16string out;
  for (size_t i = 0; i + 1 < block.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(static_cast<unsigned char>(block[i]) |
                                             (static_cast<unsigned char>(block[i + 1]) << 8));
    if (c == 0) break;
    out.push_back(c);
  }
  return out;
}

bool FirstDescriptorName(std::string_view block, std::string& name) {
  name.clear();
  if (block.size() < 4 + kFileDescriptorSize || ReadU32(block, 0) < 1) return false;
  name = TextUpToNul(block.substr(4 + kFileDescriptorNameOffset, kFileDescriptorSize - kFileDescriptorNameOffset));
  return true;
}

std::string FileContentsAddress(std::string_view block) {
  // "[InternetShortcut]" CR LF "URL=": the address is what follows.
  constexpr size_t kAddressStart = 24;
  constexpr size_t kMaxCharacters = 250;
  if (block.size() <= kAddressStart) return std::string();
  std::string_view rest = block.substr(kAddressStart);
  // These bytes are never part of a double-byte character.
  rest = rest.substr(0, std::min(rest.find_first_of(std::string_view("\0\r\n", 3)), rest.size()));
  size_t end = 0;
  for (size_t n = 0; end < rest.size() && n < kMaxCharacters; ++n) end = sjis::NextPos(rest, end);
  return std::string(rest.substr(0, end));
}

std::string InternetShortcutAddress(std::string_view fileText) {
  bool inSection = false;
  for (const std::string& line : sjis::SplitLines(fileText)) {
    if (!inSection) {
      inSection = sjis::EqualsIgnoreCase(line, "[InternetShortcut]");
      continue;
    }
    if (sjis::StartsWithChar(line, '[')) return std::string();
    if (sjis::StartsWithIgnoreCase(line, "URL=")) return line.substr(4);
  }
  return std::string();
}

std::string InternetShortcutText(std::string_view address) {
  return "[InternetShortcut]\r\nURL=" + std::string(address) + "\r\n";
}

std::string InternetShortcutFileName(std::string_view address) {
  static constexpr std::string_view kReplaced = "!\\/:,;<>*?\" |%";
  std::string out;
  out.reserve(address.size() + 4);
  for (size_t i = 0; i < address.size(); ++i) {
    const unsigned char b = static_cast<unsigned char>(address[i]);
    if (sjis::IsLeadByte(b)) {
      // A lead byte without a proper second byte is no character: the byte
      // after it (perhaps a "/" or "\\") must not slip into the name unreplaced.
      const unsigned char t = i + 1 < address.size() ? static_cast<unsigned char>(address[i + 1]) : 0;
      if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) {
        out.append(address.substr(i, 2));
        ++i;
      } else {
        out.push_back('-');
      }
      continue;
    }
    out.push_back(kReplaced.find(static_cast<char>(b)) != std::string_view::npos ? '-' : static_cast<char>(b));
  }
  return out + ".url";
}

}  // namespace datablock
