// A small program the journal test starts as a separate process, so that it
// can be killed in the middle of an append.
//
//   journal_helper <cartridge> <journal folder> <seed>
//       Reads the cartridge's map range and appends steps to its journal for
//       ever: a stroke of 20 cells, and every fifth step 20,000 cells (a
//       record of 120 KB, which a kill can cut between pages), at places and
//       with values drawn from the seed. Before each append it prints
//       "step <n> <SHA-1 of its map after the step, hex>", after the append
//       returns "done <n>". On failure prints "error<TAB><the error>" and exits 1.

#include "core/CartridgeFile.h"
#include "core/CartridgeImage.h"
#include "core/MapJournal.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: journal_helper <cartridge> <journal folder> <seed>\n", stderr);
        return 2;
    }
    QString error;
    const auto read = CartridgeFile::read(args[1], CartridgeImage::FirstIndex, CartridgeImage::Size, &error);
    MapJournal journal(args[1], QStringLiteral("1.0"), args[2]);
    QByteArray map = read.value_or(QByteArray());
    journal.setSavedMap(map);
    QRandomGenerator rng(args[3].toUInt());
    for (int n = 1; read; ++n) {
        const int cells = n % 5 == 0 ? 20000 : 20;
        const auto first = static_cast<qint32>(rng.bounded(CartridgeImage::Size - cells));
        MapJournal::Step step{QStringLiteral("Paint %1 Cells").arg(cells), {}};
        for (qint32 at = first; at < first + cells; ++at) {
            const auto after = static_cast<quint8>(rng.bounded(256));
            step.changes.append({CartridgeImage::FirstIndex + at, static_cast<quint8>(map[at]), after});
            map[at] = static_cast<char>(after);
        }
        std::printf("step %d %s\n", n, MapJournal::MapHash(map).toHex().constData());
        std::fflush(stdout);
        if (!journal.append(step, &error)) {
            break;
        }
        std::printf("done %d\n", n);
        std::fflush(stdout);
    }
    std::printf("error\t%s\n", qPrintable(error));
    return 1;
}
