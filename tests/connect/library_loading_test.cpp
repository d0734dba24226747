#include "connect/library_loading.h"

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

}  // namespace
