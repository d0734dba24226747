#include "connect/driver_session.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tgq3207.h"

namespace {

using Lines = std::vector<std::string>;
const ViSession kSession = 4711;

ViStatus g_initStatus = VI_SUCCESS;
Lines g_calls;

ViStatus _VI_FUNC Init(ViRsrc name, ViBoolean idQuery, ViBoolean reset, ViSession* vi) {
  g_calls.push_back("init " + std::string(name) + " " + std::to_string(idQuery) + " " +
                    std::to_string(reset));
  *vi = g_initStatus >= VI_SUCCESS ? kSession : VI_NULL;
  return g_initStatus;
}
ViStatus _VI_FUNC TimeOut(ViSession vi, ViInt32 ms) {
  g_calls.push_back("timeOut " + std::to_string(vi) + " " + std::to_string(ms));
  return VI_ERROR_TMO;  // not looked at
}
ViStatus _VI_FUNC ErrorQueryDetect(ViSession vi, ViBoolean on) {
  g_calls.push_back("errorQueryDetect " + std::to_string(vi) + " " + std::to_string(on));
  return VI_ERROR_INV_SESSION;  // not looked at
}
ViStatus _VI_FUNC Close(ViSession vi) {
  g_calls.push_back("close " + std::to_string(vi));
  return VI_SUCCESS;
}

class CFakeDriver : public CDriverLibrary {
 public:
  CFakeDriver() {
    g_calls.clear();
    g_initStatus = VI_SUCCESS;
  }
  void* FindEntryPoint(const char* name) override {
    auto found = m_entryPoints.find(name);
    return found == m_entryPoints.end() ? nullptr : found->second;
  }
  std::map<std::string, void*> m_entryPoints = {
      {"tgq3207_init", reinterpret_cast<void*>(&Init)},
      {"tgq3207_timeOut", reinterpret_cast<void*>(&TimeOut)},
      {"tgq3207_errorQueryDetect", reinterpret_cast<void*>(&ErrorQueryDetect)},
      {"tgq3207_close", reinterpret_cast<void*>(&Close)},
  };
};

TEST(DriverSession, OpensWithoutQueryThenSetsTheTimeOutAndErrorDetection) {
  CFakeDriver driver;
  EXPECT_EQ(OpenDriverSession(driver, "GPIB-VXI0::24::INSTR", false), kSession);
  EXPECT_EQ(g_calls, (Lines{"init GPIB-VXI0::24::INSTR 0 0", "timeOut 4711 5000",
                            "errorQueryDetect 4711 1"}));
}

TEST(DriverSession, AskedResetIsPassedAsOne) {
  CFakeDriver driver;
  EXPECT_EQ(OpenDriverSession(driver, "", true), kSession);
  EXPECT_EQ(g_calls.front(), "init  0 1");
}

TEST(DriverSession, AWarningFromInitIsAFailureAndItsSessionIsClosed) {
  CFakeDriver driver;
  g_initStatus = VI_WARN_NSUP_RESET;
  EXPECT_EQ(OpenDriverSession(driver, "VXI0::8::INSTR", true), std::nullopt);
  EXPECT_EQ(g_calls, (Lines{"init VXI0::8::INSTR 0 1", "close 4711"}));
}

TEST(DriverSession, AnErrorFromInitEndsThere) {
  CFakeDriver driver;
  g_initStatus = VI_ERROR_RSRC_NFOUND;
  EXPECT_EQ(OpenDriverSession(driver, "NOTHING", false), std::nullopt);
  EXPECT_EQ(g_calls, Lines{"init NOTHING 0 0"});
}

TEST(DriverSession, AMissingEntryPointIsNeverCalled) {
  for (const char* missing : {"tgq3207_init", "tgq3207_timeOut", "tgq3207_errorQueryDetect"}) {
    CFakeDriver driver;
    driver.m_entryPoints.erase(missing);
    EXPECT_EQ(OpenDriverSession(driver, "VXI0::8::INSTR", false), std::nullopt) << missing;
    EXPECT_TRUE(g_calls.empty()) << missing;
  }
}

}  // namespace
