#pragma once
// String-resource ids and the few fixed texts that the wizard core needs.
//
// The string table itself lives in the Win32 program's resource script, and
// its ids are numbered once, in resources/resource.h; the core only names
// messages by id (a MessageSink turns them into message boxes). Texts that
// the core writes into rows or files are kept here as Shift-JIS bytes.

#include "project/text_ids.h"

namespace project {

/// Ids of the string table entries that the core shows or uses.
enum StringId : int {
  kStrFolderNotFound = IDS_FOLDER_NOT_FOUND,       ///< folder '%s' not found
  kStrNoFiles = IDS_NO_FILES,                      ///< the source folder holds no file to copy
  kStrFillAll = IDS_FILL_ALL,                      ///< every field needs a value
  kStrSelectExe = IDS_SELECT_EXE,                  ///< choose the start-up program
  kStrKeyValueRequired = IDS_KEY_VALUE_REQUIRED,   ///< a registry entry needs its key and value
  kStrBadBinary = IDS_BAD_BINARY,                  ///< a BINARY value fails its check
  kStrBadDword = IDS_BAD_DWORD,                    ///< a DWORD value fails its check
  kStrBadSz = IDS_BAD_SZ,                          ///< an SZ value fails its check
  kStrBadMultiSz = IDS_BAD_MULTI_SZ,               ///< a MULTI_SZ value fails its check
  kStrNotAllWritten = IDS_OUTPUT_FAILED,           ///< an error occurred; not all files could be written
  kStrProgramNameTooLong = IDS_NAME_TOO_LONG,      ///< the default project file path would be too long
  kStrOutputTooLong = IDS_OUTPUT_TOO_LONG,         ///< the archive name is too long
  kStrSourceNameTooLong = IDS_SOURCE_TOO_LONG,     ///< a picker's folder path would be too long
  kStrBadName = IDS_BAD_NAME,                      ///< a name holds a character names cannot hold
  kStrNoNativeIna = IDS_NO_NATIVE_INA,             ///< no "Native.ina" in the source folder
  kStrManyNativeIna = IDS_MANY_NATIVE_INA,         ///< more than one "Native.ina"
  kStrDuplicateNames = IDS_DUPLICATE_NAMES,        ///< two files of one name
  kStrPakmakMissing = IDS_NO_PAKMAK,               ///< "'Pakmak.exe'が見つかりません。"
  kStrPathTooLong = IDS_PATH_TOO_LONG,             ///< a device path would be too long
  kStrNestedFolders = IDS_NESTED_FOLDERS,          ///< a folder inside a sub-folder
  kStrMissingFiles = IDS_MISSING_FILES,            ///< a row's file is not in the source folder
  /// Added by the core: the project file could not be written
  /// ("プロジェクトファイルを保存できませんでした。").
  kStrProjectNotSaved = IDS_SAVE_FAILED,
  kStrBuildDone = IDS_BUILD_DONE,                  ///< the archive '%s' was made, size %s bytes
  kStrBuildFailed = IDS_BUILD_FAILED,              ///< the archive was not made; the builder's messages: %s
  kStrBuildRunning = IDS_BUILD_RUNNING,            ///< the builder has not ended within %s seconds
  kStrCmdQuote = IDS_CMD_QUOTE,                    ///< a double quote in the start-up command line
  kStrUninstallRequired = IDS_UNINSTALL_REQUIRED,  ///< the builder requires uninstall information
  kStrOutputNameClash = IDS_OUTPUT_NAME_CLASH,     ///< two files Finish writes would share a name: %s
  kStrSourceOutside = IDS_SOURCE_OUTSIDE,          ///< the source folder leads out of the project's folder: %s
  kStrUnknownRegistryWords = IDS_UNKNOWN_REGISTRY_WORDS,  ///< registry rows with a root or type word not written: %s
  kStrCopiedFileOverwritten = IDS_COPIED_FILE_OVERWRITTEN,  ///< a copied file has the name of a file Finish writes: %s
  kStrBatchPathUnsafe = IDS_BATCH_PATH_UNSAFE,  ///< a path of the batch file holds a quote or control character: %s
  kStrControlCharacter = IDS_CONTROL_CHARACTER,  ///< a project value holds a control character: %s
};

/// IDS_APP_FOLDER in Shift-JIS: "(ｱﾌﾟﾘｹｰｼｮﾝﾌｫﾙﾀﾞ)" (half-width katakana), shown in
/// the folder column of every AppRoot row of the files list.
inline constexpr char kAppFolderText[] = "(\xB1\xCC\xDF\xD8\xB9\xB0\xBC\xAE\xDD\xCC\xAB\xD9\xC0\xDE)";

}  // namespace project
