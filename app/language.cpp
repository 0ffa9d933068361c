// The window's language and units.

#include "app/control_helpers.h"
#include "app/main_form.h"
#include "support/ui/shell_helpers.h"
#include "widetext/controls/image.h"
#include "widetext/standard/label.h"

namespace app {

void TMainForm::ApplyLanguage() {
  if (Dictionary) Dictionary->SetLanguage(static_cast<std::uint16_t>(Language));
  if (Language == kLanguageEnglish || Language == kLanguageItalian) {
    const bool italian = Language == kLanguageItalian;
    TxtNone = italian ? u"nessuna" : u"none";
    LblVersion->SetCaption((italian ? u"Versione " : u"Version ") + FromUtf8(gFileVersion));
    const char* suffix = italian ? "_ITA" : "_ENG";
    support::LoadMetafileResource(&ImgPort->GetPicture(), std::string("IMGPORT") + suffix);
    support::LoadMetafileResource(&ImgDST->GetPicture(), std::string("IMGDST") + suffix);
    support::LoadMetafileResource(&ImgBoat->GetPicture(), std::string("IMGDPT") + suffix);
  }
  ReplaceFirstItem(*CmbDstPort, TxtNone);
  ReplaceFirstItem(*CmbGPSPort, TxtNone);
  RefreshDisplay();
  BuildAnalysisTree();
}

}  // namespace app
