#pragma once

#include <QAbstractListModel>
#include <deque>
#include <string>
#include <vector>

namespace orvane {

// Rows of text over a deque, so that removing the first row is as cheap as appending one.
class StringListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    int size() const { return static_cast<int>(m_rows.size()); }
    const std::string& at(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    void append(const std::string& text);
    void removeAt(int row);
    // Replaces every row at once.
    void assign(std::vector<std::string> rows);
    // Whether each row is its own tooltip.
    void setToolTips(bool shown) { m_toolTips = shown; }

private:
    std::deque<std::string> m_rows;
    bool m_toolTips = false;
};

} // namespace orvane
