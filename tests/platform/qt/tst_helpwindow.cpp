#include "platform/qt/helpwindow.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using namespace orvane;

namespace {

// The block that holds `anchor`; invalid when there is none.
QTextBlock anchorBlock(const QTextBrowser& browser, const QString& anchor)
{
    const QTextDocument* document = browser.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return block;
        }
    }
    return {};
}

// True when the whole block is in the visible part of the browser.
bool isInView(const QTextBrowser& browser, const QTextBlock& block)
{
    if (!block.isValid())
        return false;
    const QRectF place = browser.document()->documentLayout()->blockBoundingRect(block);
    const int top = browser.verticalScrollBar()->value();
    const int bottom = top + browser.viewport()->height();
    return place.top() >= top - 1 && place.bottom() <= bottom;
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT
private slots:
    void topicsOpenAtTheirHeadingsAndAMissingFileSaysWhereItWasLookedFor();
    void contentsAtTheTopHeadingsStandOutBackRetracesEveryMove();
    void everyLinkOfTheHelpLeadsToAnAnchor();

private:
    const QString m_helpFile = QFINDTESTDATA("../../../docs/orvane.hlp.html");
};

void TestHelpWindow::topicsOpenAtTheirHeadingsAndAMissingFileSaysWhereItWasLookedFor()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("<b>&amp; x.hlp"));
    HelpWindow help;
    help.setHelpFile(path.toStdString());
    help.showHelp();
    QVERIFY(help.isVisible());
    QVERIFY(help.browser()->toPlainText().contains(QStringLiteral("not found")));
    QVERIFY(help.browser()->toPlainText().contains(path));

    // Installed later, the file is read when next asked for.
    QVERIFY(QFile::copy(m_helpFile, path));
    const QTextBrowser& browser = *help.browser();
    const std::pair<int, const char*> headings[] = {
        {1111, "Folders"},
        {2222, "Music files"},
        {3333, "The music queue"},
        {4444, "The transport buttons: Next, Play, Pause, Stop"},
        {5555, "Clear All, Randomise, Queue All and Exit"}};
    for (const auto& [topic, heading] : headings) {
        help.showTopic(topic);
        const QTextBlock block = anchorBlock(browser, HelpWindow::topicAnchor(topic));
        QCOMPARE(block.text(), QString::fromUtf8(heading));
        QVERIFY(isInView(browser, block));
        QVERIFY(!isInView(browser, anchorBlock(browser, QStringLiteral("contents"))));
    }
    help.showTopic(9999); // unknown: the top, as for the contents
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
}

void TestHelpWindow::contentsAtTheTopHeadingsStandOutBackRetracesEveryMove()
{
    // The contents: at the top, beside the main window without holding it up.
    HelpWindow help;
    help.setHelpFile(m_helpFile.toStdString());
    help.setHelpCommand(HelpViewer::kHelpContents);
    help.showTopic(5555);
    help.showHelp();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QVERIFY(!help.isModal());
    QTextBrowser& browser = *help.browser();
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
    const QTextBlock queue = anchorBlock(browser, QStringLiteral("topic-3333"));
    QVERIFY(queue.layout()->lineAt(0).height() > 1.2 * queue.next().layout()->lineAt(0).height());

    // The contents' link to the queue's topic, followed with the mouse.
    QTextCursor link(browser.document());
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorHref() == QLatin1String("#topic-3333"))
                link.setPosition(it.fragment().position() + 1);
        }
    }
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, browser.cursorRect(link).center());
    QVERIFY(isInView(browser, queue));
    auto* back = help.findChild<QPushButton*>(QStringLiteral("helpBack"));
    QTest::mouseClick(help.findChild<QPushButton*>(QStringLiteral("helpContents")), Qt::LeftButton);
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(isInView(browser, queue));
    QTest::keyClick(&browser, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
    // Last, the topic shown when the contents were asked for.
    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(isInView(browser, anchorBlock(browser, HelpWindow::topicAnchor(5555))));
    QVERIFY(!back->isEnabled());
}

void TestHelpWindow::everyLinkOfTheHelpLeadsToAnAnchor()
{
    QFile file(m_helpFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    QSet<QString> anchors;
    for (const auto& match : QRegularExpression(R"re(name="([^"]+)")re").globalMatch(html))
        anchors.insert(match.captured(1));
    for (const auto& match : QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(html))
        QVERIFY2(anchors.contains(match.captured(1)), qPrintable(match.captured(1)));
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
