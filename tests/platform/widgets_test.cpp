#include <gtest/gtest.h>
#include <QLocale>
#include <QTest>

#include "platform/AmountEdit.h"
#include "platform/CountBadgeTabBar.h"
#include "platform/UpperCaseEdit.h"

using namespace kv::platform;

TEST(CountCaption, ParsesCountAndTitle) {
    struct Case {
        const char* caption;
        int sayi;
        const char* baslik;
    } cases[] = {
        {"0=Stok Listesi", 0, "Stok Listesi"}, {"12=Sepet", 12, "Sepet"},
        {"Duyurular", 0, "Duyurular"},         {"3=a=b", 3, "a=b"},
        {"x=Yeni Stoklar", 0, "Yeni Stoklar"}, {"=Boş", 0, "Boş"},
    };
    for (const Case& c : cases) {
        const CountCaption cc = parseCountCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(cc.sayi, c.sayi) << c.caption;
        EXPECT_EQ(cc.baslik, QString::fromUtf8(c.baslik)) << c.caption;
    }
    EXPECT_EQ(
        parseCountCaption(QStringLiteral("1=") + QString(150, QLatin1Char('x'))).baslik.size(),
        100);
}

TEST(CountBadgeTabs, TabsHaveTheFixedExtent) {
    CountBadgeTabWidget tabs;
    tabs.addTab(new QWidget, QStringLiteral("5=Sepet"));
    tabs.addTab(new QWidget, QStringLiteral("Önceki Siparişler"));
    tabs.resize(600, 300);
    tabs.show();
    EXPECT_EQ(tabs.tabBar()->tabRect(0).size(), QSize(110, 50));
    EXPECT_EQ(tabs.tabBar()->tabRect(1).size(), QSize(110, 50));
    // Painting a badge caption must not disturb anything (offscreen paint).
    tabs.grab();
}

TEST(UpperCaseEdit, TypedLettersShowInUpperCaseByTheLocale) {
    UpperCaseEdit e;
    e.show();
    QTest::keyClicks(&e, QStringLiteral("fren balata i"));
    EXPECT_EQ(e.text(), QStringLiteral("FREN BALATA İ"));
}

TEST(AmountEdit, ReadsAmountsAsDealersTypeThem) {
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {{"1.234,56", 1234.56}, {"1234,5", 1234.5},     {"12.5", 12.5},
                 {"12.50", 12.5},       {"1.250", 1250.0},      {"1.250.000", 1250000.0},
                 {"-5,00 TL", -5.0},    {" 283,11 ", 283.11},   {"", std::nullopt},
                 {"abc", std::nullopt}, {"1,2,3", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(kv::platform::AmountEdit::parse(QString::fromUtf8(c.text), tr), c.value)
            << c.text;
    kv::platform::AmountEdit e;
    e.setRange(0, 100);
    e.setText(QStringLiteral("150"));
    EXPECT_EQ(e.number(), 100.0);
    e.setValue(1234.5);
    EXPECT_EQ(e.text(), QStringLiteral("1.234,50"));
}
