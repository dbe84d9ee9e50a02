#include "Form.h"

#include "Application.h"
#include "FormLoader.h"
#include "Keys.h"
#include "Menus.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

// The form's own surface: the client area below the menu bar.
class TFormSurface : public QWidget {
public:
    explicit TFormSurface(TForm* Form) : QWidget(Form), FForm(Form) { setAutoFillBackground(true); }

protected:
    void mousePressEvent(QMouseEvent* E) override
    {
        E->accept();
        const QPoint At = E->position().toPoint();
        Fire(FForm->OnMouseDown, static_cast<TObject*>(FForm), MouseButtonOf(E->button()),
             ShiftStateOf(E->modifiers(), E->buttons()), At.x(), At.y());
    }

private:
    TForm* FForm;
};

// A Windows frame at 96 dpi: 4-pixel sizing border, 19-pixel caption, 20-pixel menu
// bar. The window manager draws the frame here, so an outer size of the description
// becomes the client size it leaves.
namespace {
constexpr int FrameBorder = 4, CaptionHeight = 19, MenuBarHeight = 20;
}

TForm::TForm() : FSurface(new TFormSurface(this))
{
    QPalette Pal = FSurface->palette();
    Pal.setColor(QPalette::Window, ColorToQColor(clBtnFace));
    FSurface->setPalette(Pal);
}

TForm::~TForm() = default;

void TForm::Load(const TFormDesc& Desc, const TPublished& Published) { LoadForm(*this, Desc, Published); }

void TForm::BeforeDestruction()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    Fire(OnDestroy, static_cast<TObject*>(this));
}

TComponent* TForm::FindComponent(const QString& Name) const
{
    for (TComponent* C : FComponents)
        if (C->Name == Name)
            return C;
    return nullptr;
}

QWidget* TForm::Surface() const { return FSurface; }

QMenuBar* TForm::MenuBar()
{
    if (!FMenuBar) {
        FMenuBar = new QMenuBar(this);
        FMenuBar->setNativeMenuBar(false);
        LayOut();
    }
    return FMenuBar;
}

int TForm::ClientWidth() const { return FSurface->width(); }
int TForm::ClientHeight() const { return FSurface->height(); }

bool TForm::SetProperty(std::string_view Prop, const TPropValue& V)
{
    if (Prop == "Caption") setWindowTitle(PropText(V, Prop));
    else if (Prop == "Left") move(int(PropNumber(V, Prop)), y());
    else if (Prop == "Top") move(x(), int(PropNumber(V, Prop)));
    else if (Prop == "Width") FOuterWidth = int(PropNumber(V, Prop));
    else if (Prop == "Height") FOuterHeight = int(PropNumber(V, Prop));
    else if (Prop == "ClientWidth") FClientWidth = int(PropNumber(V, Prop));
    else if (Prop == "ClientHeight") FClientHeight = int(PropNumber(V, Prop));
    else if (Prop == "Color") {
        QPalette Pal = FSurface->palette();
        Pal.setColor(QPalette::Window, ColorToQColor(TColor(PropNumber(V, Prop))));
        FSurface->setPalette(Pal);
    } else if (Prop == "Font.Name" || Prop == "Font.Height") {
        QFont F = font();
        if (Prop == "Font.Name") F.setFamilies(FontFamilies(PropText(V, Prop)));
        else F.setPixelSize(FontPixelSize(int(PropNumber(V, Prop))));
        setFont(F);
    } else if (Prop == "KeyPreview") FKeyPreview = PropFlag(V, Prop);
    else if (Prop == "Menu") FMenuName = PropText(V, Prop);
    else if (Prop == "Icon") setWindowIcon(QIcon(PropText(V, Prop)));
    else if (Prop == "Position") FCentre = PropText(V, Prop) == QLatin1String("poDesktopCenter");
    else if (Prop == "BorderStyle") {
        if (PropText(V, Prop) != QLatin1String("bsDialog")) return false;
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowCloseButtonHint);
    } else return false;
    return true;
}

bool TForm::SetEvent(std::string_view Event, const THandler& H)
{
    if (std::holds_alternative<TNotifyEvent>(H)) {
        if (Event == "OnCreate") OnCreate = std::get<TNotifyEvent>(H);
        else if (Event == "OnDestroy") OnDestroy = std::get<TNotifyEvent>(H);
        else return false;
    } else if (Event == "OnKeyDown" && std::holds_alternative<TKeyEvent>(H))
        OnKeyDown = std::get<TKeyEvent>(H);
    else if (Event == "OnMouseDown" && std::holds_alternative<TMouseEvent>(H))
        OnMouseDown = std::get<TMouseEvent>(H);
    else
        return false;
    return true;
}

void TForm::Loaded()
{
    if (!FMenuName.isEmpty() && !dynamic_cast<TMainMenu*>(FindComponent(FMenuName)))
        throw std::logic_error("the form's Menu names no main menu");
    const bool Dialog = windowFlags() & Qt::Dialog;
    int W = FClientWidth, H = FClientHeight;
    if (FOuterWidth) W = FOuterWidth - 2 * FrameBorder;
    if (FOuterHeight) H = FOuterHeight - 2 * FrameBorder - CaptionHeight - (FMenuBar ? MenuBarHeight : 0);
    const int BarHeight = FMenuBar ? FMenuBar->sizeHint().height() : 0;
    resize(W, H + BarHeight);
    LayOut(); // a hidden window gets its resize event only when shown
    if (Dialog)
        setFixedSize(size());
    create();
    windowHandle()->installEventFilter(this);
}

void TForm::LayOut()
{
    const int BarHeight = FMenuBar ? FMenuBar->sizeHint().height() : 0;
    if (FMenuBar)
        FMenuBar->setGeometry(0, 0, width(), BarHeight);
    FSurface->setGeometry(0, BarHeight, width(), height() - BarHeight);
}

void TForm::resizeEvent(QResizeEvent*) { LayOut(); }

bool TForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == windowHandle() && Event->type() == QEvent::KeyPress && FKeyPreview && OnKeyDown) {
        auto* KeyEvent = static_cast<QKeyEvent*>(Event);
        const Word Original = VirtualKeyOf(*KeyEvent);
        Word Key = Original;
        Fire(OnKeyDown, static_cast<TObject*>(this), Key,
             ShiftStateOf(KeyEvent->modifiers(), Qt::NoButton));
        return Original != 0 && Key == 0; // a handler that clears Key keeps it from the control
    }
    return QWidget::eventFilter(Watched, Event);
}

void TForm::showEvent(QShowEvent* E)
{
    if (FCentre && !FShownOnce) {
        const QRect Desktop = screen()->virtualGeometry();
        move(Desktop.topLeft() + QPoint(Desktop.width() - width(), Desktop.height() - height()) / 2);
    }
    FShownOnce = true;
    QWidget::showEvent(E);
}

void TForm::closeEvent(QCloseEvent* E)
{
    E->accept();
    if (FModalLoop)
        FModalLoop->quit();
    if (Application && Application->MainForm() == this)
        Application->Terminate();
}

int TForm::ShowModal()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow(); // the keyboard goes to the modal window, so the owner's shortcuts sleep
    raise();
    QEventLoop Loop;
    FModalLoop = &Loop;
    Loop.exec(QEventLoop::DialogExec);
    FModalLoop = nullptr;
    hide();
    return 0;
}
