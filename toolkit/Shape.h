#pragma once
// A rectangle outlined in its pen colour and filled with its brush colour; with a
// height of one pixel it is a rule.
#include "Component.h"

class TShape : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TShape(QWidget* Parent);
    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    TColor PenColor() const { return FPenColor; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TColor FPenColor = clBlack;
    TColor FBrushColor = clWhite;
};
