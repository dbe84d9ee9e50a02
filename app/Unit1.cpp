#include "Unit1.h"

#include "Published.h"

TAbout* About = nullptr;

const TFormDesc& TAbout::Description()
{
    static const TFormDesc Desc{
        "About",
        {{"Caption", "About.."}, {"BorderStyle", "bsDialog"}, {"ClientWidth", 284}, {"ClientHeight", 171},
         {"Color", clBtnFace}, {"Font.Name", "ＭＳ Ｐゴシック"}, {"Font.Height", -12},
         {"Position", "poDesktopCenter"}},
        {},
        {}};
    return Desc;
}

const TPublished& TAbout::Published()
{
    static const TPublished Table;
    return Table;
}
