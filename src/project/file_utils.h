#pragma once
// File utilities shared by the wizard core and its pages.
//
// Paths handed to these functions are "kit paths": Shift-JIS byte strings
// whose separator is the platform's (base::kPathSeparator). On Windows they
// go to the ANSI file functions unchanged; on POSIX they are converted to the
// UTF-8 names of the file system at the call (and back for listings), so the
// same length rules hold on both. Every file access goes through the
// base::FileAccess handed in: the platform's in the programs, fakes in tests.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_access.h"
#include "base/sjis.h"

namespace project {

/// The current folder of `fs` as a kit path (no trailing separator, except
/// for a root directory), however long. Empty when it cannot be taken.
std::string CurrentDirectory(const base::FileAccess& fs);

/// True when a file or a folder exists at `path`.
bool FileExists(const base::FileAccess& fs, const std::string& path);

/// True when `path` is exactly one separator (the root), or when, after one
/// trailing separator is removed, `path` names a folder.
bool FolderExists(const base::FileAccess& fs, const std::string& path);

/// A name usable as a file or folder name: not empty, not only blanks (0x20),
/// no blank or full stop as its first or last single-byte character, no byte
/// below 0x20 and none of \ / : * ? " < > | among its single-byte characters.
/// Every lead byte must be followed by a trail byte (0x40-0x7E, 0x80-0xFC);
/// the double-byte characters themselves are not checked further.
bool IsValidFileName(std::string_view text);

/// True when `c` is a control character: a byte below 0x20 (NUL, tab,
/// line ends and the rest) or 0x7F. Neither is ever a byte of a double-byte
/// character, so a byte-wise scan finds only real ones.
bool IsControlCharacter(unsigned char c);

/// Names (Shift-JIS) of the entries matching `wildcard_path`, a folder path,
/// the separator and a pattern of the Windows kind ("*.*", "*.exe",
/// "Pakforge_*.ini"; "*" and "?", letters matched ignoring ASCII case,
/// "*.*" matching every name). `want_files`: files only; otherwise folders
/// only. "." and ".." are never returned. The order is the listing order of
/// base::FolderLister. A folder that cannot be read gives no names. Names
/// without a Shift-JIS form (POSIX only) are left out.
std::vector<std::string> ListDirectory(const base::FileAccess& fs, const std::string& wildcard_path, bool want_files);

/// One entry of a folder as ListFolder reports it.
struct FolderEntry {
  std::string name;  ///< Shift-JIS
  bool is_folder = false;
  std::uint64_t size = 0;  ///< of a file; 0 for a folder
};

/// Every entry of the folder at `folder` (a kit path; the empty path is
/// the root), in the listing order of base::FolderLister, in
/// one listing. Names without a Shift-JIS form (POSIX only) are left out.
/// False (no entries) when the folder cannot be read.
bool ListFolder(const base::FileAccess& fs, const std::string& folder, std::vector<FolderEntry>* entries);

/// True when `name` matches the Windows-style `pattern` (see ListDirectory).
bool MatchesWildcard(std::string_view pattern, std::string_view name);

/// Splits a device or kit path into folder (up to and including the last
/// backslash or platform separator), base (the rest before its last full
/// stop) and extension (the full stop and what follows). Each output may be
/// null; all are set (to empty at least). Double-byte characters never
/// split. Returns true when an extension was found.
bool SplitPath(std::string_view path, std::string* folder, std::string* base,
               std::string* extension);

/// Writes `text` as the whole file at `path` through a new temporary file
/// renamed over it (base::WriteWholeFile): a link at `path` is replaced,
/// never followed. True only when every byte was written and the rename
/// done.
bool WriteTextFile(const base::FileAccess& fs, const std::string& path, std::string_view text);

/// Writes `text` as the whole file `name` (a kit name) of the folder held
/// open as `folder`, as WriteTextFile does, but relative to the handle: a
/// folder put in the place of `folder`'s path since it was opened is never
/// written into.
bool WriteTextFileIn(const base::FileAccess& fs, base::Folder& folder, const std::string& name,
                     std::string_view text);

/// Opens the source folder `folder` (a kit path; a trailing separator is
/// allowed) as a handle, and only when the folder opened lies inside the
/// folder `current_dir` (links resolved, through the handle itself): null
/// otherwise, or when it cannot be opened.
std::unique_ptr<base::Folder> OpenFolderInside(const base::FileAccess& fs, std::string folder,
                                               const std::string& current_dir);

/// Reads the whole file at `path` into `text`. False when it cannot be read.
bool ReadWholeFile(const base::FileAccess& fs, const std::string& path, std::string* text);

/// Deletes the file at `path`; false when there was none or it stays.
bool DeleteFileAt(const base::FileAccess& fs, const std::string& path);

/// Renames `from` to `to`; fails (false) when `to` exists.
bool MoveFileTo(const base::FileAccess& fs, const std::string& from, const std::string& to);

}  // namespace project
