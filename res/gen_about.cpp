// gen_about OUT.png [VERSION]: writes the About picture as a 24-bit PNG. VERSION
// defaults to the project's version.
#include "AboutArt.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUT.png [VERSION]\n", argv[0]);
        return 2;
    }
    const QString Out = QString::fromLocal8Bit(argv[1]);
    const QString Version =
        argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(TAVRIN_VERSION);

    // Fonts need a GUI application, but not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication App(argc, argv);

    QImageWriter Writer(Out, "png");
    if (!Writer.write(DrawAboutPicture(Version))) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(Writer.errorString()));
        return 1;
    }
    return 0;
}
