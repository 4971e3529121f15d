#include "completion/InputMethod.h"

#include <cstring>

namespace {

uint32_t ReadU32(const unsigned char* p) {
  uint32_t v;
  std::memcpy(&v, p, sizeof v);  // the buffer need not be aligned
  return v;
}

}  // namespace

std::vector<std::string> ReadCandidateStrings(const unsigned char* buffer, size_t size) {
  std::vector<std::string> out;
  constexpr size_t kHeader = 6 * 4;
  if (buffer == nullptr || size < kHeader) return out;
  uint32_t count = ReadU32(buffer + 8);
  // No more entries than the offset table that fits in the buffer.
  size_t fit = (size - kHeader) / 4;
  if (count > fit) count = static_cast<uint32_t>(fit);
  out.reserve(count);
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t off = ReadU32(buffer + kHeader + 4 * size_t(i));
    if (off >= size) continue;
    const unsigned char* s = buffer + off;
    const void* nul = std::memchr(s, 0, size - off);
    size_t len = nul ? static_cast<const unsigned char*>(nul) - s : size - off;
    out.emplace_back(reinterpret_cast<const char*>(s), len);
  }
  return out;
}
