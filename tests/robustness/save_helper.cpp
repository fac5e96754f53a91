// A small program the robustness tests start as a separate process, so that
// it can be killed in the middle of a save, or run as another user.
//
//   save_helper loop <cartridge> <versionA> <versionB>
//       Loads the cartridge through Cartridge, checks that it holds exactly A
//       or B, puts the other version's map bytes into the image and saves it
//       with Cartridge::save, over and over. Prints "saved" after every save.
//       Exits 3 at once if it ever loads anything but A or B.
//   save_helper save <cartridge>
//       Loads the cartridge, inverts the image byte at 16400 and saves the
//       whole image with Cartridge::save (what "Save Changes" does; the Game
//       windows' saves write through the same CartridgeFile::patch).
// "save" prints "saved" or "error<TAB><the error>" and exits 0 or 1.

#include "core/Cartridge.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

int loop(const QString& cartridge, const QString& pathA, const QString& pathB)
{
    const QByteArray a = readWhole(pathA);
    const QByteArray b = readWhole(pathB);
    const QByteArray imageA = a.mid(CartridgeImage::FirstIndex, CartridgeImage::Size);
    const QByteArray imageB = b.mid(CartridgeImage::FirstIndex, CartridgeImage::Size);
    for (;;) {
        Cartridge c;
        QString error;
        if (!c.LoadCartridge(cartridge, &error)) {
            std::fprintf(stderr, "load failed: %s\n", qPrintable(error));
            return 1;
        }
        const QByteArray& now = c.image().bytes();
        if (now != imageA && now != imageB) {
            std::fprintf(stderr, "loaded neither version A nor version B\n");
            return 3;
        }
        c.image().assign(now == imageA ? imageB : imageA);
        if (!c.save(&error)) {
            std::fprintf(stderr, "save failed: %s\n", qPrintable(error));
            return 1;
        }
        std::fputs("saved\n", stdout);
        std::fflush(stdout);
    }
}

int save(const QString& cartridge)
{
    QString error;
    Cartridge c;
    bool saved = false;
    if (c.LoadCartridge(cartridge, &error)) {
        const qint32 first = CartridgeImage::FirstIndex;
        c.image().set(first, static_cast<quint8>(~c.image().at(first)));
        saved = c.save(&error);
    }
    if (saved) {
        std::fputs("saved\n", stdout);
    } else {
        std::fprintf(stdout, "error\t%s\n", qPrintable(error));
    }
    std::fflush(stdout);
    return saved ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("loop")) {
        return loop(args[2], args[3], args[4]);
    }
    if (args.size() == 3 && args[1] == QLatin1String("save")) {
        return save(args[2]);
    }
    std::fputs("usage: save_helper loop <cartridge> <A> <B> | save <cartridge>\n", stderr);
    return 2;
}
