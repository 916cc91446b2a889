// Output files appear whole or not at all.
#include <gtest/gtest.h>

#include <fstream>

#include "host/pending_file.h"
#include "host_test_support.h"

namespace hosttest {
namespace {

class PendingFileTest : public ScratchDir {
 protected:
  void write(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
  }
};

TEST_F(PendingFileTest, CommitReplacesTheTarget) {
  write(path("out.wav"), "old");
  {
    plughost::PendingFile pending(path("out.wav"));
    EXPECT_EQ(pending.temporary().parent_path(), dir_);
    write(pending.temporary(), "new");
    EXPECT_EQ(readFile(path("out.wav")), "old");
    pending.commit();
  }
  EXPECT_EQ(readFile(path("out.wav")), "new");
  EXPECT_EQ(files(), std::vector<std::string>{"out.wav"});
}

TEST_F(PendingFileTest, AbandonedFileLeavesNothingAndKeepsTheOldTarget) {
  write(path("keep.wav"), "old");
  {
    plughost::PendingFile pending(path("keep.wav"));
    write(pending.temporary(), "half");
  }
  {
    plughost::PendingFile pending(path("fresh.wav"));
    write(pending.temporary(), "half");
  }
  EXPECT_EQ(files(), std::vector<std::string>{"keep.wav"});
  EXPECT_EQ(readFile(path("keep.wav")), "old");
}

TEST_F(PendingFileTest, TwoPendingFilesForOneTargetDoNotCollide) {
  plughost::PendingFile a(path("out.wav"));
  write(a.temporary(), "a");
  plughost::PendingFile b(path("out.wav"));
  EXPECT_NE(a.temporary(), b.temporary());
}

}  // namespace
}  // namespace hosttest
