// The IMM32 input method: a private input context, created on first use and
// destroyed with the object, on the keyboard layout current at creation.
#include <windows.h>
#include <imm.h>

#include <cstring>

#include "completion/InputMethod.h"

namespace {

// Sizes the input method reports are trusted only this far.
constexpr LONG kMaxReading = 64 * 1024;
constexpr DWORD kMaxCandidateList = 1024 * 1024;

class TImm32InputMethod : public IInputMethod {
 public:
  TImm32InputMethod() : layout_(GetKeyboardLayout(0)) {}
  ~TImm32InputMethod() override {
    if (context_) ImmDestroyContext(context_);
  }
  TImm32InputMethod(const TImm32InputMethod&) = delete;
  TImm32InputMethod& operator=(const TImm32InputMethod&) = delete;

  bool QueryConversionMode(unsigned& mode) override {
    DWORD conversion = 0, sentence = 0;
    BOOL ok = ImmGetConversionStatus(GetContext(), &conversion, &sentence);
    mode = conversion;
    return ok != FALSE;
  }

  std::string ImeFileName() override {
    // Size first (bytes without the terminating zero), then the name.
    UINT n = ImmGetIMEFileNameA(layout_, nullptr, 0);
    if (n == 0 || n > 4 * MAX_PATH) return {};
    std::string name(n + 1, '\0');
    UINT got = ImmGetIMEFileNameA(layout_, name.data(), n + 1);
    name.resize(got < n ? got : n);
    return name.substr(0, name.find('\0'));
  }

  TImeReading Convert(std::string_view text) override {
    HIMC ctx = GetContext();
    ImmSetOpenStatus(ctx, TRUE);
    ImmSetCompositionStringA(ctx, SCS_SETSTR, const_cast<char*>(text.data()), static_cast<DWORD>(text.size()), nullptr, 0);
    ImmNotifyIME(ctx, NI_COMPOSITIONSTR, CPS_CONVERT, 0);
    TImeReading r;
    r.Reading = ReadComposition(ctx, GCS_COMPREADSTR);
    std::string clauses = ReadComposition(ctx, GCS_COMPREADCLAUSE);
    r.ClauseOffsets.resize(clauses.size() / 4);
    for (size_t i = 0; i < r.ClauseOffsets.size(); ++i)
      std::memcpy(&r.ClauseOffsets[i], clauses.data() + 4 * i, 4);
    return r;
  }

  std::vector<std::string> ClauseCandidates(std::string_view clause) override {
    HIMC ctx = GetContext();
    ImmSetCompositionStringA(ctx, SCS_SETSTR, const_cast<char*>(clause.data()), static_cast<DWORD>(clause.size()), nullptr, 0);
    ImmNotifyIME(ctx, NI_COMPOSITIONSTR, CPS_CONVERT, 0);
    ImmNotifyIME(ctx, NI_OPENCANDIDATE, 0, 0);
    DWORD lists = 0;
    ImmGetCandidateListCountA(ctx, &lists);
    std::vector<std::string> out;
    DWORD size = ImmGetCandidateListA(ctx, 0, nullptr, 0);
    if (size != 0) {
      if (size <= kMaxCandidateList) {
        // DWORD storage keeps the list aligned as the platform writes it.
        std::vector<DWORD> buffer((size + 3) / 4, 0);
        DWORD got = ImmGetCandidateListA(ctx, 0, reinterpret_cast<CANDIDATELIST*>(buffer.data()), size);
        if (got > 0) out = ReadCandidateStrings(reinterpret_cast<const unsigned char*>(buffer.data()), got < size ? got : size);
      }
      ImmSetCompositionStringA(ctx, SCS_SETSTR, nullptr, 0, nullptr, 0);
    }
    return out;
  }

  bool IsOpen(std::uintptr_t window) override {
    HWND w = reinterpret_cast<HWND>(window);
    HIMC ctx = ImmGetContext(w);
    if (!ctx) return false;
    const bool open = ImmGetOpenStatus(ctx) != FALSE;
    ImmReleaseContext(w, ctx);
    return open;
  }

  void SetOpen(std::uintptr_t window, bool open) override {
    HWND w = reinterpret_cast<HWND>(window);
    if (HIMC ctx = ImmGetContext(w)) {
      ImmSetOpenStatus(ctx, open ? TRUE : FALSE);
      ImmReleaseContext(w, ctx);
    }
  }

  void EndConversion() override {
    HIMC ctx = GetContext();
    ImmSetCompositionStringA(ctx, SCS_SETSTR, nullptr, 0, nullptr, 0);
    ImmSetOpenStatus(ctx, FALSE);
    ImmReleaseContext(nullptr, ctx);
  }

 private:
  HIMC GetContext() {
    if (!context_) context_ = ImmCreateContext();
    return context_;
  }

  // A composition value: size first, then the bytes. A negative answer (no data,
  // an error) or an implausible size gives nothing.
  static std::string ReadComposition(HIMC ctx, DWORD index) {
    LONG n = ImmGetCompositionStringA(ctx, index, nullptr, 0);
    if (n <= 0 || n > kMaxReading) return {};
    std::string buf(static_cast<size_t>(n), '\0');
    LONG got = ImmGetCompositionStringA(ctx, index, buf.data(), static_cast<DWORD>(n));
    if (got <= 0) return {};
    buf.resize(got < n ? static_cast<size_t>(got) : static_cast<size_t>(n));
    return buf;
  }

  HKL layout_;
  HIMC context_ = nullptr;
};

}  // namespace

std::unique_ptr<IInputMethod> CreateSystemInputMethod() { return std::make_unique<TImm32InputMethod>(); }
