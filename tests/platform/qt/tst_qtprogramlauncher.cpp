#include "platform/qt/qtprogramlauncher.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace orvane;

class TestQtProgramLauncher : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsAProgramFoundOnThePathWithItsArgumentsAsGiven();
    void namesThatAreNotProgramsStartNothing_data();
    void namesThatAreNotProgramsStartNothing();

private:
    QTemporaryDir m_bin;
    QByteArray m_path;
};

void TestQtProgramLauncher::init()
{
    // A folder of our own at the front of the program search, with one script in it that
    // writes its arguments, one a line, beside itself, and one that may not be run.
    QVERIFY(m_bin.isValid());
    QFile script(m_bin.filePath(QStringLiteral("orvane-test-mixer")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args.tmp\"\n"
                 "mv \"$0.args.tmp\" \"$0.args\"\n");
    script.close();
    QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QFile plain(m_bin.filePath(QStringLiteral("orvane-not-executable")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("#!/bin/sh\ntouch \"$0.pwned\"\n");
    m_path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_path);
}

void TestQtProgramLauncher::cleanup()
{
    qputenv("PATH", m_path);
}

void TestQtProgramLauncher::startsAProgramFoundOnThePathWithItsArgumentsAsGiven()
{
    QtProgramLauncher launcher;
    const std::vector<std::string> arguments{"$(touch pwned)", "two words", "*", ""};
    QVERIFY(launcher.startDetached("orvane-test-mixer", arguments));

    const QString written = m_bin.filePath(QStringLiteral("orvane-test-mixer.args"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(written), 10000);
    QFile file(written);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // No shell in between: nothing is expanded, split or run.
    QCOMPARE(file.readAll(), QByteArray("$(touch pwned)\ntwo words\n*\n\n"));
}

void TestQtProgramLauncher::namesThatAreNotProgramsStartNothing_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("not installed") << "orvane-no-such-mixer";
    QTest::newRow("a shell command") << "orvane-test-mixer; touch %BIN%/pwned";
    QTest::newRow("empty") << "";
    QTest::newRow("a file that cannot run") << "orvane-not-executable";
}

void TestQtProgramLauncher::namesThatAreNotProgramsStartNothing()
{
    QFETCH(QString, program);
    program.replace(QStringLiteral("%BIN%"), m_bin.path());

    QtProgramLauncher launcher;
    QVERIFY(!launcher.startDetached(program.toStdString(), {}));
    QTest::qWait(200); // what a wrongly started shell or script would need to leave its mark
    QVERIFY(!QFile::exists(m_bin.filePath(QStringLiteral("pwned"))));
    QVERIFY(!QFile::exists(m_bin.filePath(QStringLiteral("orvane-not-executable.pwned"))));
}

QTEST_MAIN(TestQtProgramLauncher)
#include "tst_qtprogramlauncher.moc"
