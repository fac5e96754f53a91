// A small program the fault tests start as a separate process, so that it can
// be killed in the middle of a save.
//
//   save_helper <cartridge>
//       Loads the cartridge through Cartridge, inverts every byte of its image
//       and saves it with Cartridge::save (what "Save Changes" does; the Game
//       windows' saves write through the same CartridgeFile::patch), over and
//       over. Prints "saved" after every save; on failure prints
//       "error<TAB><the error>" and exits 1.

#include "core/Cartridge.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fputs("usage: save_helper <cartridge>\n", stderr);
        return 2;
    }
    for (;;) {
        Cartridge c;
        QString error;
        bool saved = c.LoadCartridge(args[1], &error);
        if (saved) {
            QByteArray image = c.image().bytes();
            for (char& byte : image) {
                byte = static_cast<char>(~byte);
            }
            c.image().assign(image);
            saved = c.save(&error);
        }
        if (!saved) {
            std::printf("error\t%s\n", qPrintable(error));
            return 1;
        }
        std::fputs("saved\n", stdout);
        std::fflush(stdout);
    }
}
