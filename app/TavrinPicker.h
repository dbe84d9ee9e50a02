#pragma once
// The main window. Its layout and event bindings are its form description
// (TavrinPicker.form.cpp); this class holds the components the description creates,
// the four helper objects, and the event handlers.
//
// The colour being edited lives in the three scroll bars. A bar change runs the
// editing chain: snapshot of the bars (TSlider), swatch (TColorLabel), the channel's
// spin edit, and both codes (THTMLColor). A spin edit change moves its bar.
//
// The eyedropper mode is on exactly while Timer1 is enabled: each tick reads the
// pixel under the pointer (TSpoit) onto the eyedropper button, and a key press
// hands the button's colour to the bars.
//
// In a Wayland session the screen cannot be read: the eyedropper button asks the
// desktop portal for one colour instead (FPortal), and the colour goes to the bars
// as a key capture would take it.
#include "Form.h"

class TLabel;
class TMainMenu;
class TMenuItem;
class TFlatButton;
class TFlatSpeedButton;
class TShape;
class TTimer;
class TPageControl;
class TTabSheet;
class TScrollBar;
class TSpinEdit;
class TImage;
class TSlider;
class TColorLabel;
class THTMLColor;
class TSpoit;
struct TPublished;
namespace platform {
class TPortalColorPicker;
}

class TFrmMain : public TForm {
    Q_OBJECT
public:
    static const TFormDesc& Description();
    static const TPublished& Published();

    TLabel* Label1 = nullptr;
    TLabel* lblSWebSafe = nullptr;
    TLabel* lblHtmlCode = nullptr;
    TLabel* lblWebSafe = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* File1 = nullptr;
    TMenuItem* Exit1 = nullptr;
    TMenuItem* Copy1 = nullptr;
    TMenuItem* Help1 = nullptr;
    TMenuItem* About1 = nullptr;
    TMenuItem* HTML1 = nullptr;
    TMenuItem* Web1 = nullptr;
    TLabel* Label5 = nullptr;
    TFlatButton* fbtHTML = nullptr;
    TFlatButton* fbtWebSafe = nullptr;
    TShape* Shape1 = nullptr;
    TLabel* Label7 = nullptr;
    TFlatSpeedButton* ftbSpoit = nullptr;
    TTimer* Timer1 = nullptr;
    TLabel* lblMsg = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TScrollBar* sclRed = nullptr;
    TScrollBar* sclGreen = nullptr;
    TScrollBar* sclBlue = nullptr;
    TSpinEdit* spnR = nullptr;
    TSpinEdit* spnG = nullptr;
    TSpinEdit* spnB = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* lblSpoitMsg = nullptr;
    TMenuItem* Web2 = nullptr;

private:
    TSlider* FSlider = nullptr;
    TColorLabel* FColorLabel = nullptr;
    THTMLColor* FHTMLColor = nullptr;
    TSpoit* FSpoit = nullptr;
    platform::TPortalColorPicker* FPortal = nullptr; // only in a Wayland session

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void sclRedChange(TObject* Sender);
    void sclGreenChange(TObject* Sender);
    void sclBlueChange(TObject* Sender);
    void spnRChange(TObject* Sender);
    void spnGChange(TObject* Sender);
    void spnBChange(TObject* Sender);
    void fbtHTMLClick(TObject* Sender);
    void fbtWebSafeClick(TObject* Sender);
    void ftbSpoitClick(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void PageControl1Change(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void About1Click(TObject* Sender);
    void Web2Click(TObject* Sender);
    void BarChanged(TScrollBar* Bar, TSpinEdit* Spin);
    void CopyCode(TLabel* Code);
    void SpinChanged(TSpinEdit* Spin, TScrollBar* Bar);
    void CaptureColor(TColor C);
    void StartPortalMode();
    void PortalSpoitClick();
    void PortalPicked(int R, int G, int B);
    void PortalEnded();
    void PortalFailed(const QString& Message);
    void ShowPortalCaption(const char* Caption);

    friend class TFrmMainInspector; // tests look at the helper objects
};

extern TFrmMain* FrmMain;
// The author's web site, opened from the Help menu.
extern const char AuthorWebSite[];
