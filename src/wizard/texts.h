#pragma once
// String-resource ids and the few fixed texts that the wizard core needs.
//
// The string table itself lives in the Win32 program's resource script; the
// core only names messages by id (a MessageSink turns them into message
// boxes). Texts that the core writes into rows or files are kept here as
// Shift-JIS bytes.

namespace wizard {

/// Ids of the string table entries that the core shows or uses.
enum StringId : int {
  kStrWizardTitle = 1,        ///< title of the host window and of every page
  kStrFolderNotFound = 4,     ///< folder '%s' not found
  kStrNoFiles = 12,           ///< the source folder holds no file to copy
  kStrFillAll = 13,           ///< every field needs a value
  kStrCaption = 14,           ///< caption of every message box
  kStrSelectExe = 15,         ///< choose the start-up program
  kStrKeyValueRequired = 16,  ///< a registry entry needs its key and value
  kStrBadBinary = 18,         ///< a BINARY value fails its check
  kStrBadDword = 19,          ///< a DWORD value fails its check
  kStrBadSz = 20,             ///< an SZ value fails its check
  kStrBadMultiSz = 21,        ///< a MULTI_SZ value fails its check
  kStrAppFolderRow = 22,      ///< "(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)", folder column of AppRoot rows
  kStrNotAllWritten = 31,     ///< an error occurred; not all files could be written
  kStrProgramNameTooLong = 32,///< the default project file path would be too long
  kStrOutputTooLong = 33,     ///< the archive name is too long
  kStrSourceNameTooLong = 34, ///< a picker's folder path would be too long
  kStrBadName = 38,           ///< a name holds a character names cannot hold
  kStrNoNativeIna = 39,       ///< no "Native.ina" in the source folder
  kStrManyNativeIna = 43,     ///< more than one "Native.ina"
  kStrDuplicateNames = 44,    ///< two files of one name
  kStrPakmakMissing = 45,     ///< "'Pakmak.exe'が見つかりません。"
  kStrPathTooLong = 46,       ///< a device path would be too long
  kStrNestedFolders = 47,     ///< a folder inside a sub-folder
  kStrMissingFiles = 49,      ///< a row's file is not in the source folder
  /// Added by the core: the project file could not be written. Text (UTF-8
  /// here for reading): "プロジェクトファイルを保存できませんでした。"
  /// (kProjectNotSavedText below holds its Shift-JIS bytes).
  kStrProjectNotSaved = 52,
};

/// String 22 in Shift-JIS: "(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)" (half-width katakana), shown in
/// the folder column of every AppRoot row of the files list.
inline constexpr char kAppFolderText[] = "(\xB1\xCC\xDF\xD8\xB9\xB0\xBC\xAE\xDD\xCC\xAB\xD9\xC0\xDE)";

/// String 52 in Shift-JIS: "プロジェクトファイルを保存できませんでした。"
inline constexpr char kProjectNotSavedText[] =
    "\x83\x76\x83\x8D\x83\x57\x83\x46\x83\x4E\x83\x67\x83\x74\x83\x40\x83\x43\x83\x8B"
    "\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5"
    "\x82\xBD\x81\x42";

}  // namespace wizard
