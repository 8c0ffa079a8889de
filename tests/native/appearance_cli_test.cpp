// corvandel-cli over the Appearance and Desktop tweaks: whole command lines
// over registry files, the page printed after Apply and the file written.
#include <gtest/gtest.h>

#include "cli/options.h"
#include "cli_fixture.h"
#include "services/reg_file.h"
#include "services/registry_memory.h"

namespace corvandel {
namespace {

const std::string kBinIcon =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
const std::string kNameSpace = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace";

class AppearanceCliTest : public CliAppTest {
 protected:
  // The registry file as the program left it.
  void Reload(const std::string& reg) {
    std::string error;
    ASSERT_TRUE(LoadRegistryFile(reg, written, &error)) << error;
  }
  std::string TextOf(RegKey root, const std::string& path, const std::string& name, std::uint32_t* type) {
    std::vector<std::uint8_t> data;
    if (!written.Get(root, path, name, type, &data)) return "(absent)";
    return std::string(data.begin(), data.end());
  }

  MemoryRegistry written;
};

// The Recycle Bin's icons shown with the given Windows folder and stored
// with "%SystemRoot%" in its place.
TEST_F(AppearanceCliTest, RecycleBinIconsTakeTheWindowsFolderFromTheCommandLine) {
  const std::string reg = WriteReg("r.reg",
                                   "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_CURRENT_USER\\" + kBinIcon +
                                       "]\r\n@=\"%SystemRoot%\\\\System32\\\\shell32.dll,31\"\r\n"
                                       "\"Full\"=\"%SystemRoot%\\\\System32\\\\shell32.dll,32\"\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "62", "1025=D:\\WINNT\\full.ico", "--windir", "D:\\WINNT", "--registry", reg}))
      << err.str();
  EXPECT_EQ((std::vector<std::string>{
                "page CEditCheckPage",
                "1006 static \"Change the Recycle Bin Icons:\\nWould you like to make you Recycle Bin into something a "
                "bit more exciting? Maybe a glowing toxic waste bin? With this tweak you can change the icon to be "
                "whatever you like.\"",
                "1014 static \"Default Icon:\"",
                "1015 edit \"D:\\\\WINNT\\\\System32\\\\shell32.dll,31\"",
                "1023 button \"...\"",
                "1019 static \"Empty Icon:\"",
                "1017 edit \"\"",
                "1026 button \"...\"",
                "1020 static \"Full Icon:\"",
                "1025 edit \"D:\\\\WINNT\\\\full.ico\"",
                "1027 button \"...\"",
                "1024 static \"Note:\\n\\tYou may need to restart or log out of Windows for the change to take effect.\"",
                "1016 button \"Apply Changes\"",
            }),
            Lines());
  EXPECT_EQ("", err.str());
  Reload(reg);
  std::uint32_t type = 0;
  EXPECT_EQ("%SystemRoot%\\System32\\shell32.dll,31", TextOf(reg::kCurrentUser, kBinIcon, "", &type));
  EXPECT_EQ(reg::kSz, type);
  EXPECT_EQ("", TextOf(reg::kCurrentUser, kBinIcon, "Empty", &type));
  EXPECT_EQ("%SystemRoot%\\full.ico", TextOf(reg::kCurrentUser, kBinIcon, "Full", &type));
}

// A row of the icon list by its check box: unchecked removes its subkey.
TEST_F(AppearanceCliTest, DesktopIconRowUncheckedRemovesItsSubkey) {
  const std::string bin = kNameSpace + "\\{645FF040-5081-101B-9F08-00AA002F954E}";
  const std::string fonts = kNameSpace + "\\{D20EA4E1-3957-11d2-A40B-0C5020524152}";
  const std::string reg = WriteReg("r.reg", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_LOCAL_MACHINE\\" +
                                                bin + "]\r\n\r\n[HKEY_LOCAL_MACHINE\\" + fonts + "]\r\n");
  ASSERT_EQ(kExitOk, Run({"apply", "80", "1009[8]=0", "--registry", reg})) << err.str();
  EXPECT_EQ((std::vector<std::string>{
                "page CListPage",
                "1006 static \"Change Desktop Icon Visibility:\\nChooses which system folders appear as icons on the "
                "desktop, such as Administrative Tools, Fonts, Printers and Faxes or the Recycle Bin. Showing the "
                "folders you use often puts them one double-click away.\"",
                "1009 list columns= rows=13 selected=-1",
                "1009[0] \"Administrative Tools\"",
                "1009[1] checked \"Fonts\"",
                "1009[2] \"History\"",
                "1009[3] \"Inbox\"",
                "1009[4] \"Microsoft Network\"",
                "1009[5] \"Network Connections\"",
                "1009[6] \"Printers and Faxes\"",
                "1009[7] \"Programs Folder\"",
                "1009[8] \"Recycle Bin\"",
                "1009[9] \"Scanners and Cameras\"",
                "1009[10] \"Scheduled Tasks\"",
                "1009[11] \"Start Menu Folder\"",
                "1009[12] \"Temporary Internet Files\"",
                "1016 button \"Apply Changes\"",
            }),
            Lines());
  Reload(reg);
  EXPECT_FALSE(written.KeyExists(reg::kLocalMachine, bin));
  EXPECT_TRUE(written.KeyExists(reg::kLocalMachine, fonts));
  EXPECT_TRUE(written.KeyExists(reg::kLocalMachine, kNameSpace));
}

}  // namespace
}  // namespace corvandel
