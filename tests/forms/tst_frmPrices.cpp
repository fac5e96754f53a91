#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "frmPrices.h"

#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

// The prices window, opened through the main window on real files: what is
// shown, what a save writes, and that nothing is written when it must not be.
class tst_frmPrices : public QObject {
    Q_OBJECT

private:
    static frmPrices* open(MainWindowDriver& d)
    {
        if (!d.load()) {
            return nullptr;
        }
        d.window.mnuGamePriceItems_Click();
        return d.window.findChild<frmPrices*>();
    }
    static QLineEdit* box(QWidget* window, const QString& name) { return window->findChild<QLineEdit*>(name); }
    static void type(QWidget* window, const QString& name, const QString& text)
    {
        QLineEdit* edit = box(window, name);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static void save(QWidget* window)
    {
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    }

private slots:
    void layout();
    void showsAndSaves_data();
    void showsAndSaves();
    void rejectedSaveWritesNothing_data();
    void rejectedSaveWritesNothing();
    void closeBoxWritesNothing();
    void unreadableFileOpensNothing_data();
    void unreadableFileOpensNothing();
    void failedSaveKeepsWindow();
};

void tst_frmPrices::layout()
{
    MainWindowDriver d;
    frmPrices* window = open(d);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Prices of Items"));
    QCOMPARE(window->size(), QSize(310, 441));
    QVERIFY(window->isModal());
    const QList<QPair<const char*, QRect>> places{{"txtItem_0", {80, 40, 65, 17}},   {"txtItem_14", {80, 376, 65, 17}},
                                                  {"txtItem_15", {232, 40, 65, 17}}, {"txtHerbs_5", {232, 408, 65, 17}},
                                                  {"Label2_30", {160, 408, 60, 17}}, {"cmdSave", {8, 416, 81, 19}}};
    for (const auto& [name, rect] : places) {
        QCOMPARE(window->findChild<QWidget*>(QLatin1String(name))->geometry(), rect);
    }
}

void tst_frmPrices::showsAndSaves_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");  // null: saved as shown
    QTest::addColumn<QByteArray>("written");
    const QByteArray e803("\xE8\x03", 2), ffff("\xFF\xFF", 2), one("\x01\x00", 2);
    QTest::newRow("Torch 1000") << "txtItem_0" << 3847 << e803 << "1000" << QString() << e803;
    QTest::newRow("Gem -1") << "txtItem_1" << 3849 << ffff << "-1" << QString() << ffff;
    QTest::newRow("Gem typed -1") << "txtItem_1" << 3849 << one << "1" << "-1" << ffff;
    QTest::newRow("+1 Bow 12ab") << "txtItem_8" << 3863 << e803 << "1000" << "12ab" << QByteArray("\x0C\x00", 2);
    QTest::newRow("Staff empty") << "txtItem_9" << 3867 << e803 << "1000" << "" << QByteArray("\x00\x00", 2);
    QTest::newRow("Wand 2.5") << "txtItem_16" << 3881 << e803 << "1000" << "2.5" << QByteArray("\x02\x00", 2);
    QTest::newRow("Cloth 3.5") << "txtItem_17" << 3887 << e803 << "1000" << "3.5" << QByteArray("\x04\x00", 2);
    QTest::newRow("Oil, four typed") << "txtItem_3" << 3853 << one << "1" << "123456" << QByteArray("\xD2\x04", 2);
    QTest::newRow("+1 Plate -32768") << "txtItem_24" << 3901 << QByteArray("\x00\x80", 2) << "-32768" << QString()
                                     << QByteArray("\x00\x80", 2);
    QTest::newRow("Ash 99") << "txtHerbs_0" << 3907 << QByteArray("\x05") << "5" << "99" << QByteArray("\x63");
    QTest::newRow("Pearl 255") << "txtHerbs_5" << 3912 << QByteArray("\xFF") << "255" << QString() << QByteArray("\xFF");
    QTest::newRow("Moss, two typed") << "txtHerbs_4" << 3911 << QByteArray("\x05") << "5" << "1234" << QByteArray("\x0C");
}

void tst_frmPrices::showsAndSaves()
{
    QFETCH(QString, name);
    QFETCH(int, offset);
    QFETCH(QByteArray, stored);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    QByteArray bytes = Fixtures::Pattern(262160, static_cast<quint32>(offset));
    bytes.replace(offset, stored.size(), stored);
    MainWindowDriver d(bytes);
    QPointer<frmPrices> window = open(d);
    QVERIFY(window);
    QCOMPARE(box(window, name)->text(), shown);
    if (!typed.isNull()) {
        type(window, name, typed);
    }
    save(window);
    QVERIFY(d.platform.messages.isEmpty());
    QTRY_VERIFY(window.isNull());
    // Every other byte, the slots between the runs included, stays as it was.
    bytes.replace(offset, written.size(), written);
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
}

void tst_frmPrices::rejectedSaveWritesNothing_data()
{
    QTest::addColumn<QStringList>("edits");  // box=text
    QTest::addColumn<QString>("offending");
    QTest::addColumn<QString>("message");
    QTest::newRow("item 9E99") << QStringList{"txtItem_3=9E99"} << "txtItem_3"
                               << "Oil: must be a whole number from -32768 to 32767.";
    QTest::newRow("herb -1") << QStringList{"txtHerbs_2=-1"} << "txtHerbs_2"
                             << "Garlic: must be a whole number from 0 to 255.";
    QTest::newRow("first of two") << QStringList{"txtItem_0=55", "txtHerbs_4=-3", "txtItem_20=1E6"} << "txtItem_20"
                                  << "Ring: must be a whole number from -32768 to 32767.";
}

void tst_frmPrices::rejectedSaveWritesNothing()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, offending);
    QFETCH(QString, message);
    MainWindowDriver d;
    QPointer<frmPrices> window = open(d);
    QVERIFY(window);
    for (const QString& edit : edits) {
        type(window, edit.section(u'=', 0, 0), edit.section(u'=', 1));
    }
    save(window);
    QCOMPARE(d.platform.messages.size(), 1);
    QCOMPARE(d.platform.messages[0].title, QStringLiteral("Value out of range"));
    QCOMPARE(d.platform.messages[0].text, message);
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    QTest::qWait(0);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->focusWidget(), box(window, offending));
    for (const QString& edit : edits) {
        QCOMPARE(box(window, edit.section(u'=', 0, 0))->text(), edit.section(u'=', 1));
    }
}

void tst_frmPrices::closeBoxWritesNothing()
{
    QByteArray bytes = Fixtures::Pattern(262160);
    Fixtures::Put16(bytes, 3847, 1000);
    MainWindowDriver d(bytes);
    QPointer<frmPrices> window = open(d);
    QVERIFY(window);
    type(window, "txtItem_0", "42");
    window->close();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(Fixtures::ReadAll(d.path), bytes);
    d.window.mnuGamePriceItems_Click();
    window = d.window.findChild<frmPrices*>();
    QVERIFY(window);
    QCOMPARE(box(window, "txtItem_0")->text(), QStringLiteral("1000"));
}

void tst_frmPrices::unreadableFileOpensNothing_data()
{
    QTest::addColumn<int>("size");  // of the file once loaded; -1: removed
    QTest::addColumn<QString>("reason");
    QTest::newRow("one byte short") << 3912 << "3913";
    QTest::newRow("removed") << -1 << "does not exist";
}

void tst_frmPrices::unreadableFileOpensNothing()
{
    QFETCH(int, size);
    QFETCH(QString, reason);
    MainWindowDriver d;
    QVERIFY(d.load());
    const QByteArray now = Fixtures::Pattern(std::max(size, 0));
    if (size < 0) {
        QVERIFY(QFile::remove(d.path));
    } else {
        Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), now);
    }
    d.window.mnuGamePriceItems_Click();
    QTest::qWait(0);
    QVERIFY(!d.window.findChild<frmPrices*>());
    QVERIFY(d.platform.modals.isEmpty());
    QCOMPARE(d.platform.messages.size(), 1);
    const QString text = d.platform.messages[0].text;
    QVERIFY2(text.contains(d.path) && text.contains(reason), qPrintable(text));
    QCOMPARE(Fixtures::ReadAll(d.path), now);
}

void tst_frmPrices::failedSaveKeepsWindow()
{
    MainWindowDriver d;
    QPointer<frmPrices> window = open(d);
    QVERIFY(window);
    type(window, "txtHerbs_5", "12");
    const QByteArray shortened = Fixtures::Pattern(3900);
    Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), shortened);
    save(window);
    QCOMPARE(d.platform.messages.size(), 1);
    QVERIFY2(d.platform.messages[0].text.contains(QStringLiteral("3913")), qPrintable(d.platform.messages[0].text));
    QCOMPARE(Fixtures::ReadAll(d.path), shortened);
    QTest::qWait(0);
    QVERIFY(window && window->isVisible());
    QCOMPARE(box(window, "txtHerbs_5")->text(), QStringLiteral("12"));
}

QTEST_MAIN(tst_frmPrices)
#include "tst_frmPrices.moc"
