#include "platform/qt/listmodeladapter.h"

namespace orvane {

ListModelAdapter::ListModelAdapter(QObject* parent) : QAbstractListModel(parent) {}

ListModelAdapter::~ListModelAdapter()
{
    if (m_model)
        m_model->setObserver(nullptr);
}

void ListModelAdapter::bind(ListModel* model)
{
    beginResetModel();
    if (m_model)
        m_model->setObserver(nullptr);
    m_model = model;
    if (m_model)
        m_model->setObserver(this);
    endResetModel();
    emit selectionChangedInModel();
}

int ListModelAdapter::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_model ? 0 : m_model->count();
}

QVariant ListModelAdapter::data(const QModelIndex& index, int role) const
{
    if (!m_model || !index.isValid() || index.row() >= m_model->count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole ||
        (role == Qt::ToolTipRole && m_toolTips))
        return QString::fromStdString(m_model->item(index.row()));
    return {};
}

void ListModelAdapter::changing(Change change, int first, int last)
{
    m_change = change;
    emit changeBegins(change, first, last);
    switch (change) {
    case Change::Insert:
        beginInsertRows(QModelIndex(), first, last);
        break;
    case Change::Remove:
        beginRemoveRows(QModelIndex(), first, last);
        break;
    case Change::Reset:
        beginResetModel();
        break;
    }
}

void ListModelAdapter::changed()
{
    switch (m_change) {
    case Change::Insert:
        endInsertRows();
        break;
    case Change::Remove:
        endRemoveRows();
        break;
    case Change::Reset:
        endResetModel();
        break;
    }
    emit changeEnds();
}

void ListModelAdapter::selectionChanged()
{
    emit selectionChangedInModel();
}

} // namespace orvane
