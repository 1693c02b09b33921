// The file list on a folder whose contents the user may not read: the tests run as root, so
// the folder is read as another user.
#include <sys/stat.h>

#include "explorer/explorer_fixture.h"
#include "explorer/file_system_user.h"

namespace explorer {
namespace {

TEST_F(ExplorerTest, AFolderTheUserMayNotReadSaysAccessDeniedAndIsStillTheChosenOne) {
  folder.Write("chiusa/segreto.txt", "s");
  ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(Key("chiusa").c_str(), 0311), 0);
  Open();
  testing_support::FileSystemUser nobody(testing_support::kNobody);
  if (!nobody.active()) GTEST_SKIP() << "cannot check permissions as another user here";
  Click("chiusa");
  EXPECT_EQ(Messages(), (std::vector<std::string>{"Cartoscope | info | Access denied"}));
  EXPECT_TRUE(ListedNames().empty());
  EXPECT_EQ(state.Path_Scelto, Key("chiusa/"));
}

}  // namespace
}  // namespace explorer
