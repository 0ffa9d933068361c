#include "platform/ui/window_classes/file_dialog_items.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>
#include <QMimeDatabase>
#include <QRegularExpression>

#include "platform/ui/window_classes/file_dialog_internal.h"
#include "platform/ui/window_classes/qt_internal.h"

namespace platform::ui {
namespace {

// The columns of Qt's file system model.
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;

// "*.txt;*.log" or "*.txt *.log" as "*.txt *.log".
QString Patterns(QString Masks) {
  Masks.replace(u';', u' ');
  return Masks.split(u' ', Qt::SkipEmptyParts).join(u' ');
}

}  // namespace

FileDialogItems::FileDialogItems(HWND Dialog, QObject* Parent) : QSortFilterProxyModel(Parent), dialog_(Dialog) {}

QVariant FileDialogItems::data(const QModelIndex& Index, int Role) const {
  const int column = Index.column();
  if (Role != Qt::DisplayRole || (column != kSizeColumn && column != kTypeColumn && column != kDateColumn)) {
    return QSortFilterProxyModel::data(Index, Role);
  }
  const QModelIndex source = mapToSource(Index).siblingAtColumn(0);
  const QFileInfo file(source.data(QFileSystemModel::FilePathRole).toString());
  if (file.filePath().isEmpty()) return QSortFilterProxyModel::data(Index, Role);
  const QLocale locale;
  switch (column) {
    case kSizeColumn:
      return file.isDir() ? QString() : locale.formattedDataSize(file.size());
    case kTypeColumn:
      // A file's kind is its type's description, which follows the default
      // locale already.
      if (!file.isDir()) return QSortFilterProxyModel::data(Index, Role);
      return QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment();
    default:
      return locale.toString(file.lastModified(), QLocale::ShortFormat);
  }
}

bool FileDialogItems::filterAcceptsRow(int Row, const QModelIndex& Parent) const {
  auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
  FileDialogState* state = FileDialogOf(dialog_);
  if (!files || !state) return true;
  const QModelIndex index = files->index(Row, 0, Parent);
  return files->isDir(index) || IncludesFile(*state, FromQString(files->filePath(index)));
}

QString NameFilterOf(std::u16string_view Description, std::u16string_view Masks) {
  const QString patterns = Patterns(ToQString(Masks));
  QString name = ToQString(Description).trimmed();
  static const QRegularExpression kShown(QStringLiteral("\\s*\\(([^()]*)\\)$"));
  if (const QRegularExpressionMatch shown = kShown.match(name);
      shown.hasMatch() && Patterns(shown.captured(1)) == patterns) {
    name.truncate(shown.capturedStart());
  }
  return name + QStringLiteral(" (") + patterns + u')';
}

}  // namespace platform::ui
