#pragma once

#include "platform/helpviewer.h"

#include <QWidget>
#include <vector>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace orvane {

// The help viewer: a window of its own that shows the HTML help file, at its contents or at a
// topic, beside the main window without holding it up. Back (also Alt+Left) returns to the
// place shown before the last link, Contents or opening; Contents goes to the contents.
class HelpWindow : public QWidget, public HelpViewer
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void setHelpFile(const std::string& path) override;
    void setHelpCommand(int command) override;
    // Every help command shows the contents: the file has no other entry point.
    void showHelp() override;
    // A topic the file does not hold shows the top of the file.
    void showTopic(int topic) override;

    // Opens beside `window` (to its right, else its left), wholly on its screen.
    void setBeside(const QWidget* window) { m_beside = window; }

    // The anchor of a topic number in the help file.
    static QString topicAnchor(int topic);
    // The browser that shows the file.
    QTextBrowser* browser() const { return m_browser; } // null until first opened

    // Returns to the place shown before; nothing when there is none.
    void back();
    // Shows the contents; Back returns to the place left.
    void showContents();

private:
    void build();
    void open(const QString& anchor);
    void showProblem(const QString& problem);
    void followLink(const QUrl& link);
    void leavePlace();
    void placeBeside();

    QTextBrowser* m_browser = nullptr;
    QPushButton* m_back = nullptr;
    const QWidget* m_beside = nullptr;
    QString m_helpFile;
    int m_helpCommand = 0;
    // Places to go back to (the browser's scroll positions), the last one first.
    std::vector<int> m_places;
};

} // namespace orvane
