#include "visa-sim/tests/visa_test_support.h"

#include <sstream>

void VisaSimTest::Configure(const std::string& config) {
  ASSERT_EQ(tgqsim_configure(config.c_str()), 0);
  ASSERT_EQ(viOpenDefaultRM(&rm_), VI_SUCCESS);
}

ViSession VisaSimTest::Open(const std::string& name) {
  ViSession vi = VI_NULL;
  EXPECT_EQ(viOpen(rm_, const_cast<char*>(name.c_str()), VI_NULL, VI_NULL, &vi), VI_SUCCESS)
      << name;
  return vi;
}

ViStatus VisaSimTest::Write(ViSession vi, const std::string& text) {
  ViUInt32 written = 0;
  ViStatus status =
      viWrite(vi, reinterpret_cast<ViBuf>(const_cast<char*>(text.data())),
              static_cast<ViUInt32>(text.size()), &written);
  if (status == VI_SUCCESS) {
    EXPECT_EQ(written, text.size());
  }
  return status;
}

std::string VisaSimTest::Read(ViSession vi, ViUInt32 count, ViStatus* status) {
  std::vector<ViByte> buffer(count + 1, 0xAA);
  ViUInt32 read = 0;
  *status = viRead(vi, buffer.data(), count, &read);
  EXPECT_LE(read, count);
  EXPECT_EQ(buffer[count], 0xAA) << "viRead wrote past its count";
  return std::string(reinterpret_cast<char*>(buffer.data()), read);
}

std::string VisaSimTest::Query(ViSession vi, const std::string& text) {
  EXPECT_EQ(Write(vi, text + "\n"), VI_SUCCESS);
  std::string reply;
  ViStatus status = VI_SUCCESS_MAX_CNT;
  while (status == VI_SUCCESS_MAX_CNT) reply += Read(vi, 256, &status);
  EXPECT_EQ(status, VI_SUCCESS) << text;
  return reply;
}

std::string VisaSimTest::Traffic() {
  std::string text(static_cast<size_t>(tgqsim_traffic(nullptr, 0)) + 1, '\0');
  tgqsim_traffic(text.data(), static_cast<int>(text.size()));
  text.pop_back();
  return text;
}

std::vector<std::string> VisaSimTest::TrafficLines() {
  std::vector<std::string> lines;
  std::istringstream in(Traffic());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string VisaSimTest::State(const std::string& rsrc) {
  int length = tgqsim_state(rsrc.c_str(), nullptr, 0);
  if (length < 0) return "<none>";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  tgqsim_state(rsrc.c_str(), text.data(), length + 1);
  text.pop_back();
  return text;
}

std::string StateValue(const std::string& state, const std::string& key) {
  size_t at = state.find("\n" + key + "=");
  if (at == std::string::npos) return "<missing>";
  at += key.size() + 2;
  return state.substr(at, state.find('\n', at) - at);
}
