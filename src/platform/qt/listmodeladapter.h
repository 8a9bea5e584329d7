#pragma once

#include "model/listmodel.h"

#include <QAbstractListModel>

namespace orvane {

// A list model of the logic as Qt's views see it: one column of text, told of every change as
// it is made. It stays fast at 32767 entries.
class ListModelAdapter : public QAbstractListModel, private ListObserver
{
    Q_OBJECT
public:
    explicit ListModelAdapter(QObject* parent = nullptr);
    ~ListModelAdapter() override;

    // Shows `model` from now on; null shows nothing.
    void bind(ListModel* model);
    ListModel* model() const { return m_model; }
    // Whether each entry is its own tooltip.
    void setToolTips(bool shown) { m_toolTips = shown; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

signals:
    // The model is about to change (see ListObserver), and has changed.
    void changeBegins(orvane::ListObserver::Change change, int first, int last);
    void changeEnds();
    // The model's selection changed.
    void selectionChangedInModel();

private:
    void changing(Change change, int first, int last) override;
    void changed() override;
    void selectionChanged() override;

    ListModel* m_model = nullptr;
    Change m_change = Change::Reset;
    bool m_toolTips = false;
};

} // namespace orvane
