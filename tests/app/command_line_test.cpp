#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLine, NoOptions) {
  CCommandLine line("");
  EXPECT_FALSE(line.m_named);
  EXPECT_FALSE(line.m_chooseAny);
  EXPECT_FALSE(line.m_reset);
  EXPECT_EQ(line.m_resourceName, "");
}

TEST(CommandLine, ResetInEverySpellingAndAnywhere) {
  for (const char* text : {"/R", "-R", "/r", "-r", "xx-ryy", "-a gpib0::9::-Rinstr"})
    EXPECT_TRUE(CCommandLine(text).m_reset) << text;
  EXPECT_FALSE(CCommandLine("r").m_reset);
  EXPECT_FALSE(CCommandLine("- r").m_reset);
}

TEST(CommandLine, ChooseInEverySpelling) {
  for (const char* text : {"/N", "-N", "/n", "-n", "abc/nd"})
    EXPECT_TRUE(CCommandLine(text).m_chooseAny) << text;
  EXPECT_FALSE(CCommandLine("-m").m_chooseAny);
}

TEST(CommandLine, NamedResourceIsTheNextWordInUpperCase) {
  CCommandLine line("-a    gpib-vxi0::8::instr -r");
  EXPECT_TRUE(line.m_named);
  EXPECT_EQ(line.m_resourceName, "GPIB-VXI0::8::INSTR");
  EXPECT_TRUE(line.m_reset);
}

TEST(CommandLine, SlashFormWinsOverAnEarlierDash) {
  CCommandLine line("-a first /A second");
  EXPECT_EQ(line.m_resourceName, "SECOND");
  // Without "/a" the first "-a" counts.
  EXPECT_EQ(CCommandLine("-a one -a two").m_resourceName, "ONE");
}

TEST(CommandLine, NameOptionLastGivesAnEmptyName) {
  CCommandLine line("-n -a");
  EXPECT_TRUE(line.m_named);
  EXPECT_EQ(line.m_resourceName, "");
  EXPECT_EQ(CCommandLine("-a    ").m_resourceName, "");
}

TEST(CommandLine, OnlyBlanksSeparateTheWord) {
  // A tab is part of the word; the word ends at a space.
  EXPECT_EQ(CCommandLine("-aVXI0::3::INSTR rest").m_resourceName, "VXI0::3::INSTR");
  EXPECT_EQ(CCommandLine("-a\tx y").m_resourceName, "\tX");
}

TEST(CommandLine, AnyTextAtAllIsAccepted) {
  std::string longLine(100000, 'x');
  longLine += " -a name";
  EXPECT_EQ(CCommandLine(longLine).m_resourceName, "NAME");
  std::string odd = "\x01\xff\x80 -\xe9 /\"'%s%n";
  CCommandLine line(odd);
  EXPECT_FALSE(line.m_named || line.m_chooseAny || line.m_reset);
}

}  // namespace
