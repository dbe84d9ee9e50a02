#pragma once
// The picture at the top of the About box: the product name and version on white,
// crossed by coloured bands.
#include <QImage>
#include <QString>

// 283 x 170, Format_RGB888. The text is set in DejaVu Sans Mono (another monospaced
// face stands in when it is missing), so the picture is generated once and shipped as
// a PNG. Needs a QGuiApplication for the fonts.
QImage DrawAboutPicture(const QString &Version);
