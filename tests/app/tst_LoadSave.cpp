#include "CommonDialog.h"
#include "Fixtures.h"
#include "ScriptedPlatform.h"
#include "frmMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Loading a cartridge and writing the map range back, through the real main
// window, on real files: what was not edited must come back byte for byte.
class tst_LoadSave : public QObject {
    Q_OBJECT

private:
    QAction* action(frmMain& w, const char* name) { return w.findChild<QAction*>(QLatin1String(name)); }
    bool load(frmMain& w, ScriptedPlatform& p, const QString& path)
    {
        p.openAnswers << path;
        w.mnuFileLoad_Click();
        return w.cartridge().CartridgePath() == path;
    }

private slots:
    void openDialogFilter();
    void cancelledDialogChangesNothing();
    void saveWithoutEditKeepsFile_data();
    void saveWithoutEditKeepsFile();
    void saveChangesOnlyImageRange();
    void shortFile_data();
    void shortFile();
    void loadFailureKeepsEverything_data();
    void loadFailureKeepsEverything();
    void saveFailureLeavesFileAndImage_data();
    void saveFailureLeavesFileAndImage();
};

void tst_LoadSave::openDialogFilter()
{
    ScriptedPlatform p;
    frmMain w(p);
    w.mnuFileLoad_Click();
    QCOMPARE(p.openFilters.size(), 1);
    const auto filters = p.openFilters.first();
    QCOMPARE(filters.size(), 2);
    QCOMPARE(filters[0].description, QStringLiteral("NES files (*.nes)"));
    QCOMPARE(filters[0].pattern, QStringLiteral("*.nes"));
    QCOMPARE(filters[1].description, QStringLiteral("All Files(*.*)"));
    QCOMPARE(filters[1].pattern, QStringLiteral("*.*"));
}

void tst_LoadSave::cancelledDialogChangesNothing()
{
    ScriptedPlatform p;
    frmMain w(p);
    w.mnuFileLoad_Click();
    QVERIFY(w.cartridge().CartridgePath().isEmpty());
    QVERIFY(!action(w, "mnuFileSave")->isEnabled());
    QVERIFY(p.messages.isEmpty());
}

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
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(size, 7);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    QVERIFY(action(w, "mnuFileSave")->isEnabled());
    QCOMPARE(w.cartridge().image().at(16400), quint8(before[16400]));
    QCOMPARE(w.cartridge().image().at(139279), quint8(before[139279]));
    QCOMPARE(w.windowTitle(), frmMain::Title());

    w.mnuFileSave_Click();
    QCOMPARE(Fixtures::ReadAll(path), before);
    QCOMPARE(p.messages.size(), 1);
    QCOMPARE(p.messages[0].title, QStringLiteral("File saved"));
    QCOMPARE(p.messages[0].text, QStringLiteral("The file: \"") + path + QStringLiteral("\" was saved"));
    QCOMPARE(p.messages[0].icon, Platform::Icon::Exclamation);
}

void tst_LoadSave::saveChangesOnlyImageRange()
{
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(262160, 3);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    // Meanwhile a side window wrote outside the range: a save must keep it.
    QByteArray expected = before;
    QFile side(path);
    QVERIFY(side.open(QIODevice::ReadWrite));
    side.seek(3847);
    side.write("\x01\x02", 2);
    side.close();
    expected[3847] = '\x01';
    expected[3848] = '\x02';

    auto& image = w.cartridge().image();
    image.set(16400, quint8(~before[16400]));
    image.set(139279, quint8(~before[139279]));
    expected[16400] = char(~before[16400]);
    expected[139279] = char(~before[139279]);
    w.mnuFileSave_Click();
    const QByteArray after = Fixtures::ReadAll(path);
    QCOMPARE(Fixtures::Differences(after, before), (QList<qint64>{3847, 3848, 16400, 139279}));
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

void tst_LoadSave::shortFile()
{
    QFETCH(int, size);
    QFETCH(bool, answer);
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(size, 11);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("short.nes"), before);
    ScriptedPlatform p;
    p.questionAnswers << answer;
    frmMain w(p);
    p.openAnswers << path;
    w.mnuFileLoad_Click();
    QCOMPARE(p.questions.size(), 1);
    QVERIFY(p.questions[0].text.contains(path));
    QVERIFY(p.questions[0].text.contains(QString::number(size) + QStringLiteral(" bytes long")));
    QVERIFY(p.questions[0].text.contains(QStringLiteral("139280")));
    if (!answer) {
        QVERIFY(w.cartridge().CartridgePath().isEmpty());
        QVERIFY(!action(w, "mnuFileSave")->isEnabled());
        QCOMPARE(Fixtures::ReadAll(path), before);
        return;
    }
    QCOMPARE(w.cartridge().CartridgePath(), path);
    for (int i = 16400; i < std::max(size, 16400); ++i) {
        QCOMPARE(w.cartridge().image().at(i), quint8(before[i]));
    }
    QCOMPARE(w.cartridge().image().at(139279), quint8(0));
    w.mnuFileSave_Click();
    const QByteArray after = Fixtures::ReadAll(path);
    QCOMPARE(after.size(), 139280);
    QCOMPARE(after.left(size), before);
    QCOMPARE(after.mid(size), QByteArray(139280 - size, '\0'));
}

void tst_LoadSave::loadFailureKeepsEverything_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << "missing";
    QTest::newRow("folder") << "folder";
    QTest::newRow("path through a file") << "through";
}

void tst_LoadSave::loadFailureKeepsEverything()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QByteArray good = Fixtures::Pattern(262160, 5);
    const QString goodPath = Fixtures::WriteFile(dir, QStringLiteral("good.nes"), good);
    QString bad = dir.filePath(QStringLiteral("bad.nes"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("bad.nes")));
    } else if (kind == QLatin1String("through")) {
        bad = goodPath + QStringLiteral("/inner.nes");
    }
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, goodPath));
    w.cartridge().image().set(20000, 0x42);  // an unsaved edit survives the failed load
    p.openAnswers << bad;
    w.mnuFileLoad_Click();
    QCOMPARE(p.messages.size(), 1);
    QVERIFY(p.messages[0].text.contains(bad));
    QCOMPARE(p.messages[0].icon, Platform::Icon::Critical);
    QCOMPARE(w.cartridge().CartridgePath(), goodPath);
    QCOMPARE(w.cartridge().image().at(20000), quint8(0x42));
    QCOMPARE(w.cartridge().image().at(16400), quint8(good[16400]));
    QVERIFY(action(w, "mnuFileSave")->isEnabled());
    QVERIFY(!QFileInfo(bad).isFile());
}

void tst_LoadSave::saveFailureLeavesFileAndImage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("file deleted after the load") << "deleted";
    QTest::newRow("folder gone") << "folder gone";
    QTest::newRow("folder replaced by a file") << "through";
    QTest::newRow("file replaced by a folder") << "folder";
}

void tst_LoadSave::saveFailureLeavesFileAndImage()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString path = dir.filePath(QStringLiteral("sub/cart.nes"));
    const QByteArray before = Fixtures::Pattern(262160, 9);
    Fixtures::WriteFile(dir, QStringLiteral("sub/cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    w.cartridge().image().set(30000, 0x99);
    const QByteArray image = w.cartridge().image().bytes();

    if (kind == QLatin1String("deleted")) {
        QVERIFY(QFile::remove(path));
    } else if (kind == QLatin1String("folder gone")) {
        QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively());
    } else if (kind == QLatin1String("through")) {
        QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively());
        Fixtures::WriteFile(dir, QStringLiteral("sub"), QByteArray("plain"));
    } else {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub/cart.nes")));
    }
    w.mnuFileSave_Click();
    QCOMPARE(p.messages.size(), 1);
    QCOMPARE(p.messages[0].title, QStringLiteral("File not saved"));
    QVERIFY(p.messages[0].text.contains(path));
    QVERIFY(!p.messageTitles().contains(QStringLiteral("File saved")));
    QCOMPARE(w.cartridge().image().bytes(), image);
    QVERIFY(!QFileInfo(path).isFile());  // nothing was created in its place
}

QTEST_MAIN(tst_LoadSave)
#include "tst_LoadSave.moc"
