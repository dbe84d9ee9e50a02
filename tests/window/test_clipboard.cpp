// Copying the two codes: buttons, menu items and shortcuts, the confirmation, and a
// clipboard that refuses.
#include "Clipboard.h"
#include "FlatButtons.h"
#include "Label.h"
#include "Menus.h"
#include "PageControl.h"
#include "PickerFixture.h"
#include "ScrollBar.h"
#include "SpinEdit.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabBar>
#include <QtTest>

namespace {

QString ClipboardText() { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }

enum class TWay { Button, MenuItem, Shortcut };

void Copy(bool Html, TWay Way)
{
    switch (Way) {
    case TWay::Button:
        QTest::mouseClick(Html ? FrmMain->fbtHTML : FrmMain->fbtWebSafe, Qt::LeftButton);
        break;
    case TWay::MenuItem:
        (Html ? FrmMain->HTML1 : FrmMain->Web1)->Action()->trigger();
        break;
    case TWay::Shortcut:
        QTest::keyClick(FrmMain->windowHandle(), Html ? Qt::Key_W : Qt::Key_S, Qt::ControlModifier);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(TWay)

class TestClipboard : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QGuiApplication::clipboard()->setText("before", QClipboard::Clipboard);
        Fixture = new TPickerFixture;
        FrmMain->show();
        QVERIFY(QTest::qWaitForWindowActive(FrmMain));
    }
    void cleanup()
    {
        TClipboard::SimulateHeldOpen(false);
        delete Fixture;
    }

    void copies_data();
    void copies();
    void secondCopyLeavesTheMessage();
    void shortcutsWorkWhereverTheFocusIs_data();
    void shortcutsWorkWhereverTheFocusIs();
    void aClipboardThatRefusesShowsTheError_data();
    void aClipboardThatRefusesShowsTheError();

private:
    TPickerFixture* Fixture = nullptr;
};

void TestClipboard::copies_data()
{
    QTest::addColumn<QList<int>>("bars");
    QTest::addColumn<bool>("html");
    QTest::addColumn<TWay>("way");
    QTest::addColumn<QString>("copied");
    const QList<int> Start{0, 0, 0}, Orange{200, 100, 30};
    const std::pair<TWay, const char*> Ways[] = {
        {TWay::Button, "button"}, {TWay::MenuItem, "menu"}, {TWay::Shortcut, "shortcut"}};
    for (const auto& [Way, Name] : Ways) {
        QTest::addRow("start, html, %s", Name) << Start << true << Way << "#000000";
        QTest::addRow("start, web-safe, %s", Name) << Start << false << Way << "#000000";
        QTest::addRow("200,100,30, html, %s", Name) << Orange << true << Way << "#C8641E";
        QTest::addRow("200,100,30, web-safe, %s", Name) << Orange << false << Way << "#CC6633";
    }
}

void TestClipboard::copies()
{
    QFETCH(QList<int>, bars);
    QFETCH(bool, html);
    QFETCH(TWay, way);
    QFETCH(QString, copied);
    FrmMain->sclRed->SetPosition(bars[0]);
    FrmMain->sclGreen->SetPosition(bars[1]);
    FrmMain->sclBlue->SetPosition(bars[2]);
    QCOMPARE(FrmMain->lblMsg->Caption(), QString());
    Copy(html, way);
    QCOMPARE(ClipboardText(), copied);
    QCOMPARE(FrmMain->lblMsg->Caption(), QString("転送完了"));
    QCOMPARE(FrmMain->lblMsg->Left(), 245);
    QCOMPARE(FrmMain->lblMsg->Top(), 96);
}

void TestClipboard::secondCopyLeavesTheMessage()
{
    Copy(true, TWay::Button);
    const QRect Shown = FrmMain->lblMsg->Widget().geometry();
    TEventLog::Start();
    FrmMain->sclBlue->SetPosition(77);
    Copy(false, TWay::Shortcut);
    TEventLog::Stop();
    QCOMPARE(ClipboardText(), QString("#000066"));
    QCOMPARE(FrmMain->lblMsg->Caption(), QString("転送完了"));
    QCOMPARE(FrmMain->lblMsg->Widget().geometry(), Shown);
    // Ctrl goes down first and reaches the form; the S is the menu's shortcut.
    QCOMPARE(TEventLog::Events, (QStringList{"sclBlue", "spnB", "FrmMain", "Web1"}));
}

void TestClipboard::shortcutsWorkWhereverTheFocusIs_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("spin edit") << "spin edit";
    QTest::newRow("scroll bar") << "scroll bar";
    QTest::newRow("tabs") << "tabs";
    QTest::newRow("second page") << "second page";
    QTest::newRow("copy button greyed") << "greyed";
}

void TestClipboard::shortcutsWorkWhereverTheFocusIs()
{
    QFETCH(QString, where);
    FrmMain->sclRed->SetPosition(200);
    FrmMain->sclGreen->SetPosition(100);
    FrmMain->sclBlue->SetPosition(30);
    if (where == "spin edit")
        FrmMain->spnG->Editor()->setFocus();
    else if (where == "scroll bar")
        FrmMain->sclBlue->setFocus();
    else if (where == "tabs")
        FrmMain->PageControl1->tabBar()->setFocus();
    else if (where == "second page")
        FrmMain->PageControl1->setCurrentIndex(1);
    else {
        FrmMain->fbtHTML->SetEnabled(false);
        FrmMain->lblHtmlCode->SetEnabled(false);
    }
    QTest::keyClick(FrmMain->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(ClipboardText(), QString("#C8641E"));
    QTest::keyClick(FrmMain->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ClipboardText(), QString("#CC6633"));
    QCOMPARE(FrmMain->lblMsg->Caption(), QString("転送完了"));
    if (where == "spin edit") // the letters never reached the field
        QCOMPARE(FrmMain->spnG->Text(), QString("100"));
}

void TestClipboard::aClipboardThatRefusesShowsTheError_data()
{
    QTest::addColumn<bool>("copiedBefore");
    QTest::newRow("first copy") << false;
    QTest::newRow("after a copy") << true;
}

void TestClipboard::aClipboardThatRefusesShowsTheError()
{
    QFETCH(bool, copiedBefore);
    if (copiedBefore)
        Copy(false, TWay::Button);
    const QString Before = ClipboardText();
    const QString Message = FrmMain->lblMsg->Caption();
    FrmMain->sclRed->SetPosition(200);
    TClipboard::SimulateHeldOpen(true);
    TErrorBoxWatcher Boxes;
    QTest::keyClick(FrmMain->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(Boxes.Texts, QStringList{"クリップボードを開くことができません"});
    QCOMPARE(ClipboardText(), Before);
    QCOMPARE(FrmMain->lblMsg->Caption(), Message);
    // The program goes on: once the clipboard is free again, copying works.
    TClipboard::SimulateHeldOpen(false);
    Copy(true, TWay::Button);
    QCOMPARE(ClipboardText(), QString("#C80000"));
}

QTEST_MAIN(TestClipboard)
#include "test_clipboard.moc"
