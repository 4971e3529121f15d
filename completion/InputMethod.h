// The input method as the romaji matcher needs it: four operations over the
// platform's reading and candidate functions, so that romaji matching can be
// built and tested without the platform. The system one is the IMM32 input
// method of the current keyboard layout (a do-nothing one on the host); tests
// and the benchmark use the scripted fake of InputMethodFake.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Conversion-mode bit of the input method: it converts romaji itself.
inline constexpr unsigned kImeModeRoman = 0x10;

struct TImeReading {
  std::string Reading;                 // the reading of the converted text
  std::vector<uint32_t> ClauseOffsets; // byte offsets into Reading, as the input method gives them
};

class IInputMethod {
 public:
  virtual ~IInputMethod() = default;
  // The conversion mode bits; false when the query fails.
  virtual bool QueryConversionMode(unsigned& mode) = 0;
  // File name of the input method of the keyboard layout (empty when none).
  virtual std::string ImeFileName() = 0;
  // Opens a conversion of text and returns its reading and clause offsets.
  virtual TImeReading Convert(std::string_view text) = 0;
  // The conversion candidates of one reading clause, in the input method's order
  // (only between Convert and EndConversion).
  virtual std::vector<std::string> ClauseCandidates(std::string_view clause) = 0;
  // Clears the composition and closes the conversion opened by Convert.
  virtual void EndConversion() = 0;
  // Whether the input context of a window (an HWND) is open, converting what
  // is typed; and opening or closing it. Without a platform: never open.
  virtual bool IsOpen(std::uintptr_t window) { (void)window; return false; }
  virtual void SetOpen(std::uintptr_t window, bool open) { (void)window, (void)open; }
};

// The platform's input method (IMM32 in the Windows build; nothing on the host).
std::unique_ptr<IInputMethod> CreateSystemInputMethod();

// The strings of a candidate list as the platform lays it out (six 32-bit
// header fields dwSize, dwStyle, dwCount, dwSelection, dwPageStart, dwPageSize,
// then dwCount 32-bit offsets from the list's start, each to a NUL-terminated
// string). Each string is read at its own offset; nothing is read past size
// bytes: an offset outside the buffer gives no string and a missing NUL ends a
// string at the buffer's end.
std::vector<std::string> ReadCandidateStrings(const unsigned char* buffer, size_t size);
