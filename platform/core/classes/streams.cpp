#include "platform/core/classes/streams.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>

namespace platform {
namespace {

std::string FullPath(const std::string& FileName) {
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(FileName, error);
  return error ? FileName : full.string();
}

[[noreturn]] void ThrowFileError(bool Create, const std::string& FileName, const std::string& Reason) {
  const std::string message =
      std::string(Create ? "Cannot create file \"" : "Cannot open file \"") + FullPath(FileName) + "\". " + Reason;
  if (Create) throw EFCreateError(message);
  throw EFOpenError(message);
}

// 0 for no lock, else the flock operation the share mode asks for.
int ShareLock(std::uint16_t Mode) {
  if (Mode == fmCreate) return LOCK_EX;
  switch (Mode & 0xF0) {
    case fmShareExclusive:
    case fmShareDenyRead:
      return LOCK_EX;
    case fmShareDenyWrite:
      return LOCK_SH;
    default:
      return 0;
  }
}

}  // namespace

std::int64_t TStream::Size() {
  const std::int64_t position = Seek(0, soCurrent);
  const std::int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, std::int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, std::int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& Source, std::int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  std::array<std::uint8_t, 61440> buffer;
  for (std::int64_t left = Count; left > 0;) {
    const std::int64_t n = std::min<std::int64_t>(left, buffer.size());
    Source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return Count;
}

std::int64_t TMemoryStream::Read(void* Buffer, std::int64_t Count) {
  const auto size = static_cast<std::int64_t>(data_.size());
  if (Count <= 0 || position_ >= size) return 0;
  const std::int64_t n = std::min(Count, size - position_);
  std::memcpy(Buffer, data_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* Buffer, std::int64_t Count) {
  if (Count <= 0 || Count > INT64_MAX - position_) return 0;
  const std::int64_t end = position_ + Count;
  if (end > Size()) SetSize(end);
  std::memcpy(data_.data() + position_, Buffer, static_cast<std::size_t>(Count));
  position_ = end;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = 0;
  if (Origin == soCurrent) base = position_;
  if (Origin == soEnd) base = Size();
  if ((Offset < 0 && base + Offset < 0) || (Offset > 0 && Offset > INT64_MAX - base)) return -1;
  position_ = base + Offset;
  return position_;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  if (NewSize < 0) NewSize = 0;
  try {
    data_.resize(static_cast<std::size_t>(NewSize));
  } catch (const std::bad_alloc&) {
    throw EStreamError("Out of memory while expanding memory stream");
  } catch (const std::length_error&) {
    throw EStreamError("Out of memory while expanding memory stream");
  }
  position_ = std::min(position_, NewSize);
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream) {
  Stream.SetPosition(0);
  const std::int64_t size = Stream.Size();
  SetSize(size);
  position_ = 0;
  Stream.ReadBuffer(data_.data(), size);
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& Stream) { Stream.WriteBuffer(data_.data(), Size()); }

void TMemoryStream::SaveToFile(const std::string& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(file);
}

std::int64_t THandleStream::Read(void* Buffer, std::int64_t Count) {
  std::int64_t done = 0;
  auto* out = static_cast<char*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::read(FHandle, out + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t THandleStream::Write(const void* Buffer, std::int64_t Count) {
  std::int64_t done = 0;
  const auto* in = static_cast<const char*>(Buffer);
  while (done < Count) {
    const ssize_t n = ::write(FHandle, in + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t THandleStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  return ::lseek(FHandle, Offset, whence);
}

void THandleStream::SetSize(std::int64_t NewSize) {
  if (::ftruncate(FHandle, NewSize) != 0)
    throw EStreamError(std::string("Cannot set stream size. ") + std::strerror(errno));
  if (Position() > NewSize) Seek(NewSize, soBeginning);
}

TFileStream::TFileStream(const std::string& FileName, std::uint16_t Mode) : THandleStream(-1), fileName_(FileName) {
  const bool create = Mode == fmCreate;
  int flags = O_CLOEXEC;
  if (create) {
    flags |= O_RDWR | O_CREAT;
  } else {
    switch (Mode & 0x0F) {
      case fmOpenRead:
        flags |= O_RDONLY;
        break;
      case fmOpenWrite:
        flags |= O_WRONLY;
        break;
      case fmOpenReadWrite:
        flags |= O_RDWR;
        break;
      default:
        ThrowFileError(false, FileName, "Invalid open mode.");
    }
  }
  FHandle = ::open(FileName.c_str(), flags, 0666);
  if (FHandle < 0) ThrowFileError(create, FileName, std::strerror(errno));
  // The lock is taken before a created file is emptied, so a file that
  // another stream holds keeps its contents.
  if (const int lock = ShareLock(Mode); lock != 0 && ::flock(FHandle, lock | LOCK_NB) != 0) {
    const int error = errno;
    ::close(FHandle);
    FHandle = -1;
    ThrowFileError(create, FileName,
                   error == EWOULDBLOCK ? "The file is in use by another stream." : std::strerror(error));
  }
  if (create && ::ftruncate(FHandle, 0) != 0) {
    const int error = errno;
    ::close(FHandle);
    FHandle = -1;
    ThrowFileError(true, FileName, std::strerror(error));
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

}  // namespace platform
