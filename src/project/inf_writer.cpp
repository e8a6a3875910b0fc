#include "project/inf_writer.h"

#include <vector>

#include "base/sjis.h"
#include "project/file_utils.h"

namespace project {
namespace {

constexpr char kProgramFiles[] = "Program Files";
constexpr char kProgramDisk[] = "Program Disk";
constexpr char kMyDocuments[] = "My Documents";
constexpr char kStorageCard[] = "Storage Card";

const char* LocationToken(int location) {
  switch (location) {
    case kLocationBoth: return "ALTERNATIVE";
    case kLocationMainOnly: return "MAINMEM_ONLY";
    default: return "STORAGE_ONLY";
  }
}

const char* RootToken(int root) {
  switch (root) {
    case kHkcu: return "HKEY_CURRENT_USER, ";
    case kHkcr: return "HKEY_CLASSES_ROOT, ";
    default: return "HKEY_LOCAL_MACHINE, ";
  }
}

const char* TypeToken(int type) {
  switch (type) {
    case kMultiSz: return "REG_MULTI_SZ, FLG_ADDREG_REPLACEONLY, ";
    case kDword: return "REG_DWORD, FLG_ADDREG_REPLACEONLY, ";
    case kBinary: return "REG_BINARY, FLG_ADDREG_REPLACEONLY, ";
    default: return "REG_SZ, FLG_ADDREG_REPLACEONLY, ";
  }
}

void AddDistinct(std::vector<std::string>& list, const std::string& name) {
  for (const std::string& known : list)
    if (base::EqualsIgnoreAsciiCase(known, name)) return;
  list.push_back(name);
}

// The own folders named by the rows, distinct ignoring case, in order of
// first appearance: inside the install folder and under "My Documents".
void CollectOwnFolders(const FileRowStore* files, std::vector<std::string>* app, std::vector<std::string>* doc) {
  EveryFileRow(files, [&](int, const FileRow& row) {
    if (row.folder.empty()) return true;
    if (row.kind & AppOriginal) AddDistinct(*app, row.folder);
    else if (row.kind & DocOriginal) AddDistinct(*doc, row.folder);
    return true;
  });
}

bool IsProgram(const std::string& name, std::string* base) {
  std::string extension;
  SplitPath(name, nullptr, base, &extension);
  return base::EqualsIgnoreAsciiCase(extension, ".EXE");
}


}  // namespace

std::string InstallInfText(const ProjectSettings& s, const FileRowStore* files,
                           const RegistryRowStore* registry, OriginMap* origins) {
  const std::string& caption = s.Caption.Text();
  std::string t;
  OriginNotes from(t, origins);
  const char* p = "Property";
  from.Next(p, "Caption");
  t += "; " + caption + "\r\n[App Information]\r\n";
  from.Next(p, "Product");
  t += "Maker       = \"" + s.Product.Text() + "\"\r\n";
  from.Next(p, "Name");
  t += "Program     = \"" + s.Name.Text() + "\"\r\n";
  from.Next(p, "Ver");
  t += "Version     = " + s.Ver.Text() + "\r\n";
  from.Next(p, "InstDir");
  t += "InstallDir  = \"?Drive?\\" + std::string(kProgramFiles) + "\\" + s.InstDir.Text() + "\"\r\n";
  from.Next(p, "Exe");
  t += "ExeFile     = \"\\" + std::string(kProgramDisk) + "\\" + s.InstDir.Text() + "\\" +
       s.Exe.Text() + "\"\r\n";
  from.Next(p, "Dest");
  t += "Destination = " + std::string(LocationToken(s.Dest)) + "\r\n";
  from.Next(p, "Uninstall");
  t += "Unload      = " + std::string(s.Uninstall.On() ? "1" : "0") + "\r\n";
  from.Next(p, "UninstFile");
  if (s.Uninstall.On()) t += "Uninstall   = \"" + s.UninstFile.Text() + ".inf\"\r\n";
  from.Next(p, "Caption");
  t += "Caption     = \"" + caption + "\"\r\n";
  from.Next(p, "Cmd");
  if (!s.Cmd.IsEmpty()) t += "CommandLine = \"" + s.Cmd.Text() + "\"\r\n";

  std::vector<std::string> app, doc;
  CollectOwnFolders(files, &app, &doc);
  if (!app.empty() || !doc.empty()) {
    t += "\r\n[Make Dirs]\r\n";
    for (const std::string& f : app) {
      from.Next("Folder", "", f);
      t += "\"%INSTALL_DIR%\\" + f + "\"\r\n";
    }
    for (const std::string& f : doc) {
      from.Next("Folder", "", f);
      t += "\"?Drive?\\" + std::string(kMyDocuments) + "\\" + f + "\"\r\n";
    }
  }

  t += "\r\n[Copy Files]\r\n";
  if (s.Uninstall.On()) {
    from.Next(p, "UninstFile");
    t += "\"?Drive?\\" + std::string(kProgramFiles) + "\\" + s.UninstFile.Text() + ".inf\" , \"" +
         s.UninstFile.Text() + ".inf\", COPYFLG_REPLACEONLY\r\n";
  }
  from.Next(p, "Reboot");
  if (s.Reboot.On()) t += "\"\\Windows\\InsResetFlag.txt\" , \"InsResetFlag.txt\", COPYFLG_REPLACEONLY\r\n";
  // Each line is appended piece by piece: a list of many rows makes no
  // temporary texts.
  EveryFileRow(files, [&](int, const FileRow& row) {
    const std::string& f = row.name;
    std::string base;
    from.Next("CopyFile", "", f);
    if (IsProgram(f, &base)) {
      t.append("\"%INSTALL_DIR%\\").append(base).append(".inf\" , \"").append(base);
      t.append(".txt\", COPYFLG_REPLACEONLY\r\n");
      from.Next("CopyFile", "", f);
    }
    std::uint32_t kind = row.kind;
    if ((kind & Doc) || ((kind & DocOriginal) && !doc.empty())) {
      t.append("\"?Drive?\\").append(kMyDocuments).append("\\").append(row.folder).append("\\");
    } else if ((kind & AppOriginal) && !app.empty()) {
      t.append("\"%INSTALL_DIR%\\").append(row.folder).append("\\");
    } else {
      t.append("\"%INSTALL_DIR%\\");
    }
    t.append(f).append("\" , \"").append(f).append("\", COPYFLG_REPLACEONLY\r\n");
    return true;
  });

  std::vector<RegistryEntry> entries = ReadRegistryRows(registry);
  if (!entries.empty()) {
    t += "\r\n[Add Registry]\r\n";
    for (const RegistryEntry& e : entries) {
      if (origins) from.Next("Registry", "", RegistryRowText(EntryToRow(e)));
      t += RootToken(e.root);
      if (!e.name.IsEmpty()) t += "\"" + e.key.Text() + "\", \"" + e.name.Text() + "\", ";
      else t += "\"" + e.key.Text() + "\", , ";
      t += TypeToken(e.type);
      t += e.value.Text() + "\r\n";
    }
  }
  t += "; End\r\n";
  return t;
}

std::string UninstallInfText(const ProjectSettings& s, const FileRowStore* files,
                             const RegistryRowStore* registry, OriginMap* origins) {
  std::string t;
  OriginNotes from(t, origins);
  const char* p = "Property";
  from.Next(p, "Caption");
  t += "; " + s.Caption.Text() + "\r\n[Uninstall Information]\r\n";
  from.Next(p, "Product");
  t += "Maker   = \"" + s.Product.Text() + "\"\r\n";
  from.Next(p, "Name");
  t += "Program = \"" + s.Name.Text() + "\"\r\n\r\n";
  t += "[Delete Files]\r\n";
  from.Next(p, "UninstFile");
  t += "\"?Drive?\\" + std::string(kProgramFiles) + "\\" + s.UninstFile.Text() +
       ".inf\"\r\n";
  EveryFileRow(files, [&t, &from](int, const FileRow& row) {
    if (row.kind & Doc) {
      from.Next("CopyFile", "", row.name);
      t.append("\"?Drive?\\").append(kMyDocuments).append("\\").append(row.folder).append("\\");
      t.append(row.name).append("\"\r\n");
    }
    return true;
  });
  t += "\r\n[Delete Dirs]\r\n";
  std::vector<std::string> app, doc;
  CollectOwnFolders(files, &app, &doc);
  for (const std::string& f : app) {
    from.Next("Folder", "", f);
    t += "\"?Drive?\\" + std::string(kProgramFiles) + "\\" + s.InstDir.Text() + "\\" + f + "\"\r\n";
  }
  from.Next(p, "InstDir");
  t += "\"?Drive?\\" + std::string(kProgramFiles) + "\\" + s.InstDir.Text() + "\"\r\n";
  t += "\r\n";
  std::vector<RegistryEntry> entries = ReadRegistryRows(registry);
  if (!s.UnRegist.On() && !entries.empty()) {
    t += "[Delete Registry]\r\n";
    const RegistryEntry* last = nullptr;
    for (const RegistryEntry& e : entries) {
      if (last && e.root == last->root && KeyIsBelow(last->key.Text(), e.key.Text())) continue;
      if (origins) from.Next("Registry", "", RegistryRowText(EntryToRow(e)));
      t += std::string(RootToken(e.root)) + "\"" + e.key.Text() + "\"\r\n";
      last = &e;
    }
  }
  t += "; End\r\n";
  return t;
}

std::string MenuFileText(const ProjectSettings& s, const FileRow& row) {
  const std::string& caption = s.Caption.Text();
  std::string t = "[" + caption + "]\r\nmenu:\r\n";
  if (!row.startup || row.missing) return t + "no\r\n";
  t += "yes\r\nappname:\r\n" + caption + "\r\nuninstl:\r\n";
  if (!s.Uninstall.On()) return t + "no\r\n";
  t += "yes\r\nunloadfile:\r\n" + std::string(kStorageCard) + "\\" + kProgramFiles + "\\" +
       s.UninstFile.Text() + ".inf\r\n";
  return t;
}

namespace {

// Writes the file `name` of the source folder `folder` (a kit path ending in
// the separator): through `into` when it is held open, else by path.
bool WriteSourceFile(const base::FileAccess& fs, base::Folder* into, const std::string& folder,
                     const std::string& name, std::string_view text) {
  return into ? WriteTextFileIn(fs, *into, name, text) : WriteTextFile(fs, folder + name, text);
}

}  // namespace

bool WriteInstallInf(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                     const FileRowStore* files, const RegistryRowStore* registry, base::Folder* into) {
  std::string text = InstallInfText(s, files, registry);
  std::string folder;
  if (!s.SourceFolderPath(current_dir, &folder) || folder.size() + 20 >= static_cast<std::size_t>(kMaxPath))
    return false;
  bool ok = WriteSourceFile(fs, into, folder, "Install.inf", text);
  if (s.Reboot.On() && !WriteSourceFile(fs, into, folder, "InsResetFlag.txt", "Reboot!")) ok = false;
  return ok;
}

bool WriteUninstallInf(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                       const FileRowStore* files, const RegistryRowStore* registry, base::Folder* into) {
  std::string folder;
  if (!s.SourceFolderPath(current_dir, &folder) ||
      folder.size() + s.UninstFile.Text().size() + 4 >= static_cast<std::size_t>(kMaxPath))
    return false;
  return WriteSourceFile(fs, into, folder, s.UninstFile.Text() + ".inf", UninstallInfText(s, files, registry));
}

bool WriteMenuFiles(const base::FileAccess& fs, const ProjectSettings& s, const std::string& current_dir,
                    const FileRowStore* files, base::Folder* into) {
  return EveryFileRow(files, [&](int, const FileRow& row) {
    std::string base;
    if (!IsProgram(row.name, &base)) return true;
    std::string text = MenuFileText(s, row);
    std::string folder;
    if (!s.SourceFolderPath(current_dir, &folder) ||
        folder.size() + base.size() + 4 >= static_cast<std::size_t>(kMaxPath))
      return false;
    return WriteSourceFile(fs, into, folder, base + ".txt", text);
  });
}

std::vector<std::string> SourceFolderOutputNames(const ProjectSettings& s, const FileRowStore* files) {
  std::vector<std::string> names = {"Install.inf", "InsResetFlag.txt", s.UninstFile.Text() + ".inf"};
  EveryFileRow(files, [&names](int, const FileRow& row) {
    std::string base;
    if (IsProgram(row.name, &base)) names.push_back(base + ".txt");
    return true;
  });
  return names;
}

bool KeyIsBelow(std::string_view previous, std::string_view key) {
  std::size_t n = previous.size();
  if (key.size() < n || !base::EqualsIgnoreAsciiCase(previous, key.substr(0, n))) return false;
  return key.size() == n || key[n] == '\\';
}

}  // namespace project
