// The launcher's text reader: a page shows the file's text up to its first
// NUL byte, whatever the file holds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/fake_file_system.h"
#include "fuzz_support.h"
#include "launcher/text_reader.h"

// The first input byte picks whether the file lost its last byte between
// the moment its size was taken and the read; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool shrank = data[0] & 1;
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string_view held = bytes.substr(0, shrank && !bytes.empty() ? bytes.size() - 1 : bytes.size());

  base::FakeFileSystem files;
  files.files["text"].assign(held.begin(), held.end());
  std::unique_ptr<base::InputFile> file = files.OpenInput("text");
  FUZZ_CHECK(file != nullptr);
  std::string text;
  FUZZ_CHECK(launcher::ReadTextForPage(*file, bytes.size(), &text));
  FUZZ_CHECK(text == held.substr(0, held.find('\0')));
  return 0;
}
