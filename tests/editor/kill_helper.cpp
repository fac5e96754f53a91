// The program the kill tests kill at random moments; a line after each action:
//   kill_helper save <cartridge>: inverts the image and saves, over and over ("saved")
//   kill_helper edit <cartridge> <seed>: the scripted session of <seed> ("done <n>")

#include "ScriptedEditing.h"
#include "ScriptedPlatform.h"
#include "core/Cartridge.h"
#include "editor/EditorSession.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"save") {
        for (;;) {
            Cartridge c;
            QString error;
            bool saved = c.LoadCartridge(args[2], &error);
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
    if (args.size() != 4 || args[1] != u"edit") {
        const bool help = args.size() == 2 && args[1] == u"--help";
        std::fputs("usage: kill_helper save <cartridge> | kill_helper edit <cartridge> <seed>\n",
                   help ? stdout : stderr);
        return help ? 0 : 2;
    }
    ScriptedPlatform platform;
    EditorSession session(platform);
    session.LoadRom(args[2]);
    if (session.cartridgePath() != args[2]) {
        return 1;
    }
    for (int n = 1;; ++n) {
        ScriptedEditing::Act(session, args[3].toUInt(), n);
        std::printf("done %d\n", n);
        std::fflush(stdout);
    }
}
