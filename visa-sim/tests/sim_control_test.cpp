#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "visa-sim/tests/visa_test_support.h"
#include "visa-sim/visa/sim_world.h"

namespace {

using SimControl = VisaSimTest;

// Sets an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) { Set(value.c_str()); }
  ~ScopedEnv() { Set(""); }

 private:
  void Set(const char* value) {
#ifdef _WIN32
    _putenv_s(name_, value);
#else
    if (*value)
      setenv(name_, value, 1);
    else
      unsetenv(name_);
#endif
  }
  const char* name_;
};

std::string TempPath(const char* name) {
  return (::testing::TempDir() + "visa_sim_" + name);
}

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST_F(SimControl, TrafficCopyIsCutToTheBufferAndReportsItsLength) {
  Configure("resource GPIB-VXI0::24::INSTR\n");
  Open(kQ3207);
  const std::string full = "open GPIB-VXI0::24::INSTR\n";
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(tgqsim_traffic(buffer, 5), static_cast<int>(full.size()));
  EXPECT_STREQ(buffer, "open");
  EXPECT_EQ(buffer[5], 'x');
  EXPECT_EQ(Traffic(), full);
  tgqsim_clear_traffic();
  EXPECT_EQ(tgqsim_traffic(buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
}

TEST_F(SimControl, StateOfEachQ3207AndNoneForOthers) {
  Configure("resource GPIB-VXI0::24::INSTR\nresource GPIB0::9::INSTR\nscpi idn\n");
  std::string state = State("gpib-vxi0::24::instr");
  EXPECT_EQ(state.substr(0, 27), "rsrc=GPIB-VXI0::24::INSTR\nf");
  char small[4];
  EXPECT_EQ(tgqsim_state(kQ3207, small, sizeof small), static_cast<int>(state.size()));
  EXPECT_STREQ(small, "rsr");
  EXPECT_EQ(tgqsim_state("GPIB0::9::INSTR", small, sizeof small), -1);
  EXPECT_EQ(tgqsim_state("VXI0::1::INSTR", small, sizeof small), -1);
  EXPECT_EQ(tgqsim_state(nullptr, small, sizeof small), -1);
}

TEST_F(SimControl, QueuedErrorSetsTheStatusBitAndReadsBack) {
  Configure("resource GPIB-VXI0::24::INSTR\nresource GPIB0::9::INSTR\nscpi idn\n");
  EXPECT_EQ(tgqsim_queue_error(kQ3207, -310, "System error"), 0);
  EXPECT_EQ(tgqsim_queue_error("GPIB0::9::INSTR", -310, "System error"), -1);
  EXPECT_EQ(tgqsim_queue_error("nowhere", -310, "System error"), -1);
  ViSession vi = Open(kQ3207);
  ViUInt16 stb = 0;
  ASSERT_EQ(viReadSTB(vi, &stb), VI_SUCCESS);
  EXPECT_EQ(stb, 4);
  EXPECT_EQ(Query(vi, "SYST:ERR?"), "-310,\"System error\"\n");
}

TEST_F(SimControl, ConfigureReplacesTheMainframeOrChangesNothing) {
  Configure("resource GPIB-VXI0::24::INSTR\n");
  ViSession vi = Open(kQ3207);
  ASSERT_EQ(Write(vi, "FREQ 2000\n"), VI_SUCCESS);
  EXPECT_EQ(tgqsim_configure("resource VXI0::1::INSTR\nbogus\n"), 2);
  EXPECT_EQ(StateValue(State(), "freq"), "2000");  // the old mainframe still runs
  EXPECT_EQ(Query(vi, "FREQ?"), "+2.00000000000000E+03\n");

  EXPECT_EQ(tgqsim_configure(nullptr), 0);  // the built-in mainframe, powered on afresh
  EXPECT_EQ(StateValue(State(), "freq"), "1000");
  EXPECT_EQ(Traffic(), "");
  ViUInt16 stb = 0;
  EXPECT_EQ(viReadSTB(vi, &stb), VI_ERROR_INV_OBJECT);
  EXPECT_EQ(viClose(rm_), VI_ERROR_INV_OBJECT);
}

TEST_F(SimControl, TrafficAndStateFilesAreWrittenWhenNamed) {
  const std::string trafficPath = TempPath("traffic.txt");
  const std::string statePath = TempPath("state.txt");
  std::remove(trafficPath.c_str());
  std::remove(statePath.c_str());
  {
    Configure("resource GPIB-VXI0::24::INSTR\n");
    ViSession vi = Open(kQ3207);
    ASSERT_EQ(Write(vi, "FREQ 3000\n"), VI_SUCCESS);  // before the variables: no files
    ScopedEnv traffic("TGQ_SIM_TRAFFIC", trafficPath);
    ScopedEnv state("TGQ_SIM_STATE", statePath);
    ASSERT_EQ(Write(vi, "BM:NCYC INF\n"), VI_SUCCESS);
    EXPECT_EQ(FileText(trafficPath), "write GPIB-VXI0::24::INSTR BM:NCYC INF\n");
    EXPECT_EQ(FileText(statePath), State());
    ASSERT_EQ(Write(vi, "FREQ 4000\n"), VI_SUCCESS);
    EXPECT_EQ(StateValue(FileText(statePath), "freq"), "4000");
    EXPECT_EQ(StateValue(FileText(statePath), "bm.count"), "0");
    ASSERT_EQ(viClose(vi), VI_SUCCESS);
  }
  EXPECT_EQ(FileText(trafficPath),
            "write GPIB-VXI0::24::INSTR BM:NCYC INF\nwrite GPIB-VXI0::24::INSTR FREQ 4000\n"
            "close GPIB-VXI0::24::INSTR\n");
  std::remove(trafficPath.c_str());
  std::remove(statePath.c_str());
}

void ReloadFromEnvironment() {
  std::lock_guard<std::mutex> lock(tgqsim::SimWorld::Instance().Mutex());
  tgqsim::SimWorld::Instance().Reload();
}

TEST_F(SimControl, MainframeComesFromTheConfigFileOrFailsLoudly) {
  const std::string configPath = TempPath("mainframe.cfg");
  {
    std::ofstream(configPath) << "# two modules\nresource VXI0::5::INSTR\nslot 7\n"
                                      "resource VXI0::6::INSTR\n";
    ScopedEnv config("TGQ_SIM_CONFIG", configPath);
    ReloadFromEnvironment();
    ViSession rm = VI_NULL;
    ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    ViFindList list = VI_NULL;
    ViUInt32 count = 0;
    ViChar desc[VI_FIND_BUFLEN];
    ASSERT_EQ(viFindRsrc(rm, const_cast<char*>("?*INSTR"), &list, &count, desc), VI_SUCCESS);
    EXPECT_EQ(count, 2u);
    EXPECT_STREQ(desc, "VXI0::5::INSTR");

    std::ofstream(configPath) << "resource VXI0::5::INSTR\nslot seven\n";
    ReloadFromEnvironment();
    EXPECT_EQ(viOpenDefaultRM(&rm), VI_ERROR_SYSTEM_ERROR);
  }
  std::remove(configPath.c_str());
}

}  // namespace
