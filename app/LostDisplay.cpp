#include "LostDisplay.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

const char* ProgramName = "tpicker";
QtMessageHandler Previous = nullptr;

// Qt's xcb plugin says one of these, through qWarning, as it gives up on the
// connection: from its event processing, or from Xlib's I/O error handler.
bool SaysTheConnectionBroke(const QString& Message)
{
    return Message.startsWith(QLatin1String("The X11 connection broke"));
}

void Handler(QtMsgType Type, const QMessageLogContext& Context, const QString& Message)
{
    if (Type == QtWarningMsg && SaysTheConnectionBroke(Message)) {
        std::fprintf(stderr, "%s: the X display went away; exiting\n", ProgramName);
        std::fflush(nullptr);
        std::_Exit(1);
    }
    Previous(Type, Context, Message);
}

} // namespace

void WatchForLostDisplay(const char* Program)
{
    if (Program && *Program)
        ProgramName = Program;
    Previous = qInstallMessageHandler(&Handler);
}
