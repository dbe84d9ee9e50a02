// TSpoit and the X11 screen backend on a real X server: colours read back from the
// root window on 24- and 16-bit screens, points off the root, what a reading costs
// the server and the process, and the pointer position.
#include "ColorSpoit.h"
#include "ReadingConnection.h"
#include "Screen.h"

#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMap>
#include <QProcess>
#include <QtTest>

#include <climits>
#include <cstdlib>
#include <malloc.h>
#include <sys/socket.h>

#include <xcb/res.h>
#include <xcb/xcb.h>

namespace {

xcb_connection_t* Connection()
{
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

const xcb_screen_t* FirstScreen()
{
    return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data;
}

// A round trip: once it returns, everything sent before has been handled.
void Sync()
{
    xcb_connection_t* C = Connection();
    std::free(xcb_get_input_focus_reply(C, xcb_get_input_focus(C), nullptr));
}

// Sequence number the next request on C will get.
unsigned NextSequence(xcb_connection_t* C)
{
    const xcb_void_cookie_t Cookie = xcb_no_operation(C);
    return Cookie.sequence + 1;
}

xcb_connection_t* ReadingConnection() { return platform::ReadingConnection().Connection; }

bool RunTool(const QString& Program, const QStringList& Args)
{
    QProcess P;
    P.start(Program, Args);
    if (!P.waitForFinished(30000))
        return false;
    return P.exitStatus() == QProcess::NormalExit && P.exitCode() == 0;
}

// xsetroot sets the background and clears the root, and closes its display (which
// waits for the server) before it exits.
bool SetRootColour(TColor C)
{
    const QString Spec = QStringLiteral("#%1%2%3")
                             .arg(RedOf(C), 2, 16, QLatin1Char('0'))
                             .arg(GreenOf(C), 2, 16, QLatin1Char('0'))
                             .arg(BlueOf(C), 2, 16, QLatin1Char('0'));
    return RunTool(QStringLiteral("xsetroot"), {QStringLiteral("-solid"), Spec});
}

// What a 16-bit RGB565 screen shows for C: each channel cut to 5/6/5 bits, then
// widened again by repeating its top bits.
TColor QuantisedTo565(TColor C)
{
    const unsigned R = RedOf(C) >> 3, G = GreenOf(C) >> 2, B = BlueOf(C) >> 3;
    return RGBToColor(std::uint8_t(R << 3 | R >> 2), std::uint8_t(G << 2 | G >> 4),
                      std::uint8_t(B << 3 | B >> 2));
}

TColor Expected(TColor C)
{
    return FirstScreen()->root_depth == 16 ? QuantisedTo565(C) : C;
}

// Every client of the server (the server itself, this test's Qt connection and the
// readings' own) by its resource base, with the number of resources it holds.
QMap<quint32, quint32> ResourcesPerClient()
{
    xcb_connection_t* C = Connection();
    QList<quint32> Clients;
    if (xcb_res_query_clients_reply_t* Reply =
            xcb_res_query_clients_reply(C, xcb_res_query_clients(C), nullptr)) {
        for (auto It = xcb_res_query_clients_clients_iterator(Reply); It.rem; xcb_res_client_next(&It))
            Clients << It.data->resource_base;
        std::free(Reply);
    }
    QMap<quint32, quint32> Counts;
    for (quint32 Base : Clients) {
        xcb_res_query_client_resources_reply_t* Reply = xcb_res_query_client_resources_reply(
            C, xcb_res_query_client_resources(C, Base), nullptr);
        if (!Reply)
            continue;
        quint32& Total = Counts[Base];
        for (auto It = xcb_res_query_client_resources_types_iterator(Reply); It.rem; xcb_res_type_next(&It))
            Total += It.data->count;
        std::free(Reply);
    }
    return Counts;
}

int OpenFileDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd"))
                   .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                   .size());
}

// Qt reports X errors that reach its event queue through its xcb logging category.
QStringList XcbMessages;
QtMessageHandler PreviousHandler = nullptr;

void CollectXcbMessages(QtMsgType Type, const QMessageLogContext& Context,
                        const QString& Message)
{
    if (Message.contains(QLatin1String("XCB error")))
        XcbMessages << Message;
    else
        PreviousHandler(Type, Context, Message);
}

} // namespace

class TestSampler : public QObject {
    Q_OBJECT

    int Width = 0;
    int Height = 0;

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        const xcb_screen_t* Screen = FirstScreen();
        Width = Screen->width_in_pixels;
        Height = Screen->height_in_pixels;
        QVERIFY(Screen->root_depth == 24 || Screen->root_depth == 16);
        QVERIFY(Width > 1 && Height > 1);
    }

    void readsRootColour_data()
    {
        QTest::addColumn<TColor>("colour");
        QTest::newRow("black") << clBlack;
        QTest::newRow("white") << clWhite;
        QTest::newRow("red") << RGBToColor(0xFF, 0, 0);
        QTest::newRow("green") << RGBToColor(0, 0xFF, 0);
        QTest::newRow("blue") << RGBToColor(0, 0, 0xFF);
        QTest::newRow("yellow") << RGBToColor(0xFF, 0xFF, 0);
        // Exact in RGB565 too: 5/6/5-bit values with their top bits repeated.
        QTest::newRow("mixed, exact in 565") << RGBToColor(0x84, 0xC3, 0x42);
        // Not exact in RGB565, but truncating and rounding servers agree on it.
        QTest::newRow("mixed, quantised in 565") << RGBToColor(0x22, 0x42, 0x86);
    }
    void readsRootColour()
    {
        QFETCH(TColor, colour);
        QVERIFY(SetRootColour(colour));
        const TColor Want = Expected(colour);
        const QPoint Points[] = {{0, 0}, {Width / 2, Height / 3}, {Width - 1, 0},
                                 {0, Height - 1}, {Width - 1, Height - 1}};
        for (const QPoint& P : Points) {
            TSpoit Spoit;
            Spoit.PickAt(P.x(), P.y());
            QCOMPARE(Spoit.GetColor(), Want);
            QCOMPARE(platform::ReadScreenPixel(P.x(), P.y()), Want);
        }
    }

    void colourStaysUntilNextPick()
    {
        TSpoit Spoit;
        QVERIFY(SetRootColour(RGBToColor(0xFF, 0, 0)));
        Spoit.PickAt(10, 10);
        QVERIFY(SetRootColour(RGBToColor(0, 0, 0xFF)));
        QCOMPARE(Spoit.GetColor(), Expected(RGBToColor(0xFF, 0, 0)));
        Spoit.PickAt(10, 10);
        QCOMPARE(Spoit.GetColor(), Expected(RGBToColor(0, 0, 0xFF)));
    }

    // Off the root everything reads 0xFFFFFFFF, also points that would wrap round
    // onto the root if they were cut to the protocol's 16 bits.
    void pointsOffTheRoot_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("x = width") << Width << 0;
        QTest::newRow("y = height") << 0 << Height;
        QTest::newRow("both at size") << Width << Height;
        QTest::newRow("far away") << 20000 << 15000;
        QTest::newRow("x wraps to 5") << 65536 + 5 << 5;
        QTest::newRow("y wraps to 5") << 5 << 65536 + 5;
        QTest::newRow("int max") << INT_MAX << INT_MAX;
        QTest::newRow("x = -1") << -1 << 0;
        QTest::newRow("y = -1") << 0 << -1;
        QTest::newRow("both negative") << -50 << -60;
        QTest::newRow("-65536 wraps to 0") << -65536 << -65536;
        QTest::newRow("int min") << INT_MIN << INT_MIN;
    }
    void pointsOffTheRoot()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        // Black root: an off-root point misread as on it would give 0, not clInvalid.
        QVERIFY(SetRootColour(clBlack));
        TSpoit Spoit;
        Spoit.PickAt(x, y);
        QCOMPARE(Spoit.GetColor(), clInvalid);
    }

    // Failed readings must not leave X errors behind for anyone. The first part shows
    // that an error which does reach Qt's queue is seen here.
    void errorsStayOutOfQtsQueue()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.xcb*=true"));
        XcbMessages.clear();
        PreviousHandler = qInstallMessageHandler(CollectXcbMessages);
        auto Restore = qScopeGuard([] {
            qInstallMessageHandler(PreviousHandler);
            QLoggingCategory::setFilterRules(QString());
        });

        xcb_map_window(Connection(), FirstScreen()->root + 0x7FFF); // no such window
        Sync();
        // Qt's reader thread hands the error on in its own time.
        QTRY_COMPARE(XcbMessages.size(), 1);

        XcbMessages.clear();
        for (int I = 0; I < 50; ++I) {
            QCOMPARE(platform::ReadScreenPixel(Width + I, 0), clInvalid);
            QCOMPARE(platform::ReadScreenPixel(0, Height + I), clInvalid);
        }
        Sync();
        QTest::qWait(50);
        QCOMPARE(XcbMessages, QStringList());
        // Nor do they wait in the readings' own connection as events.
        xcb_generic_event_t* Left = xcb_poll_for_event(ReadingConnection());
        QVERIFY2(!Left, Left ? qPrintable(QString::number(Left->response_type)) : "");
    }

    // The eyedropper reads every 10 ms: one request per reading, nothing else, and
    // none of it on Qt's connection.
    void oneRequestPerReading_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("on the root") << 5 << 5;
        QTest::newRow("off the root") << Width + 3 << 5;
        QTest::newRow("negative") << -3 << 5;
    }
    void oneRequestPerReading()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        platform::ReadScreenPixel(x, y); // first use opens the connection, describes the screen
        QVERIFY(platform::ReadingConnection().OwnConnection());
        const unsigned QtBefore = NextSequence(Connection());
        const unsigned Before = NextSequence(ReadingConnection());
        platform::ReadScreenPixel(x, y);
        const unsigned After = NextSequence(ReadingConnection());
        QVERIFY2(After - Before <= 2, qPrintable(QString::number(After - Before - 1)));
        QCOMPARE(NextSequence(Connection()) - QtBefore, 1u);
    }

    // A tick asks for the pointer and then for the pixel under it. The pointer query
    // brings along the pixel where the pointer was last seen, so a resting pointer
    // costs two requests a tick and the reading itself none; a moved one gets a fresh
    // reading at its new place.
    void tickPairsPointerAndPixel()
    {
        QVERIFY(SetRootColour(RGBToColor(0xFF, 0, 0)));
        const TColor Red = Expected(RGBToColor(0xFF, 0, 0));
        xcb_connection_t* C = Connection();
        const xcb_window_t Patch = xcb_generate_id(C);
        const std::uint32_t Values[] = {FirstScreen()->white_pixel, 1};
        xcb_create_window(C, XCB_COPY_FROM_PARENT, Patch, FirstScreen()->root, 100, 100, 50, 50, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, Values);
        xcb_map_window(C, Patch);
        Sync();
        auto Destroy = qScopeGuard([&] { xcb_destroy_window(C, Patch); Sync(); });

        struct TTick { int PointerX, PointerY; TColor Want; unsigned Requests; };
        const TTick Ticks[] = {
            {10, 10, Red, 3},        // moved: the paired reading is of the old place
            {10, 10, Red, 2},        // resting
            {120, 120, clWhite, 3},  // moved onto the patch
            {120, 120, clWhite, 2},
            {10, 10, Red, 3},        // and off it again
        };
        auto Tick = [](int& X, int& Y) {
            return platform::GetCursorPos(X, Y) ? platform::ReadScreenPixel(X, Y) : clInvalid;
        };
        QVERIFY(RunTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("200"), QStringLiteral("40")}));
        int X = -1, Y = -1;
        QCOMPARE(Tick(X, Y), Red);
        for (const TTick& T : Ticks) {
            QVERIFY(RunTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"),
                QString::number(T.PointerX), QString::number(T.PointerY)}));
            const unsigned Before = NextSequence(ReadingConnection());
            QCOMPARE(Tick(X, Y), T.Want);
            QCOMPARE(QPoint(X, Y), QPoint(T.PointerX, T.PointerY));
            const unsigned Sent = NextSequence(ReadingConnection()) - Before - 1;
            QVERIFY2(Sent == T.Requests,
                     qPrintable(QStringLiteral("tick %1: %2 requests").arg(&T - Ticks).arg(Sent)));
        }

        // The screen changing under a resting pointer shows at the next tick.
        QVERIFY(SetRootColour(RGBToColor(0, 0, 0xFF)));
        QCOMPARE(Tick(X, Y), Expected(RGBToColor(0, 0, 0xFF)));
        // A reading elsewhere after a pointer query reads there.
        QVERIFY(platform::GetCursorPos(X, Y));
        QCOMPARE(platform::ReadScreenPixel(125, 125), clWhite);
    }

    void manyReadingsLeaveNothingBehind()
    {
        QVERIFY(SetRootColour(RGBToColor(0x84, 0xC3, 0x42)));
        QCoreApplication::processEvents();
        platform::ReadScreenPixel(0, 0);
        const QMap<quint32, quint32> ResourcesBefore = ResourcesPerClient();
        QVERIFY(ResourcesBefore.contains(xcb_get_setup(Connection())->resource_id_base));
        QVERIFY(ResourcesBefore.contains(xcb_get_setup(ReadingConnection())->resource_id_base));
        const int FdsBefore = OpenFileDescriptors();

        TSpoit Spoit;
        const TColor Want = Expected(RGBToColor(0x84, 0xC3, 0x42));
        int Wrong = 0;
        for (int I = 0; I < 20000; ++I) {
            Spoit.PickAt(I % Width, I % Height);
            Wrong += Spoit.GetColor() != Want;
        }
        QCOMPARE(Wrong, 0);

        QCOMPARE(ResourcesPerClient(), ResourcesBefore);
        QCOMPARE(OpenFileDescriptors(), FdsBefore);
    }

    // Replies and errors are freed: a leak of either costs at least one malloc chunk
    // (32 bytes) per reading. The warm-up lets xcb and malloc settle first.
    void readingsFreeTheirReplies()
    {
        for (int I = 0; I < 200; ++I) {
            platform::ReadScreenPixel(I, I);
            platform::ReadScreenPixel(Width + I, 0);
        }
        const std::size_t Before = mallinfo2().uordblks;
        const int Readings = 10000;
        for (int I = 0; I < Readings; ++I) {
            platform::ReadScreenPixel(I % Width, 0);
            platform::ReadScreenPixel(Width + I % 100, 0);
        }
        const std::size_t After = mallinfo2().uordblks;
        const std::size_t Growth = After > Before ? After - Before : 0;
        QVERIFY2(Growth < std::size_t(Readings) * 16, qPrintable(QString::number(Growth)));
    }

    // Physical root coordinates, whatever Qt's own scaling.
    void cursorPosition_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("123, 45") << 123 << 45;
        QTest::newRow("origin") << 0 << 0;
        QTest::newRow("far corner") << Width - 1 << Height - 1;
        QTest::newRow("123, 45 again") << 123 << 45;
    }
    void cursorPosition()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QVERIFY(RunTool(QStringLiteral("xdotool"),
                        {QStringLiteral("mousemove"), QString::number(x), QString::number(y)}));
        int X = -1;
        int Y = -1;
        QVERIFY(platform::GetCursorPos(X, Y));
        QCOMPARE(X, x);
        QCOMPARE(Y, y);
    }

    // Runs last: it breaks the readings' own connection, as a server that drops the
    // client would. No reading is lost; they go on over Qt's connection.
    void readingsOutliveTheirConnection()
    {
        QVERIFY(SetRootColour(RGBToColor(0xFF, 0, 0)));
        QVERIFY(RunTool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("20"), QStringLiteral("30")}));
        platform::ReadScreenPixel(0, 0);
        QVERIFY(platform::ReadingConnection().OwnConnection());
        QCOMPARE(shutdown(xcb_get_file_descriptor(ReadingConnection()), SHUT_RDWR), 0);

        // In the order of an eyedropper tick: the pointer, then the pixel under it.
        int X = -1, Y = -1;
        QVERIFY(platform::GetCursorPos(X, Y));
        QCOMPARE(QPoint(X, Y), QPoint(20, 30));
        QVERIFY(!platform::ReadingConnection().OwnConnection());
        QCOMPARE(platform::ReadScreenPixel(X, Y), Expected(RGBToColor(0xFF, 0, 0)));
        QCOMPARE(platform::ReadScreenPixel(Width, 0), clInvalid);
    }
};

QTEST_MAIN(TestSampler)
#include "test_sampler.moc"
