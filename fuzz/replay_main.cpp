// The main() of a fuzz target built without libFuzzer: runs the target's
// LLVMFuzzerTestOneInput once over each input, as libFuzzer's -runs=0 does,
// so that a sanitizer build with any compiler replays the committed corpora.
//
//   <target>_fuzzer [--timeout=SECONDS] FILE_OR_FOLDER...
//
// A folder stands for every regular file under it, in name order. Each input
// is passed in a heap block of exactly its size (so reads past its end are
// caught); an input that runs longer than the timeout (default 10 seconds)
// stops the process with status 1. Prints "Running: FILE" before each input
// and the count of inputs run at the end.

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// The input being run, for the timeout's message (set before each run).
char current_input[4096];

extern "C" void OnTimeout(int) {
  static const char kPrefix[] = "ERROR: timeout on input ";
  ssize_t ignored = ::write(STDERR_FILENO, kPrefix, sizeof kPrefix - 1);
  ignored = ::write(STDERR_FILENO, current_input, std::strlen(current_input));
  ignored = ::write(STDERR_FILENO, "\n", 1);
  (void)ignored;
  ::_exit(1);
}

// The files named by `arg`: itself, or every regular file under the folder.
bool CollectInputs(const std::string& arg, std::vector<std::string>& inputs) {
  std::error_code error;
  if (!std::filesystem::is_directory(arg, error)) {
    if (!std::filesystem::is_regular_file(arg, error)) {
      std::fprintf(stderr, "ERROR: %s is neither a file nor a folder\n", arg.c_str());
      return false;
    }
    inputs.push_back(arg);
    return true;
  }
  std::vector<std::string> found;
  for (std::filesystem::recursive_directory_iterator it(arg, error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file(error)) found.push_back(it->path().string());
  }
  if (error) {
    std::fprintf(stderr, "ERROR: cannot list %s: %s\n", arg.c_str(), error.message().c_str());
    return false;
  }
  std::sort(found.begin(), found.end());
  inputs.insert(inputs.end(), found.begin(), found.end());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned timeout = 10;
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg.rfind("--timeout=", 0) == 0) {
      timeout = static_cast<unsigned>(std::strtoul(arg.c_str() + 10, nullptr, 10));
    } else if (!CollectInputs(arg, inputs)) {
      return 1;
    }
  }
  std::signal(SIGALRM, OnTimeout);
  for (const std::string& path : inputs) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
      std::fprintf(stderr, "ERROR: cannot open %s\n", path.c_str());
      return 1;
    }
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::printf("Running: %s\n", path.c_str());
    std::fflush(stdout);
    std::snprintf(current_input, sizeof current_input, "%s", path.c_str());
    std::unique_ptr<std::uint8_t[]> data(new std::uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), data.get());
    ::alarm(timeout);
    LLVMFuzzerTestOneInput(data.get(), bytes.size());
    ::alarm(0);
  }
  std::printf("stat::number_of_executed_units: %zu\n", inputs.size());
  return 0;
}
