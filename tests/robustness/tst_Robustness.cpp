#include "FileFaults.h"
#include "Fixtures.h"
#include "WindowSteps.h"

#include <QAction>
#include <QDir>
#include <QtTest>

using namespace WindowSteps;

Q_DECLARE_METATYPE(FileLayout::Route)

// Files of every length that matters through every step, the whole file compared; each way a file fails.
class tst_Robustness : public QObject {
    Q_OBJECT

    // Each Game window refuses a short file, or shows its values and saves one change.
    static void gameWindows(MainWindowDriver& d, QByteArray& file, QByteArray& image, QRandomGenerator& rng)
    {
        for (Route route : GameRoutes()) {
            const QString step = RouteName(route);
            d.platform.messages.clear();
            QPointer<QDialog> window = Open(d, route);
            if (file.size() < RequiredLength(route)) {
                // (What the refusal says: changedUnderWindow.)
                QVERIFY2(!window && d.platform.messages.size() == 1,
                         qPrintable(step + QStringLiteral(" on a short file")));
            } else {
                QVERIFY2(window, qPrintable(step + QStringLiteral(" did not open")));
                const QString shown = ShownMismatch(window, route, file);
                QVERIFY2(shown.isEmpty(), qPrintable(step + QStringLiteral(": ") + shown));
                const QList<FilePatch> patches = Edit(d, window, route, rng);
                MainWindowDriver::click(window, QStringLiteral("cmdSave"));
                MainWindowDriver::deleteClosed();
                QVERIFY2(!window && d.platform.messages.isEmpty(), qPrintable(step + QStringLiteral(" was not saved")));
                Apply(file, patches);
                for (const FilePatch& p : route == Route::Items ? patches : QList<FilePatch>{}) {
                    if (p.offset >= ImageStart && p.offset < ImageEnd) {
                        image[p.offset - ImageStart] = p.bytes[0];  // the items window stores into the image too
                    }
                }
            }
            QVERIFY2(Fixtures::ReadAll(d.path) == file, qPrintable(step + QStringLiteral(": the file")));
            QVERIFY2(d.session.image().bytes() == image, qPrintable(step + QStringLiteral(": image")));
        }
    }

    static void saveChanges(MainWindowDriver& d, QByteArray& file, const QByteArray& image)
    {
        d.platform.messages.clear();
        d.action("mnuFileSave")->trigger();
        file.append(QByteArray(std::max<qint64>(0, ImageEnd - file.size()), '\0'));
        file.replace(ImageStart, image.size(), image);
        QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("File saved")});
        QCOMPARE(d.platform.messages[0].text, QStringLiteral("The file: \"") + d.path + QStringLiteral("\" was saved"));
        QVERIFY(Fixtures::ReadAll(d.path) == file);
    }

private slots:
    void changedUnderWindow_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("step");  // "open", "open while waiting" for a pick, "save" or "load"
        for (const FileFaults::Fault& fault : FileFaults::All()) {
            const QByteArray name = fault.name.toUtf8();
            // A short file is asked about on a load and grown by Save Changes: everyStep.
            if (fault.name != QLatin1String("short")) {
                QTest::addRow("%s, Save Changes", name.data()) << fault.name << Route::Map << QStringLiteral("save");
                QTest::addRow("%s, load", name.data()) << fault.name << Route::Map << QStringLiteral("load");
            }
            for (Route route : GameRoutes()) {
                for (const char* step : {"open", "save"}) {
                    QTest::addRow("%s, %s %s", name.data(), step, qPrintable(RouteName(route)))
                        << fault.name << route << QString::fromLatin1(step);
                }
            }
            for (Route route : {Route::Items, Route::Towns}) {
                QTest::addRow("%s, open %s while waiting", name.data(), qPrintable(RouteName(route)))
                    << fault.name << route << QStringLiteral("open while waiting");
            }
        }
    }

    // The file fails before an open, a save or a load: a message naming it and
    // why, nothing on disk changed, the image, window and edit kept.
    void changedUnderWindow()
    {
        QFETCH(QString, change);
        QFETCH(Route, route);
        QFETCH(QString, step);
        const bool save = step == QLatin1String("save");
        const bool load = step == QLatin1String("load");
        QRandomGenerator rng(static_cast<quint32>(qHash(QString(change + RouteName(route)))));
        MainWindowDriver d(Fixtures::Pattern(262160, 77));
        QVERIFY(QDir(d.dir.path()).mkdir(QStringLiteral("sub")));
        if (!load) {  // the cartridge in a folder of its own, for the faults that remove it
            QVERIFY(QFile::rename(d.path, d.dir.filePath(QStringLiteral("sub/cart.nes"))));
            d.path = d.dir.filePath(QStringLiteral("sub/cart.nes"));
        }
        QVERIFY(d.load());
        const QString loaded = d.path;
        QPointer<QDialog> window = step == QLatin1String("open") || route == Route::Map ? nullptr : Open(d, route);
        QVERIFY(window || step == QLatin1String("open") || route == Route::Map);
        QByteArray edited = d.original;
        if (route == Route::Map) {
            d.pickTileFromStrip(5);
            d.press(QPointF(3 * 16 + 2, 4 * 16 + 2));
        } else if (save) {
            const QList<FilePatch> patches = Edit(d, window, route, rng);
            QVERIFY(!patches.isEmpty());
            Apply(edited, patches);
        } else if (window) {
            MainWindowDriver::click(window, QStringLiteral("cmdLocation_0"));
            QVERIFY(d.session.picker().isWaiting());
        }
        if (load) {  // from here on d.path names the file chosen to load
            d.path = Fixtures::WriteFile(d.dir, QStringLiteral("sub/other.nes"), d.original);
        }
        // A short file loses just its last needed byte.
        QVERIFY(FileFaults::Make(d.path, change, RequiredLength(route) - 1));
        const auto disk = Fixtures::Tree(d.dir.path());
        const QByteArray image = d.session.image().bytes();
        const qsizetype shown = d.modals.shown.size();

        if (load) {
            d.platform.openAnswers << d.path;
            d.action("mnuFileLoad")->trigger();
        } else if (!save) {
            QVERIFY(!Open(d, route));
        } else if (route == Route::Map) {
            d.action("mnuFileSave")->trigger();
        } else {
            MainWindowDriver::click(window, QStringLiteral("cmdSave"));
        }
        MainWindowDriver::deleteClosed();

        QCOMPARE(d.platform.messages.size(), 1);  // naming the file and why
        const QString& text = d.platform.messages[0].text;
        QVERIFY2(text.contains(d.path) && text.contains(FileFaults::Reason(change, RequiredLength(route))),
                 qPrintable(text));
        QVERIFY2(Fixtures::Tree(d.dir.path()) == disk, "the refused step changed the disk");
        QVERIFY(d.session.image().bytes() == image);
        if (!save && !load) {
            QCOMPARE(d.modals.shown.size(), shown);
            QVERIFY(!window && !d.window.findChild<QDialog*>());
            QVERIFY(!d.session.picker().isWaiting());
            return;
        }
        if (load) {
            QCOMPARE(d.session.cartridgePath(), loaded);
            QVERIFY(d.window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->isEnabled());
            return;
        }
        const QString title = d.platform.messages[0].title;
        QVERIFY2(title.endsWith(QLatin1String("not saved")), qPrintable(title));
        if (route != Route::Map) {
            QVERIFY(window && window->isVisible());
            const QString mismatch = ShownMismatch(window, route, edited);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
            QVERIFY(!d.session.picker().isWaiting());
        }
    }

    void everyStep_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("loadShort");  // the answer to the short-file question
        for (qint64 size : QList<qint64>{0, 1, 16, 3912, 3913, ImageStart, ImageEnd - 1, ImageEnd, 218602, 218603,
                                         218700, 218701, 256758, 256759, 262160, 1048576}) {
            QTest::addRow("%lld bytes", size) << size << true;
            if (size < ImageEnd) {
                QTest::addRow("%lld bytes, not loaded", size) << size << false;
            }
        }
    }

    void everyStep()
    {
        QFETCH(qint64, size);
        QFETCH(bool, loadShort);
        const auto seed = static_cast<quint32>(size * 7 + (loadShort ? 1 : 0) + 1);
        QRandomGenerator rng(seed);
        QByteArray file = Fixtures::Pattern(size, seed);
        MainWindowDriver d(QByteArray(1, 'x'));
        d.original = file;
        Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), file);

        // A file too short for the signature is asked about first, and taken.
        const bool noSignature = size < 4;
        if (noSignature) {
            d.platform.questionAnswers << true;
        }
        d.platform.questionAnswers << loadShort;
        const bool loaded = d.load();
        QCOMPARE(d.platform.questions.size(), int(noSignature) + (size < ImageEnd ? 1 : 0));
        if (size < ImageEnd) {
            // The question names the file, its length and the length the map needs.
            const QString question = d.platform.questions.last().text;
            QVERIFY2(question.contains(d.path) &&
                         question.contains(size == 1 ? QStringLiteral("is 1 byte long")
                                                     : QStringLiteral("is %1 bytes long").arg(size)) &&
                         question.contains(QString::number(ImageEnd)),
                     qPrintable(question));
        }
        if (!loadShort) {
            // "No": nothing is loaded, and nothing can be saved or opened.
            QVERIFY(!loaded);
            d.action("mnuFileSave")->trigger();
            for (Route route : GameRoutes()) {
                QVERIFY(!Open(d, route));
            }
            QVERIFY(d.platform.messages.isEmpty());
            QCOMPARE(Fixtures::ReadAll(d.path), file);
            return;
        }
        QVERIFY(loaded);
        QByteArray image = file.mid(ImageStart, ImageEnd - ImageStart);
        image.append(QByteArray(ImageEnd - ImageStart - image.size(), '\0'));
        QVERIFY(d.session.image().bytes() == image);

        // Every block drawn to its end and one random cell of each painted.
        for (int block = 1; block <= 8; ++block) {
            d.chooseBlock(block);
            const int column = rng.bounded(256), localRow = rng.bounded(32), tile = rng.bounded(256);
            d.pickTileFromStrip(tile);
            d.press(QPointF(column * 16 + rng.bounded(16), localRow * 16 + rng.bounded(16)));
            image[MapByte(block, localRow, column) - ImageStart] = static_cast<char>(tile);
        }
        QVERIFY(d.session.image().bytes() == image);
        QCOMPARE(Fixtures::ReadAll(d.path), file);

        gameWindows(d, file, image, rng);
        QVERIFY(!QTest::currentTestFailed());
        saveChanges(d, file, image);
    }
};

QTEST_MAIN(tst_Robustness)
#include "tst_Robustness.moc"
