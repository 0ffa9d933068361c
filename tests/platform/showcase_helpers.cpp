#include "tests/platform/showcase_helpers.h"

#include "platform/ui/controls/chart.h"
#include "platform/ui/controls/stdctrls.h"

namespace showcase {

using namespace platform;

namespace {

template <class T>
T* Put(TComponent* Owner, TWinControl* Parent, int Left, int Top, int Width = 0, int Height = 0) {
  auto* c = new T(Owner);
  c->SetParent(Parent);
  c->SetBounds(Left, Top, Width ? Width : c->Width(), Height ? Height : c->Height());
  return c;
}

TLabel* Label(TForm* F, TWinControl* Parent, int Left, int Top, const std::string& Text) {
  auto* l = Put<TLabel>(F, Parent, Left, Top);
  l->SetCaption(Text);
  return l;
}

}  // namespace

ToolWindow BuildToolWindow() {
  auto* form = new TForm(nullptr, TCustomForm::CreateNew);
  form->SetCaption("Veltrosa - Connection");
  form->SetBorderStyle(bsSingle);
  form->SetBounds(40, 40, 640, 470);

  auto* pages = Put<TPageControl>(form, form, 8, 8, 624, 300);
  auto* connection = new TTabSheet(form);
  connection->SetPageControl(pages);
  connection->SetCaption("Connection");
  auto* speed = new TTabSheet(form);
  speed->SetPageControl(pages);
  speed->SetCaption("Speed");
  auto* tools = new TTabSheet(form);
  tools->SetPageControl(pages);
  tools->SetCaption("Tools");

  auto* ports = Put<TGroupBox>(form, connection, 8, 6, 290, 120);
  ports->SetCaption(" Serial ports ");
  Label(form, ports, 12, 28, "DST port:");
  auto* dst = Put<TComboBox>(form, ports, 110, 24, 160, 24);
  dst->SetStyle(csDropDownList);
  Label(form, ports, 12, 62, "GPS port:");
  auto* gps = Put<TComboBox>(form, ports, 110, 58, 160, 24);
  gps->SetStyle(csDropDownList);
  auto* autoLog = Put<TCheckBox>(form, ports, 12, 92, 200, 20);
  autoLog->SetCaption("&Record both channels");

  auto* module = Put<TGroupBox>(form, connection, 310, 6, 298, 120);
  module->SetCaption(" Module ");
  Label(form, module, 12, 28, "Model:");
  auto* model = Put<TStaticText>(form, module, 110, 28);
  model->SetCaption("Smart DST module");
  Label(form, module, 12, 52, "Serial number:");
  auto* serial = Put<TStaticText>(form, module, 110, 52);
  serial->SetCaption("0012345");
  auto* lamp = Put<TShape>(form, module, 12, 82, 16, 16);
  lamp->SetShape(stCircle);
  lamp->Brush().SetColor(clLime);
  Label(form, module, 36, 83, "Port connected");

  Label(form, connection, 8, 140, "Depth offset (m):");
  auto* offset = Put<TEdit>(form, connection, 130, 136, 80, 24);
  offset->SetText("0.45");
  auto* send = Put<TButton>(form, connection, 220, 134, 90, 28);
  send->SetCaption("&Change");
  auto* coeffs = Put<TListBox>(form, connection, 330, 136, 278, 118);
  coeffs->Items().Add("2 kn   1.042");
  coeffs->Items().Add("4 kn   1.037");
  coeffs->Items().Add("6 kn   1.031");

  auto* grid = Put<TStringGrid>(form, speed, 8, 8, 600, 80);
  grid->SetColCount(11);
  grid->SetRowCount(3);
  grid->SetFixedRows(2);
  grid->SetDefaultColWidth(52);
  grid->SetDefaultRowHeight(24);
  grid->SetColWidths(0, 70);
  grid->SetOptions(grid->Options() | goEditing);
  static const char* const kKnots[] = {"2", "3", "4", "5", "6", "8", "12", "15", "20", "30"};
  grid->SetCells(0, 0, "Knots");
  grid->SetCells(0, 1, "Stored");
  grid->SetCells(0, 2, "New");
  for (int i = 0; i < 10; ++i) {
    grid->SetCells(i + 1, 0, kKnots[i]);
    grid->SetCells(i + 1, 1, "1.000");
    grid->SetCells(i + 1, 2, i < 4 ? "1.04" + std::to_string(i) : "");
  }
  auto* chart = Put<TBarChart>(form, speed, 8, 100, 600, 160);
  static const double kSnr[] = {42, 38, 27, 45, 12, 33, 40};
  static const char* const kPrn[] = {"02", "05", "07", "13", "15", "21", "30"};
  for (int i = 0; i < 7; ++i) chart->AddBar(i, kSnr[i], kPrn[i]);

  auto* tree = Put<TTreeView>(form, tools, 8, 8, 300, 250);
  tree->SetSortType(stText);
  TTreeNode* dstNode = tree->Items().AddChild(nullptr, "DST channel");
  TTreeNode* talker = tree->Items().AddChild(dstNode, "SD - Sounder");
  tree->Items().AddChild(talker, "DPT - Depth");
  tree->Items().AddChild(talker, "DBT - Depth below transducer");
  TTreeNode* vw = tree->Items().AddChild(dstNode, "VW - Velocity sensor");
  tree->Items().AddChild(vw, "VHW - Water speed and heading");
  tree->Items().AddChild(nullptr, "GPS channel");
  tree->FullExpand();

  Label(form, form, 8, 316, "DST input:");
  auto* monitor = Put<TMemo>(form, form, 8, 334, 312, 96);
  monitor->SetScrollBars(ssVertical);
  monitor->SetReadOnly(true);
  monitor->Font().SetName("Courier New");
  monitor->Lines().Add("$SDDPT,3.4,0.5*64");
  monitor->Lines().Add("$SDDBT,11.2,f,3.4,M,1.9,F*0A");
  monitor->Lines().Add("$VWVHW,,T,,M,5.6,N,10.4,K*4F");
  Label(form, form, 328, 316, "GPS input:");
  auto* gpsMonitor = Put<TMemo>(form, form, 328, 334, 304, 96);
  gpsMonitor->SetScrollBars(ssVertical);
  gpsMonitor->SetReadOnly(true);
  gpsMonitor->Font().SetName("Courier New");
  gpsMonitor->Lines().Add("$GPRMC,123519,A,4807.038,N,01131.0*6A");

  auto* pause = Put<TButton>(form, form, 8, 436, 90, 26);
  pause->SetCaption("Pause");
  auto* close = Put<TButton>(form, form, 542, 436, 90, 26);
  close->SetCaption("Close");

  for (const char* name : {"none", "COM1", "COM3  -  USB Serial Port"}) {
    dst->Items().Add(name);
    gps->Items().Add(name);
  }
  dst->SetItemIndex(2);
  gps->SetItemIndex(1);
  return ToolWindow{form, pages, lamp, grid};
}

}  // namespace showcase
