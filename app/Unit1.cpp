#include "Unit1.h"

#include "Image.h"
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
        {{"Image1", "TImage", nullptr,
          {{"Left", 0}, {"Top", 0}, {"Width", 289}, {"Height", 177}, {"Picture", ":/res/about.png"}}, {}}}};
    return Desc;
}

const TPublished& TAbout::Published()
{
    static const TPublished Table{{Field("Image1", &TAbout::Image1)}, {}};
    return Table;
}
