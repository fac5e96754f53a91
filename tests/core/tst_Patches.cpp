#include "Fixtures.h"
#include "core/BpsPatch.h"
#include "core/CartridgeFile.h"
#include "core/Crc32.h"
#include "core/IpsPatch.h"
#include "core/PatchFormat.h"

#include <QFileInfo>
#include <QtEndian>
#include <QTemporaryDir>
#include <QtTest>

using PatchFormat::Kind;

namespace {

QByteArray Changed(QByteArray bytes, const QList<qint64>& offsets)
{
    for (qint64 at : offsets) {
        bytes[at] = static_cast<char>(~bytes[at]);
    }
    return bytes;
}

template <std::size_t N> QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// The header and actions of a BPS patch in `head`, followed by the checksums
// of `source`, of a target (`targetCrc`) and of the patch itself.
QByteArray Checksummed(QByteArray head, const QByteArray& source, quint32 targetCrc)
{
    const auto put = [&head](quint32 crc) {
        const quint32 bytes = qToLittleEndian(crc);
        head.append(reinterpret_cast<const char*>(&bytes), 4);
    };
    put(Crc32::Of(source));
    put(targetCrc);
    put(Crc32::Of(head));
    return head;
}

// A BPS patch of hand-made actions for `source` (5000 bytes: 0x08 0xA6) and a
// target of `targetSize` bytes (under 128) whose checksum is 0.
QByteArray CraftedBps(const QByteArray& source, char targetSize, const QByteArray& actions)
{
    return Checksummed(Bytes("BPS1\x08\xA6") + char(0x80 | targetSize) + char(0x80) + actions, source, 0);
}

const QByteArray Source("0123456789ABCDEF");

}  // namespace

// Patches made and applied on real files; a bad patch leaves the file alone.
class tst_Patches : public QObject {
    Q_OBJECT

private slots:
    void knownBytes_data()
    {
        QTest::addColumn<QByteArray>("patch");  // written by hand for the 16 bytes of Source
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<bool>("ours");  // the very patch this program makes of the change
        QTest::newRow("IPS of one byte") << Bytes("PATCH\0\0\5\0\1xEOF") << QByteArray("01234x6789ABCDEF") << true;
        QTest::newRow("IPS record and run")
            << Bytes("PATCH\0\0\2\0\2xy\0\0\x0A\0\0\0\3zEOF") << QByteArray("01xy456789zzzDEF") << false;
        // Source read of 4, target read of 2, source read of 10.
        QTest::newRow("BPS reads") << Checksummed(Bytes("BPS1\x90\x90\x80\x8C\x85xy\xA4"), Source,
                                                  Crc32::Of("0123xy6789ABCDEF"))
                                   << QByteArray("0123xy6789ABCDEF") << true;
        // Source copy of 4 from +12, target copy of 6 from 0 (a run over itself), source read of 2.
        QTest::newRow("BPS copies") << Checksummed(Bytes("BPS1\x90\x8C\x80\x8E\x98\x97\x80\x84"), Source,
                                                   Crc32::Of("CDEFCDEFCDAB"))
                                    << QByteArray("CDEFCDEFCDAB") << false;
    }

    // Hand-written patches make their targets; ours for the same change are those bytes.
    void knownBytes()
    {
        QFETCH(QByteArray, patch);
        QFETCH(QByteArray, target);
        QFETCH(bool, ours);
        QCOMPARE(Crc32::Of("123456789"), 0xCBF43926U);  // the check value of the checksum of zip and PNG
        QString error;
        QCOMPARE(PatchFormat::Apply(Source, patch, &error).value_or(error.toUtf8()), target);
        const Kind kind = patch.startsWith("BPS1") ? Kind::Bps : Kind::Ips;
        QVERIFY(!ours || PatchFormat::Create(kind, Source, target, &error) == patch);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("ipsLimit");  // the IPS patch is at most this long
        const QByteArray cart = Fixtures::Pattern(262160, 3);
        QList<qint64> scattered;
        for (qint64 at = 7; at < cart.size(); at += 997) {
            scattered << at << at + 3;
        }
        QTest::newRow("scattered") << cart << Changed(cart, scattered) << 100000;
        QByteArray run = cart;
        run.replace(20000, 3000, QByteArray(3000, '\x42'));
        QTest::newRow("a run") << cart << run << 5 + 8 + 3;
        QTest::newRow("longer") << cart << cart + QByteArray(70000, '\0') + "tail" << 100;
        QTest::newRow("shorter, with a change") << cart << Changed(cart.left(100000), {5}) << 5 + 6 + 3 + 3;

        // A change at 0x454F46 (which reads as "EOF") and a run starting there.
        const QByteArray big = Fixtures::Pattern(IpsPatch::EofOffset + 40, 4);
        QTest::newRow("change at EOF offset") << big << Changed(big, {IpsPatch::EofOffset}) << 100;
        QByteArray bigRun = big;
        bigRun.replace(IpsPatch::EofOffset, 30, QByteArray(30, '\x11'));
        QTest::newRow("run at EOF offset") << big << bigRun << 100;
    }

    void roundTrip()
    {
        QFETCH(QByteArray, source);
        QFETCH(QByteArray, target);
        QFETCH(int, ipsLimit);
        QTemporaryDir dir;
        const QString modified = Fixtures::WriteFile(dir, QStringLiteral("modified.nes"), target);
        for (Kind kind : {Kind::Ips, Kind::Bps}) {
            const QString original = Fixtures::WriteFile(dir, QStringLiteral("original.nes"), source);
            QString patchPath = dir.filePath(QStringLiteral("made"));
            QCOMPARE(PatchFormat::ForFileName(&patchPath, kind), kind);
            QString error;
            QVERIFY2(PatchFormat::CreateFile(kind, original, modified, patchPath, &error) ==
                         PatchFormat::Created::Written,
                     qPrintable(error));
            const QByteArray patch = Fixtures::ReadAll(patchPath);
            if (kind == Kind::Ips) {
                QVERIFY2(patch.size() <= ipsLimit, qPrintable(QString::number(patch.size())));
            }
            QVERIFY2(PatchFormat::ApplyFile(original, patchPath, &error), qPrintable(error));
            QCOMPARE(Fixtures::ReadAll(original), target);
            QCOMPARE(Fixtures::ReadAll(modified), target);
        }
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("patch");
        QTest::addColumn<QString>("reason");
        const QByteArray cart = Fixtures::Pattern(5000, 8);
        const QByteArray other = Changed(cart, {10});
        const QByteArray ips = *IpsPatch::Create(cart, Changed(cart, {100, 200, 300}), nullptr);
        const QByteArray bps = *BpsPatch::Create(cart, Changed(cart, {100, 200, 300}), nullptr);

        QTest::newRow("IPS without EOF") << ips.chopped(3) << "without the closing";
        QTest::newRow("IPS record longer than the patch") << QByteArray("PATCH\x00\x00\x10\x10\x00"
                                                                        "abcEOF",
                                                                        16)
                                                          << "runs past its end";
        QTest::newRow("IPS record past 16 MiB")
            << QByteArray("PATCH\xFF\xFF\xF0\x00\x20", 10) + QByteArray(32, 'x') + "EOF"
            << "past 16 MiB";
        QTest::newRow("IPS junk after EOF") << ips + "ab"
                                            << "2 bytes follow its closing";
        QTest::newRow("IPS a byte after EOF") << ips + "a"
                                              << "1 byte follows its closing";
        QTest::newRow("BPS for another file")
            << *BpsPatch::Create(other, Changed(other, {20}), nullptr) << "another file";
        QTest::newRow("BPS for a longer file") << *BpsPatch::Create(cart + "x", Changed(cart, {20}), nullptr)
                                               << "of 5001 bytes, and this file is 5000 bytes long";
        QTest::newRow("BPS for a file of one byte") << *BpsPatch::Create("x", "y", nullptr) << "a file of 1 byte, and";
        QTest::newRow("BPS already applied") << *BpsPatch::Create(other + "xy", cart, nullptr) << "already applied";
        QByteArray damaged = bps;
        damaged[8] = static_cast<char>(~damaged[8]);
        QTest::newRow("BPS damaged") << damaged << "checksum";
        QTest::newRow("neither") << QByteArray("hello") << "neither";
        // Well-formed checksums around actions that reach outside the files.
        const char targetRead4 = char(0x80 | (3 << 2 | 1));
        QTest::newRow("BPS copy before the start of the source")
            << CraftedBps(cart, 8, QByteArray(1, char(0x80 | (7 << 2 | 2))) + char(0x80 | 3)) << "outside the files";
        QTest::newRow("BPS copy of target bytes not yet written")
            << CraftedBps(cart, 8, QByteArray(1, targetRead4) + "abcd" + char(0x80 | (3 << 2 | 3)) + char(0x80 | 8))
            << "outside the files";
        QTest::newRow("BPS action longer than the target")
            << CraftedBps(cart, 8, QByteArray(1, char(0x80 | (8 << 2 | 0)))) << "outside the files";
        QTest::newRow("BPS of valid actions, wrong result")
            << CraftedBps(cart, 8, QByteArray(1, char(0x80 | (7 << 2 | 0)))) << "result's checksum";
        QTest::newRow("BPS actions short of the target")
            << CraftedBps(cart, 8, QByteArray(1, targetRead4) + "abcd") << "make 4 of the 8 bytes";
        QTest::newRow("BPS actions short of a target of one byte")
            << CraftedBps(cart, 1, {}) << "make 0 of the 1 byte of";
    }

    void refused()
    {
        QFETCH(QByteArray, patch);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray cart = Fixtures::Pattern(5000, 8);
        const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), cart);
        const QString patchPath = Fixtures::WriteFile(dir, QStringLiteral("p.bin"), patch);
        QString error;
        QVERIFY(!PatchFormat::ApplyFile(path, patchPath, &error));
        QVERIFY2(error.contains(reason) && error.contains(path) && error.contains(patchPath), qPrintable(error));
        QCOMPARE(Fixtures::ReadAll(path), cart);
        QVERIFY(!QFileInfo::exists(CartridgeFile::backupPath(path)));
    }
};

QTEST_GUILESS_MAIN(tst_Patches)
#include "tst_Patches.moc"
