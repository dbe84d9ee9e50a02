#include "ColorLabel.h"

#include "Label.h"
#include "TavrinPicker.h"

void TColorLabel::SetColor(TColor Value)
{
    FColor = Value;
    FrmMain->Label1->SetColor(Value);
}
