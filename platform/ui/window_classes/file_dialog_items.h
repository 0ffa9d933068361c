#pragma once
// What Qt's file chooser lists and offers for a file dialog window: the
// file types by name, and the items of the folder without those the
// dialog's hook leaves out. Sizes, dates and the kind of a folder are given
// in the program's language (Qt's default locale), where Qt would give them
// in the system's.

#include <QSortFilterProxyModel>
#include <QString>

#include <string_view>

#include "platform/core/window_system/wintypes.h"

namespace platform::ui {

// Sits over the chooser's file system model; reads each item's file from
// the model's file-path role, so any model giving that role will do.
class FileDialogItems : public QSortFilterProxyModel {
 public:
  FileDialogItems(HWND Dialog, QObject* Parent);
  QVariant data(const QModelIndex& Index, int Role) const override;

 protected:
  bool filterAcceptsRow(int Row, const QModelIndex& Parent) const override;

 private:
  HWND dialog_;
};

// The chooser's name of a file type: the description with its patterns in
// parentheses, where Qt reads them ("Text (*.txt *.log)" for "Text" and
// "*.txt;*.log"). A description that already ends with its patterns shows
// them once.
QString NameFilterOf(std::u16string_view Description, std::u16string_view Masks);

}  // namespace platform::ui
