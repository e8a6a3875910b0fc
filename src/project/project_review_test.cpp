#include "project/project_review.h"

#include <gtest/gtest.h>

namespace project {
namespace {

// The sections a project file of the wizard holds, for the cases to add to.
const std::string kPlain =
    "[Pakforge]\nVer=1.0\n"
    "[Property]\nLocate=JP\nName=Foo\nReboot=false\nDest=MAIN\nUninstall=true\nUnRegist=false\n"
    "[CopyFile]\nFile0=Foo.exe\nWakeup0=true\nFile1=song.dat\nFolder1=Music\nType1=Doc\n"
    "File2=a.dat\nFolder2=Own\nType2=AppOriginal\n"
    "[Folder]\nNameApp0=Own\n"
    "[SetupIni]\nCreate=true\nName=Foo\n";

std::string Described(const ProjectFileReview& review) {
  std::string text;
  for (const UnwrittenWord& w : review.words) {
    text += std::to_string(w.line) + " " + w.key + "=" + w.value + " {" + w.accepted + "} -> " + w.read_as + "\n";
  }
  for (const UnreadName& n : review.unread) {
    text += std::to_string(n.line) + " [" + n.section + "] " + n.key + (n.suggestion.empty() ? "" : " ?" + n.suggestion) +
            "\n";
  }
  return text;
}

TEST(ProjectReviewTest, WordsTheWizardNeverWritesAndNamesItDoesNotRead) {
  const struct {
    const char* name;
    std::string text;
    std::string expected;
  } cases[] = {
      {"the wizard's own file", kPlain, ""},
      {"letter case as reading ignores it", "[Property]\nLocate=jp\nDest=card\nReboot=TRUE\n", ""},
      {"Dest", "[Property]\nName=x\nDest=MAIN_ONLY\n", "3 Dest=MAIN_ONLY {MAIN, CARD, ALTERNATIVE} -> ALTERNATIVE\n"},
      {"UnRegist", "[Property]\nUnRegist=no\n", "2 UnRegist=no {true, false} -> true\n"},
      {"Reboot, Uninstall and Locate", "[Property]\nReboot=yes\nUninstall=0\nLocate=Japan\n",
       "2 Reboot=yes {true, false} -> false\n3 Uninstall=0 {true, false} -> true\n4 Locate=Japan {JP, US} -> US\n"},
      {"Create", "[SetupIni]\nCreate=1\n", "2 Create=1 {true, false} -> false\n"},
      {"an empty word", "[Property]\nDest=\n", "2 Dest= {MAIN, CARD, ALTERNATIVE} -> ALTERNATIVE\n"},
      {"Type of a row", "[CopyFile]\nFile0=a\nFile1=b\nFolder1=Music\nType1=App\n",
       "5 Type1=App {Doc, AppOriginal, DocOriginal} -> Doc\n"},
      {"Type beside no Folder is not read", "[CopyFile]\nFile0=a\nType0=App\n", ""},
      {"Wakeup", "[CopyFile]\nFile0=a\nWakeup0=yes\n", "3 Wakeup0=yes {true, false} -> false\n"},
      {"a predefined folder that is not offered", "[CopyFile]\nFile0=a\nFolder0=Pictures\nType0=Doc\n",
       "3 Folder0=Pictures {Movie, Photo, Music, Text, Bookmark, Unknown} -> My Documents\\Pictures\n"},
      {"a misspelt section", "[CopyFiles]\nFile0=a\n", "1 [CopyFiles]  ?CopyFile\n"},
      {"an unknown section far from any", "[Extra]\nx=1\n", "1 [Extra] \n"},
      {"a second section of one name", "[Property]\nName=a\n[property]\nName=b\n", "3 [property] \n"},
      {"a second key of one name", "[Property]\nDest=MAIN\nDEST=CARD\n", "3 [Property] DEST\n"},
      {"a misspelt key", "[Property]\nUnregist=true\nNmae=x\n", "3 [Property] Nmae ?Name\n"},
      {"a misspelt row key", "[CopyFile]\nFile0=a\nFolder0=Music\nTyp0=Doc\n", "4 [CopyFile] Typ0 ?Type0\n"},
      {"a row after a gap", "[CopyFile]\nFile0=a\nFile2=b\n", "3 [CopyFile] File2\n"},
      {"a number with a leading zero", "[Registry]\nRegistryKey0=HKLM,a,,SZ,\"x\"\nRegistryKey01=x\n",
       "3 [Registry] RegistryKey01\n"},
      {"a key before any section", "Name=x\n[Property]\nName=y\n", "1 [] Name\n"},
      // "\x83\x81\x83\x82.exe" and "\x8A\x47" (Japanese names) start with a lead byte.
      {"rows and folders whose names start with a double-byte character",
       "[CopyFile]\nFile0=\x83\x81\x83\x82.exe\nFile1=a.dat\nFolder1=\x8A\x47\nType1=AppOriginal\n"
       "[Folder]\nNameApp0=\x8A\x47\nName0=\x8A\x47\n[Registry]\nRegistryKey0=\x8A\x47,,SZ,\"x\"\n",
       ""},
  };
  for (const auto& c : cases) {
    base::IniFile ini;
    ini.Parse(c.text);
    EXPECT_EQ(Described(ReviewProjectFile(ini)), c.expected) << c.name;
  }
}

TEST(ProjectReviewTest, ListsAreCappedAndTextIsFormedFromTheFormats) {
  std::string text = "[Property]\nDest=x\n";
  for (int i = 0; i < 60; ++i) text += "[Extra" + std::to_string(i) + "]\n";
  base::IniFile ini;
  ini.Parse(text);
  const ProjectFileReview review = ReviewProjectFile(ini);
  EXPECT_EQ(review.unread.size(), kMaxReviewItems);
  EXPECT_EQ(review.unread_count, 60u);
  ProjectFileReview shown = review;
  shown.unread.resize(1);
  shown.unread[0].suggestion = "CopyFile";
  const ReviewFormats formats{"%s|%s|%s|%s|%s", "%s [%s]", "%s key %s", " ?%s", "+%s"};
  EXPECT_EQ(ReviewText(shown, formats), "2|Dest|x|MAIN, CARD, ALTERNATIVE|ALTERNATIVE\n3 [Extra0] ?[CopyFile]\n+59");
}

TEST(ProjectReviewTest, OneEditApart) {
  const struct {
    const char* a;
    const char* b;
    bool apart;
  } cases[] = {{"CopyFiles", "CopyFile", true}, {"CopyFle", "CopyFile", true},  {"CopyFlie", "CopyFile", true},
               {"CopyFiel", "CopyFile", true},  {"copyfile", "CopyFile", false}, {"CopyFolder", "CopyFile", false},
               {"Type", "Tpey", false},         {"", "A", true},                 {"Name", "Dest", false}};
  for (const auto& c : cases) EXPECT_EQ(OneEditApart(c.a, c.b), c.apart) << c.a << " " << c.b;
}

}  // namespace
}  // namespace project
