// The real picker on Xvfb: where its window appears, what a screenshot shows, and
// editing by keyboard and by dragging a thumb with the mouse.
#include "Desktop.h"
#include "Label.h"
#include "LayoutOracle.h"
#include "ScrollBar.h"
#include "Shape.h"
#include "SpinEdit.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

namespace {

QRect InWindow(TControl* C) { return TLayoutOracle::InWindow(C); }

QRect ThumbInWindow(TScrollBar* Bar)
{
    QStyleOptionSlider Opt;
    Opt.initFrom(Bar);
    Opt.orientation = Bar->orientation();
    Opt.minimum = Bar->minimum();
    Opt.maximum = Bar->maximum();
    Opt.sliderPosition = Opt.sliderValue = Bar->value();
    Opt.singleStep = Bar->singleStep();
    Opt.pageStep = Bar->pageStep();
    Opt.subControls = QStyle::SC_All;
    const QRect Thumb = Bar->style()->subControlRect(QStyle::CC_ScrollBar, &Opt, QStyle::SC_ScrollBarSlider, Bar);
    return Thumb.translated(InWindow(Bar).topLeft());
}

// The rectangle inside a swatch, away from its edges.
QRect Inside(const QRect& R, const QPoint& Origin) { return R.adjusted(3, 3, -3, -3).translated(Origin); }

} // namespace

class TestE2EWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Layout = new TLayoutOracle; }
    void cleanupTestCase() { delete Layout; }

    void windowAppearsWhereDesigned();
    void swatchesAndRuleOnScreen();
    void typingIntoTheSpinEditsColoursTheSwatches();
    void draggingTheRedThumbMovesTheSwatch();
    void withoutADisplayItSaysWhatToDo_data();
    void withoutADisplayItSaysWhatToDo();

private:
    TLayoutOracle* Layout = nullptr;
};

void TestE2EWindow::windowAppearsWhereDesigned()
{
    TPicker Picker;
    QVERIFY(!Picker.WindowId().isEmpty());
    QCOMPARE(Tool("xdotool", {"getwindowname", Picker.WindowId()}).trimmed(), QString("Tavrin Picker"));
    const QRect G = Picker.Geometry();
    QCOMPARE(G.topLeft(), QPoint(211, 184));
    QCOMPARE(G.size(), FrmMain->size());
    QCOMPARE(FrmMain->size().height() - FrmMain->Surface()->y(), 298);
}

void TestE2EWindow::swatchesAndRuleOnScreen()
{
    TPicker Picker;
    const QPoint Origin = Picker.Geometry().topLeft();
    QCOMPARE(UniformColour(Inside(InWindow(FrmMain->Label1), Origin)), QColor(Qt::black));
    QCOMPARE(UniformColour(Inside(InWindow(FrmMain->lblSWebSafe), Origin)), QColor(Qt::black));
    const QRect Rule = InWindow(FrmMain->Shape1).translated(Origin);
    QCOMPARE(Rule.size(), QSize(198, 1));
    QCOMPARE(UniformColour(Rule), QColor(128, 128, 128));
    // Just above and below the rule lies the plain window.
    const QColor Face = ColorToQColor(clBtnFace);
    QCOMPARE(UniformColour(Rule.translated(0, -1)), Face);
    QCOMPARE(UniformColour(Rule.translated(0, 1)), Face);
}

void TestE2EWindow::typingIntoTheSpinEditsColoursTheSwatches()
{
    TPicker Picker;
    const QPoint Origin = Picker.Geometry().topLeft();
    Picker.TypeIntoSpinEdits({"200", "100", "30"});
    QTRY_COMPARE(UniformColour(Inside(InWindow(FrmMain->Label1), Origin)), QColor(200, 100, 30));
    QCOMPARE(UniformColour(Inside(InWindow(FrmMain->lblSWebSafe), Origin)), QColor(204, 102, 51));
}

void TestE2EWindow::draggingTheRedThumbMovesTheSwatch()
{
    TPicker Picker;
    const QPoint Origin = Picker.Geometry().topLeft();
    const QRect Swatch = Inside(InWindow(FrmMain->Label1), Origin);
    const QRect Thumb = ThumbInWindow(FrmMain->sclRed).translated(Origin);
    const QRect Bar = InWindow(FrmMain->sclRed).translated(Origin);
    Xdotool({"mousemove", "--sync", QString::number(Thumb.center().x()), QString::number(Thumb.center().y())});
    Xdotool({"mousedown", "1"});
    int LastRed = 0;
    for (int X = Thumb.center().x() + 15; X < Bar.right() + 40; X += 15) {
        Xdotool({"mousemove", "--sync", QString::number(X), QString::number(Thumb.center().y())});
        QTest::qWait(80);
        const QColor C = UniformColour(Swatch);
        QVERIFY(C.isValid());
        QCOMPARE(C.green(), 0);
        QCOMPARE(C.blue(), 0);
        QVERIFY2(C.red() >= LastRed, qPrintable(QString("red went back from %1 to %2").arg(LastRed).arg(C.red())));
        LastRed = C.red();
    }
    Xdotool({"mouseup", "1"});
    QCOMPARE(LastRed, 255); // dragged past the right end
    QTRY_COMPARE(UniformColour(Inside(InWindow(FrmMain->lblSWebSafe), Origin)), QColor(255, 0, 0));
}

void TestE2EWindow::withoutADisplayItSaysWhatToDo_data()
{
    QTest::addColumn<QString>("display"); // empty: not set
    QTest::addColumn<QString>("reason");
    QTest::newRow("not set") << "" << "DISPLAY is not set";
    QTest::newRow("no server there") << ":97" << "cannot open the X display :97";
}

void TestE2EWindow::withoutADisplayItSaysWhatToDo()
{
    QFETCH(QString, display);
    QFETCH(QString, reason);
    QProcess P;
    QProcessEnvironment E = QProcessEnvironment::systemEnvironment();
    for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        E.remove(Name);
    if (!display.isEmpty())
        E.insert("DISPLAY", display);
    P.setProcessEnvironment(E);
    P.start(PickerPath(), {});
    QVERIFY(P.waitForFinished(10000));
    QCOMPARE(P.exitStatus(), QProcess::NormalExit); // no abort, no core
    QCOMPARE(P.exitCode(), 1);
    const QString Err = QString::fromUtf8(P.readAllStandardError());
    QVERIFY2(Err.contains(reason) && Err.contains("needs an X11 display") && Err.contains("xvfb-run"),
             qPrintable(Err));
}

QTEST_MAIN(TestE2EWindow)
#include "test_e2e_window.moc"
