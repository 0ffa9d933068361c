#include "platform/core/classes/streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/scratch_folder.h"

namespace platform {
namespace {

std::string Contents(TMemoryStream& Stream) {
  return std::string(reinterpret_cast<const char*>(Stream.Memory()), static_cast<std::size_t>(Stream.Size()));
}

TEST(MemoryStream, ReadsWritesAndSeeksLikeAFile) {
  TMemoryStream stream;
  stream.WriteBuffer("hello world", 11);
  EXPECT_EQ(stream.Seek(-5, soEnd), 6);
  stream.WriteBuffer("there!", 6);
  EXPECT_EQ(Contents(stream), "hello there!");

  char buffer[8] = {};
  stream.SetPosition(10);
  EXPECT_EQ(stream.Read(buffer, 8), 2);
  EXPECT_THROW(stream.ReadBuffer(buffer, 1), EReadError);
  EXPECT_EQ(stream.Seek(-1, soBeginning), -1);
  EXPECT_EQ(stream.Position(), 12);

  // A gap left by seeking past the end reads as zeros.
  stream.Seek(3, soEnd);
  stream.WriteBuffer("!", 1);
  EXPECT_EQ(Contents(stream), std::string("hello there!\0\0\0!", 16));
  stream.SetSize(5);
  EXPECT_EQ(stream.Position(), 5);
  EXPECT_EQ(Contents(stream), "hello");
}

TEST(MemoryStream, CopyFromTakesTheWholeSourceOrACount) {
  std::string big(100000, 'x');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
  TMemoryStream source;
  source.WriteBuffer(big.data(), static_cast<std::int64_t>(big.size()));

  TMemoryStream whole;
  EXPECT_EQ(whole.CopyFrom(source, 0), 100000);
  EXPECT_EQ(Contents(whole), big);
  TMemoryStream part;
  source.SetPosition(99990);
  EXPECT_THROW(part.CopyFrom(source, 11), EReadError);
}

class FileStreamTest : public ::testing::Test {
 protected:
  std::string Path(const char* Name) const { return (Folder / Name).string(); }

  support::testing::TScratchFolder Folder;
};

TEST_F(FileStreamTest, CreateEmptiesAndOpenModesLimitAccess) {
  const std::string path = Path("log.txt");
  {
    TFileStream file(path, fmCreate);
    file.WriteBuffer("first line\r\n", 12);
  }
  {
    TFileStream file(path, fmOpenReadWrite);
    file.Seek(0, soEnd);
    file.WriteBuffer("more", 4);
    file.SetSize(14);
  }
  {
    TFileStream file(path, fmOpenRead);
    char buffer[32] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 14);
    EXPECT_EQ(std::string(buffer), "first line\r\nmo");
    EXPECT_THROW(file.WriteBuffer("x", 1), EWriteError);
  }
  EXPECT_EQ(TFileStream(path, fmCreate).Size(), 0);
  TMemoryStream memory;
  memory.WriteBuffer("saved", 5);
  memory.SaveToFile(path);
  TMemoryStream loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(Contents(loaded), "saved");
}

TEST_F(FileStreamTest, FailuresNameTheFullPathAndTheReason) {
  const std::string missing = Path("missing.txt");
  try {
    TFileStream file(missing, fmOpenRead);
    ADD_FAILURE() << "opened a missing file";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + missing + "\". No such file or directory");
  }
  EXPECT_THROW(TFileStream(Path("no/such/folder.txt"), fmCreate), EFCreateError);
  EXPECT_THROW(TFileStream(Path("x"), 0x0003), EFOpenError);
}

TEST_F(FileStreamTest, ShareModesExcludeConflictingStreams) {
  const std::string path = Path("shared.txt");
  {
    TFileStream writer(path, fmCreate);
    writer.WriteBuffer("keep", 4);
    EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyWrite), EFOpenError);
    // Recreating a file another stream holds fails before emptying it.
    EXPECT_THROW(TFileStream(path, fmCreate), EFCreateError);
    EXPECT_EQ(TFileStream(path, fmOpenRead | fmShareDenyNone).Size(), 4);
  }
  TFileStream reader1(path, fmOpenRead | fmShareDenyWrite);
  TFileStream reader2(path, fmOpenRead | fmShareDenyWrite);
  EXPECT_THROW(TFileStream(path, fmOpenReadWrite | fmShareExclusive), EFOpenError);
}

}  // namespace
}  // namespace platform
