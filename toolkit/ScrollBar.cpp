#include "ScrollBar.h"

#include <QKeyEvent>

TScrollBar::TScrollBar(QWidget* Parent)
    : QScrollBar(Qt::Horizontal, Parent), TControl(static_cast<QWidget&>(*this))
{
    setRange(0, 100);
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_NoMousePropagation);
    // QAbstractSlider emits valueChanged synchronously and only for a new value, and
    // for every tracked position while the thumb is dragged.
    connect(this, &QScrollBar::valueChanged, this,
            [this] { Fire(OnChange, static_cast<TObject*>(this)); });
}

bool TScrollBar::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Kind")
        setOrientation(PropText(V, Prop) == QLatin1String("sbVertical") ? Qt::Vertical : Qt::Horizontal);
    else if (Prop == "Min") setMinimum(int(PropNumber(V, Prop)));
    else if (Prop == "Max") setMaximum(int(PropNumber(V, Prop)));
    else if (Prop == "Position") setValue(int(PropNumber(V, Prop)));
    else if (Prop == "SmallChange") setSingleStep(int(PropNumber(V, Prop)));
    else if (Prop == "LargeChange") setPageStep(int(PropNumber(V, Prop)));
    else return TControl::SetProperty(Prop, V);
    return true;
}

// The keys of a focused scroll bar: arrows step by a line, page keys by a page, Home
// and End go to the ends. Qt's own handling leaves some of these to scroll areas.
void TScrollBar::keyPressEvent(QKeyEvent* E)
{
    switch (E->key()) {
    case Qt::Key_Left: case Qt::Key_Up: triggerAction(SliderSingleStepSub); break;
    case Qt::Key_Right: case Qt::Key_Down: triggerAction(SliderSingleStepAdd); break;
    case Qt::Key_PageUp: triggerAction(SliderPageStepSub); break;
    case Qt::Key_PageDown: triggerAction(SliderPageStepAdd); break;
    case Qt::Key_Home: triggerAction(SliderToMinimum); break;
    case Qt::Key_End: triggerAction(SliderToMaximum); break;
    default: QScrollBar::keyPressEvent(E); return;
    }
    E->accept();
}

bool TScrollBar::SetEvent(std::string_view Event, const THandler& H)
{
    if (Event != "OnChange" || !std::holds_alternative<TNotifyEvent>(H))
        return false;
    OnChange = std::get<TNotifyEvent>(H);
    return true;
}
