#include "widetext/controls/wm_char.h"

#include "widetext/exceptions.h"

namespace widetext {
namespace {

constexpr char16_t kAnsiStandIn = 0xFF;

void CheckCharMessage(const platform::TMessage& Msg) {
  if (Msg.Msg != platform::WM_CHAR) throw EWtxInternalError("Internal Error: a WM_CHAR helper got another message.");
}

char16_t CharField(const platform::TMessage& Msg) { return platform::LOWORD(Msg.WParam); }
char16_t SpareField(const platform::TMessage& Msg) { return platform::HIWORD(Msg.WParam); }

void SetFields(platform::TMessage& Msg, char16_t Character, char16_t Spare) {
  Msg.WParam = platform::MAKEWPARAM(Character, Spare);
}

}  // namespace

void MakeWMCharMsgSafeForAnsi(platform::TMessage& Msg) {
  CheckCharMessage(Msg);
  const char16_t c = CharField(Msg);
  if (c > kAnsiStandIn) SetFields(Msg, kAnsiStandIn, c);
}

void RestoreWMCharMsg(platform::TMessage& Msg) {
  CheckCharMessage(Msg);
  const char16_t spare = SpareField(Msg);
  const char16_t c = spare != 0 && CharField(Msg) == kAnsiStandIn ? spare : CharField(Msg);
  SetFields(Msg, c, 0);
}

char16_t GetWideCharFromWMCharMsg(const platform::TMessage& Msg) {
  CheckCharMessage(Msg);
  return CharField(Msg) == kAnsiStandIn && SpareField(Msg) != 0 ? SpareField(Msg) : CharField(Msg);
}

void SetWideCharForWMCharMsg(platform::TMessage& Msg, char16_t C) {
  CheckCharMessage(Msg);
  SetFields(Msg, C, 0);
  MakeWMCharMsgSafeForAnsi(Msg);
}

}  // namespace widetext
