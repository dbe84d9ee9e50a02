#include "Label.h"

#include <QMouseEvent>
#include <QPainter>

TLabel::TLabel(QWidget* Parent) : QWidget(Parent), TControl(static_cast<QWidget&>(*this))
{
    setAttribute(Qt::WA_NoMousePropagation); // a press on a label is not a press on the form
}

void TLabel::SetCaption(const QString& V)
{
    if (V == FCaption)
        return;
    FCaption = V;
    FLineTexts.clear();
    AdjustSize();
    update();
}

QStringList TLabel::Lines() const
{
    QString Text = FCaption;
    Text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return Text.split(QLatin1Char('\n'));
}

// Shaping is the dear part of drawing text. The lines keep their layout until the
// caption or the font changes, so a label whose colour changes on every eyedropper
// tick repaints without shaping its caption again.
const QList<QStaticText>& TLabel::LineTexts()
{
    if (FLineTexts.isEmpty()) {
        for (const QString& Line : Lines()) {
            QStaticText Text(Line);
            Text.setTextFormat(Qt::PlainText);
            Text.prepare(QTransform(), font());
            FLineTexts << Text;
        }
    }
    return FLineTexts;
}

void TLabel::AdjustSize()
{
    if (!FAutoSize)
        return;
    const QFontMetrics Metrics(font());
    int W = 0;
    const QStringList All = Lines();
    for (const QString& Line : All)
        W = std::max(W, Metrics.horizontalAdvance(Line.isEmpty() && All.size() == 1 ? QStringLiteral(" ") : Line));
    int H = Metrics.height() * int(All.size());
    if (FMinWidth) W = std::max(W, FMinWidth);
    if (FMaxWidth) W = std::min(W, FMaxWidth);
    if (FMinHeight) H = std::max(H, FMinHeight);
    if (FMaxHeight) H = std::min(H, FMaxHeight);
    resize(W, H);
}

bool TLabel::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Caption") SetCaption(PropText(V, Prop));
    else if (Prop == "AutoSize") { FAutoSize = PropFlag(V, Prop); AdjustSize(); }
    else if (Prop == "Transparent") FTransparent = PropFlag(V, Prop);
    else if (Prop == "Constraints.MinWidth") FMinWidth = int(PropNumber(V, Prop));
    else if (Prop == "Constraints.MaxWidth") FMaxWidth = int(PropNumber(V, Prop));
    else if (Prop == "Constraints.MinHeight") FMinHeight = int(PropNumber(V, Prop));
    else if (Prop == "Constraints.MaxHeight") FMaxHeight = int(PropNumber(V, Prop));
    else return TControl::SetProperty(Prop, V);
    return true;
}

bool TLabel::SetEvent(std::string_view Event, const THandler& H)
{
    if (Event != "OnClick" || !std::holds_alternative<TNotifyEvent>(H))
        return false;
    OnClick = std::get<TNotifyEvent>(H);
    return true;
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter P(this);
    if (!FTransparent)
        P.fillRect(rect(), ColorToQColor(Color()));
    P.setFont(font());
    const int LineHeight = QFontMetrics(font()).height();
    const QList<QStaticText>& Texts = LineTexts();
    auto DrawText = [&](int Dx, int Dy) {
        for (int I = 0; I < Texts.size(); ++I) {
            // Each line in a box of its own, clipped to it when it overflows, as
            // QPainter::drawText does with a box.
            const QRect Box(Dx, Dy + I * LineHeight, width(), LineHeight);
            const QSizeF Size = Texts[I].size();
            const bool Clip = Size.width() > Box.width() || Size.height() > Box.height();
            if (Clip) {
                P.save();
                P.setClipRect(Box, Qt::IntersectClip);
            }
            P.drawStaticText(Box.topLeft(), Texts[I]);
            if (Clip)
                P.restore();
        }
    };
    if (isEnabled()) {
        P.setPen(ColorToQColor(FontColor()));
        DrawText(0, 0);
    } else { // embossed, as disabled text is drawn on a button face
        P.setPen(ColorToQColor(clBtnHighlight));
        DrawText(1, 1);
        P.setPen(ColorToQColor(clBtnShadow));
        DrawText(0, 0);
    }
}

void TLabel::mousePressEvent(QMouseEvent* E)
{
    FPressed = E->button() == Qt::LeftButton;
    E->accept();
}

void TLabel::mouseReleaseEvent(QMouseEvent* E)
{
    const bool Click = FPressed && E->button() == Qt::LeftButton && rect().contains(E->position().toPoint());
    FPressed = false;
    E->accept();
    if (Click)
        Fire(OnClick, static_cast<TObject*>(this));
}

void TLabel::changeEvent(QEvent* E)
{
    if (E->type() == QEvent::FontChange) {
        FLineTexts.clear();
        AdjustSize();
    }
    // A disabled control lets presses through to the form beneath, as a disabled
    // control is skipped when the form looks for the control under the pointer.
    if (E->type() == QEvent::EnabledChange)
        setAttribute(Qt::WA_NoMousePropagation, isEnabled());
    QWidget::changeEvent(E);
}
