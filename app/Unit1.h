#pragma once
// The About box: a fixed dialog shown modally from the Help menu, hidden between
// showings.
#include "Form.h"

struct TPublished;

class TAbout : public TForm {
    Q_OBJECT
public:
    static const TFormDesc& Description();
    static const TPublished& Published();
};

extern TAbout* About;
