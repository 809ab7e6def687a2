// The grid's model: shows one of the program-wide lists directly, with its section's
// column titles and alignments, without copying the rows; the asset list's texts are made
// only for the cells painted, so 100,000 assets show, scroll and sort without delay.
#pragma once

#include <QAbstractTableModel>

#include "app/list_rows.h"
#include "app/list_view.h"
#include "app/sections.h"

namespace kavrina::app {

class ListModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ListModel(QObject* parent = nullptr);

  // Shows `rows` (whose list the caller keeps alive) with `columns`. Call again after the
  // list changed: the grid is "given the array again".
  void setList(ListView rows, const ListColumns& columns);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  ListView rows_;
  ListColumns columns_;
};

// A cell's text for the screen: UTF-8 when it is valid UTF-8, otherwise Latin-1, so that
// tables written in another code page still show every character.
QString cellText(const std::string& text);

}  // namespace kavrina::app
