// The reader's memory does not grow with the file: counted here through the
// program's own operator new (a program of its own, so that the other tests
// keep the allocator's checks).

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "base/capturing_console.h"
#include "base/fake_file_system.h"
#include "inf/install_info.h"

namespace {

std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};
constexpr std::size_t kHead = alignof(std::max_align_t);

void* Allocate(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHead));
  if (!block) throw std::bad_alloc();
  std::memcpy(block, &size, sizeof size);
  std::size_t now = live_bytes += size;
  std::size_t peak = peak_bytes.load();
  while (now > peak && !peak_bytes.compare_exchange_weak(peak, now)) {
  }
  return block + kHead;
}

void Release(void* p) {
  if (!p) return;
  unsigned char* block = static_cast<unsigned char*>(p) - kHead;
  std::size_t size;
  std::memcpy(&size, block, sizeof size);
  live_bytes -= size;
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace inf {
namespace {

// A file made of `head` and `count` copies of `unit`, produced while it is
// read.
class RepeatedInput : public base::InputFile {
 public:
  RepeatedInput(std::string head, std::string unit, std::size_t count)
      : head_(std::move(head)), unit_(std::move(unit)), left_(count) {}
  bool Read(void* buffer, std::size_t capacity, std::size_t* got) override {
    char* out = static_cast<char*>(buffer);
    std::size_t n = 0;
    if (!head_.empty()) {
      n = std::min(capacity, head_.size());
      std::memcpy(out, head_.data(), n);
      head_.erase(0, n);
    }
    while (n < capacity && (left_ > 0 || at_ > 0)) {
      std::size_t take = std::min(capacity - n, unit_.size() - at_);
      std::memcpy(out + n, unit_.data() + at_, take);
      n += take;
      at_ += take;
      if (at_ == unit_.size()) {
        at_ = 0;
        --left_;
      }
      if (left_ == 0 && at_ == 0) break;
    }
    *got = n;
    return true;
  }

 private:
  std::string head_;
  std::string unit_;
  std::size_t left_;
  std::size_t at_ = 0;
};

class RepeatedFiles : public base::FakeFileSystem {
 public:
  std::string head, unit;
  std::size_t count = 0;
  std::unique_ptr<base::InputFile> OpenInput(const std::string&) override {
    return std::make_unique<RepeatedInput>(head, unit, count);
  }
};

std::size_t PeakWhileReading(const std::string& head, const std::string& unit, std::size_t count) {
  RepeatedFiles files;
  files.head = head;
  files.unit = unit;
  files.count = count;
  base::CapturingConsole console;
  InstallInfoState state;
  const std::size_t before = live_bytes.load();
  peak_bytes = before;
  EXPECT_EQ(0u, ReadInstallInfoFile(files, "big.inf", "big.inf", console, &state)) << console.err.substr(0, 500);
  return peak_bytes.load() - before;
}

TEST(InstallInfoMemoryTest, DoesNotGrowWithTheFile) {
  const std::string registry =
      "HKEY_LOCAL_MACHINE, \"Software\\Maker\\Program\\Settings\", \"Value\", REG_SZ, , "
      "\"a value long enough to need memory of its own\"\r\n";
  struct Case {
    const char* what;
    std::string head;
    std::string unit;
  };
  const Case cases[] = {
      {"repeated sections", "", "[ Make Dirs ]\r\n\\d\r\n"},
      {"repeated key sections", "", "[ Uninstall Information ]\r\nMaker = M\r\nProgram = P\r\n"},
      {"registry lines", "[ Add Registry ]\r\n", registry},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::size_t small = PeakWhileReading(c.head, c.unit, 1000);
    const std::size_t large = PeakWhileReading(c.head, c.unit, 100000);
    // A hundred times the file, the same memory (within a little slack).
    EXPECT_LT(large, small + 64 * 1024) << small << " " << large;
  }
}

}  // namespace
}  // namespace inf
