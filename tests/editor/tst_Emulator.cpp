#include "FileLayout.h"
#include "Fixtures.h"
#include "SessionDriver.h"
#include "core/MapJournal.h"

#include <QSettings>
#include <QtTest>

#include <array>

namespace {

// A stand-in emulator: its nth run writes its arguments, one a line, to "<script>.n.args" and copies
// the file it got (its last argument, after any "--rom=") at once to "<script>.n.nes".
QString WriteStandIn(const QTemporaryDir& dir, const QString& name)
{
    const QString path = Fixtures::WriteFile(dir, name,
                                             "#!/bin/sh\nmkdir -p \"$0.d\"; n=$(($(ls \"$0.d\" | wc -l) + 1))\n"
                                             "for a; do f=${a#--rom=}; done; cp -- \"$f\" \"$0.$n.nes\"\n"
                                             "printf '%s\\n' \"$@\" > \"$0.$n.args\"; touch \"$0.d/$n\"\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// What run `n` of the stand-in left, once it has ended.
QByteArray RunOutput(const QString& standIn, int n, const QString& suffix)
{
    (void)QTest::qWaitFor([&] { return QFileInfo::exists(QStringLiteral("%1.d/%2").arg(standIn).arg(n)); }, 10000);
    return Fixtures::ReadAll(QStringLiteral("%1.%2.%3").arg(standIn).arg(n).arg(suffix));
}

}  // namespace

class tst_Emulator : public QObject {
    Q_OBJECT

private slots:
    // Each run gets the cartridge with exactly the unsaved edits so far, as a file of its own of the cartridge's
    // name, one argument wherever %f stands (else last) whatever the name holds. The cartridge, the journal and
    // the history stay; the copies go at the end. Nothing runs before a load or after the end.
    void runsTheUnsavedEdits()
    {
        QTemporaryDir tools;
        const QString standIn = WriteStandIn(tools, QStringLiteral("my emulator"));
        SessionDriver d;
        const QString name = QStringLiteral("it's \"my\";  $HOME %f.nes");
        d.path = Fixtures::WriteFile(d.dir, name, d.original);
        d.platform.startsForReal = true;
        d.session.testInEmulator();  // nothing loaded yet: nothing happens
        QVERIFY(d.load());
        QByteArray expected = d.original;
        QStringList files;
        const QStringList commands{" -x \"a b\"", " -y --rom=%f"}, arguments{"-x|a b|F", "-y|--rom=F"};
        for (const auto& [block, row, column, tile] : {std::array{1, 0, 0, 7}, std::array{8, 31, 255, 200}}) {
            d.selectTile(tile);
            d.clickCell(MapCell::InBlock(block, row, column));
            expected[FileLayout::MapByte(block, row, column)] = char(tile);
            const QByteArray journal = Fixtures::ReadAll(MapJournal::JournalPath(d.path));
            const int steps = d.session.document().undoStack().count();
            const int run = int(files.size());
            d.platform.textAnswers << u'"' + standIn + u'"' + commands[run];
            d.session.chooseEmulator();
            d.session.testInEmulator();
            QCOMPARE(RunOutput(standIn, run + 1, "nes"), expected);
            const QString last = d.platform.started.value(run).second.value(2 - run);  // the file's argument
            files << last.mid(last.indexOf(u'/'));
            QCOMPARE(QString::fromLocal8Bit(RunOutput(standIn, run + 1, "args")).trimmed().split(u'\n').join(u'|'),
                     QString(arguments[run]).replace(u'F', files[run]));
            QCOMPARE(Fixtures::ReadAll(d.path), d.original);
            QCOMPARE(Fixtures::ReadAll(MapJournal::JournalPath(d.path)), journal);
            QVERIFY(d.session.document().isModified() && d.session.document().undoStack().count() == steps);
        }
        QVERIFY(QFileInfo(files[0]).fileName() == name && QFileInfo(files[1]).fileName() == name);
        QVERIFY(!files[0].startsWith(d.dir.path()) && files[0] != files[1] && QFileInfo::exists(files[0]));
        d.session.shutDown();
        QVERIFY(!QFileInfo::exists(files[0].section(u'/', 0, -3)));
        d.session.testInEmulator();  // the program is ending: nothing starts
        QVERIFY(d.platform.started.size() == 2 && d.platform.messages.isEmpty());
    }

    // Without a command, the first of fceux, nestopia and mednafen on the PATH opens the file; with
    // none a message names them. A start that fails, a cartridge that is gone and a command without a program
    // are reported; an emptied cartridge gives the image alone.
    void start_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<QString>("started");  // the program, or "" when nothing starts; "!" when its start fails
        QTest::addColumn<QString>("message");  // a part of the message shown
        QTest::newRow("none") << QString() << QStringList{"fceux.sh"} << QString() << "and mednafen is on the PATH";
        QTest::newRow("mednafen") << QString() << QStringList{"mednafen"} << "mednafen" << QString();
        QTest::newRow("nestopia") << QString() << QStringList{"mednafen", "nestopia"} << "nestopia" << QString();
        QTest::newRow("fceux") << QString() << QStringList{"mednafen", "fceux", "nestopia"} << "fceux" << QString();
        QTest::newRow("start fails") << "emu -f" << QStringList{} << QStringLiteral("!")
                                     << "\"emu\" could not be started: No such program.";
        QTest::newRow("file gone") << "emu" << QStringList{} << QString() << "cart.nes";
        QTest::newRow("file emptied") << "emu" << QStringList{} << "emu" << QString();
        QTest::newRow("no program") << "\"\"" << QStringList{} << QString() << "names no program";
    }
    void start()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, onPath);
        QFETCH(QString, started);
        QFETCH(QString, message);
        QTemporaryDir bin;
        for (const QString& program : onPath) {
            WriteStandIn(bin, program);
        }
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        SessionDriver d;
        QVERIFY(d.load());
        d.platform.textAnswers << command;
        d.session.chooseEmulator();
        d.platform.startSucceeds = started != "!";
        QVERIFY(QTest::currentDataTag() != QByteArray("file gone") || QFile::remove(d.path));
        QVERIFY(QTest::currentDataTag() != QByteArray("file emptied") || QFile::resize(d.path, 0));
        d.session.testInEmulator();
        qputenv("PATH", path);
        QCOMPARE(d.platform.started.value(0).first, started == "!" ? QString("emu") : started);
        QCOMPARE(d.platform.messages.size(), int(!message.isEmpty()));
        QVERIFY(message.isEmpty() || d.platform.messages[0].text.contains(message));
    }

    // The command is remembered across runs; cancelling the question keeps it.
    void commandRemembered()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath("editor.conf"), QSettings::IniFormat);
        for (const auto& answer : {std::optional<QString>(" emu -f %f "), std::optional<QString>()}) {
            SessionDriver d;
            d.platform.settingsStore = &settings;
            d.platform.textAnswers << answer;
            d.session.chooseEmulator();
            QCOMPARE(d.platform.textsOffered, QStringList{answer ? "" : "emu -f %f"});
        }
        QCOMPARE(settings.value("emulator/command").toString(), QStringLiteral("emu -f %f"));
    }
};

QTEST_MAIN(tst_Emulator)
#include "tst_Emulator.moc"
