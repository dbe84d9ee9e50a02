// Closing the picker after a copy: the code stays on the clipboard, taken over by a
// clipboard manager when one runs and otherwise served by the picker's own keeper
// process, which ends as soon as another client takes the clipboard or the X server
// goes away.
#include "ClipboardKeeper.h"
#include "Desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <poll.h>

#include <xcb/xcb.h>

namespace {

QByteArray ReadProc(const QString& Path)
{
    QFile F(Path);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

// The keepers on this test's display: processes of the picker's binary started with
// the keeper argument. One that has ended but is not reaped yet (a zombie) has no
// executable any more and does not count.
QList<int> Keepers()
{
    const QString Exe = QFileInfo(PickerPath()).canonicalFilePath();
    const QByteArray Display = "DISPLAY=" + qgetenv("DISPLAY");
    QList<int> Found;
    const QStringList Entries = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& Entry : Entries) {
        bool IsPid = false;
        const int Pid = Entry.toInt(&IsPid);
        const QString Dir = "/proc/" + Entry;
        if (!IsPid || QFile::symLinkTarget(Dir + "/exe") != Exe)
            continue;
        if (ReadProc(Dir + "/cmdline").split('\0').value(1) != platform::KeepClipboardArgument)
            continue;
        if (ReadProc(Dir + "/environ").split('\0').contains(Display))
            Found << Pid;
    }
    return Found;
}

struct TPaste {
    bool Served = false;
    QByteArray Data;
};

// What xclip reads from the clipboard, as the given target or as it chooses.
TPaste Paste(const QString& Target = {})
{
    QStringList Args{"-selection", "clipboard", "-o"};
    if (!Target.isEmpty())
        Args << "-t" << Target;
    QProcess P;
    P.start("xclip", Args);
    if (!P.waitForFinished(10000)) {
        P.kill();
        P.waitForFinished();
        return {};
    }
    return {P.exitStatus() == QProcess::NormalExit && P.exitCode() == 0, P.readAllStandardOutput()};
}

// Another program copies a text of its own (xclip stays in the background serving it).
void CopyElsewhere(const QByteArray& Text)
{
    QProcess P;
    P.setStandardOutputFile(QProcess::nullDevice());
    P.start("xclip", {"-selection", "clipboard", "-i"});
    P.write(Text);
    P.closeWriteChannel();
    QVERIFY(P.waitForFinished(10000));
    QTRY_COMPARE(Paste().Data, Text);
}

// Copies the picker's HTML code with Ctrl+W, after typing a red value when one is given.
void CopyCode(TPicker& Picker, const QString& Red, const QByteArray& Code)
{
    Picker.Focus();
    if (!Red.isEmpty())
        Picker.TypeIntoSpinEdits({Red});
    Xdotool({"key", "ctrl+w"});
    QTRY_COMPARE(Paste().Data, Code);
}

// The stand-in clipboard manager, and what it reports.
class TManager {
public:
    TManager()
    {
        FProcess.start(QStringLiteral(FAKE_CLIPBOARD_MANAGER_PATH), {});
        WaitForLine("ready");
    }
    ~TManager()
    {
        FProcess.terminate();
        FProcess.waitForFinished(5000);
    }
    // Waits (with a generous timeout) until the manager has reported Line.
    bool WaitForLine(const QByteArray& Line)
    {
        for (int Try = 0; Try < 100 && !Lines().contains(Line); ++Try)
            FProcess.waitForReadyRead(100);
        return Lines().contains(Line);
    }
    QList<QByteArray> Lines()
    {
        FLog += FProcess.readAllStandardOutput();
        return FLog.split('\n');
    }
    QByteArray Value(const QByteArray& Key)
    {
        for (const QByteArray& L : Lines())
            if (L.startsWith(Key + ": "))
                return L.mid(Key.size() + 2);
        return {};
    }
    bool Running() const { return FProcess.state() == QProcess::Running; }
    void Stop()
    {
        FProcess.terminate();
        FProcess.waitForFinished(5000);
    }

private:
    QProcess FProcess;
    QByteArray FLog;
};

// A client of the test's own on an X display, asking the clipboard's owner for
// conversions the way any program pasting would.
class TRequestor {
public:
    struct TAnswer {
        bool Answered = false; // a SelectionNotify came
        bool Served = false;   // ... naming a property
        xcb_atom_t Property = XCB_ATOM_NONE;
        QByteArray Type;
        int Format = 0;
        QByteArray Data;
    };

    TRequestor()
    {
        C = xcb_connect(nullptr, nullptr);
        const xcb_screen_t* Screen = xcb_setup_roots_iterator(xcb_get_setup(C)).data;
        W = xcb_generate_id(C);
        const std::uint32_t Events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(C, 0, W, Screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &Events);
        Clipboard = Atom("CLIPBOARD");
    }
    ~TRequestor() { xcb_disconnect(C); }

    xcb_atom_t Atom(const QByteArray& Name)
    {
        Reply<xcb_intern_atom_reply_t> R(
            xcb_intern_atom_reply(C, xcb_intern_atom(C, 0, std::uint16_t(Name.size()), Name.constData()), nullptr));
        return R ? R->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    QByteArray Name(xcb_atom_t A)
    {
        Reply<xcb_get_atom_name_reply_t> R(xcb_get_atom_name_reply(C, xcb_get_atom_name(C, A), nullptr));
        return R ? QByteArray(xcb_get_atom_name_name(R.get()), xcb_get_atom_name_name_length(R.get())) : "?";
    }
    // The server's time now, from a property change on our window.
    xcb_timestamp_t Now()
    {
        xcb_change_property(C, XCB_PROP_MODE_APPEND, W, Atom("TEST_CLOCK"), XCB_ATOM_STRING, 8, 0, nullptr);
        const Event E = WaitFor(XCB_PROPERTY_NOTIFY);
        return E ? reinterpret_cast<const xcb_property_notify_event_t*>(E.get())->time : 0;
    }
    xcb_window_t Owner()
    {
        Reply<xcb_get_selection_owner_reply_t> R(
            xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, Clipboard), nullptr));
        return R ? R->owner : xcb_window_t(XCB_WINDOW_NONE);
    }
    xcb_window_t Window() const { return W; }
    // The bits of a resource id that name its client rather than the resource.
    std::uint32_t ClientBits() const { return ~xcb_get_setup(C)->resource_id_mask; }
    void TakeClipboard()
    {
        xcb_set_selection_owner(C, W, Clipboard, Now());
        xcb_flush(C);
    }
    void Put(const QByteArray& Property, xcb_atom_t Type, const QList<xcb_atom_t>& Items)
    {
        xcb_change_property(C, XCB_PROP_MODE_REPLACE, W, Atom(Property), Type, 32,
                            std::uint32_t(Items.size()), Items.constData());
    }
    TAnswer Read(xcb_atom_t Property)
    {
        Reply<xcb_get_property_reply_t> P(xcb_get_property_reply(
            C, xcb_get_property(C, 0, W, Property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20), nullptr));
        TAnswer A;
        if (!P || P->type == XCB_ATOM_NONE)
            return A;
        A.Property = Property;
        A.Type = Name(P->type);
        A.Format = P->format;
        A.Data = QByteArray(static_cast<const char*>(xcb_get_property_value(P.get())),
                            xcb_get_property_value_length(P.get()));
        return A;
    }
    // A conversion into a property cleared beforehand (none: an obsolete requestor's way).
    TAnswer Convert(const QByteArray& Target, xcb_timestamp_t Time = XCB_CURRENT_TIME,
                    const QByteArray& Property = "TEST_PROPERTY")
    {
        const xcb_atom_t Into = Property.isEmpty() ? xcb_atom_t(XCB_ATOM_NONE) : Atom(Property);
        if (Into != XCB_ATOM_NONE)
            xcb_delete_property(C, W, Into);
        return Request(Atom(Target), Into, Time);
    }
    // MULTIPLE, with its (target, property) pairs already in Property.
    TAnswer ConvertMultiple(const QByteArray& Property) { return Request(Atom("MULTIPLE"), Atom(Property), XCB_CURRENT_TIME); }
    QList<xcb_atom_t> Atoms(const TAnswer& A) const
    {
        QList<xcb_atom_t> List(A.Data.size() / 4);
        std::memcpy(List.data(), A.Data.constData(), std::size_t(List.size()) * 4);
        return List;
    }

private:
    struct TFree {
        void operator()(void* P) const { std::free(P); }
    };
    template <typename T> using Reply = std::unique_ptr<T, TFree>;
    using Event = Reply<xcb_generic_event_t>;

    TAnswer Request(xcb_atom_t Target, xcb_atom_t Into, xcb_timestamp_t Time)
    {
        xcb_convert_selection(C, W, Clipboard, Target, Into, Time);
        const Event E = WaitFor(XCB_SELECTION_NOTIFY);
        if (!E)
            return {};
        const auto* N = reinterpret_cast<const xcb_selection_notify_event_t*>(E.get());
        TAnswer A = N->property == XCB_ATOM_NONE ? TAnswer{} : Read(N->property);
        A.Answered = true;
        A.Served = N->property != XCB_ATOM_NONE;
        A.Property = N->property;
        return A;
    }

    Event WaitFor(int Type)
    {
        xcb_flush(C);
        const auto Deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < Deadline && !xcb_connection_has_error(C)) {
            while (Event E{xcb_poll_for_event(C)})
                if ((E->response_type & 0x7F) == Type)
                    return E;
            pollfd P{xcb_get_file_descriptor(C), POLLIN, 0};
            poll(&P, 1, 50);
        }
        return nullptr;
    }

    xcb_connection_t* C = nullptr;
    xcb_window_t W = XCB_WINDOW_NONE;
    xcb_atom_t Clipboard = XCB_ATOM_NONE;
};

// Starts the keeper directly, as a closing picker does, with Text on its stdin; true
// once it reports that it owns the clipboard.
bool StartKeeper(QProcess& Keeper, const QByteArray& Text, const QString& Display = {})
{
    if (!Display.isEmpty()) {
        QProcessEnvironment E = QProcessEnvironment::systemEnvironment();
        E.insert("DISPLAY", Display);
        Keeper.setProcessEnvironment(E);
    }
    Keeper.start(PickerPath(), {platform::KeepClipboardArgument});
    if (!Keeper.waitForStarted())
        return false;
    Keeper.write(Text);
    Keeper.closeWriteChannel();
    QByteArray Said;
    while (!Said.contains('\n') && Keeper.waitForReadyRead(10000))
        Said += Keeper.readAllStandardOutput();
    return Said == "ready\n";
}

// Another client takes the clipboard; the keeper then has to end by itself.
void EndKeeper(QProcess& Keeper, TRequestor& Other)
{
    Other.TakeClipboard();
    QVERIFY(Keeper.waitForFinished(10000));
    QCOMPARE(Keeper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(Keeper.exitCode(), 0);
}

const QByteArray Code = "#C8641E";
const QByteArray Latin = "Grün";       // in ISO 8859-1 but not ASCII
const QByteArray Wide = "€ 5";         // outside ISO 8859-1
const QByteArray LatinBytes = "Gr\xfcn";

} // namespace

class TestE2EClipboardExit : public QObject {
    Q_OBJECT
private slots:
    void init();

    void codeOutlivesThePickerWithoutAManager_data();
    void codeOutlivesThePickerWithoutAManager();
    void aManagerTakesTheCodeOver();
    void nothingIsKeptWithoutAnOwnCopy_data();
    void nothingIsKeptWithoutAnOwnCopy();

    void keeperServesTheTextTargets_data();
    void keeperServesTheTextTargets();
    void keeperListsItsTargets_data();
    void keeperListsItsTargets();
    void keeperAnswersMultiple();
    void keeperAnswersRequestorsWithoutAProperty();
    void keeperStampsItsOwnership();
    void keeperDetaches();
    void keeperTakesOnlySensibleTexts_data();
    void keeperTakesOnlySensibleTexts();
    void keeperEndsWhenTheServerGoes();
};

void TestE2EClipboardExit::init()
{
    // Each case starts with the clipboard held by another program and no keeper left
    // from an earlier one.
    CopyElsewhere("start");
    QTRY_VERIFY(Keepers().isEmpty());
}

void TestE2EClipboardExit::codeOutlivesThePickerWithoutAManager_data()
{
    QTest::addColumn<QString>("red"); // typed into the red spin edit; empty: nothing typed
    QTest::addColumn<QByteArray>("code");
    QTest::newRow("black, as started") << "" << QByteArray("#000000");
    QTest::newRow("red typed in") << "200" << QByteArray("#C80000");
}

void TestE2EClipboardExit::codeOutlivesThePickerWithoutAManager()
{
    QFETCH(QString, red);
    QFETCH(QByteArray, code);
    {
        TPicker Picker;
        CopyCode(Picker, red, code);
        Picker.Close();
        QCOMPARE(Picker.WaitForExit(15000), 0);
    }
    // The keeper owned the clipboard before the picker was gone.
    QVERIFY(TRequestor().Owner() != XCB_WINDOW_NONE);
    QCOMPARE(Keepers().size(), 1);
    QCOMPARE(Paste().Data, code);
    for (const char* Target : {"UTF8_STRING", "STRING", "TEXT", "text/plain;charset=utf-8", "text/plain"}) {
        const TPaste P = Paste(Target);
        QVERIFY2(P.Served, Target);
        QCOMPARE(P.Data, code);
    }
    // Once another program copies, the keeper has nothing left to do.
    CopyElsewhere("x");
    QTRY_VERIFY(Keepers().isEmpty());
    QCOMPARE(Paste().Data, QByteArray("x"));
}

void TestE2EClipboardExit::aManagerTakesTheCodeOver()
{
    TManager Manager;
    QVERIFY(Manager.WaitForLine("ready"));
    TRequestor R;
    xcb_window_t PickerWindow = XCB_WINDOW_NONE;
    {
        TPicker Picker;
        PickerWindow = Picker.WindowId().toUInt(nullptr, 0);
        CopyCode(Picker, "200", "#C80000");
        Picker.Close();
        QCOMPARE(Picker.WaitForExit(15000), 0);
    }
    // Qt's xcb plugin handed the clipboard over (SAVE_TARGETS) as the picker quit, and
    // the manager read it from the picker's own connection, not from a keeper.
    QVERIFY(Manager.WaitForLine("owner"));
    QCOMPARE(Manager.Value("saved"), QByteArray("#C80000"));
    const xcb_window_t From = Manager.Value("from").toUInt();
    QVERIFY(From != XCB_WINDOW_NONE);
    QCOMPARE(From & R.ClientBits(), PickerWindow & R.ClientBits());
    QVERIFY(Manager.Value("targets").split(' ').contains("UTF8_STRING"));
    QVERIFY(Manager.Value("failed").isNull());
    QCOMPARE(Paste().Data, QByteArray("#C80000"));
    QVERIFY(Keepers().isEmpty());
    // The manager alone holds it: once it is gone, nobody owns the clipboard.
    Manager.Stop();
    QTRY_VERIFY(!Paste().Served);
}

void TestE2EClipboardExit::nothingIsKeptWithoutAnOwnCopy_data()
{
    QTest::addColumn<bool>("copy");    // the picker copied a code ...
    QTest::addColumn<bool>("overtaken"); // ... and another program copied after it
    QTest::addColumn<bool>("manager");
    QTest::newRow("never copied") << false << false << false;
    QTest::newRow("copied, then another program copied") << true << true << false;
    QTest::newRow("never copied, with a manager") << false << false << true;
}

void TestE2EClipboardExit::nothingIsKeptWithoutAnOwnCopy()
{
    QFETCH(bool, copy);
    QFETCH(bool, overtaken);
    QFETCH(bool, manager);
    std::unique_ptr<TManager> Manager(manager ? new TManager : nullptr);
    QVERIFY(!Manager || Manager->WaitForLine("ready"));
    {
        TPicker Picker;
        if (copy)
            CopyCode(Picker, "", "#000000");
        if (overtaken)
            CopyElsewhere("later");
        Picker.Close();
        QCOMPARE(Picker.WaitForExit(15000), 0);
    }
    QVERIFY(Keepers().isEmpty());
    QCOMPARE(Paste().Data, QByteArray(overtaken ? "later" : "start"));
    if (Manager) {
        QVERIFY(Manager->Running());
        QVERIFY(Manager->Value("saved").isNull());
    }
}

void TestE2EClipboardExit::keeperServesTheTextTargets_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<bool>("served");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<QByteArray>("data");
    for (const char* T : {"UTF8_STRING", "text/plain;charset=utf-8"})
        QTest::addRow("code as %s", T) << Code << QByteArray(T) << true << QByteArray(T) << Code;
    QTest::newRow("code as STRING") << Code << QByteArray("STRING") << true << QByteArray("STRING") << Code;
    QTest::newRow("code as TEXT") << Code << QByteArray("TEXT") << true << QByteArray("STRING") << Code;
    QTest::newRow("code as text/plain") << Code << QByteArray("text/plain") << true << QByteArray("text/plain") << Code;
    QTest::newRow("code as image/png") << Code << QByteArray("image/png") << false << QByteArray() << QByteArray();
    QTest::newRow("code as COMPOUND_TEXT") << Code << QByteArray("COMPOUND_TEXT") << false << QByteArray() << QByteArray();
    QTest::newRow("code as DELETE") << Code << QByteArray("DELETE") << false << QByteArray() << QByteArray();
    QTest::newRow("Latin-1 as UTF8_STRING") << Latin << QByteArray("UTF8_STRING") << true << QByteArray("UTF8_STRING") << Latin;
    QTest::newRow("Latin-1 as STRING") << Latin << QByteArray("STRING") << true << QByteArray("STRING") << LatinBytes;
    QTest::newRow("Latin-1 as TEXT") << Latin << QByteArray("TEXT") << true << QByteArray("STRING") << LatinBytes;
    QTest::newRow("Latin-1 as text/plain") << Latin << QByteArray("text/plain") << false << QByteArray() << QByteArray();
    QTest::newRow("euro as UTF8_STRING") << Wide << QByteArray("UTF8_STRING") << true << QByteArray("UTF8_STRING") << Wide;
    QTest::newRow("euro as STRING") << Wide << QByteArray("STRING") << false << QByteArray() << QByteArray();
    QTest::newRow("euro as TEXT") << Wide << QByteArray("TEXT") << true << QByteArray("UTF8_STRING") << Wide;
}

void TestE2EClipboardExit::keeperServesTheTextTargets()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, target);
    QFETCH(bool, served);
    QFETCH(QByteArray, type);
    QFETCH(QByteArray, data);
    QProcess Keeper;
    QVERIFY(StartKeeper(Keeper, text));
    TRequestor R;
    const TRequestor::TAnswer A = R.Convert(target);
    QVERIFY(A.Answered);
    QCOMPARE(A.Served, served);
    if (served) {
        QCOMPARE(A.Property, R.Atom("TEST_PROPERTY"));
        QCOMPARE(A.Type, type);
        QCOMPARE(A.Format, 8);
        QCOMPARE(A.Data, data);
    }
    EndKeeper(Keeper, R);
}

void TestE2EClipboardExit::keeperListsItsTargets_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArrayList>("targets");
    const QByteArrayList Always{"TARGETS", "TIMESTAMP", "MULTIPLE", "UTF8_STRING", "text/plain;charset=utf-8", "TEXT"};
    QTest::newRow("ASCII") << Code << Always + QByteArrayList{"STRING", "text/plain"};
    QTest::newRow("Latin-1") << Latin << Always + QByteArrayList{"STRING"};
    QTest::newRow("beyond Latin-1") << Wide << Always;
}

void TestE2EClipboardExit::keeperListsItsTargets()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArrayList, targets);
    QProcess Keeper;
    QVERIFY(StartKeeper(Keeper, text));
    TRequestor R;
    const TRequestor::TAnswer A = R.Convert("TARGETS");
    QVERIFY(A.Served);
    QCOMPARE(A.Type, QByteArray("ATOM"));
    QCOMPARE(A.Format, 32);
    QByteArrayList Names;
    for (const xcb_atom_t Atom : R.Atoms(A))
        Names << R.Name(Atom);
    std::sort(Names.begin(), Names.end());
    std::sort(targets.begin(), targets.end());
    QCOMPARE(Names, targets);
    EndKeeper(Keeper, R);
}

void TestE2EClipboardExit::keeperAnswersMultiple()
{
    QProcess Keeper;
    QVERIFY(StartKeeper(Keeper, Latin));
    TRequestor R;
    const QList<xcb_atom_t> Asked{R.Atom("UTF8_STRING"), R.Atom("TEST_P1"), R.Atom("image/png"), R.Atom("TEST_P2"),
                                  XCB_ATOM_STRING,       R.Atom("TEST_P3"), R.Atom("MULTIPLE"),  R.Atom("TEST_P4")};
    R.Put("TEST_PAIRS", R.Atom("ATOM_PAIR"), Asked);
    const TRequestor::TAnswer A = R.ConvertMultiple("TEST_PAIRS");
    QVERIFY(A.Served);
    QCOMPARE(A.Type, QByteArray("ATOM_PAIR"));
    // The pairs that could not be converted have their property replaced by None.
    QList<xcb_atom_t> Expected = Asked;
    Expected[3] = Expected[7] = XCB_ATOM_NONE;
    QCOMPARE(R.Atoms(A), Expected);
    const TRequestor::TAnswer Utf8 = R.Read(R.Atom("TEST_P1"));
    QCOMPARE(Utf8.Type, QByteArray("UTF8_STRING"));
    QCOMPARE(Utf8.Data, Latin);
    const TRequestor::TAnswer Latin1 = R.Read(R.Atom("TEST_P3"));
    QCOMPARE(Latin1.Type, QByteArray("STRING"));
    QCOMPARE(Latin1.Data, LatinBytes);
    QVERIFY(R.Read(R.Atom("TEST_P2")).Type.isEmpty());
    EndKeeper(Keeper, R);
}

void TestE2EClipboardExit::keeperAnswersRequestorsWithoutAProperty()
{
    // Old clients name no property; the answer then goes into the target's own name.
    QProcess Keeper;
    QVERIFY(StartKeeper(Keeper, Code));
    TRequestor R;
    const TRequestor::TAnswer A = R.Convert("UTF8_STRING", XCB_CURRENT_TIME, {});
    QVERIFY(A.Served);
    QCOMPARE(A.Property, R.Atom("UTF8_STRING"));
    QCOMPARE(A.Data, Code);
    EndKeeper(Keeper, R);
}

void TestE2EClipboardExit::keeperStampsItsOwnership()
{
    TRequestor R;
    const xcb_timestamp_t Before = R.Now();
    QProcess Keeper;
    QVERIFY(StartKeeper(Keeper, Code));
    const xcb_timestamp_t After = R.Now();
    const TRequestor::TAnswer A = R.Convert("TIMESTAMP");
    QVERIFY(A.Served);
    QCOMPARE(A.Type, QByteArray("INTEGER"));
    QCOMPARE(A.Format, 32);
    QCOMPARE(A.Data.size(), 4);
    const xcb_timestamp_t Since = R.Atoms(A).value(0);
    QVERIFY2(Before <= Since && Since <= After, qPrintable(QString("%1 <= %2 <= %3").arg(Before).arg(Since).arg(After)));
    // A request stamped before the keeper took the clipboard was meant for its earlier owner.
    const TRequestor::TAnswer Early = R.Convert("UTF8_STRING", Since - 1);
    QVERIFY(Early.Answered);
    QVERIFY(!Early.Served);
    QCOMPARE(R.Convert("UTF8_STRING", Since).Data, Code);
    QCOMPARE(R.Convert("UTF8_STRING", After).Data, Code);
    EndKeeper(Keeper, R);
}

void TestE2EClipboardExit::keeperDetaches()
{
    QProcess Keeper;
    QVERIFY(StartKeeper(Keeper, Code));
    const QString Dir = QString("/proc/%1").arg(Keeper.processId());
    // /proc/PID/stat: pid (comm) state ppid pgrp session ...
    const QByteArray Stat = ReadProc(Dir + "/stat");
    const QList<QByteArray> Fields = Stat.mid(Stat.lastIndexOf(')') + 2).split(' ');
    const QByteArray Pid = QByteArray::number(Keeper.processId());
    QCOMPARE(Fields.value(2), Pid); // its own process group
    QCOMPARE(Fields.value(3), Pid); // and session
    for (const char* Fd : {"0", "1", "2"})
        QCOMPARE(QFile::symLinkTarget(Dir + "/fd/" + Fd), QString("/dev/null"));
    QCOMPARE(QFile::symLinkTarget(Dir + "/cwd"), QString("/"));
    QByteArray IgnoredMask;
    for (const QByteArray& Line : ReadProc(Dir + "/status").split('\n'))
        if (Line.startsWith("SigIgn:"))
            IgnoredMask = Line.mid(7).trimmed();
    bool Hex = false;
    const qulonglong Ignored = IgnoredMask.toULongLong(&Hex, 16);
    QVERIFY2(Hex, IgnoredMask.constData());
    QVERIFY2(Ignored & (1ull << (SIGHUP - 1)), "SIGHUP is not ignored");
    TRequestor R;
    EndKeeper(Keeper, R);
}

void TestE2EClipboardExit::keeperTakesOnlySensibleTexts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("kept");
    const auto Max = qsizetype(platform::MaxKeptTextBytes);
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("one character") << QByteArray("a") << true;
    QTest::newRow("at the limit") << QByteArray(Max, 'a') << true;
    QTest::newRow("over the limit") << QByteArray(Max + 1, 'a') << false;
}

void TestE2EClipboardExit::keeperTakesOnlySensibleTexts()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, kept);
    TRequestor R;
    R.TakeClipboard();
    QCOMPARE(R.Owner(), R.Window());
    QProcess Keeper;
    QCOMPARE(StartKeeper(Keeper, text), kept);
    if (!kept) {
        QVERIFY(Keeper.state() == QProcess::NotRunning || Keeper.waitForFinished(10000));
        QCOMPARE(Keeper.exitStatus(), QProcess::NormalExit);
        QCOMPARE(Keeper.exitCode(), 1);
        QVERIFY(Keeper.readAllStandardError().contains(platform::KeepClipboardArgument));
        QCOMPARE(R.Owner(), R.Window()); // the clipboard was left alone
        return;
    }
    QVERIFY(R.Owner() != R.Window());
    QCOMPARE(R.Convert("UTF8_STRING").Data, text);
    EndKeeper(Keeper, R);
}

void TestE2EClipboardExit::keeperEndsWhenTheServerGoes()
{
    // A display of its own, so that this test's server stays.
    QProcess Server;
    Server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "64x64x24", "-nolisten", "tcp"});
    QVERIFY(Server.waitForStarted());
    QByteArray Number;
    while (!Number.contains('\n') && Server.waitForReadyRead(10000))
        Number += Server.readAllStandardOutput();
    QVERIFY2(!Number.trimmed().isEmpty(), "Xvfb did not start");
    QProcess Keeper;
    QVERIFY(StartKeeper(Keeper, Code, ":" + QString::fromLatin1(Number.trimmed())));
    Server.terminate();
    QVERIFY(Server.waitForFinished(10000));
    QVERIFY(Keeper.waitForFinished(10000));
    QCOMPARE(Keeper.exitStatus(), QProcess::NormalExit);
    QCOMPARE(Keeper.exitCode(), 0);
}

QTEST_MAIN(TestE2EClipboardExit)
#include "test_e2e_clipboard_exit.moc"
