#include "platform/core/os/ui_language.h"

#include <atomic>
#include <iterator>
#include <mutex>
#include <utility>

namespace platform {
namespace {

constexpr std::uint16_t kPrimaryItalian = 0x10;

std::atomic<LANGID> g_language{kLangEnglishUs};

struct Listener {
  std::mutex Mutex;
  UiLanguageListener Call;
};

Listener& TheListener() {
  static Listener listener;
  return listener;
}

struct Texts {
  std::string_view English;
  std::string_view Italian;
};

// By SystemText, in its order.
constexpr Texts kTexts[] = {
    {"virtual port", "porta virtuale"},
    {"&Undo", "&Annulla"},
    {"Cu&t", "&Taglia"},
    {"&Copy", "&Copia"},
    {"&Paste", "&Incolla"},
    {"&Delete", "&Elimina"},
    {"Select &All", "Seleziona &tutto"},
};
static_assert(std::size(kTexts) == static_cast<std::size_t>(SystemText::SelectAll) + 1, "a text for every SystemText");

}  // namespace

LANGID GetThreadUILanguage() { return g_language.load(); }

LANGID SetThreadUILanguage(LANGID Language) {
  const LANGID chosen = Language == 0 ? kLangEnglishUs : Language;
  g_language.store(chosen);
  UiLanguageListener call;
  {
    Listener& listener = TheListener();
    const std::lock_guard<std::mutex> lock(listener.Mutex);
    call = listener.Call;
  }
  if (call) call(chosen);
  return chosen;
}

void SetUiLanguageListener(UiLanguageListener NewListener) {
  Listener& listener = TheListener();
  const std::lock_guard<std::mutex> lock(listener.Mutex);
  listener.Call = std::move(NewListener);
}

std::string_view GetSystemText(SystemText Text) {
  const Texts& texts = kTexts[static_cast<std::size_t>(Text)];
  return (GetThreadUILanguage() & 0x3FF) == kPrimaryItalian ? texts.Italian : texts.English;
}

}  // namespace platform
