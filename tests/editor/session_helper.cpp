// A program the journal kill test starts and kills: it loads a cartridge in
// an editing session (its journal goes where XDG_STATE_HOME says) and edits
// it for ever, printing "done <n>" after each action of the scripted session
// of <seed> has returned.
//
//   session_helper <cartridge> <seed>

#include "ScriptedEditing.h"
#include "ScriptedPlatform.h"
#include "editor/EditorSession.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fputs("usage: session_helper <cartridge> <seed>\n", stderr);
        return 2;
    }
    ScriptedPlatform platform;
    EditorSession session(platform);
    session.LoadRom(args[1]);
    if (session.cartridge().CartridgePath() != args[1]) {
        return 1;
    }
    for (int n = 1;; ++n) {
        ScriptedEditing::Act(session, args[2].toUInt(), n);
        std::printf("done %d\n", n);
        std::fflush(stdout);
    }
}
