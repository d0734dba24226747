#include "connect/library_loading.h"
#include "connect/vxipnp_driver_folder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(LibrarySearchFolders, FixedFoldersComeFirstThenTheAbsoluteEntriesOfPath) {
  EXPECT_EQ(LibrarySearchFolders({"C:\\prog", "", "C:\\windows\\system32"},
                                 "Z:\\sim;C:\\tools\\;\\\\server\\share\\visa"),
            (Lines{"C:\\prog", "C:\\windows\\system32", "Z:\\sim", "C:\\tools\\",
                   "\\\\server\\share\\visa"}));
}

TEST(LibrarySearchFolders, EntriesThatResolveAgainstTheCurrentDirectoryAreLeftOut) {
  EXPECT_EQ(LibrarySearchFolders({}, ".;;bin;..\\visa;C:;C:visa;\\visa;d:/visa;\"C:\\Program Files\\VISA\""),
            (Lines{"d:/visa", "C:\\Program Files\\VISA"}));
  EXPECT_TRUE(LibrarySearchFolders({}, "").empty());
}

const std::string kBin = sizeof(void*) == 8 ? "Win64\\Bin" : "WinNT\\Bin";

// Each root in turn, and the relative or empty ones passed over.
TEST(VxiPnpDriverFolder, TheFirstAbsoluteRootOfRegistryVariableAndProgramFiles) {
  EXPECT_EQ(VxiPnpDriverFolder("C:\\VXIpnp", "D:\\pnp", "C:\\Program Files"), "C:\\VXIpnp\\" + kBin);
  EXPECT_EQ(VxiPnpDriverFolder("", "D:\\pnp\\", "C:\\Program Files"), "D:\\pnp\\" + kBin);
  EXPECT_EQ(VxiPnpDriverFolder("VXIpnp", "\\\\lab\\pnp", ""), "\\\\lab\\pnp\\" + kBin);
  EXPECT_EQ(VxiPnpDriverFolder("", "pnp", "C:\\Program Files\\"),
            "C:\\Program Files\\IVI Foundation\\VISA\\" + kBin);
  EXPECT_EQ(VxiPnpDriverFolder("C:", "\\pnp", "Program Files"), "");
  EXPECT_EQ(VxiPnpDriverFolder("", "", ""), "");
}

}  // namespace
