// The file dialog on the screen: Qt's file dialog (its own widgets, not the
// desktop's) inside the dialog window's frame, with the hook's child dialog
// below it. What the user does there goes to the dialog window as its
// moves; what the dialog holds (folder, file type, name box, labels,
// places) comes back into it after every change. The files the hook leaves
// out are not listed.

#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QUrl>
#include <QWindow>

#include "platform/ui/window_classes/file_dialog_internal.h"
#include "platform/ui/window_classes/file_dialog_items.h"
#include "platform/ui/window_classes/qt_internal.h"
#include "platform/ui/window_classes/qt_peer.h"

namespace platform::ui {
namespace {

// Qt's dialog as the dialog's own part: accepting and rejecting are the
// dialog window's to decide.
class Chooser : public QFileDialog {
 public:
  Chooser(HWND Dialog, QWidget* Parent) : QFileDialog(Parent), dialog_(Dialog) {
    setWindowFlags(Qt::Widget);
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontConfirmOverwrite);
    setProxyModel(new FileDialogItems(Dialog, this));
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& Folder) {
      if (!Syncing && IsWindow(dialog_)) FileDialogChangeFolder(dialog_, FromQString(Folder));
    });
    connect(this, &QFileDialog::filterSelected, this, [this](const QString& Filter) {
      if (!Syncing && IsWindow(dialog_))
        FileDialogChangeType(dialog_, static_cast<int>(nameFilters().indexOf(Filter)) + 1);
    });
    connect(this, &QFileDialog::currentChanged, this, [this](const QString&) {
      if (!Syncing && IsWindow(dialog_)) FileDialogSelect(dialog_, Selected());
    });
  }

  void accept() override {
    if (!IsWindow(dialog_)) return;
    FileDialogSelect(dialog_, Selected());
    FileDialogOk(dialog_);
  }
  void reject() override {
    if (IsWindow(dialog_)) FileDialogCancel(dialog_);
  }

  bool Syncing = false;

 private:
  std::vector<std::u16string> Selected() const {
    std::vector<std::u16string> names;
    for (const QString& file : selectedFiles()) names.push_back(FromQString(file));
    return names;
  }

  HWND dialog_;
};

// The user resizing the frame resizes the dialog window.
class FrameSizer : public QObject {
 public:
  FrameSizer(HWND Dialog, QObject* Parent) : QObject(Parent), dialog_(Dialog) {}
  bool eventFilter(QObject* Watched, QEvent* Event) override {
    auto* frame = qobject_cast<QWidget*>(Watched);
    if (Event->type() == QEvent::Resize && frame && IsWindow(dialog_)) {
      const RECT b = GetWindowBounds(dialog_);
      if (b.Width() != frame->width() || b.Height() != frame->height()) {
        SetWindowPos(dialog_, nullptr, 0, 0, frame->width(), frame->height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
    }
    return false;
  }

 private:
  HWND dialog_;
};

class FileDialogView : public QtPeer {
 public:
  FileDialogView(HWND hWnd, QWidget* Frame, Chooser* Files)
      : QtPeer(hWnd, Frame), files_(Files), ownPlaces_(Files->sidebarUrls()) {
    // Qt's dialog takes its own keys and clicks.
    Frame->removeEventFilter(Router.get());
    Frame->installEventFilter(new FrameSizer(hWnd, Frame));
    ParentChanged();
  }

  // Qt's dialog fills the room above the hook's child dialog.
  void BoundsChanged() override {
    QtPeer::BoundsChanged();
    const FileDialogState* state = FileDialogOf(Hwnd);
    if (!files_ || !state) return;
    const RECT b = GetWindowBounds(Hwnd);
    const int below = state->Hook ? GetWindowBounds(state->Hook).Height() : 0;
    files_->setGeometry(0, 0, b.Width(), std::max(b.Height() - below, 0));
  }

  // The owner waits, disabled, while the dialog shows; in Qt an owned
  // window would be disabled with it, so the frame stands alone, kept
  // above the owner's window by the window manager.
  void ParentChanged() override {
    if (!PeerWidget) return;
    if (PeerWidget->parentWidget()) PeerWidget->setParent(nullptr, Qt::Dialog);
    if (QWidget* owner = WidgetOf(GetParent(Hwnd)); owner && owner->windowHandle() && PeerWidget->windowHandle()) {
      PeerWidget->windowHandle()->setTransientParent(owner->windowHandle());
    }
    BoundsChanged();
    VisibleChanged();
  }

  void Refresh(const FileDialogState& S) {
    if (!files_) return;
    files_->Syncing = true;
    QStringList filters;
    for (const auto& [description, masks] : S.Types) filters << NameFilterOf(description, masks);
    if (files_->nameFilters() != filters) files_->setNameFilters(filters);
    if (S.TypeIndex >= 1 && S.TypeIndex <= filters.size()) files_->selectNameFilter(filters[S.TypeIndex - 1]);
    const QString folder = ToQString(S.Folder);
    if (files_->directory().absolutePath() != folder) files_->setDirectory(folder);
    files_->selectFile(ToQString(S.NameBox));
    const auto label = [&](int Id, QFileDialog::DialogLabel Label) {
      const auto it = S.ControlTexts.find(Id);
      if (it != S.ControlTexts.end()) files_->setLabelText(Label, ToQString(it->second));
    };
    label(IDOK, QFileDialog::Accept);
    label(IDCANCEL, QFileDialog::Reject);
    label(kFileNameLabelId, QFileDialog::FileName);
    QList<QUrl> places = ownPlaces_;
    for (const std::u16string& place : S.Places) places << QUrl::fromLocalFile(ToQString(place));
    if (files_->sidebarUrls() != places) files_->setSidebarUrls(places);
    files_->Syncing = false;
  }

 private:
  QPointer<Chooser> files_;
  const QList<QUrl> ownPlaces_;
};

}  // namespace

bool CanAskUser() {
  const QString name = QGuiApplication::platformName();
  return name != QLatin1String("offscreen") && name != QLatin1String("minimal");
}

// Without a display nothing shows, and Qt's dialog, which watches the file
// system from threads of its own, is not made.
void InstallFileDialogView(HWND Dialog, FileDialogState& State) {
  if (!CanAskUser()) return;
  auto* frame = new QWidget;
  auto* files = new Chooser(Dialog, frame);
  files->setAcceptMode(State.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  files->setFileMode(State.MultiSelect()                 ? QFileDialog::ExistingFiles
                     : (State.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                         : QFileDialog::AnyFile);
  if (State.Flags & OFN_FORCESHOWHIDDEN) files->setFilter(files->filter() | QDir::Hidden);
  SetWindowPeer(Dialog, std::make_unique<FileDialogView>(Dialog, frame, files));
  RefreshFileDialogView(Dialog);
}

void RefreshFileDialogView(HWND Dialog) {
  auto* view = dynamic_cast<FileDialogView*>(GetWindowPeer(Dialog));
  const FileDialogState* state = FileDialogOf(Dialog);
  if (view && state) view->Refresh(*state);
}

}  // namespace platform::ui
