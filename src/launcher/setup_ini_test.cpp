#include "launcher/setup_ini.h"

#include <gtest/gtest.h>

#include <string>

#include "base/fake_file_system.h"
#include "base/sjis.h"

namespace launcher {
namespace {

struct IniCase {
  const char* name;
  std::string text;
  std::string expected;
};

TEST(SetupIniTest, AppName) {
  const std::string written =
      "[APPNAME]\r\nappname = Hello App\r\nfile = hello.lvar\r\n[REGISTRY]\r\nbyte = 65536\r\n"
      "[RAM]\r\nbyte = 1300\r\n[PLACE]\r\ndrive = 3\r\n";
  const IniCase cases[] = {
      {"as the wizard writes it", written, "Hello App"},
      {"empty file", "", "Software"},
      {"no section", "appname = Stray\r\n", "Software"},
      {"no key", "[APPNAME]\r\nfile = a.lvar\r\n", "Software"},
      {"key in another section", "[RAM]\r\nappname = No\r\n[APPNAME]\r\nx = 1\r\n", "Software"},
      {"empty value", "[APPNAME]\r\nappname = \r\n", ""},
      {"case of section and key", "[appName]\nAPPNAME=Mixed\n", "Mixed"},
      {"blanks kept inside", "[APPNAME]\n  appname   =   Two  Words  \n", "Two  Words"},
      {"quotes removed", "[APPNAME]\nappname = \"Quoted\"\n", "Quoted"},
      {"single quotes removed", "[APPNAME]\nappname = 'Q'\n", "Q"},
      {"unmatched quote kept", "[APPNAME]\nappname = \"Half\n", "\"Half"},
      {"first key wins", "[APPNAME]\nappname = One\nappname = Two\n", "One"},
      {"comment line skipped", "[APPNAME]\n;appname = No\nappname = Yes\n", "Yes"},
      {"equals sign in value", "[APPNAME]\nappname = a=b\n", "a=b"},
      {"no line end at the end", "[APPNAME]\r\nappname = Last", "Last"},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF[APPNAME]\nappname = Bom\n", "Bom"},
      {"Shift-JIS name", "[APPNAME]\r\nappname = \x83\x65\x83\x58\x83\x67\r\n",
       "\x83\x65\x83\x58\x83\x67"},
  };
  for (const IniCase& c : cases) {
    EXPECT_EQ(AppNameFromIni(c.text, "Software", base::IsSjisLeadByte), c.expected) << c.name;
  }
}

TEST(SetupIniTest, ArchiveName) {
  const IniCase cases[] = {
      {"as the wizard writes it",
       "[APPNAME]\r\nappname = Hello\r\nfile = My App.lvar\r\n[RAM]\r\nfile = no.lvar\r\n",
       "My App.lvar"},
      {"no key", "[APPNAME]\r\nappname = Hello\r\n", ""},
      {"key in another section", "[RAM]\r\nfile = no.lvar\r\n", ""},
      {"quoted, other letter case", "[appname]\nFILE = \"a b.lvar\"\n", "a b.lvar"},
  };
  for (const IniCase& c : cases) EXPECT_EQ(ArchiveNameFromIni(c.text), c.expected) << c.name;
}

TEST(SetupIniTest, NameIsCutTo199Bytes) {
  const std::string long_name(250, 'n');
  EXPECT_EQ(AppNameFromIni("[APPNAME]\r\nappname = " + long_name + "\r\n", "Software",
                           base::IsSjisLeadByte),
            std::string(199, 'n'));
  EXPECT_EQ(AppNameFromIni("[APPNAME]\r\nappname = " + std::string(199, 'n') + "\r\n", "S",
                           base::IsSjisLeadByte)
                .size(),
            199u);
  // A double-byte character that would straddle the cut is dropped whole.
  const std::string straddle = std::string(198, 'n') + "\x83\x65" + "tail";
  EXPECT_EQ(AppNameFromIni("[APPNAME]\nappname = " + straddle + "\n", "S", base::IsSjisLeadByte),
            std::string(198, 'n'));
  const std::string fits = std::string(197, 'n') + "\x83\x65" + "tail";
  EXPECT_EQ(AppNameFromIni("[APPNAME]\nappname = " + fits + "\n", "S", base::IsSjisLeadByte),
            std::string(197, 'n') + "\x83\x65");
}

TEST(SetupIniTest, ReadFromTheFile) {
  base::FakeFileSystem files;
  const std::string text = "[APPNAME]\r\nappname = From File\r\nfile = Demo.lvar\r\n";
  files.files["dir/setup.ini"] = base::FakeFileSystem::Bytes(text.begin(), text.end());
  SetupIniValues values = ReadSetupIni(files, "dir/setup.ini", "Software", base::IsSjisLeadByte);
  EXPECT_EQ(values.app_name, "From File");
  EXPECT_EQ(values.archive_name, "Demo.lvar");
  values = ReadSetupIni(files, "dir/none.ini", "Software", base::IsSjisLeadByte);
  EXPECT_EQ(values.app_name, "Software");
  EXPECT_EQ(values.archive_name, "");
  files.unreadable.insert("dir/setup.ini");
  EXPECT_EQ(ReadSetupIni(files, "dir/setup.ini", "Software", base::IsSjisLeadByte).app_name, "Software");
}

}  // namespace
}  // namespace launcher
