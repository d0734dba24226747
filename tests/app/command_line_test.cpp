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

// The station options and their files come out of the line before the
// search for "-a", "-n" and "-r" runs over what is left.
struct CStationRow {
  const wchar_t* m_line;
  const wchar_t* m_setup;  // null: no "/setup"
  const wchar_t* m_log;    // null: no "/log"
  bool m_named, m_chooseAny, m_reset;
};

const CStationRow kStationRows[] = {
    {L"/setup C:\\data-acq\\run-3.scpi", L"C:\\data-acq\\run-3.scpi", nullptr, false, false, false},
    {L"-LOG C:\\logs\\first-run.txt -a gpib0::9::instr", nullptr, L"C:\\logs\\first-run.txt",
     true, false, false},
    {L"/Setup \"C:\\My Setups\\-n test.scpi\" /r", L"C:\\My Setups\\-n test.scpi", nullptr,
     false, false, true},
    {L"-n /log   \"d:\\a b\\-r.txt\" -setup x-a.scpi", L"x-a.scpi", L"d:\\a b\\-r.txt", false, true,
     false},
    {L"/log", nullptr, L"", false, false, false},
    {L"/setup \"unclosed -r name", L"unclosed -r name", nullptr, false, false, false},
    {L"/setups x-r", nullptr, nullptr, false, false, true},
    {L"x/log -n", nullptr, nullptr, false, true, false},
};

std::optional<std::wstring> FileOf(const wchar_t* name) {
  if (name == nullptr) return std::nullopt;
  return std::wstring(name);
}

TEST(CommandLine, StationOptionsAreTakenOutBeforeTheOptionSearch) {
  for (const CStationRow& row : kStationRows) {
    CStationOptions options = TakeStationOptions(row.m_line);
    std::wstring line = row.m_line;
    SCOPED_TRACE(std::string(line.begin(), line.end()));
    EXPECT_EQ(options.m_setupFile, FileOf(row.m_setup));
    EXPECT_EQ(options.m_logFile, FileOf(row.m_log));
    CCommandLine rest(std::string(options.m_rest.begin(), options.m_rest.end()));
    EXPECT_EQ(rest.m_named, row.m_named);
    EXPECT_EQ(rest.m_chooseAny, row.m_chooseAny);
    EXPECT_EQ(rest.m_reset, row.m_reset);
  }
}

TEST(CommandLine, ArgumentsFollowTheProgramName) {
  EXPECT_EQ(ArgumentsOf(L"\"C:\\Program Files\\TG\\sfp.exe\" /log x"), L"/log x");
  EXPECT_EQ(ArgumentsOf(L"sfp.exe   -r"), L"-r");
  EXPECT_EQ(ArgumentsOf(L"sfp.exe"), L"");
}

}  // namespace
