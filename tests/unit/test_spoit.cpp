// TSpoit against a fake screen: what it asks the screen for and what it keeps.
#include "ColorSpoit.h"
#include "Screen.h"

#include <QtTest>
#include <climits>

namespace {

// The fake screen answers every reading with NextPixel and notes what it was asked.
struct TFakeScreen {
    TColor NextPixel = 0;
    int Reads = 0;
    int LastX = 0;
    int LastY = 0;
} Fake;

std::uint32_t FakeReadPixel(int X, int Y)
{
    ++Fake.Reads;
    Fake.LastX = X;
    Fake.LastY = Y;
    return Fake.NextPixel;
}

bool FakeCursorPos(int&, int&) { return false; }

const platform::TScreenBackend FakeBackend{FakeReadPixel, FakeCursorPos};

} // namespace

class TestSpoit : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        Fake = TFakeScreen{};
        Fake.NextPixel = 0x00123456; // anything but 0, so a stray reading shows
        platform::SetScreenBackend(&FakeBackend);
    }
    void cleanup() { platform::SetScreenBackend(nullptr); }

    void newSpoitHoldsBlackWithoutReading()
    {
        TSpoit Spoit;
        QCOMPARE(Spoit.GetColor(), TColor(0));
        QCOMPARE(Fake.Reads, 0);
    }

    void getColorNeverReadsTheScreen()
    {
        TSpoit Spoit;
        Spoit.PickAt(3, 4);
        const int ReadsAfterPick = Fake.Reads;
        Fake.NextPixel = 0x00ABCDEF; // a second reading would now be seen
        const TColor First = Spoit.GetColor();
        const TColor Second = Spoit.GetColor();
        QCOMPARE(First, TColor(0x00123456));
        QCOMPARE(Second, First);
        QCOMPARE(Fake.Reads, ReadsAfterPick);
    }

    void pickAt_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<TColor>("pixel");

        QTest::newRow("origin, black") << 0 << 0 << TColor(0);
        QTest::newRow("mixed colour") << 123 << 45 << TColor(0x00336699);
        QTest::newRow("white") << 639 << 479 << clWhite;
        QTest::newRow("invalid pixel kept") << 640 << 480 << clInvalid;
        QTest::newRow("negative x") << -1 << 10 << clInvalid;
        QTest::newRow("negative y") << 10 << -7 << TColor(0x000000FF);
        QTest::newRow("both negative") << -300 << -200 << TColor(0x00FF0000);
        QTest::newRow("int extremes") << INT_MIN << INT_MAX << TColor(0x00010203);
        QTest::newRow("top bit value kept") << 5 << 6 << TColor(0x80000008);
    }
    void pickAt()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(TColor, pixel);

        TSpoit Spoit;
        Fake.NextPixel = pixel;
        Spoit.PickAt(x, y);
        QCOMPARE(Fake.Reads, 1);
        QCOMPARE(Fake.LastX, x);
        QCOMPARE(Fake.LastY, y);
        QCOMPARE(Spoit.GetColor(), pixel);
    }

    void laterPickReplacesColour()
    {
        TSpoit Spoit;
        Fake.NextPixel = 0x00FF00FF;
        Spoit.PickAt(1, 1);
        Fake.NextPixel = clInvalid;
        Spoit.PickAt(-1, -1);
        QCOMPARE(Spoit.GetColor(), clInvalid);
        Fake.NextPixel = 0;
        Spoit.PickAt(2, 2);
        QCOMPARE(Spoit.GetColor(), TColor(0));
        QCOMPARE(Fake.Reads, 3);
    }

    void spoitsKeepTheirOwnColour()
    {
        TSpoit A;
        TSpoit B;
        Fake.NextPixel = 0x00111111;
        A.PickAt(0, 0);
        Fake.NextPixel = 0x00222222;
        B.PickAt(0, 0);
        QCOMPARE(A.GetColor(), TColor(0x00111111));
        QCOMPARE(B.GetColor(), TColor(0x00222222));
    }

    // With the fake removed the offscreen platform's own backend answers: nothing to
    // read and no pointer, and the fake is not asked any more.
    void nativeBackendRestoredOffscreen()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
        platform::SetScreenBackend(nullptr);
        TSpoit Spoit;
        Spoit.PickAt(0, 0);
        QCOMPARE(Spoit.GetColor(), clInvalid);
        int X = 17;
        int Y = 29;
        QVERIFY(!platform::GetCursorPos(X, Y));
        QCOMPARE(X, 17);
        QCOMPARE(Y, 29);
        QCOMPARE(Fake.Reads, 0);
    }
};

QTEST_MAIN(TestSpoit)
#include "test_spoit.moc"
