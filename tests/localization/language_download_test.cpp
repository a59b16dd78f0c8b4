#include "localization/language_download.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_machine.h"

namespace localization {
namespace {

constexpr const char* kOld =
    "<XML_DIZ_INFO><LANGUAGE_GROUP><LANGUAGE_NAME>English</LANGUAGE_NAME>"
    "<TRANSLATION_ITEMS></TRANSLATION_ITEMS></LANGUAGE_GROUP></XML_DIZ_INFO>\r\n";
constexpr const char* kNew =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<XML_DIZ_INFO>\r\n<LANGUAGE_GROUP>\r\n"
    "<LANGUAGE_NAME>German</LANGUAGE_NAME>\r\n<TRANSLATION_ITEMS>\r\n"
    "\t\t<MSG_STOP>Abbrechen?</MSG_STOP>\r\n</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n"
    "</XML_DIZ_INFO>\r\n";

class LanguageDownloadTest : public ::testing::Test {
 protected:
  LanguageDownloadTest() { sim.files.AddFile(path, kOld); }
  std::string Content() { return sim.files.FileContent(path).value_or("<gone>"); }

  platform::sim::SimMachine sim;
  const std::string path = sim.system.ProgramFolder() + "\\Localization.txt";
};

TEST_F(LanguageDownloadTest, AWholeFileReplacesTheOldOneWithoutWhatPrecedesItsFirstTag) {
  EXPECT_TRUE(InstallLanguageFile(sim.files, path, std::string("\xEF\xBB\xBF junk ") + kNew));
  EXPECT_EQ(Content(), kNew);
  EXPECT_FALSE(sim.files.Exists(path + ".new"));
  // A folder without a file yet gets one.
  sim.files.DeleteFile(path);
  EXPECT_TRUE(InstallLanguageFile(sim.files, path, kNew));
  EXPECT_EQ(Content(), kNew);
}

TEST_F(LanguageDownloadTest, AnythingButAWholeLanguageFileChangesNothing) {
  const std::string whole = kNew;
  for (const std::string& response : {
           std::string(),                                       // the download failed
           std::string("<html><body>404 Not Found</body></html>"),  // an error page
           whole.substr(0, whole.find("</TRANSLATION_ITEMS>")),    // cut off in the items
           whole.substr(0, whole.size() - 5),                     // cut off in the last tag
       }) {
    EXPECT_FALSE(InstallLanguageFile(sim.files, path, response)) << response;
    EXPECT_EQ(Content(), kOld) << response;
    EXPECT_FALSE(sim.files.Exists(path + ".new"));
  }
}

TEST_F(LanguageDownloadTest, AWriteThatDiesHalfwayLeavesTheOldFileWhole) {
  sim.files.CrashAfterChanges(0);
  EXPECT_FALSE(InstallLanguageFile(sim.files, path, kNew));
  EXPECT_EQ(Content(), kOld);
}

TEST_F(LanguageDownloadTest, TheAddressNamesTheBrand) {
  EXPECT_EQ(LanguageFileAddress("http://127.0.0.1:8080", 21),
            "http://127.0.0.1:8080/Languages/21/Localization.txt");
}

}  // namespace
}  // namespace localization
