#include "FileLayout.h"
#include "Fixtures.h"
#include "SessionDriver.h"

#include <QtTest>

using FileLayout::MapByte;
using Command = void (EditorSession::*)();
Q_DECLARE_METATYPE(Command)

namespace {

// The overworld of `file` as a CSV map with another tile (the high bit flipped) in four cells, one line
// short when asked.
QByteArray csvWithFourChanges(const QByteArray& file, bool short_ = false)
{
    QByteArray csv;
    for (int row = 0; row < (short_ ? 255 : 256); ++row) {
        for (int column = 0; column < 256; ++column) {
            const bool changed = (column == row && row % 100 == 0) || (column == 255 && row == 31);
            const quint8 tile = quint8(file[MapByte(row / 32 + 1, row % 32, column)]);
            csv += QByteArray::number(changed ? tile ^ 0x80 : tile) + (column < 255 ? "," : "\n");
        }
    }
    return csv;
}

}  // namespace

// The files the File menu writes and reads beside the cartridge, as a user
// meets them: dialogs in the cartridge's folder, a file replaced only when
// the user says so once its name is final, no patch of two files alike, and
// a map imported as one undo step after its count was shown.
class tst_FilesBeside : public QObject {
    Q_OBJECT

private slots:
    void dialogsOpenInTheCartridgesFolder();
    void replacingAskedOnceTheNameIsFinal_data();
    void replacingAskedOnceTheNameIsFinal();
    void noPatchOfFilesAlike();
    void importMap_data();
    void importMap();
};

void tst_FilesBeside::dialogsOpenInTheCartridgesFolder()
{
    SessionDriver d;
    QVERIFY(d.load());
    d.platform.mapImageAnswers << Platform::MapImageOptions{};
    for (const Command command : {&EditorSession::exportMapImage, &EditorSession::exportMap, &EditorSession::importMap,
                                  &EditorSession::createPatch, &EditorSession::applyPatch}) {
        (d.session.*command)();  // every dialog cancelled
    }
    QCOMPARE(d.platform.openDialogs.size() + d.platform.saveDialogs.size(), 5);
    for (const auto& dialog : d.platform.openDialogs + d.platform.saveDialogs) {
        QCOMPARE(dialog.folder, d.dir.path());
    }
    // The original for a patch may be the backup the editor made.
    QVERIFY(d.platform.openDialogs[1].filters.first().pattern.contains(QStringLiteral("*.bak")));
}

void tst_FilesBeside::replacingAskedOnceTheNameIsFinal_data()
{
    QTest::addColumn<Command>("command");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("taken");  // the file already there, named once the extension is added
    QTest::addColumn<bool>("replace");
    QTest::newRow("patch, kept") << &EditorSession::createPatch << "taken"
                                 << "taken.ips" << false;
    QTest::newRow("patch, replaced") << &EditorSession::createPatch << "taken"
                                     << "taken.ips" << true;
    QTest::newRow("picture, kept") << &EditorSession::exportMapImage << "taken"
                                   << "taken.png" << false;
    QTest::newRow("map's tileset, kept") << &EditorSession::exportMap << "taken"
                                         << "taken.tsx" << false;
    QTest::newRow("map's tileset, replaced") << &EditorSession::exportMap << "taken.tmx"
                                             << "taken.tsx" << true;
}

void tst_FilesBeside::replacingAskedOnceTheNameIsFinal()
{
    QFETCH(Command, command);
    QFETCH(QString, typed);
    QFETCH(QString, taken);
    QFETCH(bool, replace);
    SessionDriver d;
    QVERIFY(d.load());
    d.selectTile(9);
    d.clickCell({3, 3});  // something for the patch to hold
    d.session.save();
    const QString pristine = Fixtures::WriteFile(d.dir, QStringLiteral("pristine.nes"), d.original);
    const QString existing = Fixtures::WriteFile(d.dir, taken, "keep me");
    d.platform.openAnswers << pristine;
    d.platform.mapImageAnswers << Platform::MapImageOptions{};
    d.platform.saveAnswers << ScriptedPlatform::SaveAnswer{d.dir.filePath(typed)};
    d.platform.questionAnswers << replace;
    d.platform.messages.clear();
    const auto before = Fixtures::Tree(d.dir.path());
    (d.session.*command)();
    QCOMPARE(d.platform.questions.size(), 1);
    QVERIFY2(d.platform.questions[0].text.contains(u'"' + existing + u'"'), qPrintable(d.platform.questions[0].text));
    QCOMPARE(d.platform.messages.size(), replace ? 1 : 0);  // what was written, when it was
    if (!replace) {
        QVERIFY(Fixtures::Tree(d.dir.path()) == before);  // nothing written at all
    } else {
        QVERIFY(Fixtures::ReadAll(existing) != "keep me");
    }
}

void tst_FilesBeside::noPatchOfFilesAlike()
{
    SessionDriver d;
    QVERIFY(d.load());
    d.platform.openAnswers << d.path;  // the cartridge is its own original
    d.platform.saveAnswers << ScriptedPlatform::SaveAnswer{d.dir.filePath(QStringLiteral("p.bps"))};
    d.session.createPatch();
    QCOMPARE(d.platform.messageTitles(), QStringList{"Patch not created"});
    QVERIFY(d.platform.messages[0].text.contains(QStringLiteral("alike")));
    QVERIFY(!QFileInfo::exists(d.dir.filePath(QStringLiteral("p.bps"))));
}

void tst_FilesBeside::importMap_data()
{
    QTest::addColumn<bool>("shortFile");
    QTest::addColumn<bool>("answer");
    QTest::newRow("imported") << false << true;
    QTest::newRow("declined") << false << false;
    QTest::newRow("refused") << true << true;
}

void tst_FilesBeside::importMap()
{
    QFETCH(bool, shortFile);
    QFETCH(bool, answer);
    SessionDriver d;
    QVERIFY(d.load());
    const QString map =
        Fixtures::WriteFile(d.dir, QStringLiteral("map.csv"), csvWithFourChanges(d.original, shortFile));
    d.platform.openAnswers << map;
    d.platform.questionAnswers << answer;
    const QByteArray before = d.image();
    d.session.importMap();
    if (shortFile) {
        QCOMPARE(d.platform.messageTitles(), QStringList{"Map not imported"});
        QVERIFY(d.platform.messages[0].text.contains(map) && d.platform.questions.isEmpty());
    } else {
        QVERIFY2(d.platform.questions[0].text.contains(QStringLiteral("changes 4 of")),
                 qPrintable(d.platform.questions[0].text));
    }
    const bool imported = answer && !shortFile;
    QCOMPARE(d.session.document().undoStack().count(), imported ? 1 : 0);
    QByteArray expected = before;
    for (const qint64 at : {MapByte(1, 0, 0), MapByte(4, 4, 100), MapByte(7, 8, 200), MapByte(1, 31, 255)}) {
        expected[at - FileLayout::ImageStart] =
            static_cast<char>(before[at - FileLayout::ImageStart] ^ (imported ? 0x80 : 0));
    }
    QCOMPARE(Fixtures::Differences(d.image(), expected), QList<qint64>());
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);  // until Save Changes
}

QTEST_MAIN(tst_FilesBeside)
#include "tst_FilesBeside.moc"
