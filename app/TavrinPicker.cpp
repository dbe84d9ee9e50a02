#include "TavrinPicker.h"

#include "Application.h"
#include "Clipboard.h"
#include "ColorLabel.h"
#include "ColorSpoit.h"
#include "FlatButtons.h"
#include "HTMLColor.h"
#include "Image.h"
#include "Label.h"
#include "Menus.h"
#include "PageControl.h"
#include "PortalColorPicker.h"
#include "Published.h"
#include "Screen.h"
#include "ScrollBar.h"
#include "SessionKind.h"
#include "Shape.h"
#include "Slider.h"
#include "SpinEdit.h"
#include "Timer.h"
#include "Unit1.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

TFrmMain* FrmMain = nullptr;
const char AuthorWebSite[] = "https://tavrin.example/";

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
    if (SessionKind() == TSessionKind::Wayland)
        StartPortalMode();
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

namespace {
const char RestCaption[] = "スポイト";
const char PromptCaption[] = " 何かキー\r\nを押すと色を\r\n 取得します";
} // namespace

void TFrmMain::ftbSpoitClick(TObject*)
{
    if (FPortal) {
        PortalSpoitClick();
        return;
    }
    if (!Timer1->Enabled()) {
        fbtHTML->SetEnabled(true);
        lblHtmlCode->SetEnabled(true);
        lblSpoitMsg->SetTop(34);
        lblSpoitMsg->SetLeft(240);
        lblSpoitMsg->SetCaption(QString::fromUtf8(PromptCaption));
    } else {
        lblSpoitMsg->SetColor(clBtnFace);
        lblSpoitMsg->SetTop(44);
        lblSpoitMsg->SetLeft(252);
        lblSpoitMsg->SetCaption(QString::fromUtf8(RestCaption));
        ftbSpoit->SetColor(clBtnFace);
    }
    Timer1->SetEnabled(!Timer1->Enabled());
}

void TFrmMain::Timer1Timer(TObject*)
{
    int X = 0, Y = 0;
    // No position (the pointer is on another X screen): skip this reading rather
    // than read at a guess.
    if (!platform::GetCursorPos(X, Y))
        return;
    FSpoit->PickAt(X, Y);
    ftbSpoit->SetColor(FSpoit->GetColor());
    lblSpoitMsg->SetColor(FSpoit->GetColor());
}

// Any key in the mode captures the button's colour; the key then goes on to the
// focused control as usual.
void TFrmMain::FormKeyDown(TObject*, Word&, TShiftState)
{
    if (!Timer1->Enabled())
        return;
    CaptureColor(ftbSpoit->Color());
}

// A captured colour goes to the swatch and the bars; the bars' chain does the rest.
void TFrmMain::CaptureColor(TColor C)
{
    Label1->SetColor(C);
    sclRed->SetPosition(RedOf(C));
    sclGreen->SetPosition(GreenOf(C));
    sclBlue->SetPosition(BlueOf(C));
}

namespace {
const char PortalHint[] = "デスクトップの色選択で画面上の色を取得します";
const char PortalRestCaption[] = "クリックで\r\n色を選択";
const char PortalWaitCaption[] = "色を選んで\r\nください";

// The portal's name for our window: its X window in hex, on XWayland.
QString PortalParentWindow(const QWidget& Window)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:") + QString::number(Window.winId(), 16);
}
} // namespace

void TFrmMain::StartPortalMode()
{
    FPortal = new platform::TPortalColorPicker(this);
    connect(FPortal, &platform::TPortalColorPicker::Picked, this, &TFrmMain::PortalPicked);
    connect(FPortal, &platform::TPortalColorPicker::Cancelled, this, &TFrmMain::PortalEnded);
    connect(FPortal, &platform::TPortalColorPicker::Failed, this, &TFrmMain::PortalFailed);
    ftbSpoit->SetProperty("Hint", PortalHint);
    PortalEnded();
}

// A click asks the desktop for a colour; a click while it is asked closes the request.
void TFrmMain::PortalSpoitClick()
{
    if (FPortal->Pending()) {
        FPortal->Close();
        ftbSpoit->SetColor(clBtnFace);
        lblSpoitMsg->SetColor(clBtnFace);
        PortalEnded();
        return;
    }
    fbtHTML->SetEnabled(true);
    lblHtmlCode->SetEnabled(true);
    ShowPortalCaption(PortalWaitCaption);
    FPortal->Pick(PortalParentWindow(*this));
}

void TFrmMain::PortalPicked(int R, int G, int B)
{
    const TColor C = RGBToColor(std::uint8_t(R), std::uint8_t(G), std::uint8_t(B));
    CaptureColor(C);
    ftbSpoit->SetColor(C);
    lblSpoitMsg->SetColor(C);
    PortalEnded();
}

// The plain state of the portal mode: the caption that invites a click.
void TFrmMain::PortalEnded() { ShowPortalCaption(PortalRestCaption); }

// The portal captions sit in the middle of the button; the label sizes itself to them.
void TFrmMain::ShowPortalCaption(const char* Caption)
{
    lblSpoitMsg->SetCaption(QString::fromUtf8(Caption));
    lblSpoitMsg->SetLeft(ftbSpoit->Left() + (ftbSpoit->Width() - lblSpoitMsg->Width()) / 2);
    lblSpoitMsg->SetTop(ftbSpoit->Top() + (ftbSpoit->Height() - lblSpoitMsg->Height()) / 2);
}

void TFrmMain::PortalFailed(const QString& Message)
{
    PortalEnded();
    Application->ShowException(EPlatformError(Message));
}

// A press on the window's own surface in the mode shows the last reading in the
// swatch only.
void TFrmMain::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    if (!Timer1->Enabled())
        return;
    Label1->SetColor(FSpoit->GetColor());
}

// A press on the palette takes the stored pixel's web-safe colour into the web-safe
// code and swatch only. Outside the eyedropper mode it greys the HTML code and its
// button; a page switch enables them again.
void TFrmMain::Image1MouseDown(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    const bool Mode = Timer1->Enabled();
    fbtHTML->SetEnabled(Mode);
    lblHtmlCode->SetEnabled(Mode);
    const TColor C = Image1->Pixel(X, Y);
    lblWebSafe->SetCaption(FHTMLColor->GetWebSafeCode(RedOf(C), GreenOf(C), BlueOf(C)));
}

void TFrmMain::PageControl1Change(TObject*)
{
    fbtHTML->SetEnabled(true);
    lblHtmlCode->SetEnabled(true);
}

void TFrmMain::Exit1Click(TObject*) { Close(); }

void TFrmMain::About1Click(TObject*) { About->ShowModal(); }

// Opens the author's site in the default browser; without a browser nothing happens.
void TFrmMain::Web2Click(TObject*) { QDesktopServices::openUrl(QUrl(QString::fromLatin1(AuthorWebSite))); }

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
         Method("fbtHTMLClick", &F::fbtHTMLClick), Method("fbtWebSafeClick", &F::fbtWebSafeClick),
         Method("ftbSpoitClick", &F::ftbSpoitClick), Method("Timer1Timer", &F::Timer1Timer),
         Method("FormKeyDown", &F::FormKeyDown), Method("FormMouseDown", &F::FormMouseDown),
         Method("Image1MouseDown", &F::Image1MouseDown), Method("PageControl1Change", &F::PageControl1Change),
         Method("Exit1Click", &F::Exit1Click), Method("About1Click", &F::About1Click),
         Method("Web2Click", &F::Web2Click)}};
    return Table;
}
