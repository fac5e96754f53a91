// make-art: draws the editor's pixel art from scratch.
//
//   make-art <resources-folder>              write all pictures
//   make-art --verify <resources-folder>     check written pictures
//   make-art --preview <resources-folder> <out.png>
//                                            enlarged overview for review
//   make-art --desktop-icons <folder>        program icon at the desktop sizes

#include "ArtWriter.h"

#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Only QImage and QPainter on images are used, so no application object
    // (and no display) is needed.
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args.append(QString::fromLocal8Bit(argv[i]));
    }
    if (args.size() == 1 && !args[0].startsWith(QLatin1Char('-'))) {
        return ArtWriter::writeAll(args[0]) ? 0 : 1;
    }
    if (args.size() == 2 && args[0] == QLatin1String("--verify")) {
        return ArtWriter::verify(args[1]) ? 0 : 1;
    }
    if (args.size() == 2 && args[0] == QLatin1String("--desktop-icons")) {
        return ArtWriter::writeDesktopIcons(args[1]) ? 0 : 1;
    }
    if (args.size() == 3 && args[0] == QLatin1String("--preview")) {
        return ArtWriter::writePreview(args[1], args[2]) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: make-art <resources-folder>\n"
                         "       make-art --verify <resources-folder>\n"
                         "       make-art --preview <resources-folder> <out.png>\n"
                         "       make-art --desktop-icons <folder>\n");
    return 2;
}
