// The program: the application object, the main window, the About box, the loop,
// and the clipboard kept after exit.
#include "Application.h"
#include "ClipboardKeeper.h"
#include "DisplayCheck.h"
#include "LostDisplay.h"
#include "SessionKind.h"
#include "TavrinPicker.h"
#include "Unit1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // A closing picker starts this binary again to keep its copy on the clipboard;
    // that process uses no Qt at all.
    if (platform::IsClipboardKeeper(argc, argv))
        return platform::RunClipboardKeeper();
    if (!DisplayAvailable(argv[0]))
        return 1;
    StartSession(argc, argv);
    WatchForLostDisplay(argv[0]);
    // The eyedropper repaints its button on every tick. With shared-memory images Qt
    // waits for the server to finish each upload before the next paint, a round trip
    // through its event thread; sending the few kilobytes over the socket costs less.
    const bool NoMitShmIsOurs = !qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
    if (NoMitShmIsOurs)
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication Qt(argc, argv);
    // Qt has read it while connecting. Programs started from here (the browser for
    // the web site, the clipboard keeper) get the user's environment, not our choice.
    if (NoMitShmIsOurs)
        qunsetenv("QT_XCB_NO_MITSHM");
    TApplication App;
    App.Initialize();
    App.CreateForm(FrmMain);
    App.CreateForm(About);
    const int Status = App.Run();
    App.DestroyForms();
    platform::KeepClipboardAfterExit();
    return Status;
}
