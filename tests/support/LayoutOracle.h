#pragma once
// Where the controls of the picker's window lie, taken from the same forms built in
// the test's own process: laid out as when shown, but never mapped on the screen.
#include "Component.h"
#include "PickerFixture.h"

#include <QRect>

class TLayoutOracle {
public:
    TLayoutOracle()
    {
        FrmMain->setAttribute(Qt::WA_DontShowOnScreen);
        FrmMain->show();
    }
    // A control's rectangle in the window's client area, at the given scale.
    static QRect WidgetInWindow(const QWidget* W, int Scale = 1)
    {
        return QRect(W->mapTo(FrmMain, QPoint(0, 0)) * Scale, W->size() * Scale);
    }
    static QRect InWindow(const TControl* C, int Scale = 1) { return WidgetInWindow(&C->Widget(), Scale); }

private:
    TPickerFixture FForms;
};
