#include "platform/qt/stringlistmodel.h"

namespace orvane {

int StringListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : size();
}

QVariant StringListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole ||
        (role == Qt::ToolTipRole && m_toolTips))
        return QString::fromStdString(at(index.row()));
    return {};
}

void StringListModel::append(const std::string& text)
{
    const int row = size();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(text);
    endInsertRows();
}

void StringListModel::removeAt(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void StringListModel::assign(std::vector<std::string> rows)
{
    beginResetModel();
    m_rows.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    endResetModel();
}

} // namespace orvane
