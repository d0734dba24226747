// The built DLLs themselves, loaded as the program loads VISA32.DLL.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "visa-sim/sim_control.h"
#include "visa.h"

namespace {

// bin/<folder>/VISA32.DLL beside this test's bin folder.
std::string DllPath(const char* folder) {
  char exe[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string path(exe, length);
  return path.substr(0, path.find_last_of("\\/") + 1) + folder + "\\VISA32.DLL";
}

class LoadedDll {
 public:
  explicit LoadedDll(const char* folder) : module_(LoadLibraryA(DllPath(folder).c_str())) {}
  ~LoadedDll() {
    if (module_) FreeLibrary(module_);
  }
  bool Loaded() const { return module_ != nullptr; }
  template <typename F>
  F* Entry(const char* name) const {
    return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

const char* const kVisaNames[] = {"viOpenDefaultRM", "viFindRsrc",      "viFindNext",
                                  "viOpen",          "viClose",         "viGetAttribute",
                                  "viSetAttribute",  "viWrite",         "viRead",
                                  "viClear",         "viReadSTB",       "viAssertTrigger",
                                  "viFlush",         "tgqsim_configure", "tgqsim_traffic",
                                  "tgqsim_clear_traffic", "tgqsim_state", "tgqsim_queue_error"};

TEST(VisaDll, DiscoveryRunsThroughTheExportedFunctions) {
  LoadedDll dll("visa-sim");
  ASSERT_TRUE(dll.Loaded()) << DllPath("visa-sim");
  for (const char* name : kVisaNames) EXPECT_NE(dll.Entry<void>(name), nullptr) << name;

  ASSERT_EQ(dll.Entry<decltype(tgqsim_configure)>("tgqsim_configure")(nullptr), 0);
  ViSession rm = VI_NULL, vi = VI_NULL;
  ViFindList list = VI_NULL;
  ViUInt32 count = 0;
  ViChar desc[VI_FIND_BUFLEN];
  ASSERT_EQ(dll.Entry<decltype(viOpenDefaultRM)>("viOpenDefaultRM")(&rm), VI_SUCCESS);
  ASSERT_EQ(dll.Entry<decltype(viFindRsrc)>("viFindRsrc")(rm, const_cast<char*>("?*INSTR"), &list,
                                                          &count, desc),
            VI_SUCCESS);
  EXPECT_EQ(count, 1u);
  EXPECT_STREQ(desc, "GPIB-VXI0::24::INSTR");
  ASSERT_EQ(dll.Entry<decltype(viOpen)>("viOpen")(rm, desc, VI_NULL, VI_NULL, &vi), VI_SUCCESS);
  ViUInt16 model = 0;
  EXPECT_EQ(dll.Entry<decltype(viGetAttribute)>("viGetAttribute")(vi, VI_ATTR_MODEL_CODE, &model),
            VI_SUCCESS);
  EXPECT_EQ(model, 0x0244);
  char query[] = "*IDN?\n";
  ViUInt32 n = 0;
  ASSERT_EQ(dll.Entry<decltype(viWrite)>("viWrite")(vi, reinterpret_cast<ViBuf>(query), 6, &n),
            VI_SUCCESS);
  ViByte reply[100];
  ASSERT_EQ(dll.Entry<decltype(viRead)>("viRead")(vi, reply, sizeof reply, &n), VI_SUCCESS);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(reply), n), "TARROWS-GIMBELL,Q3207,0,A.01.00\n");
  EXPECT_EQ(dll.Entry<decltype(viClose)>("viClose")(rm), VI_SUCCESS);
  char traffic[512];
  dll.Entry<decltype(tgqsim_traffic)>("tgqsim_traffic")(traffic, sizeof traffic);
  EXPECT_STREQ(traffic,
               "open GPIB-VXI0::24::INSTR\nwrite GPIB-VXI0::24::INSTR *IDN?\n"
               "read GPIB-VXI0::24::INSTR TARROWS-GIMBELL,Q3207,0,A.01.00\n"
               "close GPIB-VXI0::24::INSTR\n");
}

TEST(VisaDll, IncompleteLibraryLacksOnlyViFindRsrc) {
  LoadedDll dll("visa-sim-incomplete");
  ASSERT_TRUE(dll.Loaded()) << DllPath("visa-sim-incomplete");
  for (const char* name : kVisaNames) {
    bool present = dll.Entry<void>(name) != nullptr;
    EXPECT_EQ(present, std::string(name) != "viFindRsrc") << name;
  }
}

}  // namespace
