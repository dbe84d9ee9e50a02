// xshot OUT.png [X Y W H]: writes the root window of $DISPLAY, or a part of it, as PNG.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication App(argc, argv);
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr, "usage: xshot OUT.png [X Y W H]\n");
        return 2;
    }
    QImage Shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    if (argc == 6)
        Shot = Shot.copy(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]));
    return Shot.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
