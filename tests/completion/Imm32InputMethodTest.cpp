// The IMM32 input method under a system whose input method may give nothing
// (Wine gives no reading and no candidates): every call must still succeed.
#include <windows.h>

#include <gtest/gtest.h>

#include "completion/InputMethod.h"
#include "completion/InputMethodFake.h"
#include "completion/Romaji_Match.h"
#include "completion/String_Match.h"

namespace {

TEST(Imm32InputMethod, EveryOperationCopesWithAnEmptyInputMethod) {
  auto ime = CreateSystemInputMethod();
  unsigned mode = 0;
  ime->QueryConversionMode(mode);
  std::string name = ime->ImeFileName();
  EXPECT_EQ(name.find('\0'), std::string::npos);
  TImeReading r = ime->Convert("keisan");
  // Whatever came back, the clauses can be asked for and the conversion closed.
  for (size_t k = 0; k + 1 < r.ClauseOffsets.size(); ++k) ime->ClauseCandidates("けいさん");
  ime->ClauseCandidates("けいさん");
  ime->ClauseCandidates("");
  ime->EndConversion();
  // A second round on the same private context.
  ime->Convert("");
  ime->EndConversion();
}

TEST(Imm32InputMethod, RomajiScoringThroughTheSystemInputMethod) {
  SetRomajiInputMethod(CreateSystemInputMethod());
  TStringMatch m;
  m.UseRomaji = true;
  for (int mode = 0; mode <= 3; ++mode) {
    int level = m.Match("計算機", "keisan", mode);
    EXPECT_GE(level, -1);
    EXPECT_LE(level, 1);
  }
  // The plain levels are untouched by whatever the input method says.
  EXPECT_EQ(m.Match("keisan.exe", "keisan", 2), 2);
  EXPECT_EQ(m.Match("KEISAN", "keisan", 3), 3);
  SetRomajiInputMethod(std::make_unique<TFakeInputMethod>());
}

TEST(Imm32InputMethod, SingletonStartsOnTheSystemInputMethod) {
  // Created on first use when nothing was set; scoring must not fail.
  int level = RomajiMatchLevel("計算", "keisan", 0);
  EXPECT_GE(level, -1);
  EXPECT_LE(level, 3);
}

}  // namespace
