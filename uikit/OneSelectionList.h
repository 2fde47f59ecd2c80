// A list box that always keeps its one selected item: a click on its empty
// area, or Ctrl with a click or Space on the selected item, leaves the
// selection as it is, since the fields beside the list edit that item.
#pragma once

#include <QEvent>
#include <QListWidget>

namespace flexara {

class OneSelectionList : public QListWidget {
    Q_OBJECT
public:
    explicit OneSelectionList(QWidget* parent) : QListWidget(parent) { setSelectionMode(SingleSelection); }

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override
    {
        if (!index.isValid())
            return QItemSelectionModel::NoUpdate;
        if (event != nullptr && event->type() == QEvent::MouseButtonRelease)
            return QItemSelectionModel::NoUpdate;
        return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    }
};

} // namespace flexara
