// gen_palette OUT.png: writes the web-safe palette picture as a 24-bit PNG.
#include "PaletteArt.h"

#include <QImageWriter>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
        return 2;
    }
    QImageWriter Writer(QString::fromLocal8Bit(argv[1]), "png");
    if (!Writer.write(DrawPalettePicture())) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(Writer.errorString()));
        return 1;
    }
    return 0;
}
