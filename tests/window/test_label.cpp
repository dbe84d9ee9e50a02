// A label keeps the layout of its caption between paints. After its caption or its
// font changes it must draw exactly what a label made that way from the start draws.
#include "Label.h"

#include <QFont>
#include <QImage>
#include <QtTest>

namespace {

enum class TChange { Caption, Font };

QFont Bigger(const QFont& F, bool Bold)
{
    QFont Out = F;
    Out.setPixelSize(20);
    Out.setBold(Bold);
    return Out;
}

QImage Drawn(TLabel& Label) { return Label.grab().toImage(); }

} // namespace

class TestLabel : public QObject {
    Q_OBJECT
private slots:
    void drawsItsNewState_data();
    void drawsItsNewState();
};

void TestLabel::drawsItsNewState_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<TChange>("change");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("bold");
    QTest::newRow("caption, one line") << "#000000" << TChange::Caption << "#C8641E" << false;
    QTest::newRow("caption, fewer lines")
        << " 何かキー\r\nを押すと色を\r\n 取得します" << TChange::Caption << "スポイト" << false;
    QTest::newRow("caption, more lines") << "スポイト" << TChange::Caption << "1\r\n2\r\n3" << false;
    QTest::newRow("caption emptied") << "転送完了" << TChange::Caption << "" << false;
    QTest::newRow("font size") << "Webセーフカラー" << TChange::Font << "" << false;
    QTest::newRow("font size and weight") << "Red" << TChange::Font << "" << true;
}

void TestLabel::drawsItsNewState()
{
    QFETCH(QString, before);
    QFETCH(TChange, change);
    QFETCH(QString, after);
    QFETCH(bool, bold);

    QWidget Parent;
    TLabel Changed(&Parent);
    TLabel Fresh(&Parent);
    Changed.Loaded(); // as the form loader leaves them
    Fresh.Loaded();
    Changed.SetCaption(before);
    const QImage First = Drawn(Changed); // lays the caption out once

    if (change == TChange::Caption) {
        Changed.SetCaption(after);
        Fresh.SetCaption(after);
    } else {
        Changed.setFont(Bigger(Changed.font(), bold));
        Fresh.setFont(Bigger(Fresh.font(), bold));
        Fresh.SetCaption(before);
    }
    QCOMPARE(Changed.size(), Fresh.size());
    const QImage Now = Drawn(Changed);
    QVERIFY(Now != First || First.isNull()); // the change shows
    QCOMPARE(Now, Drawn(Fresh));
}

QTEST_MAIN(TestLabel)
#include "test_label.moc"
