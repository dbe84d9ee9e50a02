// Copying on the real picker: Ctrl+W and Ctrl+S wherever the focus is and the two
// buttons, read back from the X clipboard with xclip through each text target.
#include "Desktop.h"
#include "FlatButtons.h"
#include "LayoutOracle.h"
#include "PageControl.h"

#include <QTabBar>
#include <QtTest>

namespace {

QString Clipboard(const QString& Target = "UTF8_STRING")
{
    return Tool("xclip", {"-selection", "clipboard", "-o", "-t", Target});
}

void ClickAt(const QPoint& P)
{
    Xdotool({"mousemove", "--sync", QString::number(P.x()), QString::number(P.y())});
    Xdotool({"click", "1"});
    QTest::qWait(50);
}

} // namespace

class TestE2ECopy : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Layout = new TLayoutOracle; }
    void cleanupTestCase() { delete Layout; }

    void copiesWhereverTheFocusIs();

private:
    // Copies with both shortcuts and checks what every text target gives.
    void VerifyShortcuts(const char* Where);
    TLayoutOracle* Layout = nullptr;
};

void TestE2ECopy::VerifyShortcuts(const char* Where)
{
    for (const auto& [Keys, Code] : {std::pair{"ctrl+w", "#C8641E"}, std::pair{"ctrl+s", "#CC6633"}}) {
        Tool("xclip", {"-selection", "clipboard", "/dev/null"}); // someone else's, empty
        Xdotool({"key", Keys});
        QTest::qWait(50);
        for (const char* Target : {"UTF8_STRING", "STRING", "TEXT", "text/plain;charset=utf-8"})
            QVERIFY2(Clipboard(Target) == Code, qPrintable(QString("%1, %2, %3").arg(Where, Keys, Target)));
    }
}

void TestE2ECopy::copiesWhereverTheFocusIs()
{
    TPicker Picker;
    const QPoint Origin = Picker.Geometry().topLeft();
    Picker.TypeIntoSpinEdits({"200", "100", "30"});
    VerifyShortcuts("blue spin edit");
    Xdotool({"key", "--delay", "30", "shift+Tab", "shift+Tab", "shift+Tab"});
    VerifyShortcuts("blue scroll bar");

    // The buttons, each after someone else has taken the clipboard.
    Tool("xclip", {"-selection", "clipboard", "/dev/null"});
    ClickAt(Origin + TLayoutOracle::InWindow(FrmMain->fbtHTML).center());
    QCOMPARE(Clipboard(), QString("#C8641E"));
    ClickAt(Origin + TLayoutOracle::InWindow(FrmMain->fbtWebSafe).center());
    QCOMPARE(Clipboard(), QString("#CC6633"));

    QTabBar* Tabs = FrmMain->PageControl1->tabBar();
    ClickAt(Origin + TLayoutOracle::WidgetInWindow(Tabs).topLeft() + Tabs->tabRect(1).center());
    VerifyShortcuts("second page");
}

QTEST_MAIN(TestE2ECopy)
#include "test_e2e_copy.moc"
