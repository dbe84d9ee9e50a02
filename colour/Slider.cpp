#include "Slider.h"

#include "ScrollBar.h"
#include "TavrinPicker.h"

void TSlider::ReadBars()
{
    FRed = std::uint8_t(FrmMain->sclRed->Position());
    FGreen = std::uint8_t(FrmMain->sclGreen->Position());
    FBlue = std::uint8_t(FrmMain->sclBlue->Position());
}

TColor TSlider::GetColor() const { return RGBToColor(FRed, FGreen, FBlue); }

void TSlider::ResetBars()
{
    FrmMain->sclRed->SetPosition(0);
    FrmMain->sclGreen->SetPosition(0);
    FrmMain->sclBlue->SetPosition(0);
}

void TSlider::SetBars(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue)
{
    FrmMain->sclRed->SetPosition(Red);
    FrmMain->sclGreen->SetPosition(Green);
    FrmMain->sclBlue->SetPosition(Blue);
}
