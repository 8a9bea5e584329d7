#pragma once

#include "model/listmodel.h"

#include <QListView>

namespace orvane {

class ListModelAdapter;

// A flat, single-selection list of text lines that shows a list model of the logic, fast at
// 32767 lines; the common ground of the queue and the file list. Every line has the height of a
// line of the list's font, and only the selected line is drawn marked. It selects what the
// model has selected; what the user selects it reports, and leaves to the logic.
class TextListView : public QListView
{
    Q_OBJECT
public:
    explicit TextListView(QWidget* parent = nullptr);

    // Shows `model` from now on; null shows nothing.
    void bind(ListModel* model);

signals:
    // The user selected line `row`, or none with -1.
    void selected(int row);
    // A double-click anywhere in the list, on a line or not.
    void dblClicked();

protected:
    ListModelAdapter& lines() const { return *m_lines; }
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Reached by Tab, a list with lines and none selected selects its current line (or its
    // first), so that the keys act on the line the user sees marked.
    void focusInEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    int selectedRow() const;
    void changeBegins(ListObserver::Change change, int first);
    void showModelSelection();
    void takeUserSelection();

    ListModelAdapter* m_lines;
    bool m_following = false; // the view follows the model: what changes now is not the user's
};

} // namespace orvane
