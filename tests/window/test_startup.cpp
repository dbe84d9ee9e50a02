// The main window as it starts: its layout, the state the user first sees, the menu,
// the tab order and the lifetime of the helper objects.
#include "ColorLabel.h"
#include "ColorSpoit.h"
#include "FlatButtons.h"
#include "Image.h"
#include "Inspector.h"
#include "Label.h"
#include "Menus.h"
#include "PageControl.h"
#include "PickerFixture.h"
#include "ScrollBar.h"
#include "Shape.h"
#include "Slider.h"
#include "SpinEdit.h"
#include "Timer.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QTabBar>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void noHandlerButOnCreateRunsWhileLoading();
    void firstState();
    void layout_data();
    void layout();
    void fontsAndColours();
    void timerNeverTicksBeforeTheModeIsOn();
    void helpersLiveFromCreateToDestroyOnce();
    void menu_data();
    void menu();
    void menuBarOrder();
    void tabOrderOfTheRgbPage();
    void shrinkingShowsNoScrollBars();
};

void TestStartup::noHandlerButOnCreateRunsWhileLoading()
{
    TEventLog::Start();
    {
        TPickerFixture Fixture;
        QCOMPARE(TEventLog::Events, QStringList{"FrmMain"}); // OnCreate alone
    }
    TEventLog::Stop();
}

void TestStartup::firstState()
{
    TPickerFixture Fixture;
    QCOMPARE(FrmMain->Caption(), QString("Tavrin Picker"));
    QCOMPARE(FrmMain->pos(), QPoint(211, 184));
    QCOMPARE(FrmMain->ClientWidth(), 339);
    QCOMPARE(FrmMain->ClientHeight(), 298);
    QVERIFY(FrmMain->KeyPreview());
    QVERIFY(FrmMain->DoubleBuffered);
    QCOMPARE(FrmMain->PageControl1->ActivePage(), FrmMain->TabSheet1);
    QCOMPARE(FrmMain->Label1->Color(), TColor(0));
    QCOMPARE(FrmMain->lblSWebSafe->Color(), TColor(0));
    QCOMPARE(FrmMain->lblHtmlCode->Caption(), QString("#000000"));
    QCOMPARE(FrmMain->lblWebSafe->Caption(), QString("#000000"));
    for (TScrollBar* Bar : {FrmMain->sclRed, FrmMain->sclGreen, FrmMain->sclBlue}) {
        QCOMPARE(Bar->Position(), 0);
        QCOMPARE(Bar->minimum(), 0);
        QCOMPARE(Bar->maximum(), 255);
    }
    for (TSpinEdit* Spin : {FrmMain->spnR, FrmMain->spnG, FrmMain->spnB})
        QCOMPARE(Spin->Text(), QString("0"));
    QCOMPARE(FrmMain->ftbSpoit->Color(), clBtnFace);
    QCOMPARE(FrmMain->lblSpoitMsg->Caption(), QString("スポイト"));
    QCOMPARE(FrmMain->lblSpoitMsg->Widget().pos(), QPoint(252, 44));
    QCOMPARE(FrmMain->lblMsg->Caption(), QString());
    QVERIFY(!FrmMain->Timer1->Enabled());
    QCOMPARE(FrmMain->Timer1->Interval(), 10);
    QVERIFY(FrmMain->fbtHTML->Enabled() && FrmMain->lblHtmlCode->Enabled());
    QVERIFY(!FrmMain->windowIcon().isNull());
    QVERIFY(About->isHidden());
    QCOMPARE(About->Caption(), QString("About.."));
}

void TestStartup::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("bounds"); // width or height 0: sized by its caption

    QTest::newRow("Label1") << "Label1" << "" << QRect(12, 22, 73, 29);
    QTest::newRow("lblSWebSafe") << "lblSWebSafe" << "" << QRect(12, 81, 73, 29);
    QTest::newRow("lblHtmlCode") << "lblHtmlCode" << "" << QRect(107, 14, 0, 0);
    QTest::newRow("lblWebSafe") << "lblWebSafe" << "" << QRect(106, 72, 0, 0);
    QTest::newRow("Label5") << "Label5" << "" << QRect(11, 66, 0, 0);
    QTest::newRow("Shape1") << "Shape1" << "" << QRect(11, 58, 198, 1);
    QTest::newRow("Label7") << "Label7" << "" << QRect(11, 8, 0, 0);
    QTest::newRow("ftbSpoit") << "ftbSpoit" << "" << QRect(232, 13, 81, 73);
    QTest::newRow("lblMsg") << "lblMsg" << "" << QRect(245, 96, 0, 0);
    QTest::newRow("lblSpoitMsg") << "lblSpoitMsg" << "" << QRect(252, 44, 0, 0);
    QTest::newRow("fbtHTML") << "fbtHTML" << "" << QRect(96, 30, 113, 21);
    QTest::newRow("fbtWebSafe") << "fbtWebSafe" << "" << QRect(96, 89, 113, 21);
    QTest::newRow("PageControl1") << "PageControl1" << "" << QRect(12, 120, 313, 172);
    QTest::newRow("Label2") << "Label2" << "TabSheet1" << QRect(6, 36, 0, 0);
    QTest::newRow("Label3") << "Label3" << "TabSheet1" << QRect(6, 69, 0, 0);
    QTest::newRow("Label4") << "Label4" << "TabSheet1" << QRect(6, 101, 0, 0);
    QTest::newRow("sclRed") << "sclRed" << "TabSheet1" << QRect(96, 32, 193, 18);
    QTest::newRow("sclGreen") << "sclGreen" << "TabSheet1" << QRect(96, 64, 193, 18);
    QTest::newRow("sclBlue") << "sclBlue" << "TabSheet1" << QRect(96, 96, 193, 18);
    QTest::newRow("spnR") << "spnR" << "TabSheet1" << QRect(48, 32, 41, 21);
    QTest::newRow("spnG") << "spnG" << "TabSheet1" << QRect(48, 64, 41, 21);
    QTest::newRow("spnB") << "spnB" << "TabSheet1" << QRect(48, 96, 41, 21);
    QTest::newRow("Image1") << "Image1" << "TabSheet2" << QRect(50, 12, 201, 121);
}

void TestStartup::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, bounds);
    TPickerFixture Fixture;
    auto* C = dynamic_cast<TControl*>(FrmMain->FindComponent(name));
    QVERIFY(C);
    QWidget* ExpectedParent = parent.isEmpty()
                                  ? FrmMain->Surface()
                                  : &dynamic_cast<TControl*>(FrmMain->FindComponent(parent))->Widget();
    QCOMPARE(C->Widget().parentWidget(), ExpectedParent);
    QCOMPARE(C->Widget().pos(), bounds.topLeft());
    if (bounds.width())
        QCOMPARE(C->Widget().size(), bounds.size());
    if (auto* L = dynamic_cast<TLabel*>(C); L && !bounds.width()) {
        // Sized to the caption: every line fits, and a line of the font is its height.
        const QFontMetrics M(L->Widget().font());
        const QString Caption = L->Caption().isEmpty() ? QString(" ") : L->Caption();
        QCOMPARE(L->Width(), M.horizontalAdvance(Caption));
        QCOMPARE(L->Height(), M.height());
    }
}

void TestStartup::fontsAndColours()
{
    TPickerFixture Fixture;
    QCOMPARE(FrmMain->font().pixelSize(), 12);
    QVERIFY(FrmMain->font().families().contains("IPAPGothic"));
    QVERIFY(FrmMain->lblHtmlCode->Widget().font().bold());
    QVERIFY(FrmMain->lblWebSafe->Widget().font().bold());
    QVERIFY(!FrmMain->Label5->Widget().font().bold());
    const QList<std::pair<TLabel*, TColor>> Channels{
        {FrmMain->Label2, clRed}, {FrmMain->Label3, clGreen}, {FrmMain->Label4, clBlue}};
    for (const auto& [L, Colour] : Channels) {
        QCOMPARE(L->Widget().font().pixelSize(), 13);
        QVERIFY(L->Widget().font().bold());
        QCOMPARE(L->FontColor(), Colour);
    }
    QCOMPARE(FrmMain->lblMsg->FontColor(), clMaroon);
    QCOMPARE(FrmMain->Shape1->PenColor(), clGray);
    QCOMPARE(FrmMain->ftbSpoit->ColorFocused(), cl3DLight);
    QCOMPARE(FrmMain->ftbSpoit->ColorShadow(), TColor(0x808040));
    for (TFlatButton* B : {FrmMain->fbtHTML, FrmMain->fbtWebSafe}) {
        QCOMPARE(B->Caption(), QString("クリップボードに転送"));
        QCOMPARE(B->Color(), clBtnFace);
        QCOMPARE(B->ColorFocused(), clBtnFace);
        QCOMPARE(B->focusPolicy(), Qt::ClickFocus);
    }
    QCOMPARE(FrmMain->ftbSpoit->focusPolicy(), Qt::NoFocus);
    // Hints show only where the control asks for them.
    QCOMPARE(FrmMain->lblSWebSafe->Widget().toolTip(), QString("Webセーフカラーはどんな環境でも安心して使える色です"));
    QCOMPARE(FrmMain->ftbSpoit->toolTip(), QString("画面上の色を取得します"));
    QCOMPARE(FrmMain->Image1->toolTip(), QString("クリックすると色を取得できます"));
    QCOMPARE(FrmMain->Label1->Widget().toolTip(), QString());
    QCOMPARE(FrmMain->PageControl1->tabText(0), QString("RGB"));
    QCOMPARE(FrmMain->PageControl1->tabText(1), QString("Webセーフカラー"));
}

void TestStartup::timerNeverTicksBeforeTheModeIsOn()
{
    TPickerFixture Fixture;
    FrmMain->show();
    TEventLog::Start();
    QTest::qWait(60);
    TEventLog::Stop();
    QVERIFY(!TEventLog::Events.contains("Timer1"));
}

void TestStartup::helpersLiveFromCreateToDestroyOnce()
{
    TPickerFixture Fixture;
    QVERIFY(TFrmMainInspector::Slider() && TFrmMainInspector::ColorLabel());
    QVERIFY(TFrmMainInspector::HTMLColor() && TFrmMainInspector::Spoit());
    QCOMPARE(TFrmMainInspector::Spoit()->GetColor(), TColor(0));
    TEventLog::Start();
    FrmMain->BeforeDestruction();
    QVERIFY(!TFrmMainInspector::Slider() && !TFrmMainInspector::ColorLabel());
    QVERIFY(!TFrmMainInspector::HTMLColor() && !TFrmMainInspector::Spoit());
    FrmMain->BeforeDestruction(); // the application's own call at the end runs nothing
    Fixture.App.DestroyForms();
    TEventLog::Stop();
    QCOMPARE(TEventLog::Events, QStringList{"FrmMain"});
}

void TestStartup::menu_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QStringList>("children");
    QTest::newRow("File1") << "File1" << "ファイル(&F)" << "" << QStringList{"Exit1"};
    QTest::newRow("Exit1") << "Exit1" << "終了(&X)" << "" << QStringList{};
    QTest::newRow("Copy1") << "Copy1" << "コピー(&C)" << "" << QStringList{"HTML1", "Web1"};
    QTest::newRow("HTML1") << "HTML1" << "HTMLカラーコードをコピー(&H)" << "Ctrl+W" << QStringList{};
    QTest::newRow("Web1") << "Web1" << "Webセーフカラーをコピー(&W)" << "Ctrl+S" << QStringList{};
    QTest::newRow("Help1") << "Help1" << "ヘルプ(&H)" << "" << QStringList{"Web2", "About1"};
    QTest::newRow("Web2") << "Web2" << "作者のWebサイトへ(&W)" << "" << QStringList{};
    QTest::newRow("About1") << "About1" << "バージョン情報(&A)" << "" << QStringList{};
}

void TestStartup::menu()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(QStringList, children);
    TPickerFixture Fixture;
    auto* Item = dynamic_cast<TMenuItem*>(FrmMain->FindComponent(name));
    QVERIFY(Item);
    QCOMPARE(Item->Action()->text(), caption);
    QCOMPARE(Item->Action()->shortcut(), QKeySequence(shortcut));
    QVERIFY(Item->Action()->isEnabled() && Item->Action()->isVisible());
    QStringList Names;
    for (TMenuItem* Child : Item->Items())
        Names << Child->Name;
    QCOMPARE(Names, children);
    if (!children.isEmpty()) {
        QList<QAction*> Shown = Item->Action()->menu()->actions();
        QCOMPARE(Shown.size(), children.size()); // no separators or extras
    }
}

void TestStartup::menuBarOrder()
{
    TPickerFixture Fixture;
    QStringList Texts;
    for (QAction* A : FrmMain->MenuBar()->actions())
        Texts << A->text();
    QCOMPARE(Texts, (QStringList{"ファイル(&F)", "コピー(&C)", "ヘルプ(&H)"}));
}

void TestStartup::tabOrderOfTheRgbPage()
{
    TPickerFixture Fixture;
    FrmMain->show();
    QVERIFY(QTest::qWaitForWindowActive(FrmMain));
    QTabBar* Tabs = FrmMain->PageControl1->tabBar();
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Tabs));
    const QList<QWidget*> Expected{FrmMain->sclRed, FrmMain->sclGreen, FrmMain->sclBlue,
                                   FrmMain->spnR->Editor(), FrmMain->spnG->Editor(),
                                   FrmMain->spnB->Editor(), Tabs};
    for (QWidget* Next : Expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Next);
    }
}

void TestStartup::shrinkingShowsNoScrollBars()
{
    TPickerFixture Fixture;
    FrmMain->show();
    FrmMain->resize(120, 90);
    QCoreApplication::processEvents();
    QCOMPARE(FrmMain->PageControl1->pos(), QPoint(12, 120));
    QCOMPARE(FrmMain->ftbSpoit->pos(), QPoint(232, 13));
    QCOMPARE(FrmMain->findChildren<QScrollArea*>().size(), 0);
    // The only scroll bars are the three colour bars.
    QCOMPARE(FrmMain->findChildren<QScrollBar*>().size(), 3);
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
