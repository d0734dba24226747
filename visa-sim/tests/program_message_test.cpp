#include "visa-sim/model/program_message.h"

#include <gtest/gtest.h>

namespace {

using tgqsim::ParameterKind;
using tgqsim::ParseProgramMessage;
using Path = std::vector<std::string>;

TEST(ProgramMessage, CompoundHeadersResolveAgainstThePreviousPath) {
  tgqsim::ParsedMessage m =
      ParseProgramMessage(" AM:DEPT 50 ; INT:FREQ 2;*CLS;FUNC 1;:VOLT:UNIT VPP;:VOLT?");
  ASSERT_FALSE(m.error);
  ASSERT_EQ(m.units.size(), 6u);
  EXPECT_EQ(m.units[0].path, (Path{"AM", "DEPT"}));
  EXPECT_EQ(m.units[1].path, (Path{"AM", "INT", "FREQ"}));
  EXPECT_EQ(m.units[1].header, "INT:FREQ");
  EXPECT_EQ(m.units[2].path, (Path{"*CLS"}));  // common commands leave the path alone
  EXPECT_EQ(m.units[3].path, (Path{"AM", "INT", "FUNC"}));
  EXPECT_EQ(m.units[5].path, (Path{"VOLT"}));
  EXPECT_TRUE(m.units[5].query);
  EXPECT_EQ(m.units[5].header, "VOLT?");
}

TEST(ProgramMessage, ParametersOfEveryKind) {
  tgqsim::ParsedMessage m = ParseProgramMessage("X -1.5e-3 , ttlt3,'it''s',\"a;b\", 2 KHZ");
  ASSERT_FALSE(m.error);
  const std::vector<tgqsim::Parameter>& p = m.units.at(0).params;
  ASSERT_EQ(p.size(), 5u);
  EXPECT_EQ(p[0].kind, ParameterKind::kNumber);
  EXPECT_DOUBLE_EQ(p[0].number, -1.5e-3);
  EXPECT_EQ(p[0].text, "");
  EXPECT_EQ(p[1].kind, ParameterKind::kCharacter);
  EXPECT_EQ(p[1].text, "ttlt3");
  EXPECT_EQ(p[2].kind, ParameterKind::kString);
  EXPECT_EQ(p[2].text, "it's");
  EXPECT_EQ(p[3].text, "a;b");
  EXPECT_DOUBLE_EQ(p[4].number, 2);
  EXPECT_EQ(p[4].text, "KHZ");
}

TEST(ProgramMessage, SyntaxErrorKeepsTheUnitsBeforeIt) {
  for (const char* text : {"FREQ 1;FREQ 1e", "FREQ 1;FREQ ,2", "FREQ 1;FREQ 2,", "FREQ 1;::FREQ",
                           "FREQ 1;FREQ 'x", "FREQ 1;FREQ\x01", "FREQ 1;:*RST", "FREQ 1;FREQ -"}) {
    tgqsim::ParsedMessage m = ParseProgramMessage(text);
    ASSERT_TRUE(m.error) << text;
    EXPECT_EQ(m.error->code, -102) << text;
    EXPECT_EQ(m.units.size(), 1u) << text;
  }
  EXPECT_FALSE(ParseProgramMessage("FREQ 1;").error);
  EXPECT_FALSE(ParseProgramMessage("").error);
}

TEST(ProgramMessage, HeadersAsFaultRulesNameThem) {
  EXPECT_EQ(tgqsim::MessageHeaders("volt:unit VPP;:Volt?"), (Path{"VOLT:UNIT", "VOLT?"}));
  EXPECT_EQ(tgqsim::MessageHeaders("*idn?"), (Path{"*IDN?"}));
  EXPECT_EQ(tgqsim::MessageHeaders("FREQ 1 2;VOLT?"), (Path{}));
}

}  // namespace
