#include "Fixtures.h"
#include "MainWindowDriver.h"

#include <QAction>
#include <QFile>
#include <QtTest>

// Loading a cartridge and writing the map range back, through the real main
// window, on real files: what was not edited must come back byte for byte.
class tst_LoadSave : public QObject {
    Q_OBJECT

private:
    static bool saveEnabled(MainWindowDriver& d)
    {
        return d.window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->isEnabled();
    }

private slots:
    void saveWithoutEditKeepsFile_data();
    void saveWithoutEditKeepsFile();
    void saveChangesOnlyImageRange();
    void shortFile_data();
    void shortFile();
};

void tst_LoadSave::saveWithoutEditKeepsFile_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("exactly the image end") << 139280;
    QTest::newRow("a whole cartridge") << 262160;
    QTest::newRow("longer still") << 300000;
}

void tst_LoadSave::saveWithoutEditKeepsFile()
{
    QFETCH(int, size);
    MainWindowDriver d(Fixtures::Pattern(size, 7));
    QVERIFY(!saveEnabled(d));
    QVERIFY(d.load());
    QVERIFY(saveEnabled(d));
    QCOMPARE(d.window.cartridge().image().at(16400), quint8(d.original[16400]));
    QCOMPARE(d.window.cartridge().image().at(139279), quint8(d.original[139279]));
    QCOMPARE(d.window.windowTitle(), frmMain::Title());

    d.window.mnuFileSave_Click();
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("File saved")});
    QCOMPARE(d.platform.messages[0].text, QStringLiteral("The file: \"") + d.path + QStringLiteral("\" was saved"));
    QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Exclamation);
}

void tst_LoadSave::saveChangesOnlyImageRange()
{
    MainWindowDriver d(Fixtures::Pattern(262160, 3));
    QVERIFY(d.load());
    // Meanwhile a side window wrote outside the range: a save must keep it.
    QFile side(d.path);
    QVERIFY(side.open(QIODevice::ReadWrite) && side.seek(3847) && side.write("\x01\x02", 2) == 2);
    side.close();
    QByteArray expected = d.original;
    expected.replace(3847, 2, QByteArray("\x01\x02", 2));

    auto& image = d.window.cartridge().image();
    for (qint64 at : {16400, 139279}) {
        image.set(at, quint8(~d.original[at]));
        expected[at] = char(~d.original[at]);
    }
    d.window.mnuFileSave_Click();
    const QByteArray after = Fixtures::ReadAll(d.path);
    QCOMPARE(Fixtures::Differences(after, d.original), (QList<qint64>{3847, 3848, 16400, 139279}));
    QCOMPARE(after, expected);
}

void tst_LoadSave::shortFile_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("answer");
    QTest::newRow("empty, No") << 0 << false;
    QTest::newRow("empty, Yes") << 0 << true;
    QTest::newRow("header only, Yes") << 16 << true;
    QTest::newRow("one byte into the image, Yes") << 16401 << true;
    QTest::newRow("one byte short, No") << 139279 << false;
    QTest::newRow("one byte short, Yes") << 139279 << true;
}

// A short file: asked; No changes nothing; Yes loads with zeros past the end,
// and the save grows the file to exactly 139280 bytes.
void tst_LoadSave::shortFile()
{
    QFETCH(int, size);
    QFETCH(bool, answer);
    MainWindowDriver d;
    const QByteArray before = Fixtures::Pattern(size, 11);
    Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), before);
    d.platform.questionAnswers << answer;
    QCOMPARE(d.load(), answer);
    QCOMPARE(d.platform.questions.size(), 1);
    const QString question = d.platform.questions[0].text;
    QVERIFY(question.contains(d.path) && question.contains(QString::number(size) + QStringLiteral(" bytes long")) &&
            question.contains(QStringLiteral("139280")));
    if (!answer) {
        QVERIFY(d.window.cartridge().CartridgePath().isEmpty());
        QVERIFY(!saveEnabled(d));
        QCOMPARE(Fixtures::ReadAll(d.path), before);
        return;
    }
    const QByteArray image = d.window.cartridge().image().bytes();
    QCOMPARE(image, (before.mid(16400) + QByteArray(139280, '\0')).left(122880));
    d.window.mnuFileSave_Click();
    QCOMPARE(Fixtures::ReadAll(d.path), before + QByteArray(139280 - size, '\0'));
}

QTEST_MAIN(tst_LoadSave)
#include "tst_LoadSave.moc"
