#include "CartridgeFile.h"
#include "Fixtures.h"
#include "LocationFields.h"

#include <QTemporaryDir>
#include <QtTest>

// The two location tables on real files: every row is read from, and written
// back to, exactly its two bytes, and nothing else in the file moves.
class tst_LocationFields : public QObject {
    Q_OBJECT

private:
    struct Expected {
        QString label;
        qint64 column;
        qint64 row;
    };
    static const QList<Expected>& items()
    {
        static const QList<Expected> rows{
            {QStringLiteral("Silver Horn:"), 0x61A0, 0x61A1},
            {QStringLiteral("Skull of Kerrath:"), 0x61A4, 0x61A5},
            {QStringLiteral("Fungus Square:"), 0x61A8, 0x61A9},
            {QStringLiteral("Manroot Square:"), 0x61AC, 0x61AD},
            {QStringLiteral("Bell of Courage:"), 0x61B4, 0x61B5},
            {QStringLiteral("Balloon(transport):"), 0x355E9, 0x355EA},
        };
        return rows;
    }
    static const QList<Expected>& towns()
    {
        static const QList<Expected> rows{
            {QStringLiteral("Ferrow:"), 0x3EABD, 0x3EABE},
            {QStringLiteral("Olm:"), 0x3EAC1, 0x3EAC2},
            {QStringLiteral("Duskel:"), 0x3EAC9, 0x3EACA},
            {QStringLiteral("Brask:"), 0x3EAD3, 0x3EAD4},
            {QStringLiteral("Hollin:"), 0x3EAD9, 0x3EADA},
            {QStringLiteral("Wendle Isle:"), 0x3EAE3, 0x3EAE4},
            {QStringLiteral("Starfen:"), 0x3EAE5, 0x3EAE6},
            {QStringLiteral("Tallow:"), 0x3EAE7, 0x3EAE8},
            {QStringLiteral("Rookhaven:"), 0x3EAE9, 0x3EAEA},
            {QStringLiteral("Saltmere:"), 0x3EAED, 0x3EAEE},
            {QStringLiteral("Corvast:"), 0x3EAEF, 0x3EAF0},
            {QStringLiteral("Dravel:"), 0x3EAF5, 0x3EAF6},
        };
        return rows;
    }
    static const LocationFields::Table& table(const QString& name)
    {
        return name == QLatin1String("items") ? LocationFields::Items() : LocationFields::Towns();
    }
    static const QList<Expected>& expected(const QString& name)
    {
        return name == QLatin1String("items") ? items() : towns();
    }
    static void addTables()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("items") << QStringLiteral("items");
        QTest::newRow("towns") << QStringLiteral("towns");
    }

private slots:
    void readsEachRowFromItsBytes_data();
    void readsEachRowFromItsBytes();
    void locationAndBlockTexts_data();
    void locationAndBlockTexts();
    void saveUnchangedKeepsFile_data();
    void saveUnchangedKeepsFile();
    void saveWritesOnlyTheRowBytes_data();
    void saveWritesOnlyTheRowBytes();
    void fileTooShortOrMissing_data();
    void fileTooShortOrMissing();
};

void tst_LocationFields::readsEachRowFromItsBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    for (const QString& name : {QStringLiteral("items"), QStringLiteral("towns")}) {
        for (int i = 0; i < expected(name).size(); ++i) {
            QTest::addRow("%s %d %s", qPrintable(name), i, qPrintable(expected(name)[i].label)) << name << i;
        }
    }
}

// Column 0x0C and row 0x47 at the row's two offsets show (071, 012) in block 3
// in that row and its label; the other rows hold pattern bytes.
void tst_LocationFields::readsEachRowFromItsBytes()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    const Expected& row = expected(name)[index];
    QTemporaryDir dir;
    QByteArray bytes = Fixtures::Pattern(262160, 5);
    bytes[row.column] = 0x0C;
    bytes[row.row] = 0x47;
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), bytes);

    QCOMPARE(table(name).rows.size(), expected(name).size());
    QCOMPARE(table(name).rows[index].label, row.label);
    QString error;
    const auto shown = LocationFields::Read(path, table(name), &error);
    QVERIFY2(shown, qPrintable(error));
    QCOMPARE(shown->size(), expected(name).size());
    QCOMPARE(shown->at(index).location, QStringLiteral("(071, 012)"));
    QCOMPARE(shown->at(index).block, QStringLiteral("3"));
    for (int other = 0; other < shown->size(); ++other) {
        const Expected& e = expected(name)[other];
        if (other != index) {
            QCOMPARE(shown->at(other).location,
                     LocationFields::FromBytes(static_cast<quint8>(bytes[e.column]), static_cast<quint8>(bytes[e.row]))
                         .location);
        }
    }
}

void tst_LocationFields::locationAndBlockTexts_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("block");
    QTest::newRow("origin") << 0 << 0 << QStringLiteral("(000, 000)") << QStringLiteral("1");
    QTest::newRow("last row of block 1") << 7 << 31 << QStringLiteral("(031, 007)") << QStringLiteral("1");
    QTest::newRow("first row of block 2") << 7 << 32 << QStringLiteral("(032, 007)") << QStringLiteral("2");
    QTest::newRow("row first, then column") << 200 << 5 << QStringLiteral("(005, 200)") << QStringLiteral("1");
    QTest::newRow("last row") << 255 << 255 << QStringLiteral("(255, 255)") << QStringLiteral("8");
}

void tst_LocationFields::locationAndBlockTexts()
{
    QFETCH(int, column);
    QFETCH(int, row);
    const LocationFields::Shown shown = LocationFields::FromBytes(static_cast<quint8>(column), static_cast<quint8>(row));
    QTEST(shown.location, "location");
    QTEST(shown.block, "block");
}

void tst_LocationFields::saveUnchangedKeepsFile_data()
{
    addTables();
}

void tst_LocationFields::saveUnchangedKeepsFile()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(262160, 9);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    QString error;
    const auto shown = LocationFields::Read(path, table(name), &error);
    QVERIFY2(shown, qPrintable(error));
    QStringList texts;
    for (const LocationFields::Shown& s : *shown) {
        texts << s.location;
    }
    const QList<FilePatch> patches = LocationFields::Patches(table(name), texts);
    QCOMPARE(patches.size(), 2 * expected(name).size());
    QVERIFY2(CartridgeFile::patch(path, patches, &error, table(name).requiredLength), qPrintable(error));
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), before), QList<qint64>());
}

void tst_LocationFields::saveWritesOnlyTheRowBytes_data()
{
    addTables();
}

// Every row moved to a new place: the file changes at the rows' offsets
// (column byte, then row byte) and nowhere else, not even between the entries.
void tst_LocationFields::saveWritesOnlyTheRowBytes()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(262160, 11);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    QStringList texts;
    QByteArray after = before;
    for (int i = 0; i < expected(name).size(); ++i) {
        const int row = 3 + 40 * i % 256;
        const int column = 250 - 17 * i;
        texts << QStringLiteral("(%1, %2)").arg(row, 3, 10, QChar(u'0')).arg(column, 3, 10, QChar(u'0'));
        after[expected(name)[i].column] = static_cast<char>(column);
        after[expected(name)[i].row] = static_cast<char>(row);
    }
    QString error;
    QVERIFY2(CartridgeFile::patch(path, LocationFields::Patches(table(name), texts), &error,
                                  table(name).requiredLength),
             qPrintable(error));
    const QByteArray written = Fixtures::ReadAll(path);
    QCOMPARE(written.size(), before.size());
    QCOMPARE(Fixtures::Differences(written, after), QList<qint64>());
    QCOMPARE(Fixtures::Differences(written, before, 100).size(), 2 * expected(name).size());
}

void tst_LocationFields::fileTooShortOrMissing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");  // -1: no file at all
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("reason");
    QTest::newRow("items, one byte short") << QStringLiteral("items") << qint64(218602) << false
                                           << QStringLiteral("218602 bytes long, but at least 218603");
    QTest::newRow("items, just long enough") << QStringLiteral("items") << qint64(218603) << true << QString();
    QTest::newRow("items, image only") << QStringLiteral("items") << qint64(139280) << false
                                       << QStringLiteral("at least 218603");
    QTest::newRow("towns, one byte short") << QStringLiteral("towns") << qint64(256758) << false
                                           << QStringLiteral("256758 bytes long, but at least 256759");
    QTest::newRow("towns, just long enough") << QStringLiteral("towns") << qint64(256759) << true << QString();
    QTest::newRow("towns, no file") << QStringLiteral("towns") << qint64(-1) << false
                                    << QStringLiteral("does not exist");
}

void tst_LocationFields::fileTooShortOrMissing()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(bool, readable);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("cart.nes"));
    if (size >= 0) {
        path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), Fixtures::Pattern(size, 3));
    }
    QString error;
    const auto shown = LocationFields::Read(path, table(name), &error);
    QCOMPARE(bool(shown), readable);
    if (!readable) {
        QVERIFY2(error.contains(path), qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(tst_LocationFields)
#include "tst_LocationFields.moc"
