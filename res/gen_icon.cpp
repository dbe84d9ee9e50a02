// Writes the main icon as an indexed PNG with its palette.
//   gen_icon OUT.png            the 32 px icon the program carries (res/tpicker.png)
//   gen_icon OUT.png SIZE       the same design at SIZE x SIZE
//   gen_icon --icon-set DIR     every installed size but 32 as DIR/tpicker-SIZE.png
//                               (res/icons/, installed into the hicolor theme)
#include "IconArt.h"

#include <QDir>
#include <QImageWriter>
#include <cstdio>
#include <cstring>
#include <cstdlib>

namespace {

// 32 px is res/tpicker.png itself.
constexpr int IconSetSizes[] = {16, 48, 64, 128, 256};

bool Write(const QString &Path, int Size)
{
    QImageWriter Writer(Path, "png");
    if (Writer.write(DrawMainIconAt(Size)))
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(Path), qPrintable(Writer.errorString()));
    return false;
}

int Usage(const char *Program)
{
    std::fprintf(stderr, "usage: %s OUT.png [SIZE]\n       %s --icon-set DIR\n", Program, Program);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--icon-set") == 0) {
        const QDir Dir(QString::fromLocal8Bit(argv[2]));
        bool Ok = true;
        for (int Size : IconSetSizes)
            Ok = Write(Dir.filePath(QStringLiteral("tpicker-%1.png").arg(Size)), Size) && Ok;
        return Ok ? 0 : 1;
    }
    if (argc != 2 && argc != 3)
        return Usage(argv[0]);
    const int Size = argc == 3 ? std::atoi(argv[2]) : 32;
    if (Size < 8 || Size > 1024)
        return Usage(argv[0]);
    return Write(QString::fromLocal8Bit(argv[1]), Size) ? 0 : 1;
}
