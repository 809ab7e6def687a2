#include "app/list_model.h"

#include <QStringDecoder>

namespace kavrina::app {

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ListModel::setList(ListView rows, const ListColumns& columns) {
  beginResetModel();
  rows_ = rows;
  columns_ = columns;
  endResetModel();
}

int ListModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(rows_.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(columns_.titles.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  const auto column = static_cast<std::size_t>(index.column());
  if (row >= rows_.size()) return {};
  switch (role) {
    case Qt::DisplayRole:
      // Blank padding is not shown: a padded inventory number or an amount with its
      // leading blanks would otherwise be cut short with an ellipsis in a narrow column.
      return column < rows_.cellCount(row) ? cellText(trimmed(rows_.cell(row, column))) : QString();
    case Qt::TextAlignmentRole: {
      const CellAlignment a =
          column < columns_.alignments.size() ? columns_.alignments[column] : CellAlignment::Left;
      const Qt::Alignment h = a == CellAlignment::Right    ? Qt::AlignRight
                              : a == CellAlignment::Centre ? Qt::AlignHCenter
                                                           : Qt::AlignLeft;
      return QVariant::fromValue(h | Qt::AlignVCenter);
    }
    default:
      return {};
  }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 ||
      section >= static_cast<int>(columns_.titles.size()))
    return {};
  if (role == Qt::DisplayRole) return cellText(columns_.titles[static_cast<std::size_t>(section)]);
  return {};
}

QString cellText(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString decoded = utf8.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kavrina::app
