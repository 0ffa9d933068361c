#include "platform/ui/controls/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/messages.h"
#include "platform/core/window_system/window.h"
#include "platform/ui/window_classes/modal_owner.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform {
namespace {

TMessageBoxHandler& Handler() {
  static TMessageBoxHandler handler;
  return handler;
}

TFileChooser& Chooser() {
  static TFileChooser chooser;
  return chooser;
}

bool Headless() {
  const QString name = QGuiApplication::platformName();
  return name == QLatin1String("offscreen") || name == QLatin1String("minimal");
}

// "A|*.a;*.b|B|*.c" as Qt's "A (*.a *.b);;B (*.c)".
QString QtFilter(const std::u16string& Filter, int Index, QString* Selected) {
  QStringList parts = ui::ToQString(Filter).split(u'|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    out << parts[i] + QStringLiteral(" (") + patterns + u')';
  }
  if (Index >= 1 && Index <= out.size()) *Selected = out[Index - 1];
  return out.join(QStringLiteral(";;"));
}

bool Choose(HWND Owner, TFileChoice& Choice, std::vector<std::u16string>& Files) {
  if (Chooser()) return Chooser()(Choice, Files);
  if (Headless()) return false;
  QString selected;
  const QString filter = QtFilter(Choice.Filter, Choice.FilterIndex, &selected);
  const ui::ModalOwner owner(Owner);
  QFileDialog dialog(owner.Widget(), ui::ToQString(Choice.Title), ui::ToQString(Choice.InitialDir), filter);
  // Qt's own dialog speaks the program's language; a desktop's would speak
  // the desktop's.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(Choice.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(Choice.Save          ? QFileDialog::AnyFile
                     : Choice.MultiSelect ? QFileDialog::ExistingFiles
                                          : QFileDialog::ExistingFile);
  if (!selected.isEmpty()) dialog.selectNameFilter(selected);
  if (!Choice.DefaultExt.empty()) dialog.setDefaultSuffix(ui::ToQString(Choice.DefaultExt));
  if (!Choice.FileName.empty()) dialog.selectFile(ui::ToQString(Choice.FileName));
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList filters = filter.split(QStringLiteral(";;"));
  Choice.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  Files.clear();
  for (const QString& f : dialog.selectedFiles()) Files.push_back(ui::FromQString(f));
  return !Files.empty();
}

std::u16string Wide(const char16_t* S) { return S ? std::u16string(S) : std::u16string(); }

bool FileName(OPENFILENAMEW* Ofn, bool Save) {
  if (!Ofn || !Ofn->lpstrFile || Ofn->nMaxFile == 0) return false;
  TFileChoice choice;
  choice.Save = Save;
  choice.Title = Wide(Ofn->lpstrTitle);
  choice.InitialDir = Wide(Ofn->lpstrInitialDir);
  choice.FileName = Wide(Ofn->lpstrFile);
  choice.DefaultExt = Wide(Ofn->lpstrDefExt);
  choice.MultiSelect = (Ofn->Flags & OFN_ALLOWMULTISELECT) != 0;
  choice.FilterIndex = static_cast<int>(Ofn->nFilterIndex);
  for (const char16_t* p = Ofn->lpstrFilter; p && *p;) {
    const std::u16string part(p);
    if (!choice.Filter.empty()) choice.Filter += u'|';
    choice.Filter += part;
    p += part.size() + 1;
  }
  std::vector<std::u16string> files;
  if (!Choose(Ofn->hwndOwner, choice, files)) return false;
  Ofn->nFilterIndex = static_cast<DWORD>(choice.FilterIndex);
  std::u16string out;
  if (files.size() == 1) {
    out = files[0];
    const auto slash = out.find_last_of(u'/');
    Ofn->nFileOffset = static_cast<WORD>(slash == std::u16string::npos ? 0 : slash + 1);
    const auto dot = out.find_last_of(u'.');
    Ofn->nFileExtension = static_cast<WORD>(dot == std::u16string::npos || dot < Ofn->nFileOffset ? 0 : dot + 1);
    out += u'\0';
  } else {
    const std::u16string& first = files[0];
    const std::u16string dir = first.substr(0, first.find_last_of(u'/'));
    out = dir + u'\0';
    for (const auto& f : files) out += f.substr(f.find_last_of(u'/') + 1) + u'\0';
    Ofn->nFileOffset = static_cast<WORD>(dir.size() + 1);
  }
  out += u'\0';
  if (out.size() > Ofn->nMaxFile) return false;
  std::copy(out.begin(), out.end(), Ofn->lpstrFile);
  return true;
}

}  // namespace

int MessageBoxW(HWND Owner, std::u16string_view Text, std::u16string_view Caption, UINT Type) {
  ui::RequireUi();
  const std::u16string t(Text), c(Caption);
  if (Handler()) return Handler()(t, c, Type);
  const UINT buttons = Type & 0xF;
  if (Headless()) {
    std::fprintf(stderr, "%s: %s\n", Utf16ToCp1252(c).c_str(), Utf16ToCp1252(t).c_str());
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
  }
  const ui::ModalOwner owner(Owner);
  QMessageBox box(owner.Widget());
  box.setWindowTitle(ui::ToQString(c));
  box.setText(ui::ToQString(t));
  switch (Type & 0xF0) {
    case MB_ICONERROR:
      box.setIcon(QMessageBox::Critical);
      break;
    case MB_ICONQUESTION:
      box.setIcon(QMessageBox::Question);
      break;
    case MB_ICONWARNING:
      box.setIcon(QMessageBox::Warning);
      break;
    case MB_ICONINFORMATION:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      break;
  }
  switch (buttons) {
    case MB_OKCANCEL:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MB_YESNO:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MB_YESNOCANCEL:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    default:
      box.setStandardButtons(QMessageBox::Ok);
      break;
  }
  if (Type & MB_TOPMOST) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  switch (box.exec()) {
    case QMessageBox::Cancel:
      return IDCANCEL;
    case QMessageBox::Yes:
      return IDYES;
    case QMessageBox::No:
      return IDNO;
    default:
      return buttons == MB_OKCANCEL || buttons == MB_OK ? IDOK : IDCANCEL;
  }
}

int MessageBoxA(HWND Owner, std::string_view Text, std::string_view Caption, UINT Type) {
  return MessageBoxW(Owner, Cp1252ToUtf16(Text), Cp1252ToUtf16(Caption), Type);
}

void SetMessageBoxHandler(TMessageBoxHandler NewHandler) { Handler() = std::move(NewHandler); }

std::intptr_t ShellExecuteA(HWND, std::string_view Verb, std::string_view File, std::string_view, std::string_view,
                            int) {
  ui::RequireUi();
  if (Verb != "open" || File.empty()) return 2;
  // Without a display there is no browser to open.
  if (Headless()) return 31;
  const QUrl url = QUrl::fromUserInput(ui::ToQString(Cp1252ToUtf16(File)));
  return QDesktopServices::openUrl(url) ? 33 : 31;
}

bool TOpenDialog::Execute() {
  ui::RequireUi();
  TFileChoice choice;
  choice.Save = IsSave();
  choice.Title = Cp1252ToUtf16(Title);
  choice.Filter = Cp1252ToUtf16(Filter);
  choice.FilterIndex = FilterIndex;
  choice.InitialDir = Cp1252ToUtf16(InitialDir);
  choice.FileName = Cp1252ToUtf16(FileName);
  choice.DefaultExt = Cp1252ToUtf16(DefaultExt);
  choice.MultiSelect = (Options & ofAllowMultiSelect) != 0;
  std::vector<std::u16string> files;
  if (!Choose(GetActiveWindow(), choice, files)) return false;
  Files.clear();
  for (const auto& f : files) Files.push_back(Utf16ToCp1252(f));
  FileName = Files.front();
  FilterIndex = choice.FilterIndex;
  return true;
}

void SetFileChooser(TFileChooser NewChooser) { Chooser() = std::move(NewChooser); }

bool GetOpenFileNameW(OPENFILENAMEW* Ofn) {
  ui::RequireUi();
  return FileName(Ofn, false);
}

bool GetSaveFileNameW(OPENFILENAMEW* Ofn) {
  ui::RequireUi();
  return FileName(Ofn, true);
}

}  // namespace platform
