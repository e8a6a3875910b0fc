#pragma once
// The settings model of the wizard: every value the author enters, held in
// one ProjectSettings object for the life of the program.
//
// All texts are Shift-JIS byte strings; lengths and maxima count bytes.
// Window handles, page objects and dialogs are not kept here: the Win32
// layer owns them and keeps a ProjectSettings beside them.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace project {

/// Root of a registry value on the device.
enum RegistryRoot : int {
  kHklm = 1,  ///< HKEY_LOCAL_MACHINE (also any unknown value)
  kHkcu = 2,  ///< HKEY_CURRENT_USER
  kHkcr = 3,  ///< HKEY_CLASSES_ROOT
};

/// Type of a registry value on the device.
enum RegistryValueType : int {
  kMultiSz = 10,
  kDword = 11,
  kBinary = 12,
  kSz = 13,  ///< also any unknown value
};

/// Placement of a row of the files list: the upper 16 bits of its item data
/// (the lower 16 bits are the page's running number).
enum FileRowKind : std::uint32_t {
  AppRoot = 0x10000,      ///< into the install folder itself
  Doc = 0x20000,          ///< into a predefined data folder under "My Documents"
  AppOriginal = 0x40000,  ///< into an own folder inside the install folder
  DocOriginal = 0x80000,  ///< into an own folder under "My Documents"
};
/// Mask of the kind bits of a files-list item data.
inline constexpr std::uint32_t kFileRowKindMask = 0xFFFF0000u;

/// Where the package may be installed (project-file key `Dest`).
enum LocationChoice : int {
  kLocationBoth = 1,
  kLocationMainOnly = 2,
  kLocationCardOnly = 3,
};

/// Language edition of the device (project-file key `Locate`).
enum DeviceLanguage : int {
  kLanguageJapanese = 11,
  kLanguageUs = 12,
};

/// Default size of a text's read buffer, terminator included.
inline constexpr int kDefaultTextMaximum = 101;
/// Paths are limited to this many bytes, terminator included.
inline constexpr int kMaxPath = 260;
/// Size of the read buffer of a registry row of the project file.
inline constexpr int kMaxRegistryText = 32000;

/// One string setting: an owned text plus the size (terminator included) of
/// the buffer in which the user interface reads it, so the text is meant to
/// hold at most maximum - 1 bytes. Assign does not enforce the maximum; the
/// pages' edit limits and read buffers do.
class TextSetting {
 public:
  explicit TextSetting(int maximum = kDefaultTextMaximum) : maximum_(maximum) {}
  TextSetting(const TextSetting& other) { *this = other; }

  /// Empties the text, then sets the maximum to `n`.
  void SetMaximum(int n);
  /// Empties the text.
  void Clear();
  /// Stores a copy of `text` (empty text: the setting becomes empty).
  void Assign(std::string_view text);
  /// The text; the empty string when the setting is empty.
  const std::string& Text() const { return text_; }
  /// Length of the text in bytes.
  int Length() const { return static_cast<int>(text_.size()); }
  /// True when there is no text.
  bool IsEmpty() const { return text_.empty(); }
  /// False whenever the setting is empty (even against ""); otherwise byte
  /// equality, or equality ignoring ASCII letter case (double-byte characters
  /// compared exactly) when `ignore_case`.
  bool Equals(std::string_view text, bool ignore_case) const;
  /// False when empty, else IsValidFileName of the text.
  bool IsValidFileName() const;

  /// Takes the other's maximum and text (does nothing for self-assignment).
  TextSetting& operator=(const TextSetting& other);

  int Maximum() const { return maximum_; }

 private:
  std::string text_;
  int maximum_ = kDefaultTextMaximum;
};

/// An on/off setting with its own default.
class FlagSetting {
 public:
  explicit FlagSetting(int default_value) : value(default_value ? 1 : 0) {}
  /// Sets the value to 0.
  void Clear() { value = 0; }
  bool On() const { return value != 0; }
  void Set(bool on) { value = on ? 1 : 0; }
  int value;
};

/// Up to `capacity` names, each shorter than 260 bytes, in insertion order.
class NameList {
 public:
  explicit NameList(int capacity = 50) : capacity_(capacity) {}
  /// Removes every name.
  void Clear() { names_.clear(); }
  /// Appends `name`; ignored when it is 260 bytes or longer or the list is
  /// full. Returns true when the name was added.
  bool Add(std::string_view name);
  /// The name at `index`, or the empty string when `index` is out of range.
  const std::string& At(int index) const;
  int Count() const { return static_cast<int>(names_.size()); }
  int Capacity() const { return capacity_; }
  bool IsFull() const { return Count() >= capacity_; }

 private:
  std::vector<std::string> names_;
  int capacity_;
};

/// One registry value to add on the device. A new entry holds the defaults:
/// root HKLM, type SZ, empty key (max 260), name (max 260), value (max 1024).
struct RegistryEntry {
  int root = kHklm;
  int type = kSz;
  TextSetting key{kMaxPath};
  /// Empty for the key's default value.
  TextSetting name{kMaxPath};
  /// The value exactly as the user typed it (e.g. "abc" with the quotes).
  TextSetting value{1024};
  /// Back to the defaults above (texts emptied).
  void Reset();
};

/// Data of the destination-folder chooser (dialog 109): the author's own
/// folders, which outlast the dialog and are saved with the project.
struct FolderChooser {
  /// Mode shown: 1 application folder, 0 "My Documents".
  int mode = 1;
  /// Number of fixed rows currently shown (1 or 6).
  int fixed_rows = 0;
  /// Own folders inside the application's install folder (key NameApp%d).
  NameList app_folders{50};
  /// Own folders under "My Documents" (key Name%d).
  NameList doc_folders{50};
  /// The chosen folder name (empty for the application folder itself).
  TextSetting result;
};

/// The predefined data folders under "My Documents", in display order.
inline constexpr const char* kDocumentFolders[] = {"Movie", "Photo", "Music",
                                                   "Text",  "Bookmark", "Unknown"};

/// Everything the wizard knows about the project being authored. Member
/// names are the project-file keys. Constructed with every default.
struct ProjectSettings {
  ProjectSettings();

  /// Path of the project file opened at start; empty when none was opened.
  TextSetting ProjectPath{kMaxPath};
  /// `LocationChoice`, key `Dest` (default both).
  int Dest = kLocationBoth;
  /// `DeviceLanguage`, key `Locate` (default Japanese).
  int Locate = kLanguageJapanese;

  TextSetting Product{65};     ///< maker/product name ("Maker")
  TextSetting Name{65};        ///< program name; names project and batch file
  TextSetting Caption{65};     ///< menu caption on the device
  TextSetting Ver{11};         ///< version, default "1.0"
  TextSetting Output{101};     ///< archive name without ".lvar"
  TextSetting Source{101};     ///< source folder, a sub-folder of the current directory
  TextSetting InstDir{101};    ///< folder under "Program Files" on the device
  TextSetting Exe{101};        ///< start-up program file name
  TextSetting Cmd{101};        ///< its command line
  TextSetting UninstFile{101}; ///< uninstall description name without ".inf"
  FlagSetting Uninstall{1};    ///< generate uninstall information
  FlagSetting Reboot{0};       ///< reset the device after installation
  FlagSetting UnRegist{1};     ///< 1: uninstall deletes no registry keys
  FlagSetting SetupIniCreate{1};  ///< write Setup.ini on Finish (SetupIni/Create)
  TextSetting SetupIniName{65};   ///< name shown by Setup (SetupIni/Name)

  /// `Source` from which page 3's list was last built or loaded.
  TextSetting ScannedSource{101};

  /// The destination-folder chooser's own-folder lists.
  FolderChooser Folders;

  /// The reset of page 1's creation: maxima and defaults of every text and
  /// flag the pages edit (texts emptied, Ver "1.0", flags to defaults,
  /// SetupIniName emptied, ScannedSource emptied). Locate and Dest keep
  /// their values.
  void ResetForNewProject();

  /// The archive's file name: `Output` followed by ".lvar".
  std::string ArchiveName() const { return Output.Text() + ".lvar"; }

  /// Current directory, separator, `Source`, separator into `out`; false
  /// (out untouched) when the directory's length + Source's length + 2 is
  /// 260 or more. An empty Source gives two separators at the end.
  bool SourceFolderPath(const std::string& current_dir, std::string* out) const;
};

}  // namespace project
