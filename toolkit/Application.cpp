#include "Application.h"

#include "Form.h"
#include "Graphics.h"

#include <QApplication>
#include <QMessageBox>

TApplication* Application = nullptr;

TApplication::TApplication() { Application = this; }

TApplication::~TApplication()
{
    DestroyForms();
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    QFont Font = QApplication::font();
    Font.setFamilies(FontFamilies(QStringLiteral("ＭＳ Ｐゴシック")));
    Font.setPixelSize(12);
    QApplication::setFont(Font);
    // The program ends when its main form closes, not when Qt sees no window left.
    QApplication::setQuitOnLastWindowClosed(false);
}

int TApplication::Run()
{
    if (FMainForm)
        FMainForm->show();
    return QApplication::exec();
}

void TApplication::Terminate() { QApplication::quit(); }

void TApplication::DestroyForms()
{
    while (!FForms.isEmpty()) {
        TForm* Form = FForms.takeLast();
        Form->BeforeDestruction();
        delete Form;
    }
    FMainForm = nullptr;
}

void TApplication::ShowException(const EPlatformError& E)
{
    QMessageBox Box(QMessageBox::Critical, QCoreApplication::applicationName(), E.Message(),
                    QMessageBox::Ok, QApplication::activeWindow());
    Box.exec();
}
