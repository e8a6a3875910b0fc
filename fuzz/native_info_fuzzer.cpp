// Native.ina: read from the in-memory file system, it is accepted exactly
// when it holds at least 192 bytes, and then only those bytes reach the
// archive header.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/capturing_console.h"
#include "base/fake_file_system.h"
#include "base/fake_folder_lister.h"
#include "base/folder.h"
#include "base/listing.h"
#include "archive/archive_header.h"
#include "builder/native_info.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  base::FakeFileSystem files;
  base::FakeFolderLister lister(files);
  files.folders = {"src"};
  files.files[base::JoinPath("src", "Native.ina")].assign(data, data + size);
  std::unique_ptr<base::Folder> folder = lister.OpenFolder("src");
  std::vector<base::DirEntry> entries;
  FUZZ_CHECK(folder && folder->List(&entries) && entries.size() == 1);
  base::CapturingConsole console;
  archive::ArchiveHeader header;
  builder::BuildErrorCode code = builder::ReadNativeInfo(*folder, entries[0], "Native.ina", console, &header);
  FUZZ_CHECK((code == 0) == (size >= archive::kNativeInfoSize));
  FUZZ_CHECK(code == 0 || code == 0x200000);
  if (code == 0) {
    archive::ArchiveHeader expected;
    std::uint8_t native[archive::kNativeInfoSize];
    std::copy(data, data + archive::kNativeInfoSize, native);
    expected.SetNativeInfo(native);
    FUZZ_CHECK(header.bytes() == expected.bytes());
  }
  return 0;
}
