#include "MonitorsX11.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QRect>
#include <QVector>

#include <cstdlib>

// X headers last: their macros clash with Qt's.
#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace platform {
namespace {

// Watches Qt's connection for RandR notifications (Qt selects them on the root) and
// marks the monitor list stale when one arrives.
class TMonitorList : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& Type, void* Message, qintptr*) override
    {
        if (FFirstEvent && Type == "xcb_generic_event_t") {
            const std::uint8_t T = static_cast<xcb_generic_event_t*>(Message)->response_type & 0x7F;
            if (T == FFirstEvent + XCB_RANDR_SCREEN_CHANGE_NOTIFY || T == FFirstEvent + XCB_RANDR_NOTIFY)
                FStale = true;
        }
        return false;
    }

    bool Covers(xcb_connection_t* C, xcb_window_t Root, int X, int Y)
    {
        if (C != FConnection || Root != FRoot) {
            FConnection = C;
            FRoot = Root;
            FStale = true;
            Watch(C);
        }
        if (FStale)
            Read();
        if (FMonitors.isEmpty())
            return true;
        for (const QRect& M : FMonitors)
            if (M.contains(X, Y))
                return true;
        return false;
    }

private:
    void Watch(xcb_connection_t* C)
    {
        const xcb_query_extension_reply_t* RandR = xcb_get_extension_data(C, &xcb_randr_id);
        FFirstEvent = RandR && RandR->present ? RandR->first_event : 0;
        if (!FFiltering && QCoreApplication::instance()) {
            QCoreApplication::instance()->installNativeEventFilter(this);
            FFiltering = true;
        }
    }

    void Read()
    {
        FStale = false;
        FMonitors.clear();
        if (!FFirstEvent)
            return;
        xcb_generic_error_t* Error = nullptr;
        xcb_randr_get_monitors_reply_t* Reply = xcb_randr_get_monitors_reply(
            FConnection, xcb_randr_get_monitors(FConnection, FRoot, 1), &Error);
        std::free(Error); // a server before RandR 1.5: no monitor list
        if (!Reply)
            return;
        for (auto It = xcb_randr_get_monitors_monitors_iterator(Reply); It.rem; xcb_randr_monitor_info_next(&It))
            FMonitors << QRect(It.data->x, It.data->y, It.data->width, It.data->height);
        std::free(Reply);
    }

    xcb_connection_t* FConnection = nullptr;
    xcb_window_t FRoot = XCB_WINDOW_NONE;
    std::uint8_t FFirstEvent = 0;
    bool FStale = true;
    bool FFiltering = false;
    QVector<QRect> FMonitors;
};

TMonitorList& Monitors()
{
    static TMonitorList List;
    return List;
}

} // namespace

bool OnAMonitor(xcb_connection_t* Connection, std::uint32_t Root, int X, int Y)
{
    return Monitors().Covers(Connection, Root, X, Y);
}

} // namespace platform
