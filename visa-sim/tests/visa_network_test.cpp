// A TCPIP SOCKET or INSTR name that the mainframe does not list: the
// simulated VISA connects to it, here to the network simulator's raw socket
// and VXI-11 server (its port mapper on 111) in threads of the test.
#include <optional>
#include <thread>

#include "netsim/net_server.h"
#include "netsim/vxi11_server.h"
#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/tests/visa_test_support.h"
#include "visa-sim/visa/visa_status_extra.h"

namespace {

class VisaNetwork : public VisaSimTest {
 protected:
  void SetUp() override {
    tgqsim::ConfigResult r = tgqsim::ParseMainframeConfig(tgqsim::DefaultMainframeText());
    instrument_.emplace(r.config.resources.at(0));
    tgqnet::NetOptions options;
    options.port = 0;
    options.lifetimeSeconds = 30;  // stops by itself should the test hang
    server_.emplace(options, *instrument_, [](const std::string&) {});
    ASSERT_TRUE(server_->Start());
    thread_ = std::thread([this] { server_->Run(); });
    name_ = "TCPIP0::127.0.0.1::" + std::to_string(server_->Port()) + "::SOCKET";
    vxi11_.emplace(tgqnet::Vxi11Options{"127.0.0.1", 111, 4096, 8}, *instrument_,
                   [](const std::string&) {});
    ASSERT_TRUE(vxi11_->Start());
    vxi11Thread_ = std::thread([this] { vxi11_->Run(); });
    Configure(tgqsim::DefaultMainframeText());
  }

  void StopServer() {
    server_->Stop();
    vxi11_->Stop();
    if (thread_.joinable()) thread_.join();
    if (vxi11Thread_.joinable()) vxi11Thread_.join();
    server_.reset();  // closes the connections
    vxi11_.reset();
  }

  void TearDown() override {
    if (server_) StopServer();
    VisaSimTest::TearDown();
  }

  std::optional<tgqnet::NetInstrument> instrument_;
  std::optional<tgqnet::NetServer> server_;
  std::optional<tgqnet::Vxi11Server> vxi11_;
  std::thread thread_, vxi11Thread_;
  std::string name_;
  const std::string lan_ = "TCPIP0::127.0.0.1::inst0::INSTR";
};

TEST_F(VisaNetwork, ReadsEndOnlyAtTheTerminationCharacterAFullBufferOrTheTimeOut) {
  ViSession vi = Open(name_);
  ViUInt16 intf = 0;
  EXPECT_EQ(viGetAttribute(vi, VI_ATTR_INTF_TYPE, &intf), VI_SUCCESS);
  EXPECT_EQ(intf, VI_INTF_TCPIP);
  ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 300), VI_SUCCESS);
  ASSERT_EQ(Write(vi, "FREQ 2500;:FREQ?\n"), VI_SUCCESS);
  ViStatus status = VI_SUCCESS;
  EXPECT_EQ(Read(vi, 256, &status), "+2.50000000000000E+03\n");
  EXPECT_EQ(status, VI_ERROR_TMO);  // no END on a socket, no termination character yet
  ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE), VI_SUCCESS);
  ASSERT_EQ(Write(vi, "*IDN?\n"), VI_SUCCESS);
  EXPECT_EQ(Read(vi, 8, &status), "TARROWS-");
  EXPECT_EQ(status, VI_SUCCESS_MAX_CNT);
  EXPECT_EQ(Read(vi, 256, &status), "GIMBELL,Q3207,0,A.01.00\n");
  EXPECT_EQ(status, VI_SUCCESS_TERM_CHAR);
  ASSERT_EQ(Write(vi, "*OPC?\n"), VI_SUCCESS);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(viClear(vi), VI_SUCCESS);  // the reply that came is flushed
  EXPECT_EQ(Read(vi, 256, &status), "");
  EXPECT_EQ(status, VI_ERROR_TMO);
  ViUInt16 stb = 0;
  EXPECT_EQ(viReadSTB(vi, &stb), VI_ERROR_NSUP_OPER);
  EXPECT_EQ(viClose(vi), VI_SUCCESS);
  EXPECT_EQ(TrafficLines(),
            (std::vector<std::string>{"open " + name_, "write " + name_ + " FREQ 2500;:FREQ?",
                                      "read " + name_ + " +2.50000000000000E+03",
                                      "timeout " + name_, "write " + name_ + " *IDN?",
                                      "read " + name_ + " TARROWS-",
                                      "read " + name_ + " GIMBELL,Q3207,0,A.01.00",
                                      "write " + name_ + " *OPC?", "flush " + name_,
                                      "timeout " + name_, "close " + name_}));
}

TEST_F(VisaNetwork, OverVxi11ReadsEndAtEndAndAnEmptyReadTimesOut) {
  ViSession vi = Open(lan_);
  ViUInt16 intf = 0, stb = 0;
  EXPECT_EQ(viGetAttribute(vi, VI_ATTR_INTF_TYPE, &intf), VI_SUCCESS);
  EXPECT_EQ(intf, VI_INTF_TCPIP);
  ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 300), VI_SUCCESS);
  ASSERT_EQ(Write(vi, "FREQ 2500;:FREQ?;:VOLT 11"), VI_SUCCESS);  // END ends it
  ViStatus status = VI_SUCCESS;
  EXPECT_EQ(Read(vi, 8, &status), "+2.50000");
  EXPECT_EQ(status, VI_SUCCESS_MAX_CNT);
  EXPECT_EQ(Read(vi, 256, &status), "000000000E+03\n");
  EXPECT_EQ(status, VI_SUCCESS);
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(Read(vi, 256, &status), "");
  EXPECT_EQ(status, VI_ERROR_TMO);
  // The server times the wait on its own clock; the two clocks tick apart by up to a few ms.
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(290));
  EXPECT_EQ(viReadSTB(vi, &stb), VI_SUCCESS);
  EXPECT_EQ(stb, 0x04) << "the error of VOLT 11 waits in the queue";
  ASSERT_EQ(Write(vi, "*IDN?\n"), VI_SUCCESS);
  EXPECT_EQ(viClear(vi), VI_SUCCESS);
  EXPECT_EQ(Read(vi, 256, &status), "");
  EXPECT_EQ(status, VI_ERROR_TMO);
  EXPECT_EQ(viAssertTrigger(vi, VI_TRIG_PROT_DEFAULT), VI_SUCCESS);
  EXPECT_EQ(viClose(vi), VI_SUCCESS);
  EXPECT_EQ(TrafficLines(),
            (std::vector<std::string>{"open " + lan_, "write " + lan_ + " FREQ 2500;:FREQ?;:VOLT 11",
                                      "read " + lan_ + " +2.50000",
                                      "read " + lan_ + " 000000000E+03", "timeout " + lan_,
                                      "stb " + lan_ + " 4", "write " + lan_ + " *IDN?",
                                      "clear " + lan_, "timeout " + lan_, "trigger " + lan_,
                                      "close " + lan_}));
}

TEST_F(VisaNetwork, AServerThatStopsLosesTheConnectionAndNobodyThereIsNotFound) {
  ViSession vi = Open(name_);
  ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE), VI_SUCCESS);
  StopServer();
  ViStatus status = VI_SUCCESS;
  EXPECT_EQ(Read(vi, 256, &status), "");
  EXPECT_EQ(status, VI_ERROR_CONN_LOST);
  EXPECT_EQ(Write(vi, "*IDN?\n"), VI_ERROR_CONN_LOST);
  EXPECT_EQ(viClose(vi), VI_SUCCESS);
  ViSession none = VI_NULL;
  EXPECT_EQ(viOpen(rm_, const_cast<char*>(name_.c_str()), VI_NULL, VI_NULL, &none),
            VI_ERROR_RSRC_NFOUND);
  EXPECT_EQ(none, VI_NULL);
  std::string other = "TCPIP0::127.0.0.1::0::SOCKET";
  EXPECT_EQ(viOpen(rm_, const_cast<char*>(other.c_str()), VI_NULL, VI_NULL, &none),
            VI_ERROR_RSRC_NFOUND);
  EXPECT_EQ(TrafficLines(), (std::vector<std::string>{"open " + name_, "lost " + name_,
                                                      "lost " + name_ + " *IDN?",
                                                      "close " + name_, "open-failed " + name_,
                                                      "open-failed " + other}));
  EXPECT_EQ(viOpen(rm_, const_cast<char*>(lan_.c_str()), VI_NULL, VI_NULL, &none),
            VI_ERROR_RSRC_NFOUND);
}

TEST_F(VisaNetwork, AVxi11LinkWhoseServerStopsLosesTheConnection) {
  ViSession vi = Open(lan_);
  StopServer();
  ViStatus status = VI_SUCCESS;
  EXPECT_EQ(Read(vi, 256, &status), "");
  EXPECT_EQ(status, VI_ERROR_CONN_LOST);
  EXPECT_EQ(Write(vi, "*IDN?\n"), VI_ERROR_CONN_LOST);
  ViUInt16 stb = 0;
  EXPECT_EQ(viReadSTB(vi, &stb), VI_ERROR_CONN_LOST);
  EXPECT_EQ(viClose(vi), VI_SUCCESS);
  EXPECT_EQ(TrafficLines(), (std::vector<std::string>{"open " + lan_, "lost " + lan_,
                                                      "lost " + lan_ + " *IDN?", "close " + lan_}));
}

}  // namespace
