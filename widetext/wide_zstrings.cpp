#include "widetext/wide_zstrings.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace widetext {
namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);

}  // namespace

char16_t* WideStrAlloc(std::uint32_t Size) {
  const std::uint64_t bytes = std::uint64_t{Size} * sizeof(char16_t) + kPrefix;
  if (bytes > UINT32_MAX) throw std::bad_alloc();
  auto* block = static_cast<char*>(std::malloc(bytes));
  if (!block) throw std::bad_alloc();
  const auto size = static_cast<std::uint32_t>(bytes);
  std::memcpy(block, &size, kPrefix);
  return reinterpret_cast<char16_t*>(block + kPrefix);
}

void WideStrDispose(char16_t* P) {
  if (P) std::free(reinterpret_cast<char*>(P) - kPrefix);
}

char16_t* WideStrNew(const char16_t* P) {
  if (!P) return nullptr;
  const std::size_t length = WideStrLen(P);
  char16_t* copy = WideStrAlloc(static_cast<std::uint32_t>(length + 1));
  std::memcpy(copy, P, (length + 1) * sizeof(char16_t));
  return copy;
}

std::size_t WideStrLen(const char16_t* P) { return std::char_traits<char16_t>::length(P); }

const char16_t* WideStrEnd(const char16_t* P) { return P + WideStrLen(P); }

char16_t* WideStrCopy(char16_t* Dest, const char16_t* Source) {
  std::memmove(Dest, Source, (WideStrLen(Source) + 1) * sizeof(char16_t));
  return Dest;
}

char16_t* WideStrLCopy(char16_t* Dest, const char16_t* Source, std::size_t MaxLen) {
  std::size_t i = 0;
  for (; i < MaxLen && Source[i]; ++i) Dest[i] = Source[i];
  Dest[i] = u'\0';
  return Dest;
}

char16_t* WideStrCopyFromString(char16_t* Dest, std::u16string_view S, std::size_t MaxLen) {
  std::size_t i = 0;
  for (; i < MaxLen && i < S.size() && S[i]; ++i) Dest[i] = S[i];
  Dest[i] = u'\0';
  return Dest;
}

const char16_t* WideStrScan(const char16_t* P, char16_t C) {
  for (;; ++P) {
    if (*P == C) return P;
    if (!*P) return nullptr;
  }
}

std::u16string WideStrToString(const char16_t* P) { return P ? std::u16string(P) : std::u16string(); }

const char16_t* WideLastChar(std::u16string_view S) { return S.empty() ? nullptr : &S.back(); }

}  // namespace widetext
