#include "bench/instant_driver.h"

#include <gtest/gtest.h>

#include "tgq3207.h"

namespace {

template <typename Function>
Function Entry(CInstantDriver& driver, const char* name) {
  return reinterpret_cast<Function>(driver.FindEntryPoint(name));
}

TEST(InstantDriver, OffersEveryEntryPointTheLiveInstrumentBinds) {
  CInstantDriver driver;
#define SFP_EXPECT_OFFERED(name, type) EXPECT_NE(driver.FindEntryPoint(#name), nullptr) << #name;
  TGQ3207_INSTRUMENT_ENTRY_POINTS(SFP_EXPECT_OFFERED)
#undef SFP_EXPECT_OFFERED
  EXPECT_EQ(driver.FindEntryPoint("tgq3207_init"), nullptr);
}

TEST(InstantDriver, ARealQueryReadsTheLastValueSentUnderItsHeaderAndZeroBeforeAny) {
  CInstantDriver driver;
  auto cmdReal = Entry<tgq3207_cmdReal_fn>(driver, "tgq3207_cmdReal");
  auto query = Entry<tgq3207_cmdReal64_Q_fn>(driver, "tgq3207_cmdReal64_Q");
  char freq[] = "FREQ";
  char freqQuery[] = "FREQ?";
  char startQuery[] = "FREQ:STAR?";
  double reply = -1.0;
  EXPECT_EQ(query(CInstantDriver::kSession, startQuery, &reply), VI_SUCCESS);
  EXPECT_EQ(reply, 0.0);
  cmdReal(CInstantDriver::kSession, freq, 2.5e6);
  cmdReal(CInstantDriver::kSession, freq, 3000.0);
  EXPECT_EQ(query(CInstantDriver::kSession, freqQuery, &reply), VI_SUCCESS);
  EXPECT_EQ(reply, 3000.0);
  EXPECT_EQ(query(CInstantDriver::kSession, startQuery, &reply), VI_SUCCESS);
  EXPECT_EQ(reply, 0.0);
}

TEST(InstantDriver, TextQueriesAnswerAnEmptyText) {
  CInstantDriver driver;
  auto query = Entry<tgq3207_cmdString_Q_fn>(driver, "tgq3207_cmdString_Q");
  char func[] = "FUNC?";
  char reply[32] = "SQU";
  EXPECT_EQ(query(CInstantDriver::kSession, func, 31, reply), VI_SUCCESS);
  EXPECT_STREQ(reply, "");
}

}  // namespace
