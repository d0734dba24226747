#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "instrument/instrument.h"
#include "instrument/setting_text.h"
#include "instrument/setup_file.h"
#include "instrument/tests/random_setup.h"

namespace {

const CSetupOrigin kOrigin{"2026-12-08T15:17:08Z", "A.01.01", "GPIB-VXI0::24::INSTR"};

// The settings' commands in recall order, at their power-on values.
const char kDefaultCommands[] =
    "AM:STAT OFF\r\nFM:STAT OFF\r\nSWE:STAT OFF\r\nBM:STAT OFF\r\nFSK:STAT OFF\r\n"
    "FUNC SIN\r\nOUTP:LOAD 50\r\nFUNC:USER SINC\r\n"
    "FREQ 1000\r\nVOLT:UNIT VPP;:VOLT 0.1\r\nVOLT:OFFS 0\r\nPULS:DCYC 50\r\n"
    "AM:SOUR BOTH\r\nFM:INT:FUNC SIN\r\nAM:INT:FUNC SIN\r\nFM:INT:FREQ 100\r\nAM:INT:FREQ 100\r\n"
    "FM:DEV 100\r\nAM:DEPT 100\r\nSWE:TIME 1\r\nFREQ:STAR 100\r\nFREQ:STOP 1000\r\nSWE:SPAC LIN\r\n"
    "TRIG:SOUR IMM\r\nBM:SOUR INT\r\nBM:NCYC 1\r\nBM:PHAS 0\r\nBM:INT:RATE 100\r\nTRIG:SLOP POS\r\n"
    "FSK:FREQ 100\r\nFSK:SOUR INT\r\nFSK:INT:RATE 10\r\n";

TEST(SetupFile, WritesTheCommentsThenEverySettingInRecallOrder) {
  CInstrument instrument;
  EXPECT_EQ(WriteSetup(instrument, kOrigin),
            std::string("# TG Q3207 setup\r\n# saved 2026-12-08T15:17:08Z\r\n# program tgq3207sfp A.01.01\r\n"
                        "# instrument GPIB-VXI0::24::INSTR\r\n") +
                kDefaultCommands);
  EXPECT_NE(WriteSetup(instrument, {"t", "v", ""}).find("# instrument non-live\r\n"), std::string::npos);
}

// The mode that is on comes last; values take their shortest exact form.
TEST(SetupFile, TheModeThatIsOnComesLastAndValuesKeepTheirWords) {
  CInstrument instrument;
  instrument.SetFmState(1);
  instrument.SetFreq(2.5e6);
  instrument.SetAmpl(0.1 + 0.2);
  instrument.SetTrigSource(10);
  instrument.SetBmCount(0);
  instrument.SetLoad(0);
  std::string text = WriteSetup(instrument, kOrigin);
  EXPECT_EQ(text.substr(text.size() - 12), "FM:STAT ON\r\n");
  for (const char* line : {"\nFREQ 2500000\r", "\nVOLT:UNIT VPP;:VOLT 0.30000000000000004\r",
                           "\nTRIG:SOUR TTLT7\r", "\nBM:NCYC INF\r", "\nOUTP:LOAD INF\r"})
    EXPECT_NE(text.find(line), std::string::npos) << line;
}

// What a file holds comes back whole, whatever the line ends, a UTF-8 mark,
// blanks, comments or the case of the headers.
TEST(SetupFile, ReadsBackWhatItWrote) {
  std::mt19937 random(3207);
  for (int round = 0; round < 50; ++round) {
    CInstrument saved;
    for (const CSetupStep& step : RandomValidSetup(random)) step.m_row->m_set(saved, step.m_value);
    std::string text = WriteSetup(saved, kOrigin);
    if (round % 2) text = "\xEF\xBB\xBF  # edited by hand\n\n" + text;
    CSetupReading reading = ReadSetup(text);
    ASSERT_TRUE(reading.Ok()) << RefusalText(reading);
    CInstrument recalled;
    recalled.SetAmState(1);
    for (const CSetupStep& step : reading.m_steps) step.m_row->m_set(recalled, step.m_value);
    for (size_t i = 0; i < kSettingCount; ++i)
      EXPECT_EQ(kSettingTable[i].m_remembered(recalled), kSettingTable[i].m_remembered(saved))
          << kSettingTable[i].m_header;
  }
  CSetupReading partial = ReadSetup("fm:stat on\nfreq\t 3e3 \nam:stat OFF\n");
  ASSERT_TRUE(partial.Ok()) << RefusalText(partial);
  ASSERT_EQ(partial.m_steps.size(), 3u);
  EXPECT_STREQ(partial.m_steps[0].m_row->m_header, "AM:STAT");
  EXPECT_STREQ(partial.m_steps[1].m_row->m_header, "FREQ");
  EXPECT_EQ(partial.m_steps[1].m_value.m_number, 3000);
  EXPECT_EQ(partial.m_steps[1].m_line, 2);
  EXPECT_STREQ(partial.m_steps[2].m_row->m_header, "FM:STAT");
}

struct CBadFile {
  const char* m_name;
  std::string m_bytes;
  std::string m_refusal;
};

TEST(SetupFile, RefusesABadFileWithItsLine) {
  const std::string head = "# TG Q3207 setup\r\nFUNC SIN\r\n";
  const CBadFile files[] = {
      {"empty", "", "line 1: the file holds no setting"},
      {"comments only", "# TG Q3207 setup\r\n\r\n", "line 2: the file holds no setting"},
      {"binary", head + std::string("\x7f" "ELF\x02\x01", 6), "line 3: the line holds a character that is not ASCII text"},
      {"1 MB", head + std::string(1 << 20, '\n'), "line 65511: the file is larger than 64 KiB"},
      {"long line", head + "FUNC:USER " + std::string(247, 'A'), "line 3: the line is longer than 256 characters"},
      {"unknown header", head + "FREQUENCY 5", "line 3: \"FREQUENCY 5\" is not a setting of the TG Q3207"},
      {"no value", head + "FREQ ", "line 3: \"FREQ\" has no value"},
      {"NaN", head + "FREQ NaN", "line 3: \"FREQ NaN\" is not a number"},
      {"inf", head + "VOLT:OFFS -inf", "line 3: \"VOLT:OFFS -inf\" is not a number"},
      {"1e400", head + "FREQ 1e400", "line 3: \"FREQ 1e400\" is out of range (0.0001 to 15000000)"},
      {"decimal comma", head + "\n\n\n\nFREQ 2,5e6", "line 7: \"FREQ 2,5e6\" is not a number"},
      {"above range", head + "PULS:DCYC 80.5", "line 3: \"PULS:DCYC 80.5\" is out of range (20 to 80)"},
      {"count", head + "BM:NCYC 2.5", "line 3: \"BM:NCYC 2.5\" is not a whole number"},
      {"count range", head + "BM:NCYC 0", "line 3: \"BM:NCYC 0\" is out of range (1 to 50000) or INF"},
      {"word", head + "TRIG:SOUR TTLT8", "line 3: \"TRIG:SOUR TTLT8\" is not one of IMM, EXT, BUS, TTLT0 to TTLT7"},
      {"name", head + "FUNC:USER A;*RST", "line 3: \"FUNC:USER A;*RST\" is not a waveform name (a letter, then letters, digits or _, at most 12)"},
      {"twice", head + "FREQ 5\r\nfunc sin", "line 4: \"func sin\" gives FUNC a second time (first on line 2)"},
      {"two modes", head + "AM:STAT ON\nBM:STAT OFF\nFSK:STAT ON", "line 5: \"FSK:STAT ON\" turns on a second mode (AM:STAT on line 3); at most one mode is on"},
      {"a mark inside", head + "\xEF\xBB\xBF" "FREQ 5", "line 3: the line holds a character that is not ASCII text"},
      {"CR only", "# TG Q3207 setup\rFUNC SIN\rFREQ 5\r", "line 1: a line ends in CR alone; a setup's lines end in LF or CR LF"},
      {"UTF-16", std::string("\xFF\xFE#\0 \0T\0G\0", 10), "line 1: the file is UTF-16 text; a setup is ASCII text"},
  };
  for (const CBadFile& file : files) {
    CSetupReading reading = ReadSetup(file.m_bytes);
    EXPECT_EQ(RefusalText(reading), "Setup not recalled: " + file.m_refusal + ".") << file.m_name;
    EXPECT_TRUE(reading.m_steps.empty()) << file.m_name;
  }
}

TEST(SetupFile, NumbersTakeTheirShortestExactForm) {
  for (auto [value, text] : {std::pair<double, const char*>{2.5e6, "2500000"}, {0.1, "0.1"}, {-360, "-360"},
                             {1e-5, "1e-05"}, {15e6, "15000000"}, {0.0001, "0.0001"}})
    EXPECT_EQ(ShortestNumberText(value), text);
  std::mt19937_64 random(7);
  const CSetting& freq = SettingRow(ESetting::kFreq);
  std::uniform_real_distribution<double> hz(freq.m_min, freq.m_max);
  for (int i = 0; i < 1000; ++i) {
    double value = hz(random);
    CValueReading reading = ReadSettingValue(freq, ShortestNumberText(value));
    ASSERT_TRUE(reading.m_value) << ShortestNumberText(value);
    EXPECT_EQ(reading.m_value->m_number, value);
  }
  EXPECT_EQ(ReadSettingValue(freq, "+2.5E6").m_value->m_number, 2.5e6);
  EXPECT_FALSE(ReadSettingValue(freq, "+-5").m_value);
  EXPECT_FALSE(ReadSettingValue(freq, "0x10").m_value);
}

}  // namespace
