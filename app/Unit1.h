#pragma once
// The About box: a fixed dialog with the product's picture, shown modally from the
// Help menu and hidden between showings. It has no button and handles no event, so
// Esc and Enter do nothing; the window's close button closes it.
#include "Form.h"

class TImage;
struct TPublished;

class TAbout : public TForm {
    Q_OBJECT
public:
    static const TFormDesc& Description();
    static const TPublished& Published();

    TImage* Image1 = nullptr;
};

extern TAbout* About;
