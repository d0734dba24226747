#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "instrument/instrument.h"
#include "instrument/output_limits.h"
#include "instrument/recall_plan.h"
#include "instrument/setting_text.h"
#include "instrument/setup_file.h"
#include "instrument/tests/random_setup.h"
#include "scpi/scpi_words.h"
#include "visa-sim/model/q3207_instrument.h"
#include "visa-sim/model/q3207_limits.h"

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
  // Whatever the resource's name, the file is one the reader takes.
  std::string longName = "TCPIP0::" + std::string(300, 'h') + "\xCE\xA9::inst0::INSTR";
  std::string text = WriteSetup(instrument, {"t", "v", longName});
  EXPECT_NE(text.find("# instrument TCPIP0::" + std::string(232, 'h') + "...\r\n"), std::string::npos) << text;
  EXPECT_TRUE(ReadSetup(text).Ok()) << ReadSetup(text).m_error;
  EXPECT_NE(WriteSetup(instrument, {"t", "v", "GPIB0::\xCE\xA9::INSTR"}).find("# instrument GPIB0::??::INSTR\r\n"),
            std::string::npos);
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
    for (const CSetupStep& step : RandomValidSetup(random)) saved.SetSetting(*step.m_row, step.m_value);
    std::string text = WriteSetup(saved, kOrigin);
    if (round % 2) text = "\xEF\xBB\xBF  # edited by hand\n\n" + text;
    CSetupReading reading = ReadSetup(text);
    ASSERT_TRUE(reading.Ok()) << reading.m_error;
    CInstrument recalled;
    recalled.SetAmState(1);
    CRecallPlan plan = PlanRecall(reading, RememberedValues(recalled));
    ASSERT_TRUE(plan.Ok()) << plan.m_error;
    for (const CSetupStep& step : plan.m_steps) recalled.SetSetting(*step.m_row, step.m_value);
    EXPECT_EQ(RememberedValues(recalled), RememberedValues(saved));
    EXPECT_EQ(plan.m_target, RememberedValues(saved));
  }
}

// The lines act in the file's order, the last of a setting counting; the
// recall sends each setting once, in an order the instrument takes.
TEST(SetupFile, ALaterLineWinsAndARecallSendsInItsOwnOrder) {
  CSetupReading partial = ReadSetup("fm:stat on\nfreq\t 3e3 \nam:stat OFF\nFREQ 4e3\n");
  ASSERT_TRUE(partial.Ok()) << partial.m_error;
  ASSERT_EQ(partial.m_steps.size(), 4u);
  EXPECT_EQ(partial.m_steps[1].m_line, 2);
  CRecallPlan plan = PlanRecall(partial, PowerOnValues());
  EXPECT_EQ(SetupCommands(plan.m_steps), "AM:STAT OFF\r\nFREQ 4000\r\nFM:STAT ON\r\n");
  EXPECT_EQ(plan.m_steps[1].m_line, 4);
  // A mode turned on and off again leaves the others off.
  CSettingValues amOn = PowerOnValues();
  amOn[static_cast<size_t>(ESetting::kAmState)].m_number = 1;
  EXPECT_EQ(SetupCommands(PlanRecall(ReadSetup("FM:STAT ON\nFREQ 5\nFM:STAT OFF\n"), amOn).m_steps),
            "AM:STAT OFF\r\nFM:STAT OFF\r\nFREQ 5\r\n");
}

// Every spelling the instrument takes, and a reset.
TEST(SetupFile, ReadsTheSpellingsTheInstrumentTakes) {
  const std::pair<const char*, const char*> lines[] = {
      {"VOLT 3", "VOLT:UNIT VPP;:VOLT 3"},       {"volt 1", "VOLT:UNIT VPP;:VOLT 1"},
      {"FREQUENCY 1000", "FREQ 1000"},           {":SOUR:FREQ 2e3", "FREQ 2000"},
      {"sour:volt:lev:imm:ampl 2", "VOLT:UNIT VPP;:VOLT 2"},
      {"SOURce:VOLTage:LEVel:OFFSet -1", "VOLT:OFFS -1"},
      {"FUNC:SHAP triangle", "FUNC TRI"},        {"function:user EXP_RISE", "FUNC:USER EXP_RISE"},
      {"TRIG:SEQ:SOUR external", "TRIG:SOUR EXT"}, {"OUTPut:LOAD infinity", "OUTP:LOAD INF"},
      {"fskey:int:rate 5", "FSK:INT:RATE 5"},     {"BM:NCYCLES INFINITY", "BM:NCYC INF"},
      {"swe:spac logarithmic", "SWE:SPAC LOG"},
  };
  for (auto [line, command] : lines) {
    CSetupReading reading = ReadSetup(std::string("VOLT:UNIT VPP\n") + line);
    ASSERT_TRUE(reading.Ok()) << line << ": " << reading.m_error;
    ASSERT_EQ(reading.m_steps.size(), 1u) << line;
    EXPECT_EQ(SetupCommands(reading.m_steps), std::string(command) + "\r\n") << line;
  }
  CSetupReading reset = ReadSetup("FREQ 5\n*rst\nFUNC SQU\n");
  ASSERT_TRUE(reset.Ok()) << reset.m_error;
  EXPECT_EQ(reset.m_resetLine, 2);
  EXPECT_EQ(SetupCommands(reset.m_steps), "FUNC SQU\r\n");
  CSettingValues present = PowerOnValues();
  present[static_cast<size_t>(ESetting::kFreq)].m_number = 5e6;
  CRecallPlan plan = PlanRecall(reset, present);
  EXPECT_TRUE(plan.m_reset);
  EXPECT_EQ(plan.m_target[static_cast<size_t>(ESetting::kFreq)].m_number, 1000);
}

struct CBadFile {
  const char* m_name;
  std::string m_bytes;
  std::string m_refusal;
};

// A bad file is refused whole, naming its line: first what cannot be read,
// then settings that together break a limit of the instrument, whatever their
// order, from its power-on state.
TEST(SetupFile, RefusesABadFileWithItsLine) {
  const std::string head = "# TG Q3207 setup\r\nFUNC SIN\r\n";
  const CBadFile files[] = {
      {"empty", "", "line 1: the file holds no setting"},
      {"comments only", "# TG Q3207 setup\r\n\r\n", "line 2: the file holds no setting"},
      {"binary", head + std::string("\x7f" "ELF\x02\x01", 6), "line 3: the line holds a character that is not ASCII text"},
      {"1 MB", head + std::string(1 << 20, '\n'), "line 65511: the file is larger than 64 KiB"},
      {"long line", head + "FUNC:USER " + std::string(247, 'A'), "line 3: the line is longer than 256 characters"},
      {"near header", head + "FREQUENZ 5", "line 3: \"FREQUENZ 5\" is not a setting of the TG Q3207 (the nearest setting is FREQ)"},
      {"far header", head + "XYZZY 5", "line 3: \"XYZZY 5\" is not a setting of the TG Q3207"},
      {"a query", head + "FREQ?", "line 3: \"FREQ?\" is a query; a setup gives settings"},
      {"two commands", head + "FREQ 5;*RST", "line 3: \"FREQ 5;*RST\" holds more than one command; a setup gives one command a line"},
      {"reset with a value", head + "*RST 1", "line 3: \"*RST 1\" takes no value"},
      {"unit", head + "VOLT:UNIT DBM", "line 3: \"VOLT:UNIT DBM\": the TG Q3207 takes amplitudes in VPP only"},
      {"no value", head + "FREQ ", "line 3: \"FREQ\" has no value"},
      {"NaN", head + "FREQ NaN", "line 3: \"FREQ NaN\" is not a number"},
      {"inf", head + "VOLT:OFFS -inf", "line 3: \"VOLT:OFFS -inf\" is not a number"},
      {"1e400", head + "FREQ 1e400", "line 3: \"FREQ 1e400\" is out of range (0.0001 to 15000000)"},
      {"decimal comma", head + "\n\n\n\nFREQ 2,5e6", "line 7: \"FREQ 2,5e6\" is not a number"},
      {"above range", head + "PULS:DCYC 80.5", "line 3: \"PULS:DCYC 80.5\" is out of range (20 to 80)"},
      {"count", head + "BM:NCYC 2.5", "line 3: \"BM:NCYC 2.5\" is not a whole number"},
      {"count range", head + "BM:NCYC 0", "line 3: \"BM:NCYC 0\" is out of range (1 to 50000) or INF"},
      {"word", head + "TRIG:SOUR TTLT8", "line 3: \"TRIG:SOUR TTLT8\" is not one of IMM, EXT, BUS, TTLT0 to TTLT7"},
      {"name", head + "FUNC:USER A-B", "line 3: \"FUNC:USER A-B\" is not a waveform name (a letter, then letters, digits or _, at most 12)"},
      {"a mark inside", head + "\xEF\xBB\xBF" "FREQ 5", "line 3: the line holds a character that is not ASCII text"},
      {"CR only", "# TG Q3207 setup\rFUNC SIN\rFREQ 5\r", "line 1: a line ends in CR alone; a setup's lines end in LF or CR LF"},
      {"UTF-16", std::string("\xFF\xFE#\0 \0T\0G\0", 10), "line 1: the file is UTF-16 text; a setup is ASCII text"},
      // One row per limit that settings put on each other.
      {"triangle ceiling", head + "FUNC TRI\nFREQ 1000000\nVOLT 1", "line 4: 1 MHz is above the triangle's 100 kHz"},
      {"ceiling, frequency first", "FREQ 6e6\nVOLT 1\nFUNC USER", "line 3: 6 MHz is above the user waveform's 5 MHz"},
      {"amplitude at 50 ohms", head + "OUTP:LOAD 50\nVOLT:UNIT VPP;:VOLT 15", "line 4: 15 Vpp is above the 10 Vpp the output gives into 50 ohms"},
      {"amplitude open", "VOLT 0.06\nOUTP:LOAD INF\nVOLT 0.07", "line 3: 70 mVpp is below the 100 mVpp the output gives into an open circuit (load INF)"},
      {"peak", "OUTP:LOAD 50\nVOLT 8\nVOLT:OFFS 2\nFREQ 5", "line 3: 8 Vpp with an offset of 2 V peaks at 6 V, above the 5 V the output gives into 50 ohms"},
      {"peak after a load", "OUTP:LOAD INF\nVOLT 12\nVOLT:OFFS 3\nOUTP:LOAD INF\nVOLT:OFFS 4.5", "line 5: 12 Vpp with an offset of 4.5 V peaks at 10.5 V, above the 10 V the output gives into an open circuit (load INF)"},
  };
  for (const CBadFile& file : files) {
    CSetupReading reading = ReadSetup(file.m_bytes);
    CRecallPlan plan = reading.Ok() ? PlanRecall(reading, PowerOnValues()) : CRecallPlan{};
    std::string refusal = reading.Ok() ? RefusalText(plan.m_errorLine, plan.m_error)
                                       : RefusalText(reading.m_errorLine, reading.m_error);
    EXPECT_EQ(refusal, "Setup not recalled: " + file.m_refusal + ".") << file.m_name;
    EXPECT_TRUE(reading.m_steps.empty() || plan.m_steps.empty()) << file.m_name;
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

// The simulated instrument, spoken to line by line.
class CModel {
 public:
  // False when the instrument refused the line.
  bool Take(const std::string& line) {
    m_model.Receive(line);
    bool taken = m_model.Errors().Empty();
    m_model.Errors().Clear();
    return taken;
  }
  bool TakeAll(const std::vector<CSetupStep>& steps) {
    bool all = true;
    for (const CSetupStep& step : steps) all = Take(SettingCommand(*step.m_row, step.m_value)) && all;
    return all;
  }
  std::string State() const { return *m_model.StateText(); }

 private:
  tgqsim::Q3207Instrument m_model{tgqsim::InstrumentProfile{}};
};

CSettingValues ValuesOf(const std::vector<CSetupStep>& steps) {
  CSettingValues values(kSettingCount);
  for (const CSetupStep& step : steps) values[static_cast<size_t>(step.m_row->m_id)] = step.m_value;
  return values;
}

std::vector<CSetupStep> AsSteps(const CSettingValues& values) {
  std::vector<CSetupStep> steps;
  for (size_t i = 0; i < kSettingCount; ++i) steps.push_back({&kSettingTable[i], values[i]});
  return InRecallOrder(std::move(steps));
}

// A saved setup recalled onto the instrument from any state it may be in
// reaches the setup exactly, every step taken; sent in the file's own order,
// many would have been refused. Files of a few lines in any order either are
// refused before anything goes out or reach, without an error, the settings
// their lines lead to.
TEST(SetupFile, ARecallReachesTheSetupFromAnyState) {
  std::mt19937 random(29);
  int refusedInFileOrder = 0, refusedNow = 0, partialFiles = 0, partialRefused = 0;
#ifdef _WIN32
  const int kSetups = 200;  // the bulk runs in the native tree
#else
  const int kSetups = 2000;
#endif
  for (int round = 0; round < kSetups; ++round) {
    std::vector<CSetupStep> present = RandomValidSetup(random), setup = RandomValidSetup(random);
    CModel inFileOrder, recalled, expected;
    ASSERT_TRUE(inFileOrder.TakeAll(present) && recalled.TakeAll(present) && expected.TakeAll(setup));
    refusedInFileOrder += inFileOrder.TakeAll(setup) ? 0 : 1;
    CRecallPlan plan = PlanRecall(ReadSetup(SetupCommands(setup)), ValuesOf(present));
    ASSERT_TRUE(plan.Ok()) << plan.m_error;
    bool taken = recalled.TakeAll(plan.m_steps);
    refusedNow += taken ? 0 : 1;
    EXPECT_TRUE(taken) << "round " << round << "\n" << SetupCommands(plan.m_steps);
    EXPECT_EQ(recalled.State(), expected.State()) << "round " << round;

    std::vector<CSetupStep> lines(setup.begin(), setup.begin() + 1 + round % 8);
    for (const CSetupStep& step : RandomValidSetup(random))
      if (random() % 4 == 0) lines.push_back(step);
    std::shuffle(lines.begin(), lines.end(), random);
    CRecallPlan partial = PlanRecall(ReadSetup(SetupCommands(lines)), ValuesOf(setup));
    ++partialFiles;
    if (!partial.Ok()) {
      ++partialRefused;
      continue;
    }
    CModel reached, target;
    ASSERT_TRUE(reached.TakeAll(setup) && target.TakeAll(AsSteps(partial.m_target)));
    EXPECT_TRUE(reached.TakeAll(partial.m_steps)) << "partial " << round << "\n" << SetupCommands(lines);
    EXPECT_EQ(reached.State(), target.State()) << "partial " << round << "\n" << SetupCommands(lines);
  }
  std::printf("recall: %d setups, %d refused in the file's order, %d refused as planned; "
              "%d partial files, %d refused before sending\n",
              kSetups, refusedInFileOrder, refusedNow, partialFiles, partialRefused);
  EXPECT_EQ(refusedNow, 0);
  EXPECT_GT(refusedInFileOrder, 0);
}

// A script as the I/O log copies it, replayed line by line after its reset
// and recalled from another state, reaches one state.
TEST(SetupFile, AScriptReplayedLineByLineAndRecalledReachesOneState) {
  const std::string script = "*RST\nFUNC SQU\nVOLT:UNIT VPP;:VOLT 3\nOUTP:LOAD INF\nVOLT:OFFS -1.25\nFREQ 2e6\n";
  std::mt19937 random(6);
  CModel byLine, recalled;
  ASSERT_TRUE(byLine.TakeAll(RandomValidSetup(random)));
  std::vector<CSetupStep> other = RandomValidSetup(random);
  ASSERT_TRUE(recalled.TakeAll(other));
  for (size_t start = 0, end; start < script.size(); start = end + 1) {
    end = script.find('\n', start);
    EXPECT_TRUE(byLine.Take(script.substr(start, end - start))) << script.substr(start, end - start);
  }
  CRecallPlan plan = PlanRecall(ReadSetup(script), ValuesOf(other));
  ASSERT_TRUE(plan.Ok()) << plan.m_error;
  EXPECT_TRUE(plan.m_reset);
  EXPECT_TRUE(recalled.Take("*RST") && recalled.TakeAll(plan.m_steps));
  EXPECT_EQ(recalled.State(), byLine.State());
  EXPECT_NE(byLine.State().find("ampl=6\n"), std::string::npos);
}

// The limits a recall checks are the instrument's own.
TEST(SetupFile, TheCoupledLimitsAreTheInstruments) {
  for (int16_t function = 0; function <= 6; ++function)
    EXPECT_EQ(FrequencyCeiling(function), tgqsim::FrequencyRangeFor(function).max) << function;
  for (int16_t load : {0, 1}) {
    tgqsim::Q3207Settings settings;
    settings.load = load;
    settings.offset = 0;
    tgqsim::Range ampl = tgqsim::AmplitudeRange(settings);
    EXPECT_EQ(AmplitudeSpan(load).m_min, ampl.min) << load;
    EXPECT_EQ(AmplitudeSpan(load).m_max, ampl.max) << load;
    settings.ampl = 0;
    EXPECT_EQ(PeakVolts(load), tgqsim::OffsetRange(settings).max) << load;
  }
}

// Each row's spelling, in its long form, is a header the instrument takes.
TEST(SetupFile, EverySpellingIsTheInstruments) {
  CSettingValues power = PowerOnValues();
  for (size_t i = 0; i < kSettingCount; ++i) {
    const CSetting& row = kSettingTable[i];
    CModel model;
    std::string value = SettingValueText(row, power[i]);
    EXPECT_TRUE(model.Take(":" + scpi::HeaderPattern(row.m_spelling).LongForm() + " " + value)) << row.m_spelling;
    EXPECT_EQ(FindSettingBySpelling(scpi::HeaderPattern(row.m_spelling).LongForm()), &row) << row.m_spelling;
  }
}

}  // namespace
