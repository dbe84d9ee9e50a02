#pragma once
// Flat buttons painted in their own colours: the face in Color inside a one-pixel
// frame in ColorBorder; while the pointer is over it, ColorFocused inside a raised
// frame (ColorHighLight top and left, ColorShadow bottom and right); while held down,
// ColorDown with the frame's colours swapped. OnClick runs for a left click.
// TFlatButton carries a caption and takes the focus when clicked; TFlatSpeedButton
// never takes the focus.
#include "Component.h"

#include <QAbstractButton>

class TFlatButtonBase : public QAbstractButton, public TControl {
    Q_OBJECT
public:
    explicit TFlatButtonBase(QWidget* Parent);

    QString Caption() const { return text(); }
    TColor ColorFocused() const { return FColorFocused; }
    TColor ColorDown() const { return FColorDown; }
    TColor ColorBorder() const { return FColorBorder; }
    TColor ColorHighLight() const { return FColorHighLight; }
    TColor ColorShadow() const { return FColorShadow; }
    // The face colour as it is drawn now: up, hovered or held down.
    TColor FaceColor() const;

    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;

    TNotifyEvent OnClick;

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }
    void changeEvent(QEvent* E) override;

private:
    TColor FColorFocused = clWhite;
    TColor FColorDown = 0xC5D6D9;
    TColor FColorBorder = 0x8396A0;
    TColor FColorHighLight = clWhite;
    TColor FColorShadow = clBlack;
};

class TFlatButton : public TFlatButtonBase {
    Q_OBJECT
public:
    explicit TFlatButton(QWidget* Parent);
};

class TFlatSpeedButton : public TFlatButtonBase {
    Q_OBJECT
public:
    explicit TFlatSpeedButton(QWidget* Parent);
};
