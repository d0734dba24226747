// Every kind of failure on every kind of operation, on the live program over
// the driver DLL and the simulated VISA: the boxes the operator sees, the exact
// traffic, and that nothing else changed in the remembered state or in the
// instrument.
//
// Not in the table:
// - a missing VISA or driver library, a failing resource manager and a failing
//   open are discovery matters, which end in non-live operation before any
//   instrument operation exists: tests/connect/discovery_process_test.cpp;
// - a time-out or an instrument error while reading the status byte: it is
//   read with viReadSTB, which sends no message that the simulated instrument
//   could hang on or flood from;
// - an instrument error from the error query: the query only drains the queue.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "controls/text_button.h"
#include "controls/text_panel.h"
#include "instrument/instrument.h"
#include "res/resource.h"
#include "tests/hardening/fault_injection.h"
#include "tests/hardening/remembered_state.h"
#include "tests/live/live_road.h"
#include "tests/support/panel_driver.h"

namespace {

enum class EFault {
  kTimeOut,          // the instrument never answers the target header
  kInstrumentError,  // the target header queues two errors
  kBusy,             // another instrument call is in progress
  kLostSession,      // the VISA session became invalid: any other negative status
  kMissingEntry,     // the driver library lacks the target entry point
};

struct COperation {
  UINT panel;  // the Panels menu command that shows where it is done
  void (*run)(CAppFixture& app);
};

const COperation kSetFreq{ID_PANELS_MAIN,
                          [](CAppFixture& app) { EnterValue(app.Panel(), IDC_MAIN_FREQ, "2k"); }};
const COperation kSync{ID_PANELS_MAIN, [](CAppFixture& app) { app.Command(ID_SYSTEM_SYNC); }};
const COperation kReset{ID_PANELS_MAIN, [](CAppFixture& app) { app.Command(ID_SYSTEM_RESET); }};
const COperation kSelfTest{ID_PANELS_MAIN,
                           [](CAppFixture& app) { app.Command(ID_SYSTEM_SELFTEST); }};
// A Set that no read-back follows, and a read-back alone (Alt held).
const COperation kSetFskSource{
    ID_PANELS_FSK, [](CAppFixture& app) { ChooseItem(app.Panel(), IDC_FSK_SOURCE, 1); }};
const COperation kAltReadFunc{ID_PANELS_MAIN, [](CAppFixture& app) {
                                CAltKeyHeld alt;
                                OpenList(app.Panel(), IDC_MAIN_FUNC);
                              }};
template <int button>
void Press(CAppFixture& app) {
  ClickButton(app.Panel(), button);
}
const COperation kStatusByte{ID_PANELS_STATUS, &Press<IDC_STAT_STATUS_BYTE>};
const COperation kOpc{ID_PANELS_STATUS, &Press<IDC_STAT_OPC>};
const COperation kClear{ID_PANELS_STATUS, &Press<IDC_STAT_CLEAR>};
const COperation kPhaseLock{ID_PANELS_STATUS, &Press<IDC_STAT_PHASE_LOCK>};
const COperation kReadError{ID_PANELS_STATUS, &Press<IDC_STAT_READ_ERROR>};

struct CFaultRow {
  const char* name;
  EFault fault;
  const char* target;  // header for the mainframe, entry point for a missing entry
  const COperation* operation;
  Lines boxes;
  Lines traffic;
  CRememberedState rememberedChanges;  // key -> value after the operation
  CRememberedState instrumentChanges;
  std::vector<std::pair<int, std::string>> readOuts = {};  // status panel: id -> text after
};

// SFP_FAULT_DELAY_MS=<n> slows every write and read down by n ms; CTest runs
// the table so once more, as fault_table_slow_tests.
std::string SlowReplies() {
  const char* delayMs = std::getenv("SFP_FAULT_DELAY_MS");
  return delayMs != nullptr && *delayMs != '\0' ? std::string("delay-ms ") + delayMs + "\n" : "";
}

std::string MainframeFor(const CFaultRow& row) {
  switch (row.fault) {
    case EFault::kTimeOut:
      return BuiltInMainframeWith(SlowReplies() + "timeout-on " + row.target + "\n");
    case EFault::kInstrumentError:
      return BuiltInMainframeWith(SlowReplies() + "error-flood " + row.target + " 2\n");
    default:
      return BuiltInMainframeWith(SlowReplies());
  }
}

std::string ReadOut(HWND panel, int id) {
  CWnd* control = CWnd::FromHandle(::GetDlgItem(panel, id));
  if (auto* button = dynamic_cast<CTextButton*>(control)) return button->m_caption;
  if (auto* plate = dynamic_cast<CTextPanel*>(control)) return plate->m_caption;
  return "(no read-out)";
}

CRememberedState With(CRememberedState state, const CRememberedState& changes) {
  for (const auto& [key, value] : changes) state[key] = value;
  return state;
}

class FaultTable : public ::testing::TestWithParam<CFaultRow> {
 protected:
  FaultTable() : mainframe(MainframeFor(GetParam()).c_str()) {}

  void SetUp() override {
    const CFaultRow& row = GetParam();
    if (row.fault == EFault::kMissingEntry) {
      driver = std::make_unique<CDriverWithout>(row.target);
      ASSERT_TRUE(driver->IsLoaded());
      CInstrument* instrument = OpenLiveInstrument(*driver);
      ASSERT_NE(instrument, nullptr);
      app.Start(instrument);
    } else {
      ASSERT_TRUE(StartLive(app));
    }
    app.Command(row.operation->panel);
    PumpMessages();
    if (row.fault == EFault::kLostSession) mainframe.Configure(MainframeFor(row).c_str());
    // A remembered value away from the defaults and never read back by these
    // operations: shows whether one put the defaults back, or stopped early.
    theApp.m_pInstrument->m_ampl = 2;
    mainframe.ClearTraffic();
    boxes.m_boxes.clear();
  }

  CSimulatedMainframe mainframe;  // before the program, which stops first
  std::unique_ptr<CDriverWithout> driver;
  CBoxWatcher boxes;
  CAppFixture app;
};

TEST_P(FaultTable, ShowsItsBoxesAndChangesNothingElse) {
  const CFaultRow& row = GetParam();
  CInstrument& instrument = *theApp.m_pInstrument;
  const CRememberedState remembered = RememberedState(instrument);
  const auto instrumentState = mainframe.State();

  if (row.fault == EFault::kBusy) instrument.m_busy = 1;
  row.operation->run(app);
  if (row.fault == EFault::kBusy) {
    EXPECT_EQ(instrument.m_busy, 1) << "a refused call must not touch the running one's flag";
    instrument.m_busy = 0;
  }

  EXPECT_EQ(boxes.Texts(), row.boxes);
  for (const CBoxSeen& box : boxes.m_boxes) {
    EXPECT_EQ(box.caption, "TG Q3207 SFP") << box.text;
    EXPECT_TRUE(box.hasIcon) << box.text;
  }
  EXPECT_EQ(mainframe.Traffic(), row.traffic);
  EXPECT_EQ(StateDifferences(With(remembered, row.rememberedChanges), RememberedState(instrument)),
            "");
  EXPECT_EQ(StateDifferences(With(instrumentState, row.instrumentChanges), mainframe.State()), "");
  for (const auto& [id, text] : row.readOuts) EXPECT_EQ(ReadOut(app.Panel(), id), text) << id;
  EXPECT_TRUE(app.IsRunning());
}

const char* const kTooFast = "I/O requests too fast.";
const char* const kTimeOutBox = "Time Out !";
const char* const kApiFailure = "API failure.";
const Lines kFloodBoxes{"Instrument reports error: -300  Device-specific error;flood 1 of 2",
                        "Instrument reports error: -300  Device-specific error;flood 2 of 2"};

const char* const k1000 = "+1.00000000000000E+03";
const char* const k2000 = "+2.00000000000000E+03";
const char* const k50 = "+5.00000000000000E+01";
const char* const kDefaultAmpl = "0.10000000000000001";

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
Lines Query(const char* query, const char* reply, int statusByte = 0) {
  return {Write(query), Read(reply), StatusByte(statusByte)};
}
Lines Command(const char* command, int statusByte = 0) {
  return {Write(command), StatusByte(statusByte)};
}
// A query the instrument never answers, and the device clear after it.
Lines Hang(const char* query) { return {Write(query), TimeOut(query), Event("clear")}; }
// A command lost in the write, and the device clear after it.
Lines Lost(const char* command) { return {TimeOut(command), Event("clear")}; }
// One entry of the error queue read.
Lines Entry(const char* reply) { return {Write("SYST:ERR?"), Read(reply)}; }
// The reporter's drain of a two-error flood: device clear, two entries, the end.
const Lines kDrainFlood = Join({{Event("clear")},
                                Entry("-300,\"Device-specific error;flood 1 of 2\""),
                                Entry("-300,\"Device-specific error;flood 2 of 2\""),
                                Entry("0,\"No error\"")});
// After the frequency: its read-back and the duty cycle that depends on it.
Lines FreqReadBacks(const char* freq) {
  return Join({Query("FREQ?", freq), Query("PULS:DCYC?", k50)});
}
const Lines kSyncToAmState = Join({Query("FUNC?", "SIN"), Query("FREQ?", k1000)});

const CRememberedState kFreqTaken{{"freq", "2000"}};
const CRememberedState kDefaultsRemembered{{"ampl", kDefaultAmpl}};
const std::vector<std::pair<int, std::string>> kPhaseLockUnread{{IDC_STAT_PHASE_LOCK, "*"}};
const std::vector<std::pair<int, std::string>> kStatusByteUnread{{IDC_STAT_STATUS_BYTE, "*"}};

// One row a failure, read across.
// clang-format off
const CFaultRow kRows[] = {
    // name, fault, target, operation, boxes, traffic, remembered changes, instrument changes,
    // status panel read-outs
    {"TimeOutOnSet", EFault::kTimeOut, "FREQ", &kSetFreq, {kTimeOutBox},
     Join({Lost("FREQ 2000"), FreqReadBacks(k1000)}), {}, {}},
    {"TimeOutOnReadBack", EFault::kTimeOut, "FREQ?", &kSetFreq, {kTimeOutBox},
     Join({Command("FREQ 2000"), Hang("FREQ?")}), kFreqTaken, kFreqTaken},
    {"TimeOutOnSetWithoutReadBack", EFault::kTimeOut, "FSK:SOUR", &kSetFskSource, {kTimeOutBox},
     Lost("FSK:SOUR EXT"), {}, {}},
    {"TimeOutOnAltRead", EFault::kTimeOut, "FUNC?", &kAltReadFunc, {kTimeOutBox}, Hang("FUNC?"),
     {}, {}},
    {"TimeOutOnSync", EFault::kTimeOut, "AM:STAT?", &kSync, {kTimeOutBox},
     Join({kSyncToAmState, Hang("AM:STAT?")}), {}, {}},
    {"TimeOutOnReset", EFault::kTimeOut, "*RST", &kReset, {kTimeOutBox},
     Join({{Event("clear")}, Lost("*RST")}), kDefaultsRemembered, {}},
    {"TimeOutOnSelfTest", EFault::kTimeOut, "*TST?", &kSelfTest, {kTimeOutBox}, Hang("*TST?"),
     {}, {}},
    {"TimeOutOnOpc", EFault::kTimeOut, "*OPC?", &kOpc, {kTimeOutBox}, Hang("*OPC?"), {}, {}},
    {"TimeOutOnClearStatus", EFault::kTimeOut, "*CLS", &kClear, {kTimeOutBox}, Lost("*CLS"),
     {}, {}},
    {"TimeOutOnPhaseLock", EFault::kTimeOut, "*OPT?", &kPhaseLock, {kTimeOutBox}, Hang("*OPT?"), {},
     {}, kPhaseLockUnread},
    // The query reports its own time-out; the read-outs show that no answer came.
    {"TimeOutOnReadError", EFault::kTimeOut, "SYST:ERR?", &kReadError, {kTimeOutBox},
     Hang("SYST:ERR?"), {}, {}, {{IDC_STAT_ERROR_NUMBER, "*"}, {IDC_STAT_ERROR_MESSAGE, ""}}},

    {"ErrorOnSet", EFault::kInstrumentError, "FREQ", &kSetFreq, kFloodBoxes,
     Join({Command("FREQ 2000", 4), kDrainFlood, FreqReadBacks(k2000)}), kFreqTaken, kFreqTaken},
    // A failed read-back ends its block: the duty cycle is not re-read.
    {"ErrorOnReadBack", EFault::kInstrumentError, "FREQ?", &kSetFreq, kFloodBoxes,
     Join({Command("FREQ 2000"), Query("FREQ?", k2000, 4), kDrainFlood}), kFreqTaken, kFreqTaken},
    // The instrument took the source, but only a Sync will tell the remembered state.
    {"ErrorOnSetWithoutReadBack", EFault::kInstrumentError, "FSK:SOUR", &kSetFskSource,
     kFloodBoxes, Join({Command("FSK:SOUR EXT", 4), kDrainFlood}), {}, {{"fsk.source", "1"}}},
    {"ErrorOnAltRead", EFault::kInstrumentError, "FUNC?", &kAltReadFunc, kFloodBoxes,
     Join({Query("FUNC?", "SIN", 4), kDrainFlood}), {}, {}},
    {"ErrorOnSync", EFault::kInstrumentError, "AM:STAT?", &kSync, kFloodBoxes,
     Join({kSyncToAmState, Query("AM:STAT?", "0", 4), kDrainFlood}), {}, {}},
    {"ErrorOnReset", EFault::kInstrumentError, "*RST", &kReset, kFloodBoxes,
     Join({{Event("clear")}, Command("*RST", 4), kDrainFlood}), kDefaultsRemembered, {}},
    {"ErrorOnSelfTest", EFault::kInstrumentError, "*TST?", &kSelfTest, kFloodBoxes,
     Join({Query("*TST?", "0", 4), kDrainFlood}), {}, {}},
    {"ErrorOnOpc", EFault::kInstrumentError, "*OPC?", &kOpc, kFloodBoxes,
     Join({Query("*OPC?", "1", 4), kDrainFlood}), {}, {}},
    {"ErrorOnClearStatus", EFault::kInstrumentError, "*CLS", &kClear, kFloodBoxes,
     Join({Command("*CLS", 4), kDrainFlood}), {}, {}},
    {"ErrorOnPhaseLock", EFault::kInstrumentError, "*OPT?", &kPhaseLock, kFloodBoxes,
     Join({Query("*OPT?", "1:PLL", 4), kDrainFlood}), {}, {}, kPhaseLockUnread},

    {"BusyOnSetAndReadBack", EFault::kBusy, "", &kSetFreq, {kTooFast, kTooFast}, {}, {}, {}},
    {"BusyOnSetWithoutReadBack", EFault::kBusy, "", &kSetFskSource, {kTooFast}, {}, {}, {}},
    {"BusyOnAltRead", EFault::kBusy, "", &kAltReadFunc, {kTooFast}, {}, {}, {}},
    {"BusyOnSync", EFault::kBusy, "", &kSync, {kTooFast}, {}, {}, {}},
    {"BusyOnReset", EFault::kBusy, "", &kReset, {kTooFast}, {}, {}, {}},
    {"BusyOnSelfTest", EFault::kBusy, "", &kSelfTest, {kTooFast}, {}, {}, {}},
    {"BusyOnStatusByte", EFault::kBusy, "", &kStatusByte, {kTooFast}, {}, {}, {},
     kStatusByteUnread},
    {"BusyOnOpc", EFault::kBusy, "", &kOpc, {kTooFast}, {}, {}, {}},
    {"BusyOnClearStatus", EFault::kBusy, "", &kClear, {kTooFast}, {}, {}, {}},
    {"BusyOnPhaseLock", EFault::kBusy, "", &kPhaseLock, {kTooFast}, {}, {}, {}, kPhaseLockUnread},
    // Shown in the read-outs, without a box.
    {"BusyOnReadError", EFault::kBusy, "", &kReadError, {}, {}, {}, {},
     {{IDC_STAT_ERROR_NUMBER, "*_*"}, {IDC_STAT_ERROR_MESSAGE, kTooFast}}},

    {"LostSessionOnSetAndReadBack", EFault::kLostSession, "", &kSetFreq, {kApiFailure, kApiFailure},
     {}, {}, {}},
    {"LostSessionOnSync", EFault::kLostSession, "", &kSync, {kApiFailure}, {}, {}, {}},
    {"LostSessionOnReset", EFault::kLostSession, "", &kReset, {kApiFailure}, {},
     kDefaultsRemembered, {}},
    {"LostSessionOnSelfTest", EFault::kLostSession, "", &kSelfTest, {kApiFailure}, {}, {}, {}},
    {"LostSessionOnStatusByte", EFault::kLostSession, "", &kStatusByte, {kApiFailure}, {}, {}, {},
     kStatusByteUnread},
    {"LostSessionOnOpc", EFault::kLostSession, "", &kOpc, {kApiFailure}, {}, {}, {}},
    {"LostSessionOnClearStatus", EFault::kLostSession, "", &kClear, {kApiFailure}, {}, {}, {}},
    {"LostSessionOnPhaseLock", EFault::kLostSession, "", &kPhaseLock, {kApiFailure}, {}, {}, {},
     kPhaseLockUnread},

    {"MissingEntryOnSet", EFault::kMissingEntry, "tgq3207_cmdReal", &kSetFreq, {kApiFailure},
     FreqReadBacks(k1000), {}, {}},
    {"MissingEntryOnReadBack", EFault::kMissingEntry, "tgq3207_cmdReal64_Q", &kSetFreq,
     {kApiFailure}, Command("FREQ 2000"), kFreqTaken, kFreqTaken},
    {"MissingEntryOnSync", EFault::kMissingEntry, "tgq3207_cmdInt16_Q", &kSync, {kApiFailure},
     kSyncToAmState, {}, {}},
    {"MissingEntryOnReset", EFault::kMissingEntry, "tgq3207_reset", &kReset, {kApiFailure},
     {Event("clear")}, kDefaultsRemembered, {}},
    {"MissingEntryOnSelfTest", EFault::kMissingEntry, "tgq3207_self_test", &kSelfTest,
     {kApiFailure}, {}, {}, {}},
    {"MissingEntryOnStatusByte", EFault::kMissingEntry, "tgq3207_readStatusByte_Q", &kStatusByte,
     {kApiFailure}, {}, {}, {}, kStatusByteUnread},
    {"MissingEntryOnOpc", EFault::kMissingEntry, "tgq3207_opc_Q", &kOpc, {kApiFailure}, {}, {}, {}},
    {"MissingEntryOnClearStatus", EFault::kMissingEntry, "tgq3207_statEvenClr", &kClear,
     {kApiFailure}, {}, {}, {}},
    {"MissingEntryOnPhaseLock", EFault::kMissingEntry, "tgq3207_cmdString_Q", &kPhaseLock,
     {kApiFailure}, {}, {}, {}, kPhaseLockUnread},
};
// clang-format on

void PrintTo(const CFaultRow& row, std::ostream* out) { *out << row.name; }

INSTANTIATE_TEST_SUITE_P(Rows, FaultTable, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<CFaultRow>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
