#pragma once
// Tests only: archives composed byte by byte, independently of the writer,
// with the offsets written out as numbers.

#include <cstdint>
#include <string>
#include <vector>

#include "lvar/archive_reader.h"

namespace lvar_test {

/// The text of a status's note in English, as the tests read it.
inline std::string EnglishNote(const lvar::Status& status) {
  return lvar::NoteText(base::Language::kEnglish, status.note);
}

struct TestEntry {
  int kind;
  std::string name;
  std::string content;
};

inline void PutLe(std::string* bytes, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) (*bytes)[at + i] = static_cast<char>(value >> (8 * i));
}

/// Sets the last byte so that the exclusive-or of all bytes is 0.
inline void FixChecksum(std::string* archive) {
  char sum = 0;
  for (std::size_t i = 0; i + 1 < archive->size(); ++i) sum ^= (*archive)[i];
  archive->back() = sum;
}

/// A complete archive: header (entry count = number of entries, masks and
/// destination as given, information blocks of text), entries, checksum.
inline std::string MakeArchive(const std::vector<TestEntry>& entries, std::uint32_t destination = 2) {
  std::string a(256, '\0');
  PutLe(&a, 0x00, 0x0100, 2);
  PutLe(&a, 0x02, static_cast<std::uint32_t>(entries.size()), 2);
  PutLe(&a, 0x04, 0xE0000000, 4);
  a.replace(0x08, 8, "PLATFORM");
  PutLe(&a, 0x94, 0xC0000000, 4);
  a.replace(0x98, 2, "OS");
  PutLe(&a, 0xB0, 0xFFC00000, 4);
  a.replace(0xB4, 3, "CPU");
  PutLe(&a, 0xDC, destination, 4);
  for (const TestEntry& e : entries) {
    std::string entry(13 + e.name.size(), '\0');
    PutLe(&entry, 0, static_cast<std::uint32_t>(e.name.size() + e.content.size() + 9), 4);
    entry[6] = static_cast<char>(e.kind);
    entry[7] = static_cast<char>(e.name.size());
    entry.replace(8, e.name.size(), e.name);
    PutLe(&entry, 9 + e.name.size(), static_cast<std::uint32_t>(e.content.size()), 4);
    a += entry + e.content;
  }
  a += '\0';
  FixChecksum(&a);
  return a;
}

inline const char kTestInstallInf[] =
    "[App Information]\r\n"
    "Maker = Kumo\r\nProgram = Memo\r\nVersion = 1.2\r\n"
    "InstallDir = \"?Drive?\\Program Files\\Memo\"\r\n"
    "ExeFile = Memo.exe\r\nUninstall = Un.inf\r\nCaption = \"Memo Pad\"\r\n"
    "Destination = STORAGE_ONLY\r\nUnload = 1\r\n"
    "[Make Dirs]\r\n\"%INSTALL_DIR%\\Data\"\r\n"
    "[Copy Files]\r\n"
    "\"?Drive?\\Program Files\\Un.inf\" , \"Un.inf\", COPYFLG_REPLACEONLY\r\n"
    "\"%install_dir%\\Memo.exe\" , \"Memo.exe\"\r\n"
    "\"%INSTALL_DIR%\\Data\\a.txt\" , \"a.txt\", COPYFLG_REPLACEONLY\r\n"
    "\"%INSTALL_DIR%\\Data\\A.TXT\" , \"b.txt\", COPYFLG_REPLACEONLY\r\n"
    "\"%INSTALL_DIR%\\gone.txt\" , \"gone.txt\"\r\n"
    "[Add Registry]\r\n"
    "HKEY_CURRENT_USER, Software\\Kumo, Lines, REG_DWORD, FLG_ADDREG_REPLACEONLY, 40\r\n";
inline const char kTestUninstallInf[] =
    "[Uninstall Information]\r\nMaker = Kumo\r\nProgram = Memo\r\n"
    "[Delete Files]\r\n\"%INSTALL_DIR%\\Data\\a.txt\"\r\n"
    "[Delete Registry]\r\nHKEY_CURRENT_USER, Software\\Kumo\r\n";

/// A small sound archive: Install.inf, Un.inf, a program and three data files
/// (extra.bin is named by no copy line).
inline std::vector<TestEntry> SoundEntries() {
  return {{1, "Install.inf", kTestInstallInf},
          {1, "Un.inf", kTestUninstallInf},
          {2, "Memo.exe", "MZ program"},
          {3, "a.txt", "first"},
          {3, "b.txt", ""},
          {3, "extra.bin", std::string("\x00\x01\xFF", 3)}};
}

}  // namespace lvar_test
