// Every text of the window in English and in Italian, as the language list
// switches them; the depth and temperature units; and each page pictured in
// Italian for a person to look at.

#include <gtest/gtest.h>

#include <QImage>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_form.h"
#include "platform/core/os/ui_language.h"
#include "platform/ui/controls/stdctrls.h"
#include "platform/ui/window_classes/presentation.h"
#include "platform/ui/window_classes/qt_peer.h"
#include "tests/app/tools_helpers.h"
#include "widetext/controls/control_text.h"
#include "widetext/controls/image.h"
#include "widetext/controls/page_control.h"
#include "widetext/custom_drawn/xp_button.h"
#include "widetext/grid/string_grid.h"
#include "widetext/standard/combo_box.h"
#include "widetext/standard/label.h"
#include "widetext/utf8.h"

namespace {

using apptest::AppTest;
using apptest::DialogAnswers;
using apptest::FileChoices;
using apptest::ItemCount;
using apptest::ItemText;
using apptest::VirtualPort;

struct TextRow {
  std::u16string app::TMainForm::*Field;
  std::u16string English;
  std::u16string Italian;
};

// The texts the window keeps for later, English then Italian.
const TextRow kTexts[] = {
    {&app::TMainForm::TxtNoValue, u"- - -", u"- - -"},
    {&app::TMainForm::TxtFirmwareOld,
     u"This firmware version is too old, please download the latest from Zeruziviz Web Site!",
     u"La versione del firmware è troppo vecchia, scaricare l'ultima versione dal sito Zeruziviz!"},
    {&app::TMainForm::TxtNotSupported, u"Calibration of this product is not supported!",
     u"La calibrazione di questo modello non è supportata!"},
    {&app::TMainForm::TxtBelowKeel, u"Depth Below Keel:", u"Profondità sotto la chiglia:"},
    {&app::TMainForm::TxtBelowSurface, u"Depth Below Surface:", u"Profondità sotto la superficie:"},
    {&app::TMainForm::TxtChange, u"Change", u"Cambia"},
    {&app::TMainForm::TxtReset, u"Reset", u"Azzera"},
    {&app::TMainForm::TxtAdd, u"Add ->", u"Aggiungi ->"},
    {&app::TMainForm::TxtDelete, u"Delete", u"Elimina"},
    {&app::TMainForm::TxtCalculate, u"Calculate", u"Calcola"},
    {&app::TMainForm::TxtNew, u"New", u"Nuovi"},
    {&app::TMainForm::TxtStored, u"Stored", u"Memoria"},
    {&app::TMainForm::TxtCoeff, u"Coeff.", u"Coeff."},
    {&app::TMainForm::TxtStart, u"Start", u"Avvia"},
    {&app::TMainForm::TxtStop, u"Stop", u"Stop"},
    {&app::TMainForm::TxtSaveDstTitle, u"Save DST Input Channel", u"Salva i dati del canale DST"},
    {&app::TMainForm::TxtSaveGpsTitle, u"Save GPS Input Channel", u"Salva i dati del canale GPS"},
    {&app::TMainForm::TxtLogFileType, u"NMEA raw ASCII File", u"File ASCII NMEA"},
    {&app::TMainForm::TxtDstChannel, u"DST Channel", u"Canale DST"},
    {&app::TMainForm::TxtGpsChannel, u"GPS Channel", u"Canale GPS"},
    {&app::TMainForm::TxtAskResetSpeed,
     u"Are you sure to delete all the speed calibrations from the DST internal memory?",
     u"Sicuri di voler azzerare tutte la calibrazioni di velocità dalla memoria del modulo DST?"},
    {&app::TMainForm::TxtAskClearList, u"Are you sure to delete the coefficient list?",
     u"Sicuri di voler cancellare la lista dei coefficienti?"},
    {&app::TMainForm::TxtAskResetTemp,
     u"Are you sure to delete all the temperature calibrations from the DST internal memory?",
     u"Sicuri di voler azzerare tutte la calibrazioni di temperatura dalla memoria del modulo DST?"},
    {&app::TMainForm::TxtAttention, u"Attention!", u"Attenzione!"},
    {&app::TMainForm::TxtYes, u"Yes", u"Sì"},
    {&app::TMainForm::TxtNo, u"No", u"No"},
    {&app::TMainForm::TxtNewOffset, u"New Offset", u"Nuovo Offset"},
    {&app::TMainForm::TxtNone, u"none", u"nessuna"},
    {&app::TMainForm::TxtAskRecord, u"Do you want to start recording now?", u"Volete iniziare la registrazione ora?"},
    {&app::TMainForm::TxtNoTempData, u"The water temperature NMEA data \"MTW\" is not received!",
     u"I dati NMEA di temperatura dell'acqua \"MTW\" non vengono ricevuti!"},
    {&app::TMainForm::TxtTempHelp,
     u"Please enter in the box the real water temperature measured with a thermometer.\r\nThe calibration software "
     u"will calculate the correct offset.\r\nPlease note that the DST will accept new offsets if they are in the "
     u"range -5 to +5 °C",
     u"Inserire nella casella la temperatura dell'acqua misurata con un termometro.\r\nIl software calcolerà il "
     u"coefficiente corretto da inviare al DST.\r\nTenete presente che il DST accetta nuovi offset solo se compresi "
     u"nell'intervallo da -5 a +5 °C"},
};

struct CaptionRow {
  const char* Control;
  std::u16string English;
  std::u16string Italian;
};

// Captions written directly, and those taken from the texts.
const CaptionRow kCaptions[] = {
    {"PaConnect", u"Connection", u"Connessione"},
    {"PaDepth", u"Depth", u"Profondità"},
    {"PaSpeed", u"Speed", u"Velocità"},
    {"PaTemp", u"Temperature", u"Temperatura"},
    {"PaGPS", u"GPS", u"GPS"},
    {"PaTools", u"Tools", u"Strumenti"},
    {"PaRef", u"Reference", u"Schemi"},
    {"LblDSTInput", u"Zeruziviz DST Input Monitor", u"Monitor Zeruziviz DST"},
    {"LblGPSInput", u"External GPS Input Monitor", u"Monitor GPS Esterno"},
    {"LblLanguage", u"Language", u"Lingua"},
    {"LblDstPort", u"DST Connection Port", u"Porta Connessione DST"},
    {"LblGPSPort", u"GPS Connection Port", u"Porta Connessione GPS"},
    {"LblConnModel", u"Connected Model", u"Modello Connesso"},
    {"LblSerNumber", u"Serial Number", u"Numero di Serie"},
    {"LblHardwVer", u"Hardware Version", u"Versione Hardware"},
    {"LblFirmVer", u"Firmware Version", u"Versione Firmware"},
    {"LblGPSWarn", u"GPS Connection is useful during speed log calibration.",
     u"La connessione al GPS è utile per calibrare il Log."},
    {"LblDBT", u"Depth Below Transducer:", u"Profondità sotto al trasduttore:"},
    {"LblOfsEdit", u"Transducer Offset ( meters )", u"Offset Trasduttore ( metri )"},
    {"LblLog", u"LOG", u"LOG"},
    {"LblSOG", u"SOG", u"SOG"},
    {"LblTripDist", u"Partial Trip Distance", u"Contamiglia Parziale"},
    {"LblCalibWarn", u"Calibration with GPS SOG should be done in waters without current!",
     u"La calibrazione del Log con il GPS deve essere effettuata in acque senza corrente!"},
    {"LblDSTTemp", u"DST Temp.", u"Temp. DST"},
    {"LblDstTempO", u"DST Temp.", u"Temp. DST"},
    {"LblRealTemp", u"Real Temp.", u"Temp. Reale"},
    {"LblRealTempO", u"Real Temp.", u"Temp. Reale"},
    {"LblTempWarn", u"Please type in the box the real water temperature, measured with a thermometer.",
     u"Inserire nella casella la reale temperatura dell'acqua, misurata con un termometro."},
    {"LblGPSMode", u"MODE", u"MODO"},
    {"LblSaveDSTLog", u"Save DST Input Channel to File", u"Salva su file il canale dati DST"},
    {"LblSaveGPSLog", u"Save GPS Input Channel to File", u"Salva su file il canale dati GPS"},
    {"GrpNMEAAnalysis", u"NMEA Input Analysis", u"Analisi dati NMEA"},
    {"GrpCalibSettings", u"Calibration Settings", u"Impostazioni Calibrazione"},
    {"ButRefreshAnalysis", u"Refresh", u"Aggiorna"},
    {"ButLoadSett", u"Load", u"Importa"},
    {"ButSaveSett", u"Save", u"Salva"},
    {"LblPinout", u"DB9 Serial Connector Pinout", u"Pin del connettore seriale DB9"},
    {"LblConnExamp", u"Connection example with Zeruziviz transducers. Please refer to manufacturer documentation.",
     u"Esempio di connessione con trasduttori Zeruziviz. Riferirsi agli schemi del produttore."},
    {"ButDepthSend", u"Change", u"Cambia"},
    {"ButSetLogCal", u"Change", u"Cambia"},
    {"ButSetTempCal", u"Change", u"Cambia"},
    {"ButSetTempOffs", u"Change", u"Cambia"},
    {"ButResetLogCal", u"Reset", u"Azzera"},
    {"ButResetLogVal", u"Reset", u"Azzera"},
    {"ButTripLogReset", u"Reset", u"Azzera"},
    {"ButResetTempCal", u"Reset", u"Azzera"},
    {"ButResetTempVal", u"Reset", u"Azzera"},
    {"ButResetTempOfs", u"Reset", u"Azzera"},
    {"ButAddLogCal", u"Add ->", u"Aggiungi ->"},
    {"ButAddTempCal", u"Add ->", u"Aggiungi ->"},
    {"ButCalcLogVal", u"Calculate", u"Calcola"},
    {"ButCalcTempVal", u"Calculate", u"Calcola"},
    {"ButDelLogVal", u"Delete", u"Elimina"},
    {"ButDelTempVal", u"Delete", u"Elimina"},
    {"LblLogCoeff", u"Coeff.", u"Coeff."},
    {"LblTmpCoeff", u"Coeff.", u"Coeff."},
    {"LblTmpOfs", u"New Offset", u"Nuovo Offset"},
    {"ButStartDstLog", u"Start", u"Avvia"},
    {"ButStartGpsLog", u"Start", u"Avvia"},
};

std::u16string CaptionOf(platform::TComponent* Component) {
  if (auto* page = dynamic_cast<platform::TTabSheet*>(Component)) return widetext::WidePageCaption(page);
  if (auto* button = dynamic_cast<app::TxpButton*>(Component)) return button->Caption();
  return widetext::WideGetWindowText(dynamic_cast<platform::TControl*>(Component));
}

class LanguageTest : public AppTest {
 protected:
  // The window made, its message dialog answering Answer, and shown.
  void Show(bool Answer) {
    MakeMainForm();
    Answers.emplace(Answer);
    ShowMainForm();
  }
  void Choose(app::TWtxComboBox& List, int Item) {
    List.SetItemIndex(Item);
    List.Click();
  }
  // Every text and caption of one language column.
  void ExpectLanguage(bool Italian) {
    const app::TMainForm& form = *Form;
    for (const TextRow& row : kTexts) {
      EXPECT_EQ(form.*row.Field, Italian ? row.Italian : row.English) << widetext::UTF8Encode(row.English);
    }
    for (const CaptionRow& row : kCaptions) {
      platform::TComponent* component = Form->FindComponent(row.Control);
      ASSERT_NE(component, nullptr) << row.Control;
      EXPECT_EQ(CaptionOf(component), Italian ? row.Italian : row.English) << row.Control;
    }
    EXPECT_EQ(Form->LblVersion->GetCaption(),
              (Italian ? u"Versione " : u"Version ") + widetext::UTF8Decode(app::gFileVersion));
    for (app::TWtxStringGrid* grid : {Form->LogGrid, Form->TempGrid}) {
      EXPECT_EQ(grid->GetCells(0, 1), Italian ? u"Memoria" : u"Stored");
      EXPECT_EQ(grid->GetCells(0, 2), Italian ? u"Nuovi" : u"New");
    }
    EXPECT_EQ(ItemText(*Form->CmbMeters, 0), Italian ? u"metri" : u"meters");
    EXPECT_EQ(ItemText(*Form->CmbMeters, 1), Italian ? u"piedi" : u"feet");
    EXPECT_EQ(ItemText(*Form->CmbTempMode, 0), u"°C");
    EXPECT_EQ(ItemText(*Form->CmbTempMode, 1), u"°F");
    EXPECT_EQ(ItemText(*Form->CmbDstPort, 0), Italian ? u"nessuna" : u"none");
    EXPECT_EQ(ItemText(*Form->CmbGPSPort, 0), Italian ? u"nessuna" : u"none");
    EXPECT_EQ(app::DialogForm->TextYes, Italian ? u"Sì" : u"Yes");
    EXPECT_EQ(app::DialogForm->TextNo, u"No");
    // The platform's dialogs and texts speak the same language.
    EXPECT_EQ(platform::GetThreadUILanguage(), Italian ? platform::kLangItalian : platform::kLangEnglishUs);
  }
  // What the connection picture shows, as drawn on the Reference page.
  QImage ConnectionPicture() {
    Form->TabPag->SetActivePage(Form->PaRef);
    platform::Application->ProcessMessages();
    const platform::TPoint origin = Form->ImgPort->ClientToScreen({0, 0});
    const platform::TPoint formOrigin = Form->ClientToScreen({0, 0});
    return platform::ui::Grab(Form->Handle())
        .copy(origin.X - formOrigin.X, origin.Y - formOrigin.Y, Form->ImgPort->Width(), Form->ImgPort->Height());
  }
  void TearDown() override {
    FreeMainForm();
    Answers.reset();
    AppTest::TearDown();
  }

  std::optional<DialogAnswers> Answers;
};

TEST_F(LanguageTest, EveryTextFollowsTheLanguageListBothWays) {
  Show(false);
  ExpectLanguage(false);
  const QImage english = ConnectionPicture();
  Choose(*Form->CmbLanguage, 1);
  EXPECT_EQ(Form->Language, app::kLanguageItalian);
  ExpectLanguage(true);
  EXPECT_NE(ConnectionPicture(), english);
  Choose(*Form->CmbLanguage, 0);
  EXPECT_EQ(Form->Language, app::kLanguageEnglish);
  ExpectLanguage(false);
  EXPECT_EQ(ConnectionPicture(), english);
  Choose(*Form->CmbLanguage, 1);
  FreeMainForm();
  EXPECT_EQ(StoredSetting("Language"), app::kLanguageItalian);
}

TEST_F(LanguageTest, ALanguageWithoutTextsOfItsOwnIsShownInEnglishAndKept) {
  WriteSettings(
      "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\n"
      "\"DSTComPort\"=dword:00000000\n\"DSTBaudRate\"=dword:000012c0\n\"GPSComPort\"=dword:00000000\n"
      "\"GPSBaudRate\"=dword:000012c0\n\"Language\"=dword:00000809\n");
  Show(false);
  EXPECT_EQ(Form->CmbLanguage->ItemIndex(), 0);
  ExpectLanguage(false);
  FreeMainForm();
  EXPECT_EQ(StoredSetting("Language"), 2057);
}

TEST_F(LanguageTest, SwitchingKeepsThePortChosenAndTheRecordingCaption) {
  VirtualPort port("dst-lang");
  Show(true);
  const auto& numbers = Form->PortNumbers;
  const int item = static_cast<int>(std::find(numbers.begin(), numbers.end(), port.Number()) - numbers.begin()) + 1;
  Choose(*Form->CmbDstPort, item);
  ASSERT_TRUE(Form->DstLink->IsOpen());
  EXPECT_EQ(ItemText(*Form->CmbDstPort, item), u"dst-lang  -  virtual port");
  Choose(*Form->CmbLanguage, 1);
  EXPECT_EQ(Form->CmbDstPort->ItemIndex(), item);
  EXPECT_EQ(ItemText(*Form->CmbDstPort, 0), u"nessuna");
  // The platform's words in the port names follow at once.
  EXPECT_EQ(ItemText(*Form->CmbDstPort, item), u"dst-lang  -  porta virtuale");
  EXPECT_EQ(ItemText(*Form->CmbGPSPort, item), u"dst-lang  -  porta virtuale");
  EXPECT_EQ(Form->ButStartDstLog->Caption(), u"Avvia");

  FileChoices files(Scratch / "dst.txt");
  Form->ButOpenDstLog->Click();
  ASSERT_TRUE(Form->DstLink->IsLogging());
  ASSERT_EQ(Answers->Asked.size(), 1u);
  EXPECT_EQ(Answers->Asked[0].Title, u"Attenzione!");
  EXPECT_EQ(Answers->Asked[0].Message, u"Volete iniziare la registrazione ora?");
  EXPECT_EQ(files.Asked[0].Title, u"Salva i dati del canale DST");
  EXPECT_EQ(files.Asked[0].Filter, u"File ASCII NMEA (*.txt)|*.txt");
  Choose(*Form->CmbLanguage, 0);
  EXPECT_EQ(Form->ButStartDstLog->Caption(), u"Stop");
  EXPECT_EQ(Form->ButStartGpsLog->Caption(), u"Start");
  EXPECT_EQ(ItemText(*Form->CmbDstPort, item), u"dst-lang  -  virtual port");
  EXPECT_EQ(Form->CmbDstPort->ItemIndex(), item);
}

// Until the language's texts are applied, the Temperature page's note says
// why only an offset is offered.
TEST_F(LanguageTest, TheTemperatureNoteHasItsOwnTextUntilTheLanguageIsApplied) {
  MakeMainForm();
  EXPECT_EQ(Form->LblTempWarn->GetCaption(),
            u"Current version of DST module supports only temperature offset calibration.");
  Answers.emplace(false);
  ShowMainForm();
  EXPECT_EQ(Form->LblTempWarn->GetCaption(),
            u"Please type in the box the real water temperature, measured with a thermometer.");
}

// The platform's own words in the port lists follow the language the
// program starts in.
TEST_F(LanguageTest, AProgramStartedInItalianNamesItsVirtualPortsInItalian) {
  VirtualPort port("gps-lang");
  WriteSettings(
      "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Morvane\\Veltrosa]\n"
      "\"DSTComPort\"=dword:00000000\n\"DSTBaudRate\"=dword:000012c0\n\"GPSComPort\"=dword:00000000\n"
      "\"GPSBaudRate\"=dword:000012c0\n\"Language\"=dword:00000410\n");
  Show(false);
  const auto& numbers = Form->PortNumbers;
  const int item = static_cast<int>(std::find(numbers.begin(), numbers.end(), port.Number()) - numbers.begin()) + 1;
  ASSERT_LT(item, ItemCount(*Form->CmbGPSPort));
  EXPECT_EQ(ItemText(*Form->CmbGPSPort, item), u"gps-lang  -  porta virtuale");
}

TEST_F(LanguageTest, TheUnitListsSwitchTheirCaptionsAndResetTheirBoxes) {
  Show(false);
  Form->TabPag->SetActivePage(Form->PaDepth);
  Form->EditDptOfs->SetText("1.25");
  // Opening the list with the mouse chooses nothing, so the offset typed
  // stays.
  const platform::HWND meters = Form->CmbMeters->Handle();
  apptest::ClickWindow(*Form->CmbMeters);
  EXPECT_EQ(platform::SendMessageW(meters, platform::CB_GETDROPPEDSTATE, 0, 0), 1);
  platform::SendMessageW(meters, platform::CB_SHOWDROPDOWN, 0, 0);
  EXPECT_EQ(Form->EditDptOfs->Text(), "1.25");
  EXPECT_EQ(Form->UnitsDepth, 0);
  // The next unit, chosen with the keyboard.
  apptest::PressKey(*Form->CmbMeters, platform::VK_DOWN);
  EXPECT_EQ(Form->UnitsDepth, 1);
  EXPECT_EQ(Form->LblOfsEdit->GetCaption(), u"Transducer Offset ( feet )");
  EXPECT_EQ(Form->EditDptOfs->Text(), "0.0");
  EXPECT_EQ(Form->CmbMeters->ItemIndex(), 1);
  Choose(*Form->CmbLanguage, 1);
  EXPECT_EQ(Form->LblOfsEdit->GetCaption(), u"Offset Trasduttore ( piedi )");
  EXPECT_EQ(Form->CmbMeters->ItemIndex(), 1);

  Form->EditTempCalO->SetText("21.5");
  Form->EditTempCal->SetText("3.0");
  app::TWtxStringGrid& grid = *Form->TempGrid;
  grid.SetCells(5, 1, u"1.10");
  grid.SetCells(5, 2, u"1.20");
  Choose(*Form->CmbTempMode, 1);
  EXPECT_EQ(Form->UnitsTemp, 1);
  EXPECT_EQ(Form->EditTempCalO->Text(), "0.0");
  EXPECT_EQ(Form->EditTempCal->Text(), "0.0");
  // The grid's points in Fahrenheit, both value rows reset.
  const char16_t* const fahrenheit[] = {u"39°", u"46°", u"54°", u"61°", u"68°",
                                        u"75°", u"82°", u"90°", u"97°", u"104°"};
  for (int c = 1; c <= 10; ++c) {
    EXPECT_EQ(grid.GetCells(c, 0), fahrenheit[c - 1]) << c;
    EXPECT_EQ(grid.GetCells(c, 1), u"- - -") << c;
    EXPECT_EQ(grid.GetCells(c, 2), u"1.00") << c;
  }
  FreeMainForm();
  EXPECT_EQ(StoredSetting("UnitsDepth"), 1);
  EXPECT_EQ(StoredSetting("UnitsTemp"), 1);
}

TEST_F(LanguageTest, EveryPageIsPicturedInItalianWithNothingPastItsParentsEdge) {
  Show(false);
  Choose(*Form->CmbLanguage, 1);
  const char* const files[] = {"italian_connection.png",  "italian_depth.png", "italian_speed.png",
                               "italian_temperature.png", "italian_gps.png",   "italian_tools.png",
                               "italian_reference.png"};
  for (int page = 0; page < Form->TabPag->PageCount(); ++page) {
    Form->TabPag->SetActivePageIndex(page);
    platform::Application->ProcessMessages();
    ASSERT_TRUE(platform::ui::SaveWindowImage(Form->Handle(), files[page]));
  }
  for (int i = 0; i < Form->ComponentCount(); ++i) {
    auto* control = dynamic_cast<platform::TControl*>(Form->Components(i));
    if (!control || !control->Visible() || !control->Parent()) continue;
    const platform::TRect area = control->Parent()->ClientRect();
    const platform::TRect r = control->BoundsRect();
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= area.right && r.bottom <= area.bottom) << control->Name();
  }
}

}  // namespace
