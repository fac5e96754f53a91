#include "Fixtures.h"
#include "MainWindowDriver.h"

#include <QAction>
#include <QtTest>

// What the load and "Save Changes" say, through the real main window on real
// files; the bytes they move at every file length are tst_Robustness's.
class tst_LoadSave : public QObject {
    Q_OBJECT

private slots:
    void shortFileAskedThenSaved_data();
    void shortFileAskedThenSaved();
};

void tst_LoadSave::shortFileAskedThenSaved_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("answer");
    QTest::newRow("empty, No") << 0 << false;
    QTest::newRow("one byte short, Yes") << 139279 << true;
    QTest::newRow("a whole cartridge") << 262160 << true;
}

// A short file is asked about, naming the file, its length and the length the
// map needs; No changes nothing. The save's message quotes the whole path.
void tst_LoadSave::shortFileAskedThenSaved()
{
    QFETCH(int, size);
    QFETCH(bool, answer);
    MainWindowDriver d(QByteArray(1, 'x'));
    d.original = Fixtures::Pattern(size, 11);
    Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), d.original);
    d.platform.questionAnswers << answer;
    QCOMPARE(d.load(), answer);
    QCOMPARE(d.platform.questions.size(), size < 139280 ? 1 : 0);
    if (size < 139280) {
        const QString question = d.platform.questions[0].text;
        QVERIFY(question.contains(d.path) && question.contains(QString::number(size) + QStringLiteral(" bytes long")) &&
                question.contains(QStringLiteral("139280")));
    }
    QCOMPARE(d.window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->isEnabled(), answer);
    d.window.mnuFileSave_Click();
    if (!answer) {
        QVERIFY(d.platform.messages.isEmpty());
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
        return;
    }
    QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("File saved")});
    QCOMPARE(d.platform.messages[0].text, QStringLiteral("The file: \"") + d.path + QStringLiteral("\" was saved"));
    QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Exclamation);
    QCOMPARE(Fixtures::ReadAll(d.path), d.original + QByteArray(std::max(0, 139280 - size), '\0'));
}

QTEST_MAIN(tst_LoadSave)
#include "tst_LoadSave.moc"
