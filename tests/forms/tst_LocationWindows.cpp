#include "Fixtures.h"
#include "LocationWindow.h"
#include "ScriptedPlatform.h"
#include "frmMain.h"
#include "frmTowns.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <unistd.h>

namespace {

// Shows side windows the way the program does, in a modal loop of their own,
// and runs one scripted step inside each loop. A loop without a step left
// closes its window, so that a fault cannot hang the test.
class ModalLoopPlatform final : public Platform {
public:
    QList<std::optional<QString>> openAnswers;
    QList<std::function<void(QDialog*)>> steps;
    QStringList messages;
    int loops = 0;

    std::optional<QString> openFileName(QWidget*, const QList<FileFilter>&) override
    {
        return openAnswers.isEmpty() ? std::nullopt : openAnswers.takeFirst();
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    void message(QWidget*, const QString& title, const QString& text, Icon) override
    {
        messages << title + u'|' + text;
    }
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    bool startDetached(const QString&, const QStringList&, QString*) override { return false; }
    void showModal(QDialog* dialog) override
    {
        ++loops;
        std::function<void(QDialog*)> step =
            steps.isEmpty() ? [](QDialog* d) { d->close(); } : steps.takeFirst();
        QTimer::singleShot(0, dialog, [dialog, step] { step(dialog); });
        dialog->exec();
    }
    void endProgram() override {}
};

} // namespace

// The items and towns windows, opened from the main window's Game menu on real
// files and driven like a user does: fill, pick on the map, save, close.
class tst_LocationWindows : public QObject {
    Q_OBJECT

private:
    static constexpr qint64 FileSize = 262160;

    struct Kind {
        QString windowName;
        QString caption;
        QList<qint64> offsets;  // column byte, row byte, for every row
        qint64 requiredLength;
        bool storesIntoImage;
    };
    static Kind kind(const QString& name)
    {
        if (name == QLatin1String("items")) {
            return Kind{QStringLiteral("frmIB"),
                        QStringLiteral("Location of Overworld Items & Balloon"),
                        {0x61A0, 0x61A1, 0x61A4, 0x61A5, 0x61A8, 0x61A9, 0x61AC, 0x61AD, 0x61B4, 0x61B5, 0x355E9,
                         0x355EA},
                        218603,
                        true};
        }
        return Kind{QStringLiteral("frmTowns"),
                    QStringLiteral("Location of Towns"),
                    {0x3EABD, 0x3EABE, 0x3EAC1, 0x3EAC2, 0x3EAC9, 0x3EACA, 0x3EAD3, 0x3EAD4, 0x3EAD9, 0x3EADA, 0x3EAE3,
                     0x3EAE4, 0x3EAE5, 0x3EAE6, 0x3EAE7, 0x3EAE8, 0x3EAE9, 0x3EAEA, 0x3EAED, 0x3EAEE, 0x3EAEF, 0x3EAF0,
                     0x3EAF5, 0x3EAF6},
                    256759,
                    false};
    }
    static void addKinds()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("items") << QStringLiteral("items");
        QTest::newRow("towns") << QStringLiteral("towns");
    }

    // A cartridge whose first row holds column 0x0C and row 0x47 in both tables.
    static QByteArray cartridgeBytes()
    {
        QByteArray bytes = Fixtures::Pattern(FileSize, 21);
        bytes[0x61A0] = 0x0C;
        bytes[0x61A1] = 0x47;
        bytes[0x3EABD] = 0x0C;
        bytes[0x3EABE] = 0x47;
        return bytes;
    }

    // The main window, shown, with `path` loaded.
    static bool load(frmMain& w, ScriptedPlatform& p, const QString& path)
    {
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) {
            return false;
        }
        p.openAnswers << path;
        w.mnuFileLoad_Click();
        return w.cartridge().CartridgePath() == path;
    }

    // Chooses the Game menu entry of `name`; the window it shows, or null.
    static LocationWindow* open(frmMain& w, ScriptedPlatform& p, const QString& name)
    {
        const qsizetype shown = p.modals.size();
        if (name == QLatin1String("items")) {
            w.mnuGameItems_Click();
        } else {
            w.mnuGameTowns_Click();
        }
        if (p.modals.size() == shown) {
            return nullptr;
        }
        return qobject_cast<LocationWindow*>(p.modals.last().data());
    }

    static QString text(QWidget* window, const QString& name)
    {
        auto* label = window->findChild<QLabel*>(name);
        return label ? label->text() : QStringLiteral("<no %1>").arg(name);
    }
    static QString sextant(QWidget* window, int row)
    {
        return text(window, QStringLiteral("lblSextant_%1").arg(row));
    }
    static QString block(QWidget* window, int row) { return text(window, QStringLiteral("lblBlock_%1").arg(row)); }
    static void click(QWidget* window, const QString& button)
    {
        auto* b = window->findChild<QPushButton*>(button);
        QVERIFY2(b, qPrintable(button));
        QTest::mouseClick(b, Qt::LeftButton);
    }

    static void chooseBlock(frmMain& w, int block)
    {
        auto* list = w.findChild<QComboBox*>(QStringLiteral("cboBlock"));
        if (list->currentIndex() != block - 1) {
            list->setCurrentIndex(block - 1);
            w.cboBlock_Click();
        }
    }

    // "New Location" on `row`, then a press on the map at a cell of the overworld.
    static void pick(frmMain& w, QWidget* window, int row, int column, int overworldRow)
    {
        click(window, QStringLiteral("cmdLocation_%1").arg(row));
        QVERIFY(!window->isVisible());
        chooseBlock(w, overworldRow / 32 + 1);
        auto* map = w.findChild<QWidget*>(QStringLiteral("picMap"));
        QTest::mousePress(map, Qt::LeftButton, {}, QPoint(column * 16 + 3, (overworldRow % 32) * 16 + 3));
        QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(column * 16 + 3, (overworldRow % 32) * 16 + 3));
    }

    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private slots:
    void cleanup() { deleteClosedWindows(); }

    void layout_data();
    void layout();
    void captions_data();
    void captions();
    void showsFileValues_data();
    void showsFileValues();
    void noFileDoesNothing_data();
    void noFileDoesNothing();
    void pickAndSave_data();
    void pickAndSave();
    void saveUnchangedKeepsFile_data();
    void saveUnchangedKeepsFile();
    void laterPicksOnOneRowKeepTheLast_data();
    void laterPicksOnOneRowKeepTheLast();
    void closingDropsPicks_data();
    void closingDropsPicks();
    void menuAgainRefillsWaitingWindow_data();
    void menuAgainRefillsWaitingWindow();
    void newLoadClosesWaitingWindow_data();
    void newLoadClosesWaitingWindow();
    void openFailure_data();
    void openFailure();
    void saveFailure_data();
    void saveFailure();
    void itemsKeepWaitingWhenTownsClose();
    void pickInsideModalLoops();
    void importantNote();
};

void tst_LocationWindows::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("items client") << "items" << "" << QRect(0, 0, 340, 220);
    QTest::newRow("items Item") << "items" << "Label1_0" << QRect(8, 8, 32, 19);
    QTest::newRow("items Sextant") << "items" << "Label1_1" << QRect(112, 8, 58, 19);
    QTest::newRow("items Block") << "items" << "Label1_2" << QRect(192, 8, 44, 19);
    QTest::newRow("items lblSextant_0") << "items" << "lblSextant_0" << QRect(112, 40, 65, 19);
    QTest::newRow("items lblBlock_5") << "items" << "lblBlock_5" << QRect(192, 160, 41, 19);
    QTest::newRow("items cmdLocation_3") << "items" << "cmdLocation_3" << QRect(248, 112, 81, 19);
    QTest::newRow("items cmdSave") << "items" << "cmdSave" << QRect(248, 192, 81, 19);
    QTest::newRow("items Line1") << "items" << "Line1" << QRect(8, 32, 329, 1);
    QTest::newRow("items Line3") << "items" << "Line3" << QRect(8, 184, 321, 1);
    QTest::newRow("items Line2_1") << "items" << "Line2_1" << QRect(184, 32, 1, 153);
    QTest::newRow("towns client") << "towns" << "" << QRect(0, 0, 315, 361);
    QTest::newRow("towns Town") << "towns" << "Label1_6" << QRect(8, 8, 43, 19);
    QTest::newRow("towns Sextant") << "towns" << "Label1_0" << QRect(80, 8, 58, 19);
    QTest::newRow("towns Block") << "towns" << "Label1_1" << QRect(160, 8, 44, 19);
    QTest::newRow("towns lblSextant_11") << "towns" << "lblSextant_11" << QRect(80, 304, 65, 19);
    QTest::newRow("towns lblBlock_0") << "towns" << "lblBlock_0" << QRect(160, 40, 41, 19);
    QTest::newRow("towns cmdLocation_7") << "towns" << "cmdLocation_7" << QRect(216, 208, 89, 19);
    QTest::newRow("towns Command1") << "towns" << "Command1" << QRect(8, 336, 81, 19);
    QTest::newRow("towns cmdSave") << "towns" << "cmdSave" << QRect(216, 336, 81, 19);
    QTest::newRow("towns Line3") << "towns" << "Line3" << QRect(8, 328, 297, 1);
    QTest::newRow("towns Line4_1") << "towns" << "Line4_1" << QRect(208, 32, 1, 297);
}

void tst_LocationWindows::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, control);
    QFETCH(QRect, geometry);
    QTemporaryDir dir;
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), cartridgeBytes());
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    LocationWindow* window = open(w, p, name);
    QVERIFY(window);
    if (control.isEmpty()) {
        QCOMPARE(window->size(), geometry.size());
        QCOMPARE(window->minimumSize(), window->maximumSize());
        // Centred over the main window.
        QVERIFY2((window->frameGeometry().center() - w.frameGeometry().center()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2 vs %3,%4")
                                .arg(window->frameGeometry().center().x())
                                .arg(window->frameGeometry().center().y())
                                .arg(w.frameGeometry().center().x())
                                .arg(w.frameGeometry().center().y())));
        return;
    }
    auto* widget = window->findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(widget->geometry(), geometry);
}

void tst_LocationWindows::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::newRow("items title") << "items" << "" << "Location of Overworld Items & Balloon";
    QTest::newRow("items Silver Horn") << "items" << "Label1_3" << "Silver Horn:";
    QTest::newRow("items Skull") << "items" << "Label1_4" << "Skull of Kerrath:";
    QTest::newRow("items Fungus") << "items" << "Label1_5" << "Fungus Square:";
    QTest::newRow("items Manroot") << "items" << "Label1_6" << "Manroot Square:";
    QTest::newRow("items Bell") << "items" << "Label1_7" << "Bell of Courage:";
    QTest::newRow("items Balloon") << "items" << "Label1_8" << "Balloon(transport):";
    QTest::newRow("items New Location") << "items" << "cmdLocation_5" << "New Location";
    QTest::newRow("items Save") << "items" << "cmdSave" << "&Save!";
    QTest::newRow("towns title") << "towns" << "" << "Location of Towns";
    QTest::newRow("towns Town") << "towns" << "Label1_6" << "Town";
    QTest::newRow("towns Ferrow") << "towns" << "Label2_0" << "Ferrow:";
    QTest::newRow("towns Wendle Isle") << "towns" << "Label2_5" << "Wendle Isle:";
    QTest::newRow("towns Dravel") << "towns" << "Label2_11" << "Dravel:";
    QTest::newRow("towns New Location") << "towns" << "cmdLocation_11" << "New Location";
    QTest::newRow("towns Read This") << "towns" << "Command1" << "&Read This!";
    QTest::newRow("towns Save") << "towns" << "cmdSave" << "&Save!";
}

void tst_LocationWindows::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, control);
    QTemporaryDir dir;
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), cartridgeBytes());
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    LocationWindow* window = open(w, p, name);
    QVERIFY(window);
    if (control.isEmpty()) {
        QTEST(window->windowTitle(), "caption");
    } else if (auto* button = window->findChild<QPushButton*>(control)) {
        QTEST(button->text(), "caption");
    } else {
        QTEST(text(window, control), "caption");
    }
}

void tst_LocationWindows::showsFileValues_data()
{
    addKinds();
}

void tst_LocationWindows::showsFileValues()
{
    QFETCH(QString, name);
    const Kind k = kind(name);
    QTemporaryDir dir;
    QByteArray bytes = cartridgeBytes();
    // The other rows: a row byte in each block, the column its row's index.
    const QList<int> rows{0, 31, 32, 255, 100, 64, 128, 200, 223, 224, 5, 96};
    for (qsizetype i = 1; i < k.offsets.size() / 2; ++i) {
        bytes[k.offsets[2 * i]] = static_cast<char>(i);
        bytes[k.offsets[2 * i + 1]] = static_cast<char>(rows[i]);
    }
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), bytes);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    LocationWindow* window = open(w, p, name);
    QVERIFY(window);
    QCOMPARE(window->objectName(), k.windowName);
    QCOMPARE(window->parentWidget(), &w);
    QVERIFY(window->isVisible());
    QVERIFY(w.pickState().LocationWindowOpen());
    QCOMPARE(sextant(window, 0), QStringLiteral("(071, 012)"));
    QCOMPARE(block(window, 0), QStringLiteral("3"));
    for (qsizetype i = 1; i < k.offsets.size() / 2; ++i) {
        QCOMPARE(sextant(window, int(i)), QStringLiteral("(%1, %2)")
                                              .arg(rows[i], 3, 10, QChar(u'0'))
                                              .arg(int(i), 3, 10, QChar(u'0')));
        QCOMPARE(block(window, int(i)), QString::number(rows[i] / 32 + 1));
    }
    QCOMPARE(Fixtures::ReadAll(path), bytes);
}

void tst_LocationWindows::noFileDoesNothing_data()
{
    addKinds();
}

void tst_LocationWindows::noFileDoesNothing()
{
    QFETCH(QString, name);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(!open(w, p, name));
    QVERIFY(p.modals.isEmpty());
    QVERIFY(p.messages.isEmpty());
    QVERIFY(!w.findChild<LocationWindow*>());
    QVERIFY(!w.pickState().LocationWindowOpen());
}

void tst_LocationWindows::pickAndSave_data()
{
    addKinds();
}

// New Location on row 2, a press on column 12, row 45 (block 2), then save:
// the file, and for the items window the image, hold the new place; the pick
// itself paints nothing; a later "Save Changes" keeps what the window wrote.
void tst_LocationWindows::pickAndSave()
{
    QFETCH(QString, name);
    const Kind k = kind(name);
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    chooseBlock(w, 2);
    QPointer<LocationWindow> window = open(w, p, name);
    QVERIFY(window);
    const QString row1 = sextant(window, 1);
    const QString row3 = sextant(window, 3);

    click(window, QStringLiteral("cmdLocation_2"));
    QVERIFY(!window->isVisible());
    QVERIFY(window->isLoaded());
    QCOMPARE(w.pickState().PickRow, quint8(2));
    QVERIFY(w.pickState().LocationWindowOpen());
    QCOMPARE(w.pickState().TownsWindowOpen, name == QLatin1String("towns"));
    QCOMPARE(QApplication::activeWindow(), &w);

    const QByteArray imageBefore = w.cartridge().image().bytes();
    const QImage pictureBefore = w.mapPicture().copy();
    auto* map = w.findChild<QWidget*>(QStringLiteral("picMap"));
    QTest::mousePress(map, Qt::LeftButton, {}, QPoint(12 * 16 + 3, (45 - 32) * 16 + 3));
    QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(12 * 16 + 3, (45 - 32) * 16 + 3));
    QVERIFY(window->isVisible());
    QCOMPARE(p.modals.last().data(), window.data());
    QCOMPARE(sextant(window, 2), QStringLiteral("(045, 012)"));
    QCOMPARE(block(window, 2), QStringLiteral("2"));
    QCOMPARE(sextant(window, 1), row1);
    QCOMPARE(sextant(window, 3), row3);
    QVERIFY(w.cartridge().image().bytes() == imageBefore);
    QVERIFY(w.mapPicture() == pictureBefore);
    QCOMPARE(Fixtures::ReadAll(path), before);

    click(window, QStringLiteral("cmdSave"));
    QVERIFY(p.messages.isEmpty());
    QVERIFY(!window || !window->isVisible());
    deleteClosedWindows();
    QVERIFY(!window);
    QVERIFY(!w.pickState().LocationWindowOpen());
    QCOMPARE(QApplication::activeWindow(), &w);

    QByteArray expected = before;
    expected[k.offsets[4]] = 12;
    expected[k.offsets[5]] = 45;
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), expected), QList<qint64>());

    QByteArray imageExpected = imageBefore;
    if (k.storesIntoImage) {
        imageExpected[k.offsets[4] - CartridgeImage::FirstIndex] = 12;
        imageExpected[k.offsets[5] - CartridgeImage::FirstIndex] = 45;
    }
    QCOMPARE(Fixtures::Differences(w.cartridge().image().bytes(), imageExpected), QList<qint64>());
    QVERIFY(w.mapPicture() == pictureBefore);

    // "Save Changes" writes the image range back: the new place, and the rows
    // outside the image, stay as the window wrote them.
    w.mnuFileSave_Click();
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), expected), QList<qint64>());
}

void tst_LocationWindows::saveUnchangedKeepsFile_data()
{
    addKinds();
}

void tst_LocationWindows::saveUnchangedKeepsFile()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    const QByteArray imageBefore = w.cartridge().image().bytes();
    LocationWindow* window = open(w, p, name);
    QVERIFY(window);
    click(window, QStringLiteral("cmdSave"));
    QVERIFY(p.messages.isEmpty());
    QVERIFY(!w.pickState().LocationWindowOpen());
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), before), QList<qint64>());
    QVERIFY(w.cartridge().image().bytes() == imageBefore);
}

void tst_LocationWindows::laterPicksOnOneRowKeepTheLast_data()
{
    addKinds();
}

// Two picks on row 4 and one on row 0, in different blocks: row 4 keeps the
// second, and the save writes exactly those two rows.
void tst_LocationWindows::laterPicksOnOneRowKeepTheLast()
{
    QFETCH(QString, name);
    const Kind k = kind(name);
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    LocationWindow* window = open(w, p, name);
    QVERIFY(window);
    pick(w, window, 4, 3, 10);
    QCOMPARE(sextant(window, 4), QStringLiteral("(010, 003)"));
    pick(w, window, 4, 200, 255);
    pick(w, window, 0, 0, 224);
    QCOMPARE(sextant(window, 4), QStringLiteral("(255, 200)"));
    QCOMPARE(block(window, 4), QStringLiteral("8"));
    QCOMPARE(sextant(window, 0), QStringLiteral("(224, 000)"));
    QCOMPARE(block(window, 0), QStringLiteral("8"));
    click(window, QStringLiteral("cmdSave"));

    QByteArray expected = before;
    expected[k.offsets[0]] = 0;
    expected[k.offsets[1]] = char(224);
    expected[k.offsets[8]] = char(200);
    expected[k.offsets[9]] = char(255);
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), expected), QList<qint64>());
}

void tst_LocationWindows::closingDropsPicks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("escape");
    QTest::newRow("items, close box") << "items" << false;
    QTest::newRow("items, Escape") << "items" << true;
    QTest::newRow("towns, close box") << "towns" << false;
    QTest::newRow("towns, Escape") << "towns" << true;
}

void tst_LocationWindows::closingDropsPicks()
{
    QFETCH(QString, name);
    QFETCH(bool, escape);
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    const QByteArray imageBefore = w.cartridge().image().bytes();
    QPointer<LocationWindow> window = open(w, p, name);
    QVERIFY(window);
    pick(w, window, 0, 99, 150);
    QCOMPARE(sextant(window, 0), QStringLiteral("(150, 099)"));
    if (escape) {
        QTest::keyClick(window, Qt::Key_Escape);
    } else {
        window->close();
    }
    QVERIFY(!w.pickState().LocationWindowOpen());
    deleteClosedWindows();
    QVERIFY(!window);
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), before), QList<qint64>());
    QVERIFY(w.cartridge().image().bytes() == imageBefore);

    // A press on the map paints again rather than picking.
    chooseBlock(w, 1);
    auto* map = w.findChild<QWidget*>(QStringLiteral("picMap"));
    const QImage pictureBefore = w.mapPicture().copy();
    QTest::mousePress(map, Qt::LeftButton, {}, QPoint(5 * 16 + 3, 3 * 16 + 3));
    QVERIFY(w.mapPicture() != pictureBefore);

    window = open(w, p, name);
    QVERIFY(window);
    QCOMPARE(sextant(window, 0), QStringLiteral("(071, 012)"));
    QCOMPARE(block(window, 0), QStringLiteral("3"));
}

void tst_LocationWindows::newLoadClosesWaitingWindow_data()
{
    addKinds();
}

void tst_LocationWindows::newLoadClosesWaitingWindow()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString first = Fixtures::WriteFile(dir, QStringLiteral("first.nes"), before);
    const QString second = Fixtures::WriteFile(dir, QStringLiteral("second.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, first));
    QPointer<LocationWindow> window = open(w, p, name);
    QVERIFY(window);
    click(window, QStringLiteral("cmdLocation_1"));
    QVERIFY(w.pickState().LocationWindowOpen());

    // The waiting window belonged to the first cartridge: loading another one drops it and its picks.
    QVERIFY(load(w, p, second));
    deleteClosedWindows();
    QVERIFY(!window);
    QVERIFY(!w.pickState().LocationWindowOpen());
    QCOMPARE(Fixtures::ReadAll(first), before);
    QCOMPARE(Fixtures::ReadAll(second), before);
}

void tst_LocationWindows::menuAgainRefillsWaitingWindow_data()
{
    addKinds();
}

void tst_LocationWindows::menuAgainRefillsWaitingWindow()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    QPointer<LocationWindow> window = open(w, p, name);
    QVERIFY(window);
    pick(w, window, 0, 1, 2);
    QCOMPARE(sextant(window, 0), QStringLiteral("(002, 001)"));
    click(window, QStringLiteral("cmdLocation_1"));
    QVERIFY(!window->isVisible());

    // Waiting for a pick, the menu entry again: the same window, filled afresh.
    QCOMPARE(open(w, p, name), window.data());
    QVERIFY(window->isVisible());
    QCOMPARE(sextant(window, 0), QStringLiteral("(071, 012)"));
    QCOMPARE(w.findChildren<LocationWindow*>().size(), 1);
    QVERIFY(w.pickState().LocationWindowOpen());
    QCOMPARE(Fixtures::ReadAll(path), before);
}

void tst_LocationWindows::openFailure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("waiting");  // the window already waits for a pick
    QTest::addColumn<QString>("reason");
    QTest::newRow("items, file gone") << "items" << "remove" << false << "does not exist";
    QTest::newRow("items, one byte short") << "items" << "218602" << false << "at least 218603";
    QTest::newRow("items, image only") << "items" << "139280" << false << "at least 218603";
    QTest::newRow("items, short while waiting") << "items" << "218602" << true << "at least 218603";
    QTest::newRow("towns, file gone") << "towns" << "remove" << false << "does not exist";
    QTest::newRow("towns, one byte short") << "towns" << "256758" << false << "at least 256759";
    QTest::newRow("towns, gone while waiting") << "towns" << "remove" << true << "does not exist";
}

void tst_LocationWindows::openFailure()
{
    QFETCH(QString, name);
    QFETCH(QString, damage);
    QFETCH(bool, waiting);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    QPointer<LocationWindow> window;
    if (waiting) {
        window = open(w, p, name);
        QVERIFY(window);
        click(window, QStringLiteral("cmdLocation_0"));
    }
    const qsizetype shown = p.modals.size();

    QByteArray left;
    if (damage == QLatin1String("remove")) {
        QVERIFY(QFile::remove(path));
    } else {
        left = before.left(damage.toLongLong());
        Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), left);
    }
    QVERIFY(!open(w, p, name));
    QCOMPARE(p.modals.size(), shown);
    QCOMPARE(p.messages.size(), 1);
    QVERIFY2(p.messages[0].text.contains(path), qPrintable(p.messages[0].text));
    QVERIFY2(p.messages[0].text.contains(reason), qPrintable(p.messages[0].text));
    QVERIFY(!w.pickState().LocationWindowOpen());
    deleteClosedWindows();
    QVERIFY(!window);
    QVERIFY(!w.findChild<LocationWindow*>());
    if (damage == QLatin1String("remove")) {
        QVERIFY(!QFile::exists(path));
    } else {
        QCOMPARE(Fixtures::ReadAll(path), left);
    }
}

void tst_LocationWindows::saveFailure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason");
    QTest::newRow("items, file gone") << "items" << "remove" << "does not exist";
    QTest::newRow("items, shortened") << "items" << "shorten" << "at least 218603";
    QTest::newRow("items, read-only folder") << "items" << "read-only" << "";
    QTest::newRow("towns, file gone") << "towns" << "remove" << "does not exist";
    QTest::newRow("towns, shortened") << "towns" << "shorten" << "at least 256759";
    QTest::newRow("towns, folder in its place") << "towns" << "folder" << "folder";
}

// A save that cannot write: a message with the reason, the file and the image
// as they were, and the window still open with its picks.
void tst_LocationWindows::saveFailure()
{
    QFETCH(QString, name);
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    if (damage == QLatin1String("read-only") && ::geteuid() == 0) {
        QSKIP("permissions do not stop the superuser");
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("carts"));
    QVERIFY(QDir().mkpath(folder));
    const QByteArray before = cartridgeBytes();
    const QString path = folder + QStringLiteral("/cart.nes");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(before), before.size());
    }
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    LocationWindow* window = open(w, p, name);
    QVERIFY(window);
    pick(w, window, 1, 44, 77);
    const QByteArray imageBefore = w.cartridge().image().bytes();

    QByteArray expectedFile = before;
    if (damage == QLatin1String("remove")) {
        QVERIFY(QFile::remove(path));
    } else if (damage == QLatin1String("shorten")) {
        expectedFile = before.left(kind(name).requiredLength - 1);
        QFile file(path);
        QVERIFY(file.resize(expectedFile.size()));
    } else if (damage == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    } else {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    }

    click(window, QStringLiteral("cmdSave"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(p.messages.size(), 1);
    QVERIFY2(p.messages[0].text.contains(reason), qPrintable(p.messages[0].text));
    QVERIFY(window->isVisible());
    QVERIFY(window->isLoaded());
    QVERIFY(w.pickState().LocationWindowOpen());
    QCOMPARE(sextant(window, 1), QStringLiteral("(077, 044)"));
    QVERIFY(w.cartridge().image().bytes() == imageBefore);
    if (damage == QLatin1String("remove") || damage == QLatin1String("folder")) {
        QVERIFY(!QFileInfo(path).isFile());
    } else {
        QCOMPARE(Fixtures::ReadAll(path), expectedFile);
    }
}

// The items window waits for a pick; the towns window is opened and closed in
// between. Presses on the map still go to the items window, to its own row.
void tst_LocationWindows::itemsKeepWaitingWhenTownsClose()
{
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    LocationWindow* items = open(w, p, QStringLiteral("items"));
    QVERIFY(items);
    click(items, QStringLiteral("cmdLocation_1"));

    QPointer<LocationWindow> towns = open(w, p, QStringLiteral("towns"));
    QVERIFY(towns);
    pick(w, towns, 9, 30, 40);
    QCOMPARE(sextant(towns, 9), QStringLiteral("(040, 030)"));
    towns->close();
    deleteClosedWindows();
    QVERIFY(!towns);
    QVERIFY(!w.pickState().TownsWindowOpen);
    QVERIFY(w.pickState().LocationWindowOpen());

    const QImage pictureBefore = w.mapPicture().copy();
    const QByteArray imageBefore = w.cartridge().image().bytes();
    auto* map = w.findChild<QWidget*>(QStringLiteral("picMap"));
    QTest::mousePress(map, Qt::LeftButton, {}, QPoint(7 * 16 + 3, 6 * 16 + 3));
    QVERIFY(items->isVisible());
    QCOMPARE(sextant(items, 1), QStringLiteral("(038, 007)"));
    QCOMPARE(block(items, 1), QStringLiteral("2"));
    QVERIFY(w.mapPicture() == pictureBefore);
    QVERIFY(w.cartridge().image().bytes() == imageBefore);
    QCOMPARE(Fixtures::ReadAll(path), before);
}

// The program's own modal display: the window leaves its loop when it hides
// for a pick and must still be there, waiting, when the map hands the pick over.
void tst_LocationWindows::pickInsideModalLoops()
{
    QTemporaryDir dir;
    const QByteArray before = cartridgeBytes();
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ModalLoopPlatform p;
    frmMain w(p);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    p.openAnswers << path;
    w.mnuFileLoad_Click();
    QCOMPARE(w.cartridge().CartridgePath(), path);

    QPointer<QDialog> window;
    QString picked;
    p.steps << [&window](QDialog* d) {
        window = d;
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdLocation_2")), Qt::LeftButton);
    };
    p.steps << [&picked](QDialog* d) {
        picked = d->findChild<QLabel*>(QStringLiteral("lblSextant_2"))->text();
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    };
    w.mnuGameItems_Click();
    QCOMPARE(p.loops, 1);
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    QVERIFY(w.pickState().LocationWindowOpen());

    auto* map = w.findChild<QWidget*>(QStringLiteral("picMap"));
    QTest::mousePress(map, Qt::LeftButton, {}, QPoint(12 * 16 + 3, 13 * 16 + 3));
    QCOMPARE(p.loops, 2);
    QCOMPARE(picked, QStringLiteral("(013, 012)"));
    QVERIFY(p.messages.isEmpty());
    deleteClosedWindows();
    QVERIFY(!window);
    QVERIFY(!w.pickState().LocationWindowOpen());
    QByteArray expected = before;
    expected[0x61A8] = 12;
    expected[0x61A9] = 13;
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), expected), QList<qint64>());
}

void tst_LocationWindows::importantNote()
{
    QTemporaryDir dir;
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), cartridgeBytes());
    ScriptedPlatform p;
    frmMain w(p);
    QVERIFY(load(w, p, path));
    LocationWindow* towns = open(w, p, QStringLiteral("towns"));
    QVERIFY(towns);
    click(towns, QStringLiteral("Command1"));
    QCOMPARE(p.messages.size(), 1);
    QCOMPARE(p.messages[0].title, QStringLiteral("Important Note"));
    QCOMPARE(p.messages[0].icon, Platform::Icon::Exclamation);
    const QString text = QStringLiteral(u"I haven\u00B4t full tested the towns' warp system. All\r\n"
                                        u"I know is that if you put more than 2 or 3 towns\r\n"
                                        u"in the same screen, the warps won\u00B4t work. It\u00B4s\r\n"
                                        u"still buggy, so be careful. If you find out how\r\n"
                                        u"does the warp thing works, please mail me!\r\n"
                                        u"(I won\u00B4t try. I\u00B4m sicked of finding game's data :P)\r\n"
                                        u"\r\n"
                                        u"orvane-editor@users.noreply.example");
    QCOMPARE(p.messages[0].text, text);
    QVERIFY(towns->isVisible());
}

QTEST_MAIN(tst_LocationWindows)
#include "tst_LocationWindows.moc"
