#pragma once

#include <QListView>

namespace orvane {

class StringListModel;

// A flat, single-selection list of text lines over a model that stays fast at 32767 lines;
// the common ground of the queue and the file list. Every line has the height of a line of
// the list's font, and only the selected line is drawn marked.
class TextListView : public QListView
{
    Q_OBJECT
public:
    explicit TextListView(QWidget* parent = nullptr);

signals:
    // A double-click anywhere in the list, on a line or not.
    void dblClicked();

protected:
    StringListModel& lines() const { return *m_model; }
    // Row of the selected line, or -1.
    int selectedRow() const;
    // Selects line `row` and shows it; nothing is selected for a row outside the list.
    void selectRow(int row);

    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Reached by Tab, a list with lines and none selected selects its current line (or its
    // first), so that the keys act on the line the user sees marked.
    void focusInEvent(QFocusEvent* event) override;

private:
    StringListModel* m_model;
};

} // namespace orvane
