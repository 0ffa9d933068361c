// The window's language and units: every caption, the texts other parts
// show later (messages, questions, list entries), the pictures with words
// in them and the dictionary's language, in English or Italian; the depth
// unit's captions; and the language and unit lists that switch them.

#include <string>
#include <string_view>

#include "app/control_helpers.h"
#include "app/dialog_form.h"
#include "app/main_form.h"
#include "platform/core/os/ui_language.h"
#include "platform/ui/controls/stdctrls.h"
#include "support/ui/shell_helpers.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/image.h"
#include "widetext/controls/page_control.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/label.h"

namespace app {
namespace {

struct LanguageText {
  std::u16string TMainForm::*Field;
  std::u16string_view English;
  std::u16string_view Italian;
};

// The texts other parts of the window show.
constexpr LanguageText kTexts[] = {
    {&TMainForm::TxtNoValue, u"- - -", u"- - -"},
    {&TMainForm::TxtFirmwareOld,
     u"This firmware version is too old, please download the latest from Zeruziviz Web Site!",
     u"La versione del firmware è troppo vecchia, scaricare l'ultima versione dal sito Zeruziviz!"},
    {&TMainForm::TxtNotSupported, u"Calibration of this product is not supported!",
     u"La calibrazione di questo modello non è supportata!"},
    {&TMainForm::TxtBelowKeel, u"Depth Below Keel:", u"Profondità sotto la chiglia:"},
    {&TMainForm::TxtBelowSurface, u"Depth Below Surface:", u"Profondità sotto la superficie:"},
    {&TMainForm::TxtChange, u"Change", u"Cambia"},
    {&TMainForm::TxtReset, u"Reset", u"Azzera"},
    {&TMainForm::TxtAdd, u"Add ->", u"Aggiungi ->"},
    {&TMainForm::TxtDelete, u"Delete", u"Elimina"},
    {&TMainForm::TxtCalculate, u"Calculate", u"Calcola"},
    {&TMainForm::TxtNew, u"New", u"Nuovi"},
    {&TMainForm::TxtStored, u"Stored", u"Memoria"},
    {&TMainForm::TxtCoeff, u"Coeff.", u"Coeff."},
    {&TMainForm::TxtStart, u"Start", u"Avvia"},
    {&TMainForm::TxtStop, u"Stop", u"Stop"},
    {&TMainForm::TxtSaveDstTitle, u"Save DST Input Channel", u"Salva i dati del canale DST"},
    {&TMainForm::TxtSaveGpsTitle, u"Save GPS Input Channel", u"Salva i dati del canale GPS"},
    {&TMainForm::TxtLogFileType, u"NMEA raw ASCII File", u"File ASCII NMEA"},
    {&TMainForm::TxtDstChannel, u"DST Channel", u"Canale DST"},
    {&TMainForm::TxtGpsChannel, u"GPS Channel", u"Canale GPS"},
    {&TMainForm::TxtAskResetSpeed, u"Are you sure to delete all the speed calibrations from the DST internal memory?",
     u"Sicuri di voler azzerare tutte la calibrazioni di velocità dalla memoria del modulo DST?"},
    {&TMainForm::TxtAskClearList, u"Are you sure to delete the coefficient list?",
     u"Sicuri di voler cancellare la lista dei coefficienti?"},
    {&TMainForm::TxtAskResetTemp,
     u"Are you sure to delete all the temperature calibrations from the DST internal memory?",
     u"Sicuri di voler azzerare tutte la calibrazioni di temperatura dalla memoria del modulo DST?"},
    {&TMainForm::TxtAttention, u"Attention!", u"Attenzione!"},
    {&TMainForm::TxtYes, u"Yes", u"Sì"},
    {&TMainForm::TxtNo, u"No", u"No"},
    {&TMainForm::TxtNewOffset, u"New Offset", u"Nuovo Offset"},
    {&TMainForm::TxtNone, u"none", u"nessuna"},
    {&TMainForm::TxtAskRecord, u"Do you want to start recording now?", u"Volete iniziare la registrazione ora?"},
    {&TMainForm::TxtNoTempData, u"The water temperature NMEA data \"MTW\" is not received!",
     u"I dati NMEA di temperatura dell'acqua \"MTW\" non vengono ricevuti!"},
    {&TMainForm::TxtTempHelp,
     u"Please enter in the box the real water temperature measured with a thermometer.\r\n"
     u"The calibration software will calculate the correct offset.\r\n"
     u"Please note that the DST will accept new offsets if they are in the range -5 to +5 °C",
     u"Inserire nella casella la temperatura dell'acqua misurata con un termometro.\r\n"
     u"Il software calcolerà il coefficiente corretto da inviare al DST.\r\n"
     u"Tenete presente che il DST accetta nuovi offset solo se compresi nell'intervallo da -5 a +5 °C"},
};

template <class ControlClass>
struct CaptionText {
  ControlClass* TMainForm::*Control;
  std::u16string_view English;
  std::u16string_view Italian;
};

constexpr CaptionText<TWtxTabSheet> kPageCaptions[] = {
    {&TMainForm::PaConnect, u"Connection", u"Connessione"},
    {&TMainForm::PaDepth, u"Depth", u"Profondità"},
    {&TMainForm::PaSpeed, u"Speed", u"Velocità"},
    {&TMainForm::PaTemp, u"Temperature", u"Temperatura"},
    {&TMainForm::PaGPS, u"GPS", u"GPS"},
    {&TMainForm::PaTools, u"Tools", u"Strumenti"},
    {&TMainForm::PaRef, u"Reference", u"Schemi"},
};

constexpr CaptionText<TWtxLabel> kLabelCaptions[] = {
    {&TMainForm::LblDSTInput, u"Zeruziviz DST Input Monitor", u"Monitor Zeruziviz DST"},
    {&TMainForm::LblGPSInput, u"External GPS Input Monitor", u"Monitor GPS Esterno"},
    {&TMainForm::LblLanguage, u"Language", u"Lingua"},
    {&TMainForm::LblDstPort, u"DST Connection Port", u"Porta Connessione DST"},
    {&TMainForm::LblGPSPort, u"GPS Connection Port", u"Porta Connessione GPS"},
    {&TMainForm::LblConnModel, u"Connected Model", u"Modello Connesso"},
    {&TMainForm::LblSerNumber, u"Serial Number", u"Numero di Serie"},
    {&TMainForm::LblHardwVer, u"Hardware Version", u"Versione Hardware"},
    {&TMainForm::LblFirmVer, u"Firmware Version", u"Versione Firmware"},
    {&TMainForm::LblGPSWarn, u"GPS Connection is useful during speed log calibration.",
     u"La connessione al GPS è utile per calibrare il Log."},
    {&TMainForm::LblDBT, u"Depth Below Transducer:", u"Profondità sotto al trasduttore:"},
    {&TMainForm::LblLog, u"LOG", u"LOG"},
    {&TMainForm::LblSOG, u"SOG", u"SOG"},
    {&TMainForm::LblTripDist, u"Partial Trip Distance", u"Contamiglia Parziale"},
    {&TMainForm::LblCalibWarn, u"Calibration with GPS SOG should be done in waters without current!",
     u"La calibrazione del Log con il GPS deve essere effettuata in acque senza corrente!"},
    {&TMainForm::LblDSTTemp, u"DST Temp.", u"Temp. DST"},
    {&TMainForm::LblRealTemp, u"Real Temp.", u"Temp. Reale"},
    {&TMainForm::LblTempWarn, u"Please type in the box the real water temperature, measured with a thermometer.",
     u"Inserire nella casella la reale temperatura dell'acqua, misurata con un termometro."},
    {&TMainForm::LblGPSMode, u"MODE", u"MODO"},
    {&TMainForm::LblSaveDSTLog, u"Save DST Input Channel to File", u"Salva su file il canale dati DST"},
    {&TMainForm::LblSaveGPSLog, u"Save GPS Input Channel to File", u"Salva su file il canale dati GPS"},
    {&TMainForm::LblPinout, u"DB9 Serial Connector Pinout", u"Pin del connettore seriale DB9"},
    {&TMainForm::LblConnExamp,
     u"Connection example with Zeruziviz transducers. Please refer to manufacturer documentation.",
     u"Esempio di connessione con trasduttori Zeruziviz. Riferirsi agli schemi del produttore."},
};

constexpr CaptionText<TxpButton> kButtonCaptions[] = {
    {&TMainForm::ButRefreshAnalysis, u"Refresh", u"Aggiorna"},
    {&TMainForm::ButLoadSett, u"Load", u"Importa"},
    {&TMainForm::ButSaveSett, u"Save", u"Salva"},
};

constexpr CaptionText<platform::TGroupBox> kGroupCaptions[] = {
    {&TMainForm::GrpNMEAAnalysis, u"NMEA Input Analysis", u"Analisi dati NMEA"},
    {&TMainForm::GrpCalibSettings, u"Calibration Settings", u"Impostazioni Calibrazione"},
};

// Buttons and labels whose caption is one of the texts.
template <class ControlClass>
struct CaptionFromText {
  ControlClass* TMainForm::*Control;
  std::u16string TMainForm::*Text;
};

constexpr CaptionFromText<TxpButton> kButtonTexts[] = {
    {&TMainForm::ButDepthSend, &TMainForm::TxtChange},     {&TMainForm::ButSetLogCal, &TMainForm::TxtChange},
    {&TMainForm::ButSetTempCal, &TMainForm::TxtChange},    {&TMainForm::ButSetTempOffs, &TMainForm::TxtChange},
    {&TMainForm::ButResetLogCal, &TMainForm::TxtReset},    {&TMainForm::ButResetLogVal, &TMainForm::TxtReset},
    {&TMainForm::ButTripLogReset, &TMainForm::TxtReset},   {&TMainForm::ButResetTempCal, &TMainForm::TxtReset},
    {&TMainForm::ButResetTempVal, &TMainForm::TxtReset},   {&TMainForm::ButResetTempOfs, &TMainForm::TxtReset},
    {&TMainForm::ButAddLogCal, &TMainForm::TxtAdd},        {&TMainForm::ButAddTempCal, &TMainForm::TxtAdd},
    {&TMainForm::ButCalcLogVal, &TMainForm::TxtCalculate}, {&TMainForm::ButCalcTempVal, &TMainForm::TxtCalculate},
    {&TMainForm::ButDelLogVal, &TMainForm::TxtDelete},     {&TMainForm::ButDelTempVal, &TMainForm::TxtDelete},
};

constexpr CaptionFromText<TWtxLabel> kLabelTexts[] = {
    {&TMainForm::LblLogCoeff, &TMainForm::TxtCoeff},
    {&TMainForm::LblTmpCoeff, &TMainForm::TxtCoeff},
    {&TMainForm::LblTmpOfs, &TMainForm::TxtNewOffset},
};

void SetCaption(TWtxTabSheet& Page, std::u16string_view Text) { Page.SetCaption(Text); }
void SetCaption(TWtxLabel& Label, std::u16string_view Text) { Label.SetCaption(Text); }
void SetCaption(TxpButton& Button, std::u16string_view Text) { Button.SetCaption(std::u16string(Text)); }
void SetCaption(platform::TGroupBox& Group, std::u16string_view Text) { widetext::WideSetWindowText(&Group, Text); }

template <class Control, std::size_t N>
void ApplyCaptions(TMainForm& Form, const CaptionText<Control> (&Captions)[N], bool Italian) {
  for (const CaptionText<Control>& caption : Captions) {
    SetCaption(*(Form.*caption.Control), Italian ? caption.Italian : caption.English);
  }
}

template <class Control, std::size_t N>
void ApplyTexts(TMainForm& Form, const CaptionFromText<Control> (&Captions)[N]) {
  for (const CaptionFromText<Control>& caption : Captions) SetCaption(*(Form.*caption.Control), Form.*caption.Text);
}

// The depth unit's own words.
std::u16string_view OffsetCaption(bool Italian, bool Feet) {
  if (Italian) return Feet ? u"Offset Trasduttore ( piedi )" : u"Offset Trasduttore ( metri )";
  return Feet ? u"Transducer Offset ( feet )" : u"Transducer Offset ( meters )";
}

void SetGridTitles(TWtxStringGrid& Grid, const TMainForm& Form) {
  Grid.SetCells(0, 1, Form.TxtStored);
  Grid.SetCells(0, 2, Form.TxtNew);
}

}  // namespace

void TMainForm::BindLanguageEvents() {
  CmbLanguage->OnClick = [this](platform::TObject* Sender) { CmbLanguageClick(Sender); };
  CmbMeters->OnClick = [this](platform::TObject* Sender) { CmbMetersClick(Sender); };
  CmbTempMode->OnClick = [this](platform::TObject* Sender) { CmbTempModeClick(Sender); };
  EditTempCalO->OnChange = [this](platform::TObject* Sender) { EditTempCalOChange(Sender); };
}

// Any language but Italian is shown in English: a setting the window has no
// texts for would otherwise leave every question, its buttons and the port
// lists' first item blank. The setting itself is kept as it is.
void TMainForm::ApplyLanguage() {
  if (Dictionary) Dictionary->SetLanguage(static_cast<std::uint16_t>(Language));
  const bool italian = Language == kLanguageItalian;
  // The platform's own dialogs and texts speak the window's language.
  platform::SetThreadUILanguage(static_cast<platform::LANGID>(italian ? kLanguageItalian : kLanguageEnglish));
  for (const LanguageText& text : kTexts) this->*text.Field = italian ? text.Italian : text.English;

  LblVersion->SetCaption((italian ? u"Versione " : u"Version ") + FromUtf8(gFileVersion));
  const char* suffix = italian ? "_ITA" : "_ENG";
  support::LoadMetafileResource(&ImgPort->GetPicture(), std::string("IMGPORT") + suffix);
  support::LoadMetafileResource(&ImgDST->GetPicture(), std::string("IMGDST") + suffix);
  support::LoadMetafileResource(&ImgBoat->GetPicture(), std::string("IMGDPT") + suffix);

  ApplyCaptions(*this, kPageCaptions, italian);
  ApplyCaptions(*this, kLabelCaptions, italian);
  ApplyCaptions(*this, kButtonCaptions, italian);
  ApplyCaptions(*this, kGroupCaptions, italian);
  LblDstTempO->SetCaption(LblDSTTemp->GetCaption());
  LblRealTempO->SetCaption(LblRealTemp->GetCaption());
  ReplaceItem(*CmbDstPort, 0, TxtNone);
  ReplaceItem(*CmbGPSPort, 0, TxtNone);
  LblOfsEdit->SetCaption(OffsetCaption(italian, UnitsDepth != 0));
  SetItems(*CmbMeters, {italian ? u"metri" : u"meters", italian ? u"piedi" : u"feet"});
  ApplyTexts(*this, kButtonTexts);
  ApplyTexts(*this, kLabelTexts);
  SetGridTitles(*LogGrid, *this);
  SetGridTitles(*TempGrid, *this);
  UpdateLogButtons();

  SelectIfPresent(*CmbMeters, UnitsDepth);
  if (DialogForm) {
    DialogForm->TextYes = TxtYes;
    DialogForm->TextNo = TxtNo;
    DialogForm->SetButtonCaptions();
  }
  RefreshDisplay();
  BuildAnalysisTree();
}

void TMainForm::CmbLanguageClick(platform::TObject*) {
  Language = CmbLanguage->ItemIndex() == 1 ? kLanguageItalian : kLanguageEnglish;
  ApplyLanguage();
  // At start-up the ports are listed after the language is applied; a
  // switch later names the listed ones again.
  RenamePorts();
}

void TMainForm::CmbMetersClick(platform::TObject*) {
  UnitsDepth = CmbMeters->ItemIndex();
  ApplyLanguage();
  EditDptOfs->SetText("0.0");
}

void TMainForm::CmbTempModeClick(platform::TObject*) {
  UnitsTemp = CmbTempMode->ItemIndex();
  RefreshDisplay();
  InitTempGrid();
  ResetNewTempRow();
  ClearStoredTempRow();
  EditTempCalO->SetText("0.0");
  EditTempCal->SetText("0.0");
}

void TMainForm::EditTempCalOChange(platform::TObject*) { RefreshDisplay(); }

}  // namespace app
