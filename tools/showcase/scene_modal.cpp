// A question over the window that owns it: the owner is disabled while the
// question is up (it keeps its look but takes no clicks or keys, and the
// window manager keeps the question above it), and its monitor, appended to
// line by line, shows its newest line. In Italian, as the platform's own
// texts follow the program's language.

#include "platform/core/os/ui_language.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/controls/stdctrls.h"
#include "tools/showcase/scene.h"

namespace showcase {
namespace {

using namespace platform;

TForm* BuildModalScene() {
  SetThreadUILanguage(kLangItalian);
  auto* owner = new TForm(nullptr, TCustomForm::CreateNew);
  owner->SetCaption("Monitor");
  owner->SetBounds(120, 120, 480, 300);
  auto* monitor = new TMemo(owner);
  monitor->SetParent(owner);
  monitor->SetBounds(10, 10, 460, 240);
  monitor->SetScrollBars(ssBoth);
  monitor->SetWordWrap(false);
  auto* clicks = new TLabel(owner);
  clicks->SetParent(owner);
  clicks->SetBounds(10, 260, 300, 20);
  clicks->SetCaption("Clicks taken: 0");
  owner->OnClick = [clicks, count = 0](TObject*) mutable {
    clicks->SetCaption("Clicks taken: " + std::to_string(++count));
  };
  owner->Show();
  for (int i = 1; i <= 500; ++i) {
    monitor->SetSelText("$SDDBT,11.2,f,3.41,M,1.86,F  line " + std::to_string(i) + "\r\n");
  }

  // The question belongs to the owner, as the program's forms belong to
  // its main form.
  Application->SetMainForm(owner);
  auto* question = new TForm(nullptr, TCustomForm::CreateNew);
  question->SetCaption(" Attenzione!");
  question->SetBorderStyle(bsSingle);
  question->SetBorderIcons(biSystemMenu);
  question->SetBounds(260, 250, 240, 90);
  auto* text = new TLabel(question);
  text->SetParent(question);
  text->SetBounds(10, 10, 220, 20);
  text->SetCaption("Volete iniziare la registrazione ora?");
  auto* answer = new TButton(question);
  answer->SetParent(question);
  answer->SetBounds(70, 45, 100, 28);
  answer->SetCaption("Chiudi");
  answer->OnClick = [owner, question](TObject*) {
    EnableWindow(owner->Handle(), true);
    question->Hide();
  };
  EnableWindow(owner->Handle(), false);
  question->Show();
  return owner;
}

const SceneRegistration kModal("modal", "a question over its disabled owner, whose monitor shows its newest line",
                               BuildModalScene);

}  // namespace
}  // namespace showcase
