#include "Graphics.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QColor SystemColor(std::uint8_t Index)
{
    const QPalette Pal = QGuiApplication::palette();
    switch (Index) {
    case 2: return Pal.color(QPalette::Highlight);          // clActiveCaption
    case 8: return Pal.color(QPalette::WindowText);         // clWindowText
    case 15: return Pal.color(QPalette::Window);            // clBtnFace
    case 16: return Pal.color(QPalette::Dark);              // clBtnShadow
    case 20: return Pal.color(QPalette::Light);             // clBtnHighlight
    case 22: return Pal.color(QPalette::Midlight);          // cl3DLight
    default: return Qt::black;
    }
}

} // namespace

QColor ColorToQColor(TColor C)
{
    if (C & 0x80000000u)
        return (C & 0x7FFFFF00u) == 0 ? SystemColor(C & 0xFF) : QColor(Qt::black);
    return QColor(RedOf(C), GreenOf(C), BlueOf(C));
}

QStringList FontFamilies(const QString& Name)
{
    QStringList Families{Name};
    const bool Proportional = Name.contains(QChar(0xFF30)); // the full-width P of the name
    if (Proportional)
        Families << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic");
    else
        Families << QStringLiteral("IPAGothic") << QStringLiteral("IPAPGothic");
    Families << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("VL PGothic")
             << QStringLiteral("sans-serif");
    return Families;
}

int FontPixelSize(int Height) { return Height < 0 ? -Height : (Height > 0 ? Height : 12); }
