#pragma once
// A picture shown at its natural size from the control's top-left corner; the rest
// of the control shows its parent. Pixel reads come from the stored picture, never
// from the screen.
#include "Component.h"

#include <QImage>

class TImage : public QWidget, public TControl {
    Q_OBJECT
public:
    explicit TImage(QWidget* Parent);

    const QImage& Picture() const { return FPicture; }
    void SetPicture(const QImage& Picture);
    // The stored pixel at (X, Y) as $00BBGGRR; clInvalid outside the picture.
    TColor Pixel(int X, int Y) const;
    bool SetProperty(std::string_view Prop, const TPropValue& Value) override;
    bool SetEvent(std::string_view Event, const THandler& Handler) override;

    TMouseEvent OnMouseDown;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* E) override;

private:
    QImage FPicture;
};
