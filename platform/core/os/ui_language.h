#pragma once
// The language of the texts the platform shows itself: the buttons and
// captions of its standard dialogs, its own menus and the names it gives
// things (a virtual port's description). It is the user's language,
// English (United States), until the program chooses another; the program
// has one user-interface thread, so the choice serves the whole process.

#include <cstdint>
#include <functional>
#include <string_view>

namespace platform {

using LANGID = std::uint16_t;

constexpr LANGID kLangEnglishUs = 0x0409;
constexpr LANGID kLangItalian = 0x0410;

LANGID GetThreadUILanguage();
// 0 goes back to the user's language. Returns the language now in force.
LANGID SetThreadUILanguage(LANGID Language);

// Called with each new language, on the thread that set it (the
// presentation follows the language with it).
using UiLanguageListener = std::function<void(LANGID Language)>;
void SetUiLanguageListener(UiLanguageListener Listener);

// The platform's own texts, UTF-8, in the language in force: Italian for
// any Italian language, English for every other.
enum class SystemText { VirtualPort, Undo, Cut, Copy, Paste, Delete, SelectAll };
std::string_view GetSystemText(SystemText Text);

}  // namespace platform
