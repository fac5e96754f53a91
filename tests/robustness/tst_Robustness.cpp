#include "Fixtures.h"
#include "WindowSteps.h"

#include <QtTest>

using namespace WindowSteps;

// Files of every length around the lengths the program cares about, with
// random contents, taken through everything a user can do to them: load
// (answering the short-file question both ways), draw and paint all eight
// blocks, open every Game window, change and save each, save from the main window.
// After every step the whole file is compared with the bytes it must hold.
class tst_Robustness : public QObject {
    Q_OBJECT

    // Opens every Game window in turn: each either refuses with a message
    // naming the file and the length it lacks, or shows the file's values and
    // is saved after one change.
    static void gameWindows(MainWindowDriver& d, QByteArray& file, QByteArray& image, QRandomGenerator& rng)
    {
        for (Route route : GameRoutes()) {
            const QString step = RouteName(route);
            d.platform.messages.clear();
            QPointer<QDialog> window = Open(d, route);
            if (file.size() < RequiredLength(route)) {
                QVERIFY2(!window, qPrintable(step + QStringLiteral(" opened on a short file")));
                const QString text = d.platform.messages.value(0).text;
                QVERIFY2(text.contains(d.path) && text.contains(QString::number(file.size())) &&
                             text.contains(QString::number(RequiredLength(route))),
                         qPrintable(text));
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
            const QString mismatch = FileMismatch(d.path, file, step);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
            QVERIFY2(d.session.cartridge().image().bytes() == image, qPrintable(step + QStringLiteral(": image")));
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
        QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Exclamation);
        const QString mismatch = FileMismatch(d.path, file, QStringLiteral("Save Changes"));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

private slots:
    void everyStep_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("loadShort");  // the answer to the short-file question
        for (qint64 size : QList<qint64>{0, 16, 3912, 3913, ImageStart, ImageEnd - 1, ImageEnd, 218602, 218603, 218700,
                                         218701, 256758, 256759, 262160, 1048576}) {
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
            QVERIFY2(question.contains(d.path) && question.contains(QStringLiteral("%1 bytes long").arg(size)) &&
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
        QVERIFY(d.session.cartridge().image().bytes() == image);

        // Every block drawn to its end and one random cell of each painted.
        for (int block = 1; block <= 8; ++block) {
            d.chooseBlock(block);
            QCOMPARE(d.window.windowTitle(), EditorSession::Title());
            const int column = rng.bounded(256), localRow = rng.bounded(32), tile = rng.bounded(256);
            d.pickTileFromStrip(tile);
            d.press(QPointF(column * 16 + rng.bounded(16), localRow * 16 + rng.bounded(16)));
            image[MapByte(block, localRow, column) - ImageStart] = static_cast<char>(tile);
        }
        QVERIFY(d.session.cartridge().image().bytes() == image);
        QCOMPARE(Fixtures::ReadAll(d.path), file);

        gameWindows(d, file, image, rng);
        QVERIFY(!QTest::currentTestFailed());
        saveChanges(d, file, image);
    }
};

QTEST_MAIN(tst_Robustness)
#include "tst_Robustness.moc"
