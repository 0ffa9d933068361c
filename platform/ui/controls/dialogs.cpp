#include "platform/ui/controls/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>

#include "platform/core/text/cp1252.h"
#include "platform/core/window_system/messages.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

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
QString QtFilter(const std::u16string& filter, int index, QString* selected) {
  QStringList parts = ui::ToQString(filter).split(u'|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    out << parts[i] + QStringLiteral(" (") + patterns + u')';
  }
  if (index >= 1 && index <= out.size()) *selected = out[index - 1];
  return out.join(QStringLiteral(";;"));
}

bool Choose(TFileChoice& choice, std::vector<std::u16string>& files) {
  if (Chooser()) return Chooser()(choice, files);
  if (Headless()) return false;
  QString selected;
  const QString filter = QtFilter(choice.Filter, choice.FilterIndex, &selected);
  QFileDialog dialog(nullptr, ui::ToQString(choice.Title), ui::ToQString(choice.InitialDir), filter);
  dialog.setAcceptMode(choice.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(choice.Save          ? QFileDialog::AnyFile
                     : choice.MultiSelect ? QFileDialog::ExistingFiles
                                          : QFileDialog::ExistingFile);
  if (!selected.isEmpty()) dialog.selectNameFilter(selected);
  if (!choice.DefaultExt.empty()) dialog.setDefaultSuffix(ui::ToQString(choice.DefaultExt));
  if (!choice.FileName.empty()) dialog.selectFile(ui::ToQString(choice.FileName));
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList filters = filter.split(QStringLiteral(";;"));
  choice.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  files.clear();
  for (const QString& f : dialog.selectedFiles()) files.push_back(ui::FromQString(f));
  return !files.empty();
}

std::u16string Wide(const char16_t* s) { return s ? std::u16string(s) : std::u16string(); }

bool FileName(OPENFILENAMEW* ofn, bool save) {
  if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) return false;
  TFileChoice choice;
  choice.Save = save;
  choice.Title = Wide(ofn->lpstrTitle);
  choice.InitialDir = Wide(ofn->lpstrInitialDir);
  choice.FileName = Wide(ofn->lpstrFile);
  choice.DefaultExt = Wide(ofn->lpstrDefExt);
  choice.MultiSelect = (ofn->Flags & OFN_ALLOWMULTISELECT) != 0;
  choice.FilterIndex = static_cast<int>(ofn->nFilterIndex);
  for (const char16_t* p = ofn->lpstrFilter; p && *p;) {
    const std::u16string part(p);
    if (!choice.Filter.empty()) choice.Filter += u'|';
    choice.Filter += part;
    p += part.size() + 1;
  }
  std::vector<std::u16string> files;
  if (!Choose(choice, files)) return false;
  ofn->nFilterIndex = static_cast<DWORD>(choice.FilterIndex);
  std::u16string out;
  if (files.size() == 1) {
    out = files[0];
    const auto slash = out.find_last_of(u'/');
    ofn->nFileOffset = static_cast<WORD>(slash == std::u16string::npos ? 0 : slash + 1);
    const auto dot = out.find_last_of(u'.');
    ofn->nFileExtension = static_cast<WORD>(dot == std::u16string::npos || dot < ofn->nFileOffset ? 0 : dot + 1);
    out += u'\0';
  } else {
    const std::u16string& first = files[0];
    const std::u16string dir = first.substr(0, first.find_last_of(u'/'));
    out = dir + u'\0';
    for (const auto& f : files) out += f.substr(f.find_last_of(u'/') + 1) + u'\0';
    ofn->nFileOffset = static_cast<WORD>(dir.size() + 1);
  }
  out += u'\0';
  if (out.size() > ofn->nMaxFile) return false;
  std::copy(out.begin(), out.end(), ofn->lpstrFile);
  return true;
}

}  // namespace

int MessageBoxW(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) {
  ui::RequireUi();
  const std::u16string t(text), c(caption);
  if (Handler()) return Handler()(t, c, type);
  const UINT buttons = type & 0xF;
  if (Headless()) {
    std::fprintf(stderr, "%s: %s\n", Utf16ToCp1252(c).c_str(), Utf16ToCp1252(t).c_str());
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
  }
  QMessageBox box(ui::WidgetOf(owner));
  box.setWindowTitle(ui::ToQString(c));
  box.setText(ui::ToQString(t));
  switch (type & 0xF0) {
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
  if (type & MB_TOPMOST) box.setWindowFlag(Qt::WindowStaysOnTopHint);
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

int MessageBoxA(HWND owner, std::string_view text, std::string_view caption, UINT type) {
  return MessageBoxW(owner, Cp1252ToUtf16(text), Cp1252ToUtf16(caption), type);
}

void SetMessageBoxHandler(TMessageBoxHandler handler) { Handler() = std::move(handler); }

std::intptr_t ShellExecuteA(HWND, std::string_view verb, std::string_view file, std::string_view, std::string_view,
                            int) {
  ui::RequireUi();
  if (verb != "open" || file.empty()) return 2;
  // Without a display there is no browser to open.
  if (Headless()) return 31;
  const QUrl url = QUrl::fromUserInput(ui::ToQString(Cp1252ToUtf16(file)));
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
  if (!Choose(choice, files)) return false;
  Files.clear();
  for (const auto& f : files) Files.push_back(Utf16ToCp1252(f));
  FileName = Files.front();
  FilterIndex = choice.FilterIndex;
  return true;
}

void SetFileChooser(TFileChooser chooser) { Chooser() = std::move(chooser); }

bool GetOpenFileNameW(OPENFILENAMEW* ofn) {
  ui::RequireUi();
  return FileName(ofn, false);
}

bool GetSaveFileNameW(OPENFILENAMEW* ofn) {
  ui::RequireUi();
  return FileName(ofn, true);
}

}  // namespace platform
