#pragma once
// The class library's byte streams: an abstract stream with position and
// size, a growable memory stream, and file streams over an operating-system
// file descriptor. Not thread-safe; an owner that shares a stream between
// threads guards it.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/core/classes/object.h"

namespace platform {

class EStreamError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// Open modes: one access mode combined with one share mode, or fmCreate.
inline constexpr std::uint16_t fmCreate = 0xFFFF;
inline constexpr std::uint16_t fmOpenRead = 0x0000;
inline constexpr std::uint16_t fmOpenWrite = 0x0001;
inline constexpr std::uint16_t fmOpenReadWrite = 0x0002;
inline constexpr std::uint16_t fmShareCompat = 0x0000;
inline constexpr std::uint16_t fmShareExclusive = 0x0010;
inline constexpr std::uint16_t fmShareDenyWrite = 0x0020;
inline constexpr std::uint16_t fmShareDenyRead = 0x0030;
inline constexpr std::uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
 public:
  // Transfer up to Count bytes at the position and advance it; the result is
  // the number transferred (0 at the end or on an error).
  virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
  virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
  // The new position, or -1 when the stream cannot move there.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  virtual void SetSize(std::int64_t NewSize) = 0;
  virtual std::int64_t Size();

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t Pos) { Seek(Pos, soBeginning); }

  // Exactly Count bytes, or EReadError / EWriteError.
  void ReadBuffer(void* Buffer, std::int64_t Count);
  void WriteBuffer(const void* Buffer, std::int64_t Count);

  // Copies Count bytes from Source's position; Count 0 copies the whole of
  // Source from its start. Returns the bytes copied; a short Source raises
  // EReadError.
  std::int64_t CopyFrom(TStream& Source, std::int64_t Count);
};

class TMemoryStream : public TStream {
 public:
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  // Writing past the end grows the stream; a gap left by a seek beyond the end
  // reads as zeros.
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  // Any position at or after the start is allowed.
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }

  void Clear();
  std::uint8_t* Memory() { return data_.data(); }
  const std::uint8_t* Memory() const { return data_.data(); }

  // The whole of Stream from its start replaces the contents; position 0.
  void LoadFromStream(TStream& Stream);
  void LoadFromFile(const std::string& FileName);
  // Writes the whole contents at Stream's position.
  void SaveToStream(TStream& Stream);
  void SaveToFile(const std::string& FileName);

 private:
  std::vector<std::uint8_t> data_;
  std::int64_t position_ = 0;
};

// A stream over a file descriptor that someone else opened and closes.
class THandleStream : public TStream {
 public:
  explicit THandleStream(int Handle) : FHandle(Handle) {}
  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;
  int Handle() const { return FHandle; }

 protected:
  int FHandle;
};

// A file opened by name. fmCreate creates the file or empties an existing
// one, for reading and writing. Share modes are kept as advisory locks among
// the program's own streams: exclusive and deny-read (and fmCreate) exclude
// every other sharing stream, deny-write admits other deny-write readers only.
// Failures raise EFCreateError or EFOpenError naming the full path and the
// system's reason.
class TFileStream : public THandleStream {
 public:
  TFileStream(const std::string& FileName, std::uint16_t Mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

}  // namespace platform
