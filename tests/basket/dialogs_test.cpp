// The amounts of the stock item window and of the two edit dialogs, without a server.
#include <gtest/gtest.h>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

#include "basket/Tbakiyedegistir.h"
#include "basket/Tfiyatdegistir.h"
#include "catalogue/Tstokayarinti.h"
#include "platform/AmountEdit.h"
#include "platform/MemTable.h"
#include "remote/TableJson.h"

using namespace kv;

namespace {

platform::MemTable table(std::string json) {
    platform::MemTable t;
    remote::decodeTable(json, t);
    return t;
}

// Types into a box the way a user does, so that the key-release handlers run.
void retype(QWidget* box, const QString& text) {
    box->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(box)) {
        e->selectAll();
        e->del();
    }
    QTest::keyClicks(box, text);
}

}  // namespace

TEST(StockItemWindow, AmountsFollowPriceDiscountAndQuantity) {
    struct Case {
        const char* price;
        const char* discount;
        double vat;
        const char* quantity;
        const char* net;
        const char* withVat;
        const char* total;
    } cases[] = {
        {"100,00", "10", 20, "3", "90,00", "108,00", "324,00"},
        {"100,00", "0,0001", 20, "1", "100,00", "120,00", "120,00"},  // too small a discount
        {"1.234,56", "12,5", 18, "7", "1.080,24", "1.274,68", "8.922,76"},
        {"19,99", "33,33", 8, "10", "13,33", "14,40", "144,00"},
    };
    for (const Case& c : cases) {
        catalogue::Tstokayarinti w(nullptr);
        w.fiyatDegistirilebilir(true);
        w.kdvoran = c.vat;
        w.show();
        retype(w.birimfiyat, QString::fromUtf8(c.price));
        retype(w.indoran, QString::fromUtf8(c.discount));
        w.adet->setFocus();
        w.adet->selectAll();
        QTest::keyClicks(w.adet, QString::fromUtf8(c.quantity));
        EXPECT_EQ(w.indtutar->text(), QString::fromUtf8(c.net)) << c.price << " " << c.discount;
        EXPECT_EQ(w.kdvdahiltutar->text(), QString::fromUtf8(c.withVat)) << c.price;
        EXPECT_EQ(w.geneltutar->text(), QString::fromUtf8(c.total)) << c.price;
    }
}

TEST(StockItemWindow, DealersChangeOnlyTheQuantityAndEnterMovesOrSends) {
    catalogue::Tstokayarinti w(nullptr);
    w.fiyatDegistirilebilir(false);
    EXPECT_TRUE(w.birimfiyat->isReadOnly());
    EXPECT_TRUE(w.indoran->isReadOnly());
    w.fiyatDegistirilebilir(true);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.birimfiyat->setFocus();
    QTest::keyClick(w.birimfiyat, Qt::Key_Return);
    EXPECT_TRUE(w.indoran->hasFocus());
    QTest::keyClick(w.indoran, Qt::Key_Return);
    EXPECT_TRUE(w.birimfiyat->hasFocus());
    EXPECT_TRUE(w.isVisible());
    QTest::keyClick(w.adet, Qt::Key_Return);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
}

TEST(StockItemWindow, OpenersFillTheBoxesFromTheirRows) {
    const auto stok = table(
        R"({"columns":[{"name":"STOK_STOKNO","type":"int32"},{"name":"BARKOD","type":"text"},
        {"name":"ADI","type":"text"},{"name":"KDV","type":"double"},{"name":"FIYAT","type":"double"},
        {"name":"INDIRIM","type":"double"},{"name":"NETFIYAT","type":"double"},
        {"name":"KDVDAHIL","type":"double"},{"name":"K","type":"int32"},{"name":"MALIYET","type":"text"}],
        "rows":[[7,"KV-1","Fren balatası ön",20,100,12.5,87.5,105,0,"12.50 $"],
                [8,"KV-2","Yağ filtresi",20,50,0,40,48,1,"Sorunuz TL"]]})");
    {
        catalogue::Tstokayarinti w(nullptr);
        w.stokListesindenDoldur(stok, 0);
        EXPECT_EQ(w.stokno, 7);
        EXPECT_EQ(w.barkod->text(), QStringLiteral("KV-1"));
        EXPECT_EQ(w.indirimoran->text(), QStringLiteral("İndirim:  % 12,5"));
        EXPECT_EQ(w.indoran->text(), QStringLiteral("12,50"));
        EXPECT_EQ(w.kdvlifiyat, 105);
        w.show();  // the first total is quantity x the VAT-inclusive price
        EXPECT_EQ(w.geneltutar->text(), QStringLiteral("105,00"));
    }
    {
        catalogue::Tstokayarinti w(nullptr);
        w.stokListesindenDoldur(stok, 1);
        EXPECT_EQ(w.indirimoran->text(), QStringLiteral("Kampanyalı"));
        EXPECT_EQ(w.indoran->text(), QStringLiteral("0,00"));
    }
    {
        // New items: the VAT-inclusive box from the net price, a campaign item keeps its rate.
        catalogue::Tstokayarinti w(nullptr);
        w.yenilerdenDoldur(stok, 0);
        EXPECT_EQ(w.kdvdahiltutar->text(), QStringLiteral("105,00"));
        EXPECT_EQ(w.indirimoran->text(), QStringLiteral("İndirim:  % 12,5"));
        w.yenilerdenDoldur(stok, 1);
        EXPECT_EQ(w.kdvdahiltutar->text(), QStringLiteral("48,00"));
        EXPECT_EQ(w.indirimoran->text(), QStringLiteral("Kampanyalı"));
        EXPECT_EQ(w.indoran->text(), QStringLiteral("0,00"));
    }
    {
        // A BDM account's campaign line is priced from the cost: 12.50 $ at 30 without VAT.
        catalogue::Tstokayarinti w(nullptr);
        w.kampanyalidanDoldur(stok, 0, true, 30.0, 35.0);
        EXPECT_EQ(w.birimfiyat->text(), QStringLiteral("317,80"));
        EXPECT_EQ(w.kdvdahiltutar->text(), QStringLiteral("381,36"));
        EXPECT_EQ(w.indirimoran->text(), QStringLiteral("İndirim:  % 0"));
        EXPECT_EQ(w.indtutar->text(), QStringLiteral("317,80"));
    }
    {
        catalogue::Tstokayarinti w(nullptr);
        EXPECT_THROW(w.kampanyalidanDoldur(stok, 1, true, 30.0, 35.0), std::runtime_error)
            << "a cost text that is no number";
    }
    const auto sepet = table(
        R"({"columns":[{"name":"STOKNO","type":"int32"},{"name":"STOKADI","type":"text"},
        {"name":"KDV","type":"double"},{"name":"BIRIMFIYAT","type":"double"},
        {"name":"INDIRIMORANI1","type":"double"},{"name":"NETBIRIMFIYAT","type":"double"},
        {"name":"MIKTAR","type":"double"}],"rows":[[9,"Buji",20,100,10,90,4]]})");
    catalogue::Tstokayarinti w(nullptr);
    w.sepettenDoldur(sepet, 0);
    EXPECT_EQ(w.adet->value(), 4);
    EXPECT_EQ(w.kdvdahiltutar->text(), QStringLiteral("108,00"));
    w.show();  // undiscounted VAT-inclusive price until the first change
    EXPECT_EQ(w.geneltutar->text(), QStringLiteral("480,00"));
    QTest::keyClick(w.adet, Qt::Key_Up);
    EXPECT_EQ(w.geneltutar->text(), QStringLiteral("540,00"));
}

TEST(StockItemWindow, CostTextsConvert) {
    struct Case {
        const char* text;
        std::optional<double> amount;
    } cases[] = {{"12.50 $", 317.80}, {"12.50 €", 370.76}, {"$ 12.50 €", 370.76},
                 {"118 TL", 100.0},   {"118", 100.0},      {"abc", std::nullopt},
                 {"", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(catalogue::FiyatCevir(QString::fromUtf8(c.text), 30.0, 35.0), c.amount) << c.text;
}

TEST(EditDialogs, PriceDialogShowsNetAndVatWithTwoIntegerDigits) {
    struct Case {
        const char* price;
        const char* rate;
        const char* net;
        const char* withVat;
    } cases[] = {{"200", "15", "170,00", "200,60"},
                 {"5", "0", "05,00", "05,90"},
                 {"abc", "10", "00,00", "00,00"},
                 {"1000", "150", "00,00", "00,00"}};  // the rate is kept within 0 to 100
    for (const Case& c : cases) {
        basket::Tfiyatdegistir d(nullptr);
        EXPECT_EQ(d.LBLNET->text(), QStringLiteral("Net Fiyat:")) << "nothing computed on opening";
        d.show();
        retype(d._fiyat, QString::fromUtf8(c.price));
        retype(d._iskonto, QString::fromUtf8(c.rate));
        EXPECT_EQ(d.LBLNET->text(), QString::fromUtf8(c.net)) << c.price << " " << c.rate;
        EXPECT_EQ(d.LABELKDV->text(), QString::fromUtf8(c.withVat)) << c.price << " " << c.rate;
    }
}

TEST(EditDialogs, BalanceDialogClosesOnEnterOnlyAboveZero) {
    basket::Tbakiyedegistir d(nullptr);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    d.adet->selectAll();
    QTest::keyClicks(d.adet, QStringLiteral("0"));
    QTest::keyClick(d.adet, Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    d.adet->selectAll();
    QTest::keyClicks(d.adet, QStringLiteral("25"));
    QTest::keyClick(d.adet, Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.adet->value(), 25);
}
