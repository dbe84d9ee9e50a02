#include "Shape.h"

#include <QPainter>

TShape::TShape(QWidget* Parent) : QWidget(Parent), TControl(static_cast<QWidget&>(*this))
{
    setAttribute(Qt::WA_NoMousePropagation);
}

bool TShape::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Pen.Color") FPenColor = TColor(PropNumber(V, Prop));
    else if (Prop == "Brush.Color") FBrushColor = TColor(PropNumber(V, Prop));
    else return TControl::SetProperty(Prop, V);
    update();
    return true;
}

void TShape::paintEvent(QPaintEvent*)
{
    QPainter P(this);
    P.fillRect(rect(), ColorToQColor(FBrushColor));
    P.setPen(ColorToQColor(FPenColor));
    P.drawRect(0, 0, width() - 1, height() - 1);
}
