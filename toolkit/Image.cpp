#include "Image.h"

#include "Keys.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget* Parent) : QWidget(Parent), TControl(static_cast<QWidget&>(*this))
{
    setAttribute(Qt::WA_NoMousePropagation);
}

void TImage::SetPicture(const QImage& Picture)
{
    FPicture = Picture;
    update();
}

TColor TImage::Pixel(int X, int Y) const
{
    if (!FPicture.valid(X, Y))
        return clInvalid;
    const QRgb P = FPicture.pixel(X, Y);
    return RGBToColor(qRed(P), qGreen(P), qBlue(P));
}

bool TImage::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Picture") {
        QImage Loaded(PropText(V, Prop));
        if (Loaded.isNull())
            return false;
        SetPicture(Loaded);
        return true;
    }
    return TControl::SetProperty(Prop, V);
}

bool TImage::SetEvent(std::string_view Event, const THandler& H)
{
    if (Event != "OnMouseDown" || !std::holds_alternative<TMouseEvent>(H))
        return false;
    OnMouseDown = std::get<TMouseEvent>(H);
    return true;
}

void TImage::paintEvent(QPaintEvent*)
{
    if (!FPicture.isNull())
        QPainter(this).drawImage(0, 0, FPicture);
}

void TImage::mousePressEvent(QMouseEvent* E)
{
    E->accept();
    const QPoint At = E->position().toPoint();
    Fire(OnMouseDown, static_cast<TObject*>(this), MouseButtonOf(E->button()),
         ShiftStateOf(E->modifiers(), E->buttons()), At.x(), At.y());
}
