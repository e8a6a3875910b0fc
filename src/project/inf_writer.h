#pragma once
// The install and uninstall descriptions and the menu description files
// that Finish writes into the source folder for the archive builder.
//
// Every text is Shift-JIS, each line ended by CR LF, built in a growing
// buffer (a text longer than 128 KB is written whole) and written in one
// piece. Device paths inside the texts use backslashes on every platform.

#include <string>
#include <string_view>
#include <vector>

#include "base/file_access.h"
#include "project/origin_map.h"
#include "project/row_store.h"
#include "project/settings.h"

namespace project {

/// The text of "Install.inf". A null store counts as an empty list.
/// `origins`, when given, receives the setting or row behind each line.
std::string InstallInfText(const ProjectSettings& settings, const FileRowStore* files,
                           const RegistryRowStore* registry, OriginMap* origins = nullptr);

/// The text of the uninstall description (`UninstFile` + ".inf").
/// `origins` as for InstallInfText.
std::string UninstallInfText(const ProjectSettings& settings, const FileRowStore* files,
                             const RegistryRowStore* registry, OriginMap* origins = nullptr);

/// The menu description of the program file of `row`: on the menu when it
/// is the start-up program and in the source folder.
std::string MenuFileText(const ProjectSettings& settings, const FileRow& row);

/// The writers below write into the source folder by path, or, when `into`
/// is given, into that folder held open (the source folder, opened once).
///
/// Writes "Install.inf" into the source folder, and "InsResetFlag.txt"
/// ("Reboot!") when `Reboot` is on. True only when every file was
/// written; false without writing when the source folder path fails or its
/// length + 20 reaches 260.
bool WriteInstallInf(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                     const FileRowStore* files, const RegistryRowStore* registry, base::Folder* into = nullptr);

/// Writes the uninstall description into the source folder. False without
/// writing when the path would reach 260 bytes; else the write's result.
bool WriteUninstallInf(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                       const FileRowStore* files, const RegistryRowStore* registry, base::Folder* into = nullptr);

/// Writes one "<base name>.txt" per program row (extension ".EXE", any
/// case) into the source folder. Stops at the first failure (false); true
/// when every program row was written (also when there is none).
bool WriteMenuFiles(const base::FileAccess& fs, const ProjectSettings& settings, const std::string& current_dir,
                    const FileRowStore* files, base::Folder* into = nullptr);

/// The names of every file the writers above may put into the source
/// folder, whatever the switches: "Install.inf", "InsResetFlag.txt", the
/// uninstall description and the menu description of each program row.
std::vector<std::string> SourceFolderOutputNames(const ProjectSettings& settings,
                                                 const FileRowStore* files);

/// True when registry key `key` is `previous` itself or lies beneath it
/// (ASCII letters compared ignoring case, double-byte characters exactly).
bool KeyIsBelow(std::string_view previous, std::string_view key);

}  // namespace project
