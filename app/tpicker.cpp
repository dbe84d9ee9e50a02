// The program: the application object, the main window, the About box, the loop.
#include "Application.h"
#include "DisplayCheck.h"
#include "TavrinPicker.h"
#include "Unit1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (!DisplayAvailable(argv[0]))
        return 1;
    QApplication Qt(argc, argv);
    TApplication App;
    App.Initialize();
    App.CreateForm(FrmMain);
    App.CreateForm(About);
    const int Status = App.Run();
    App.DestroyForms();
    return Status;
}
