#pragma once
// The main window: its controls, the state every part of the program
// shares, and the operations of each subject. Where each subject's code
// lives (one subject per file; every file defines TMainForm members):
//
//   main_form.cpp         life cycle: create, show, destroy, the system's
//                         broadcasts, the web-address labels
//   settings.cpp          the seven settings in the user's registry
//   ports.cpp             port and baud lists and the user's choices in
//                         them, opening and closing the two channels, the
//                         connection lamps
//   monitors.cpp          the two input monitors and their pause buttons
//   command_exchange.cpp  the command queue, the exchange and the main
//                         timer's tick
//   dst_commands.cpp      the sentences sent to the module and their buttons
//   identification.cpp    which module answers; control_states.cpp: what
//                         may be pressed, and the module status labels
//   live_display.cpp      the live values of the Depth, Speed, Temperature
//                         and GPS pages; live_values.*: their units and
//                         formats
//   speed_calibration.cpp, temperature_grid.cpp   the calibration tables;
//                         calibration_table.*: building a table from
//                         points; calibration_grid.*: the grids' shape
//   recording.cpp         channel recording and the power markers
//   analysis_tree.cpp     the input analysis tree
//   language.cpp          captions, texts, pictures, units
//   layout/*.cpp          how each page is laid out (one file per page;
//                         the window and the monitors' area in their own)
//   dialog_form.*         the message dialog; dialog_layout.*: where its
//                         text and buttons go
//   control_helpers.*     list and monitor operations the subjects share
//
// A subject binds the events of its own controls in its Bind...Events
// member, which FormCreate calls first. Members a subject calls in another
// subject that is not built yet are defined in that subject's file with
// the least that keeps the window working, and grow there. Everything runs
// on the user-interface thread, except what a link's reader thread hands
// over.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/monitor_feed.h"
#include "nmea/link/endpoint.h"
#include "nmea/serial/thread_timer.h"
#include "platform/ui/controls/forms.h"
#include "support/arrays.h"
#include "support/code_dictionary.h"
#include "support/moving_average.h"

namespace platform {
class TBarChart;
class TEdit;
class TGroupBox;
class TImageList;
class TShape;
class TTreeNode;
class TTreeView;
}  // namespace platform

namespace widetext {
class TWtxComboBox;
class TWtxImage;
class TWtxLabel;
class TWtxListBox;
class TWtxMemo;
class TWtxPageControl;
class TWtxSaveDialog;
class TWtxStaticText;
class TWtxStringGrid;
class TWtxTabSheet;
class TxpButton;
class TxpCheckBox;
}  // namespace widetext

namespace app {

using widetext::TWtxComboBox;
using widetext::TWtxImage;
using widetext::TWtxLabel;
using widetext::TWtxListBox;
using widetext::TWtxMemo;
using widetext::TWtxPageControl;
using widetext::TWtxSaveDialog;
using widetext::TWtxStaticText;
using widetext::TWtxStringGrid;
using widetext::TWtxTabSheet;
using widetext::TxpButton;
using widetext::TxpCheckBox;

// The program's name: the window's and the application's title.
inline constexpr char kProgramName[] = "Veltrosa";
// The registry key of the settings, below the current user.
inline constexpr char kSettingsKey[] = "\\SOFTWARE\\Morvane\\Veltrosa";
// The web sites the Connection page links to.
inline constexpr char kDeveloperSite[] = "www.veltrosa.example.com";
inline constexpr char kVendorSite[] = "www.dst-module.example.com";

inline constexpr std::int32_t kLanguageEnglish = 1033;
inline constexpr std::int32_t kLanguageItalian = 1040;
// Baud rates of the two channels, in list order.
inline constexpr std::int32_t kDstBaudRates[] = {4800, 38400};
inline constexpr std::int32_t kGpsBaudRates[] = {4800, 9600, 19200, 38400, 57600, 115200};
// Lamp colours: a channel open or recording, and idle.
inline constexpr platform::TColor kLampOn = static_cast<platform::TColor>(0x00FF00);
inline constexpr platform::TColor kLampOff = static_cast<platform::TColor>(0xA4A0A0);

// The commands of the exchange with the DST module, by code.
enum TDstCommand : std::int32_t {
  cmdIdentify = 1,
  cmdReadSpeedTable = 2,
  cmdReadTempTable = 3,
  cmdDeleteSpeedTable = 4,
  cmdSendSpeedTable = 5,
  cmdSendTempOffset = 6,
  cmdSendDepthOffset = 7,
  cmdResetTrip = 8,
  cmdResetTempOffset = 9,
};
// States of the exchange: the module not identified, identified with no
// command outstanding, a command sent and its reply awaited.
enum TExchangeState : std::int32_t { exIdle = 0, exReady = 1, exAwaiting = 2 };

class TMainForm : public platform::TForm {
 public:
  explicit TMainForm(platform::TComponent* AOwner);
  ~TMainForm() override;

  void WndProc(platform::TMessage& Message) override;

  // --- Controls (made by the page layouts, owned by the form) ------------
  TWtxPageControl* TabPag = nullptr;
  TWtxTabSheet* PaConnect = nullptr;
  TWtxTabSheet* PaDepth = nullptr;
  TWtxTabSheet* PaSpeed = nullptr;
  TWtxTabSheet* PaTemp = nullptr;
  TWtxTabSheet* PaGPS = nullptr;
  TWtxTabSheet* PaTools = nullptr;
  TWtxTabSheet* PaRef = nullptr;

  // Connection page.
  TWtxLabel* LblDstPort = nullptr;
  TWtxLabel* LblGPSPort = nullptr;
  TWtxComboBox* CmbDstPort = nullptr;
  TWtxComboBox* CmbDstBaud = nullptr;
  TWtxComboBox* CmbGPSPort = nullptr;
  TWtxComboBox* CmbGPSBaud = nullptr;
  platform::TShape* LedDst = nullptr;
  platform::TShape* LedGPS = nullptr;
  TWtxLabel* LblGPSWarn = nullptr;
  TWtxLabel* LblConnModel = nullptr;
  TWtxLabel* LblFirmVer = nullptr;
  TWtxLabel* LblHardwVer = nullptr;
  TWtxLabel* LblSerNumber = nullptr;
  TWtxLabel* LblModuleName = nullptr;
  TWtxLabel* LblModuleVer = nullptr;
  TWtxLabel* LblHardVer = nullptr;
  TWtxLabel* LblModuleSerial = nullptr;
  TWtxLabel* LblModuleMsg = nullptr;
  TWtxLabel* LblLanguage = nullptr;
  TWtxComboBox* CmbLanguage = nullptr;
  TWtxLabel* LblProgName = nullptr;
  TWtxLabel* LblVersion = nullptr;
  TWtxLabel* LblDevelLink = nullptr;
  TWtxLabel* LblVendorLink = nullptr;

  // Depth page.
  TWtxLabel* LblDBT = nullptr;
  TWtxLabel* LblDBTVal = nullptr;
  TWtxLabel* LblDepthTot = nullptr;
  TWtxLabel* LblDepthTotVal = nullptr;
  TWtxLabel* LblOfsPos = nullptr;
  TWtxLabel* LblOfsNeg = nullptr;
  TWtxLabel* LblOfsEdit = nullptr;
  platform::TEdit* EditDptOfs = nullptr;
  TxpButton* ButDepthSend = nullptr;
  TWtxComboBox* CmbMeters = nullptr;
  TWtxImage* ImgBoat = nullptr;

  // Speed page.
  TWtxLabel* LblLog = nullptr;
  TWtxLabel* LblSOG = nullptr;
  TWtxLabel* LblTripDist = nullptr;
  TWtxLabel* LblLogCoeff = nullptr;
  TWtxLabel* LblCalibWarn = nullptr;
  TWtxStaticText* EditLogCal = nullptr;
  TWtxStaticText* EditSogCal = nullptr;
  TWtxStaticText* EditLogDist = nullptr;
  TWtxStaticText* EditCoeffLog = nullptr;
  TxpButton* ButTripLogReset = nullptr;
  platform::TEdit* EditLogReset = nullptr;
  TxpCheckBox* ChkAutoLogCal = nullptr;
  TxpButton* ButAddLogCal = nullptr;
  TWtxListBox* LogCoeffListBox = nullptr;
  TxpButton* ButCalcLogVal = nullptr;
  TxpButton* ButDelLogVal = nullptr;
  TxpButton* ButResetLogVal = nullptr;
  TWtxStringGrid* LogGrid = nullptr;
  TxpButton* ButSetLogCal = nullptr;
  TxpButton* ButResetLogCal = nullptr;

  // Temperature page (the table calibration's controls stay hidden).
  TWtxLabel* LblDstTempO = nullptr;
  TWtxLabel* LblRealTempO = nullptr;
  TWtxLabel* LblTmpOfs = nullptr;
  TWtxLabel* LblTempWarn = nullptr;
  TWtxStaticText* EditSeaTempO = nullptr;
  platform::TEdit* EditTempCalO = nullptr;
  TWtxStaticText* EditOffsetTemp = nullptr;
  TxpButton* ButSetTempOffs = nullptr;
  TxpButton* ButResetTempOfs = nullptr;
  TWtxComboBox* CmbTempMode = nullptr;
  TWtxLabel* LblDSTTemp = nullptr;
  TWtxLabel* LblRealTemp = nullptr;
  TWtxLabel* LblTmpCoeff = nullptr;
  TWtxStaticText* EditSeaTemp = nullptr;
  platform::TEdit* EditTempCal = nullptr;
  TWtxStaticText* EditCoeffTemp = nullptr;
  TxpButton* ButAddTempCal = nullptr;
  TWtxListBox* TempCoeffListBox = nullptr;
  TxpButton* ButCalcTempVal = nullptr;
  TxpButton* ButDelTempVal = nullptr;
  TxpButton* ButResetTempVal = nullptr;
  TWtxStringGrid* TempGrid = nullptr;
  TxpButton* ButSetTempCal = nullptr;
  TxpButton* ButResetTempCal = nullptr;

  // GPS page.
  TWtxStaticText* EditLAT = nullptr;
  TWtxStaticText* EditLon = nullptr;
  TWtxStaticText* EditAlt = nullptr;
  TWtxStaticText* EditSog = nullptr;
  TWtxStaticText* EditCog = nullptr;
  TWtxStaticText* EditUTC = nullptr;
  TWtxStaticText* EditSat = nullptr;
  TWtxStaticText* EditHDOP = nullptr;
  TWtxStaticText* EditVDop = nullptr;
  TWtxLabel* LblGPSMode = nullptr;
  TWtxStaticText* EditSatMode = nullptr;
  platform::TBarChart* SatChart = nullptr;

  // Tools page.
  TWtxLabel* LblSaveDSTLog = nullptr;
  TWtxLabel* LblSaveGPSLog = nullptr;
  TxpButton* ButOpenDstLog = nullptr;
  TxpButton* ButOpenGPSLog = nullptr;
  platform::TEdit* EditDstLog = nullptr;
  platform::TEdit* EditGPSLog = nullptr;
  TxpButton* ButStartDstLog = nullptr;
  TxpButton* ButStartGpsLog = nullptr;
  platform::TShape* LedLogDst = nullptr;
  platform::TShape* LedLogGPS = nullptr;
  platform::TGroupBox* GrpNMEAAnalysis = nullptr;
  platform::TTreeView* StatsTree = nullptr;
  platform::TImageList* ImgList = nullptr;
  TxpButton* ButRefreshAnalysis = nullptr;
  TxpButton* ButReset = nullptr;
  platform::TGroupBox* GrpCalibSettings = nullptr;
  TxpButton* ButLoadSett = nullptr;
  TxpButton* ButSaveSett = nullptr;
  TWtxSaveDialog* SaveDlg = nullptr;

  // Reference page.
  TWtxLabel* LblPinout = nullptr;
  TWtxImage* ImgPort = nullptr;
  TWtxLabel* LblConnExamp = nullptr;
  TWtxImage* ImgDST = nullptr;

  // The monitors below the pages.
  TWtxLabel* LblDSTInput = nullptr;
  TWtxMemo* MemoDST = nullptr;
  TxpButton* ButDSTPause = nullptr;
  TWtxLabel* LblGPSInput = nullptr;
  TWtxMemo* MemoGPS = nullptr;
  TxpButton* ButGPPause = nullptr;

  // --- Shared state --------------------------------------------------------
  std::unique_ptr<nmea::TNMEA2KDecoder> DstLink;
  std::unique_ptr<nmea::TNMEA2KDecoder> GpsLink;
  std::unique_ptr<support::TObjDic> Dictionary;
  std::unique_ptr<nmea::TThreadTimer> MainTimer;
  std::unique_ptr<support::TMAverageFilter> SpeedFilter;
  // The port numbers behind items 1..n of both port lists.
  std::vector<std::int32_t> PortNumbers;

  // Settings.
  std::int32_t DSTComPort = 0;
  std::int32_t DSTBaudRate = 4800;
  std::int32_t GPSComPort = 0;
  std::int32_t GPSBaudRate = 4800;
  std::int32_t Language = kLanguageEnglish;
  std::int32_t UnitsTemp = 0;
  std::int32_t UnitsDepth = 0;

  bool Closing = false;
  std::uint64_t NowTicks = 0;
  std::uint32_t ArlKey = 0;

  // Identification and the command exchange.
  bool DstReady = false;
  std::int32_t DeviceStatus = 0;
  std::int32_t FirmwareVersion = 0;
  std::int32_t ExchangeState = 0;
  std::int32_t CurrentCommand = 0;
  std::vector<std::uint32_t> CommandQueue;
  std::uint32_t ReplyTimeout = 0;
  std::uint32_t CommandTick = 0;
  std::uint32_t LastTableTick = 0;
  std::uint32_t SpeedTableTick = 0;
  std::uint32_t TempTableTick = 0;
  std::uint32_t LastStatusTick = 0;
  std::uint32_t TreeRefreshTick = 0;

  // Calibration and the live values.
  support::TDoubleArray SpeedTable;
  support::TDoubleArray TempTable;
  support::TFloatPointArray Samples;
  bool ShowNewRow = true;
  bool OffsetEditFilled = false;
  double CurrentCoefficient = 0;
  double CurrentLogSpeed = 0;
  double TempOffset = 0;
  bool TempOffsetInvalid = true;
  bool DepthSeen = false;
  bool SpeedSeen = false;
  bool TempSeen = false;
  bool DstPaused = false;
  bool GpsPaused = false;

  // Language texts, set by ApplyLanguage.
  std::u16string TxtNoValue, TxtFirmwareOld, TxtNotSupported, TxtBelowKeel, TxtBelowSurface, TxtChange, TxtReset,
      TxtAdd, TxtDelete, TxtCalculate, TxtNew, TxtStored, TxtCoeff, TxtStart, TxtStop, TxtSaveDstTitle, TxtSaveGpsTitle,
      TxtLogFileType, TxtDstChannel, TxtGpsChannel, TxtAskResetSpeed, TxtAskClearList, TxtAskResetTemp, TxtAttention,
      TxtYes, TxtNo, TxtNewOffset, TxtNone, TxtAskRecord, TxtNoTempData, TxtTempHelp;

  // Opens a web address; tests put their own in its place.
  std::function<void(platform::HWND Wnd, std::string_view Address)> OpenWebAddress;

  // --- Life cycle (main_form.cpp) ----------------------------------------
  void FormCreate(platform::TObject* Sender);
  void FormShow(platform::TObject* Sender);
  void FormDestroy(platform::TObject* Sender);
  void InitRuntime();
  void ShutdownRuntime();
  void WMDeviceChange(platform::TMessage& Message);
  void WMPowerBroadcast(platform::TMessage& Message);
  void LblDevelLinkClick(platform::TObject* Sender);
  void LblVendorLinkClick(platform::TObject* Sender);

  // --- Settings (settings.cpp) ---------------------------------------------
  void LoadSettings();
  void SaveSettings();

  // --- Channels, ports and monitors (ports.cpp, monitors.cpp) ------------
  void BindChannelEvents();
  void FillPortAndBaudLists();
  void FillPortLists();
  void RefreshPorts();
  // The port lists' names in the platform's language now in force (a
  // virtual port's description), for the ports the lists hold.
  void RenamePorts();
  void ApplyDstPort();
  void ApplyGpsPort();
  void UpdateConnectionLeds();
  void CmbDstPortClick(platform::TObject* Sender);
  void CmbDstBaudClick(platform::TObject* Sender);
  void CmbGPSPortClick(platform::TObject* Sender);
  void CmbGPSBaudClick(platform::TObject* Sender);
  void DstLineReceived(platform::TObject* Sender, std::string_view Text);
  void GpsLineReceived(platform::TObject* Sender, std::string_view Text);
  void ButDSTPauseClick(platform::TObject* Sender);
  void ButGPPauseClick(platform::TObject* Sender);
  void UpdatePauseGlyphs();
  void ClearMonitors();
  // Shows the received text waiting for the monitors (each tick).
  void ShowReceivedText();
  // Received text waiting for the monitors.
  TMonitorFeed DstFeed;
  TMonitorFeed GpsFeed;

  // --- Command exchange and commands (command_exchange.cpp,
  // dst_commands.cpp, identification.cpp, control_states.cpp) ----------
  void QueueCommand(std::int32_t Code);
  void RunNextCommand();
  void ExecuteCommand(std::int32_t Code);
  void ClearCommandQueue();
  void ResetDstState();
  void MainTimerTick(platform::TObject* Sender);
  void SendToDst(std::string_view Line);
  void SendSpeedCalibration();
  void SendTempOffset();
  void SendDepthOffset();
  void SendTripReset();
  void SendTempReset();
  void ButDepthSendClick(platform::TObject* Sender);
  void ButTripLogResetClick(platform::TObject* Sender);
  void ButSetLogCalClick(platform::TObject* Sender);
  void ButSetTempCalClick(platform::TObject* Sender);
  void ButResetTempOfsClick(platform::TObject* Sender);
  std::int32_t IdentifyDevice();
  void UpdateControlStates();
  void BindCommandEvents();
  // The module labels of the Connection page by DeviceStatus.
  void ShowModuleStatus();
  // Set while a command's sentences go out: a timer tick that runs inside
  // the sender's pauses leaves the exchange alone.
  bool SendingCommand = false;
  // The exchange's step of the tick, and its wait for a reply.
  void StepExchange(std::uint32_t Now);
  void AwaitReply(std::uint32_t Now);
  // Back to ready when the module is identified, else to asking who is
  // there.
  void ReleaseExchange();

  // --- Live display and calibration (live_display.cpp,
  // speed_calibration.cpp, temperature_grid.cpp) -----------------------
  void BindDisplayEvents();
  void RefreshDisplay();
  // What the refresh reads from each link, copied under the link's lock;
  // kept, so that each copy reuses the storage of the one before.
  nmea::tNMEAData GpsValues;
  nmea::tNMEAData DstValues;
  void InitCalibrationGrids();
  void InitLogGrid();
  void ShowStoredSpeedTable(bool CopyToNew);
  void ResetNewSpeedRow();
  bool ReadCalibrationTable(std::uint8_t CurveId);
  void RefreshCoeffList();
  double StoredCoeffAt(double X);
  void ButAddLogCalClick(platform::TObject* Sender);
  void ButCalcLogValClick(platform::TObject* Sender);
  void ButDelLogValClick(platform::TObject* Sender);
  void ButResetLogValClick(platform::TObject* Sender);
  void ButResetLogCalClick(platform::TObject* Sender);
  void LogGridClick(platform::TObject* Sender);
  void LogCoeffListBoxClick(platform::TObject* Sender);
  void InitTempGrid();
  void ClearStoredTempRow();
  void ResetNewTempRow();
  void ButAddTempCalClick(platform::TObject* Sender);

  // --- Recording, analysis tree, language (recording.cpp,
  // analysis_tree.cpp, language.cpp) -----------------------------------
  void BindRecordingEvents();
  void BindAnalysisTreeEvents();
  void BindLanguageEvents();
  void ButOpenDstLogClick(platform::TObject* Sender);
  void ButOpenGPSLogClick(platform::TObject* Sender);
  void ButStartDstLogClick(platform::TObject* Sender);
  void ButStartGpsLogClick(platform::TObject* Sender);
  void ToggleDstLog();
  void ToggleGpsLog();
  void PaToolsShow(platform::TObject* Sender);
  void UpdateLogControls(bool Enable);
  void UpdateLogButtons();
  void MarkPowerEvent(bool Suspended);
  // The files chosen for the recordings, whole: the file boxes hold 8-bit
  // text, which not every path fits.
  std::u16string DstLogFile, GpsLogFile;
  void BuildAnalysisTree();
  void ButRefreshAnalysisClick(platform::TObject* Sender);
  void ButResetClick(platform::TObject* Sender);
  void StatsTreeMouseMove(platform::TObject* Sender, platform::TShiftState Shift, int X, int Y);
  // The node's meaning from the dictionary, as the tree's 8-bit hint; empty
  // when there is none.
  std::string GetNodeHint(platform::TTreeNode* Node);
  // The node whose hint was set last; none after a rebuild.
  platform::TTreeNode* LastHintNode = nullptr;
  void ApplyLanguage();
  void CmbLanguageClick(platform::TObject* Sender);
  void CmbMetersClick(platform::TObject* Sender);
  void CmbTempModeClick(platform::TObject* Sender);
  void EditTempCalOChange(platform::TObject* Sender);
};

// The program's main window, once made.
extern TMainForm* MainForm;
// The program's folder (with a trailing "/") and its version text, set when
// the main window is made.
extern std::string gAppDir;
extern std::string gFileVersion;

}  // namespace app
