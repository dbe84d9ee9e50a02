#include "ColorSpoit.h"

#include "Screen.h"

void TSpoit::PickAt(int X, int Y) { FColor = platform::ReadScreenPixel(X, Y); }

TColor TSpoit::GetColor() const { return FColor; }
