#include <gtest/gtest.h>

#include <string>

#include "platform/core/classes/streams.h"
#include "platform/ui/controls/dialogs.h"
#include "platform/ui/controls/forms.h"
#include "tests/support/scratch_folder.h"
#include "widetext/file_stream.h"
#include "widetext/utf8.h"

namespace widetext {
namespace {

// What the class library's message display shows for the exception being
// handled.
std::u16string Shown() {
  std::u16string shown;
  platform::SetMessageBoxHandler([&](const std::u16string& Text, const std::u16string&, platform::UINT) {
    shown = Text;
    return platform::IDOK;
  });
  platform::Application->HandleException(nullptr);
  platform::SetMessageBoxHandler({});
  return shown;
}

TEST(ExceptionDisplay, AWideLayerFailureShowsItsTextWhole) {
  platform::InitializeApplication();
  support::testing::TScratchFolder folder;
  const std::u16string name =
      UTF8Decode(folder.Path().string()) + u"/\u0392\u03AC\u03B8\u03BF\u03C2 g\u0142\u0119boko\u015B\u0107.log";
  std::u16string shown;
  try {
    TWtxFileStream stream(name, platform::fmOpenRead);
  } catch (...) {
    shown = Shown();
  }
  EXPECT_NE(shown.find(name), std::u16string::npos) << UTF8Encode(shown);

  // The class library's own texts are code page 1252, and stay so.
  try {
    throw platform::EInvalidOperation("Profondit\xE0 non valida");
  } catch (...) {
    shown = Shown();
  }
  EXPECT_EQ(shown, u"Profondit\u00E0 non valida");
}

}  // namespace
}  // namespace widetext
