#include "core/CartridgeImage.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "WindowSteps.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace WindowSteps;

// Files of every length around the lengths the program cares about, with
// random contents, taken through everything a user can do to them: load
// (answering the short-file question both ways), draw all eight blocks, paint,
// open every Game window, save from each and from the main window. After
// every step the whole file is compared with the bytes it must hold.
class tst_Robustness : public QObject {
    Q_OBJECT

private:
    static constexpr qint64 ImageStart = CartridgeImage::FirstIndex;
    static constexpr qint64 ImageEnd = CartridgeImage::LastIndex + 1;

    int m_files = 0;
    int m_steps = 0;

    // Opens every Game window in turn: each either refuses with a message
    // naming the file and the length it lacks, or shows the file's values.
    // `edit` makes one change in each window before saving it; otherwise the
    // window is saved as shown. `file` and `image` follow what must happen.
    void gameWindows(MainWindowDriver& d, QByteArray& file, QByteArray& image, bool edit, QRandomGenerator& rng)
    {
        for (Route route : GameRoutes()) {
            const QString step = RouteName(route) + (edit ? QStringLiteral(" edited") : QStringLiteral(" unchanged"));
            const qsizetype messages = d.platform.messages.size();
            QDialog* window = Open(d, route);
            ++m_steps;
            const QString opened = FileMismatch(d.path, file, QStringLiteral("opening ") + step);
            QVERIFY2(opened.isEmpty(), qPrintable(opened));
            if (file.size() < RequiredLength(route)) {
                QVERIFY2(!window, qPrintable(step + QStringLiteral(" opened on a short file")));
                QCOMPARE(d.platform.messages.size(), messages + 1);
                const QString text = d.platform.messages.last().text;
                QVERIFY2(text.contains(d.path) && text.contains(QString::number(file.size())) &&
                             text.contains(QString::number(RequiredLength(route))),
                         qPrintable(text));
            } else {
                QVERIFY2(window, qPrintable(step + QStringLiteral(" did not open")));
                QCOMPARE(d.platform.messages.size(), messages);
                const QString shown = ShownMismatch(window, route, file);
                QVERIFY2(shown.isEmpty(), qPrintable(step + QStringLiteral(": ") + shown));
                QList<FilePatch> patches;
                if (edit) {
                    patches = Edit(d, window, route, rng);
                    QVERIFY(!patches.isEmpty());
                }
                QPointer<QDialog> guard(window);
                MainWindowDriver::click(window, QStringLiteral("cmdSave"));
                QCOMPARE(d.platform.messages.size(), messages);
                MainWindowDriver::deleteClosed();
                QVERIFY2(guard.isNull(), qPrintable(step + QStringLiteral(" stayed open after its save")));
                Apply(file, patches);
                if (route == Route::Items) {
                    // The items window also puts what it wrote into the image.
                    for (const auto& [column, row] : LocationOffsets(route)) {
                        for (qint64 offset : {column, row}) {
                            if (CartridgeImage::contains(offset)) {
                                image[offset - ImageStart] = file[offset];
                            }
                        }
                    }
                }
            }
            const QString mismatch = FileMismatch(d.path, file, step);
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
            QVERIFY2(d.window.cartridge().image().bytes() == image, qPrintable(step + QStringLiteral(": image")));
        }
    }

private slots:
    void cleanupTestCase()
    {
        qInfo("robustness: %d files tried, %d steps checked byte for byte", m_files, m_steps);
    }

    void everyStep_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("loadShort");  // the answer to the short-file question
        const QList<qint64> sizes{0,      1,      16,     3912,   3913,   16399,  16400,  139279, 139280, 218602,
                                  218603, 218700, 218701, 256758, 256759, 262160, 262161, 1048576};
        for (qint64 size : sizes) {
            if (size < ImageEnd) {
                QTest::addRow("%lld bytes, loaded", size) << size << true;
                QTest::addRow("%lld bytes, not loaded", size) << size << false;
            } else {
                QTest::addRow("%lld bytes", size) << size << true;
            }
        }
    }

    void everyStep()
    {
        QFETCH(qint64, size);
        QFETCH(bool, loadShort);
        ++m_files;
        const auto seed = static_cast<quint32>(size * 7 + (loadShort ? 1 : 0) + 1);
        QRandomGenerator rng(seed);
        QByteArray file = Fixtures::Pattern(size, seed);
        MainWindowDriver d(QByteArray(1, 'x'));
        d.original = file;
        Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), file);
        const bool isShort = size < ImageEnd;

        // Load: a load never writes.
        d.platform.questionAnswers << loadShort;
        const bool loaded = d.load();
        ++m_steps;
        QCOMPARE(d.platform.questions.size(), isShort ? 1 : 0);
        QString mismatch = FileMismatch(d.path, file, QStringLiteral("the load"));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        QVERIFY(d.platform.messages.isEmpty());
        if (isShort && !loadShort) {
            // "No": nothing is loaded, and nothing can be saved or opened.
            QVERIFY(!loaded);
            QVERIFY(d.window.cartridge().CartridgePath().isEmpty());
            d.window.mnuFileSave_Click();
            for (Route route : GameRoutes()) {
                QVERIFY(!Open(d, route));
            }
            QVERIFY(d.platform.messages.isEmpty());
            mismatch = FileMismatch(d.path, file, QStringLiteral("a save after \"No\""));
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
            ++m_steps;
            return;
        }
        QVERIFY(loaded);
        // The image: the file's bytes from 16400 on, zeros past its end.
        QByteArray image = file.mid(ImageStart, ImageEnd - ImageStart);
        image.append(QByteArray(ImageEnd - ImageStart - image.size(), '\0'));
        QVERIFY(d.window.cartridge().image().bytes() == image);

        // Every block drawn, a few random cells of each painted, one tile picked with the right button.
        for (int block = 1; block <= 8; ++block) {
            if (block > 1) {
                d.chooseBlock(block);
            }
            QCOMPARE(d.window.currentBlock(), block);
            QCOMPARE(d.window.windowTitle(), frmMain::Title());  // the drawing ran to its end
            const qint64 blockStart = ImageStart + 16384 * (block - 1);
            for (int paint = 0; paint < 4; ++paint) {
                const int column = rng.bounded(256);
                const int localRow = rng.bounded(32);
                const QPointF where(column * 16 + rng.bounded(16), localRow * 16 + rng.bounded(16));
                const qint64 offset = blockStart + 256 * localRow + column;
                if (paint == 3) {
                    d.press(where, Qt::RightButton);
                    QCOMPARE(d.window.currentTile(), std::optional<int>(static_cast<quint8>(image[offset - ImageStart])));
                } else {
                    const int tile = rng.bounded(256);
                    d.window.SelectTile(tile * 32 + rng.bounded(32));
                    d.press(where);
                    image[offset - ImageStart] = static_cast<char>(tile);
                }
            }
            ++m_steps;
            QVERIFY2(d.window.cartridge().image().bytes() == image,
                     qPrintable(QStringLiteral("image after painting block %1").arg(block)));
            mismatch = FileMismatch(d.path, file, QStringLiteral("drawing and painting block %1").arg(block));
            QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        }

        // The Game windows on the file as it is, saved as shown.
        gameWindows(d, file, image, false, rng);
        if (QTest::currentTestFailed()) {
            return;
        }

        // "Save Changes": offsets 16400..139279 from the image; a shorter file grows, zero-filled.
        d.platform.messages.clear();
        d.window.mnuFileSave_Click();
        ++m_steps;
        if (file.size() < ImageEnd) {
            file.append(QByteArray(ImageEnd - file.size(), '\0'));
        }
        file.replace(ImageStart, image.size(), image);
        QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("File saved")});
        mismatch = FileMismatch(d.path, file, QStringLiteral("Save Changes"));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

        // The Game windows again, now on the saved file, each with one change.
        d.platform.messages.clear();
        gameWindows(d, file, image, true, rng);
        if (QTest::currentTestFailed()) {
            return;
        }

        // Nothing changed since: a second save writes the same bytes.
        d.platform.messages.clear();
        d.window.mnuFileSave_Click();
        ++m_steps;
        QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("File saved")});
        mismatch = FileMismatch(d.path, file, QStringLiteral("a second Save Changes"));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
};

QTEST_MAIN(tst_Robustness)
#include "tst_Robustness.moc"
