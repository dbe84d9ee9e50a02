// gen_icon OUT.png: writes the main icon as an indexed PNG with its palette.
#include "IconArt.h"

#include <QImageWriter>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    QImageWriter Writer(QString::fromLocal8Bit(argv[1]), "png");
    if (!Writer.write(DrawMainIcon())) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(Writer.errorString()));
        return 1;
    }
    return 0;
}
