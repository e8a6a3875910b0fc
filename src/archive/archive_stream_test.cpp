#include "archive/archive_stream.h"

#include <gtest/gtest.h>

#include "base/fake_file_system.h"

namespace archive {
namespace {

using Bytes = base::FakeFileSystem::Bytes;

Bytes Pattern(std::size_t size, std::uint8_t seed) {
  Bytes b(size);
  for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7);
  return b;
}

TEST(ArchiveStreamTest, ChecksumMatchesByteWiseXorAcrossFlushes) {
  for (std::size_t capacity : {1u, 7u, 8u, 13u, 4096u}) {
    SCOPED_TRACE(capacity);
    base::FakeFileSystem fs;
    ArchiveStream stream(fs.CreateNew("a"), capacity);
    std::uint8_t expected = 0;
    for (std::size_t piece = 1; piece < 40; ++piece) {
      Bytes b = Pattern(piece, static_cast<std::uint8_t>(piece * 31));
      for (std::uint8_t x : b) expected ^= x;
      ASSERT_TRUE(stream.Append(b.data(), b.size()));
      ASSERT_EQ(expected, stream.Checksum());
    }
    ASSERT_TRUE(stream.Close());
    std::uint8_t on_disk = 0;
    for (std::uint8_t x : fs.files.at("a")) on_disk ^= x;
    EXPECT_EQ(expected, on_disk);
  }
}

}  // namespace
}  // namespace archive
