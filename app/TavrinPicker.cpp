#include "TavrinPicker.h"

#include "Clipboard.h"
#include "ColorLabel.h"
#include "ColorSpoit.h"
#include "FlatButtons.h"
#include "HTMLColor.h"
#include "Image.h"
#include "Label.h"
#include "Menus.h"
#include "PageControl.h"
#include "Published.h"
#include "ScrollBar.h"
#include "Shape.h"
#include "Slider.h"
#include "SpinEdit.h"
#include "Timer.h"

TFrmMain* FrmMain = nullptr;

void TFrmMain::FormCreate(TObject*)
{
    FSlider = new TSlider;
    FColorLabel = new TColorLabel;
    FHTMLColor = new THTMLColor;
    FSpoit = new TSpoit;
    FSlider->ResetBars();
    FSlider->SetBars(0, 0, 0);
    Label1->SetColor(0);
    lblSWebSafe->SetColor(0);
    FrmMain->DoubleBuffered = true;
    lblHtmlCode->SetCaption(QStringLiteral("#000000"));
    lblWebSafe->SetCaption(QStringLiteral("#000000"));
    Timer1->SetEnabled(false);
}

void TFrmMain::FormDestroy(TObject*)
{
    delete FSlider;
    FSlider = nullptr;
    delete FColorLabel;
    FColorLabel = nullptr;
    delete FHTMLColor;
    FHTMLColor = nullptr;
    delete FSpoit;
    FSpoit = nullptr;
}

// The editing chain after a bar has moved: snapshot, swatch, the channel's spin edit,
// then both codes from all three bars.
void TFrmMain::BarChanged(TScrollBar* Bar, TSpinEdit* Spin)
{
    FSlider->ReadBars();
    FColorLabel->SetColor(FSlider->GetColor());
    Spin->SetValue(Bar->Position());
    lblHtmlCode->SetCaption(FHTMLColor->GetHTMLCode(std::uint8_t(sclRed->Position()),
                                                    std::uint8_t(sclGreen->Position()),
                                                    std::uint8_t(sclBlue->Position())));
    lblWebSafe->SetCaption(FHTMLColor->GetWebSafeCode(std::uint8_t(sclRed->Position()),
                                                      std::uint8_t(sclGreen->Position()),
                                                      std::uint8_t(sclBlue->Position())));
}

// A spin edit's text changed: its number moves the bar (clamped by the bar), which
// runs the chain if the bar really moves.
void TFrmMain::SpinChanged(TSpinEdit* Spin, TScrollBar* Bar)
{
    Bar->SetPosition(Spin->Value());
    FSlider->ReadBars();
}

// Copies a code label's text as shown, then confirms. A clipboard that cannot be
// set ends the handler before the confirmation.
void TFrmMain::CopyCode(TLabel* Code)
{
    Clipboard()->SetTextBuf(Code->Caption());
    lblMsg->SetLeft(245);
    lblMsg->SetCaption(QStringLiteral("転送完了"));
}

void TFrmMain::fbtHTMLClick(TObject*) { CopyCode(lblHtmlCode); }
void TFrmMain::fbtWebSafeClick(TObject*) { CopyCode(lblWebSafe); }

void TFrmMain::sclRedChange(TObject*) { BarChanged(sclRed, spnR); }
void TFrmMain::sclGreenChange(TObject*) { BarChanged(sclGreen, spnG); }
void TFrmMain::sclBlueChange(TObject*) { BarChanged(sclBlue, spnB); }
void TFrmMain::spnRChange(TObject*) { SpinChanged(spnR, sclRed); }
void TFrmMain::spnGChange(TObject*) { SpinChanged(spnG, sclGreen); }
void TFrmMain::spnBChange(TObject*) { SpinChanged(spnB, sclBlue); }

const TPublished& TFrmMain::Published()
{
    using F = TFrmMain;
    static const TPublished Table{
        {Field("Label1", &F::Label1), Field("lblSWebSafe", &F::lblSWebSafe),
         Field("lblHtmlCode", &F::lblHtmlCode), Field("lblWebSafe", &F::lblWebSafe),
         Field("MainMenu1", &F::MainMenu1), Field("File1", &F::File1), Field("Exit1", &F::Exit1),
         Field("Copy1", &F::Copy1), Field("Help1", &F::Help1), Field("About1", &F::About1),
         Field("HTML1", &F::HTML1), Field("Web1", &F::Web1), Field("Label5", &F::Label5),
         Field("fbtHTML", &F::fbtHTML), Field("fbtWebSafe", &F::fbtWebSafe), Field("Shape1", &F::Shape1),
         Field("Label7", &F::Label7), Field("ftbSpoit", &F::ftbSpoit), Field("Timer1", &F::Timer1),
         Field("lblMsg", &F::lblMsg), Field("PageControl1", &F::PageControl1),
         Field("TabSheet1", &F::TabSheet1), Field("Label2", &F::Label2), Field("Label3", &F::Label3),
         Field("Label4", &F::Label4), Field("sclRed", &F::sclRed), Field("sclGreen", &F::sclGreen),
         Field("sclBlue", &F::sclBlue), Field("spnR", &F::spnR), Field("spnG", &F::spnG),
         Field("spnB", &F::spnB), Field("TabSheet2", &F::TabSheet2), Field("Image1", &F::Image1),
         Field("lblSpoitMsg", &F::lblSpoitMsg), Field("Web2", &F::Web2)},
        {Method("FormCreate", &F::FormCreate), Method("FormDestroy", &F::FormDestroy),
         Method("sclRedChange", &F::sclRedChange), Method("sclGreenChange", &F::sclGreenChange),
         Method("sclBlueChange", &F::sclBlueChange), Method("spnRChange", &F::spnRChange),
         Method("spnGChange", &F::spnGChange), Method("spnBChange", &F::spnBChange),
         Method("fbtHTMLClick", &F::fbtHTMLClick), Method("fbtWebSafeClick", &F::fbtWebSafeClick)}};
    return Table;
}
