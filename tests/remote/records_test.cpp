#include <gtest/gtest.h>

#include "remote/baglantiu.h"
#include "remote/mobilstokunit.h"

using namespace kv::remote;

namespace {

rapidjson::Document parse(const std::string& json) {
    rapidjson::Document d;
    d.Parse<rapidjson::kParseFullPrecisionFlag>(json.c_str());
    EXPECT_FALSE(d.HasParseError()) << json;
    return d;
}

template <class T>
std::unique_ptr<T> roundTrip(const T& obj) {
    const auto d = parse(toJson(obj));
    return readRecord<T>(d);
}

}  // namespace

TEST(Records, FreshLoginRecordMarshalsWithKindAndVersionOne) {
    const auto d = parse(toJson(TSonucBilgisi()));
    EXPECT_STREQ(d["type"].GetString(), "baglantiu.TSonucBilgisi");
    EXPECT_EQ(d["id"].GetInt(), 1);
    const auto& f = d["fields"];
    ASSERT_EQ(f.MemberCount(), 20u);
    for (const auto& m : f.GetObject()) {
        const std::string name = m.name.GetString();
        if (name == "FMusteriTipi" || name == "FVersion") {
            EXPECT_EQ(m.value.GetInt(), 1) << name;
        } else if (m.value.IsNumber()) {
            EXPECT_EQ(m.value.GetInt(), 0) << name;
        } else if (m.value.IsString()) {
            EXPECT_STREQ(m.value.GetString(), "") << name;
        } else {
            EXPECT_TRUE(m.value.IsBool() && !m.value.GetBool()) << name;
        }
    }
    // Members travel in declaration order.
    auto it = f.MemberBegin();
    EXPECT_STREQ(it->name.GetString(), "FBILGISAYARID");
    EXPECT_STREQ((f.MemberEnd() - 1)->name.GetString(), "FVersion");
}

TEST(Records, LoginRecordRoundTripKeepsTurkishTextAndEveryType) {
    TSonucBilgisi s;
    s.setCariAdi(QStringLiteral("ÖZTÜRK OTO YEDEK PARÇA ŞTİ. ğüşıöçİ"));
    s.setADI(QStringLiteral("ÇAĞLAR"));
    s.setSIFRE(QStringLiteral("ŞİFRE1"));
    s.setCARINO(2147483647);
    s.setSirano(-5);
    s.setAKTIF(1);
    s.setVarmi(true);
    s.setMusteriTipi(4);
    s.setVersion(3);
    const auto back = roundTrip(s);
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == s);
    EXPECT_EQ(back->CariAdi(), s.CariAdi());

    TSonucBilgisi copy;
    copy.Kopyala(s);
    EXPECT_TRUE(copy == s);
    s.setADI(QStringLiteral("BAŞKA"));
    EXPECT_EQ(copy.ADI(), QStringLiteral("ÇAĞLAR")) << "a copy shares nothing with its source";
}

TEST(Records, MissingMemberKeepsDefaultUnknownMemberIgnoredFalseStaysFalse) {
    const auto d = parse(
        R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FVarmi":false,"FADI":"X","FYok":7}})");
    const auto r = readRecord<TSonucBilgisi>(d);
    ASSERT_TRUE(r);
    EXPECT_FALSE(r->Varmi());
    EXPECT_EQ(r->ADI(), QStringLiteral("X"));
    EXPECT_EQ(r->MusteriTipi(), 1);
    EXPECT_EQ(r->Version(), 1);
}

TEST(Records, StockItemWithoutUnitAndVatGetsTheirDefaults) {
    const auto d =
        parse(R"({"type":"mobilstokunit.TMobilStok","id":1,"fields":{"FKod":"FR-0042"}})");
    const auto r = readRecord<TMobilStok>(d);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Kod(), QStringLiteral("FR-0042"));
    EXPECT_EQ(r->Birim(), QStringLiteral("ADET"));
    EXPECT_EQ(r->KDV(), 18.0);
}

TEST(Records, CustomerCardKeepsFractionalAmounts) {
    TMobilCariBilgisi c;
    c.setTLBORC(12345.67);
    c.setTLALACAK(0.1 + 0.2);
    c.setTLBAKIYE(-98765.4321);
    c.setCARIADI(QStringLiteral("Işık Otomotiv"));
    const auto back = roundTrip(c);
    EXPECT_EQ(back->TLBORC(), 12345.67);
    EXPECT_EQ(back->TLALACAK(), 0.1 + 0.2);
    EXPECT_EQ(back->TLBAKIYE(), -98765.4321);
    EXPECT_TRUE(*back == c);
}

TEST(Records, AnnouncementContainerKeepsOrderAndNumbersElements) {
    TAcilisEkranlariki c;
    for (int i = 0; i < 3; ++i) {
        TAcilisEkran e;
        e.setSiraNo(10 - i);
        e.setBaslik(QStringLiteral("Duyuru %1").arg(i));
        c.Ekranlar().push_back(e);
    }
    const auto d = parse(toJson(c));
    const auto& arr = d["fields"]["FEkranlar"];
    ASSERT_EQ(arr.Size(), 3u);
    for (rapidjson::SizeType i = 0; i < 3; ++i) {
        EXPECT_EQ(arr[i]["id"].GetInt(), int(i) + 2);
        EXPECT_STREQ(arr[i]["type"].GetString(), "mobilstokunit.TAcilisEkran");
    }
    const auto back = readRecord<TAcilisEkranlariki>(d);
    ASSERT_EQ(back->Ekranlar().size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(back->Ekranlar()[i].SiraNo(), 10 - i);

    const auto empty = readRecord<TAcilisEkranlariki>(
        parse(R"({"type":"mobilstokunit.TAcilisEkranlariki","id":1,"fields":{"FEkranlar":[]}})"));
    EXPECT_TRUE(empty->Ekranlar().empty());
}

TEST(Records, BasketLineAndListsRoundTrip) {
    TMobilSepetler list;
    TMobilSepet line;
    line.setSIRANO(7);
    line.setTARIH(46000.5);
    line.setSTOKADI(QStringLiteral("Fren balatası ön"));
    line.setNETTUTAR(324.0);
    list.items().push_back(line);
    list.items().push_back(TMobilSepet());
    const auto back = roundTrip(list);
    ASSERT_EQ(back->items().size(), 2u);
    EXPECT_TRUE(back->items()[0] == line);
}

TEST(Records, MalformedObjectsAreRefused) {
    const char* cases[] = {
        R"({"type":"baglantiu.TBilinmeyen","id":1,"fields":{}})",
        R"({"id":1,"fields":{}})",
        R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FCARINO":"12"}})",
        R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":{"FVarmi":1}})",
        R"({"type":"baglantiu.TSonucBilgisi","id":1,"fields":[]})",
        R"([1,2])",
    };
    for (const char* json : cases) {
        EXPECT_THROW(readTransferObject(parse(json)), RecordFormatError) << json;
    }
    EXPECT_THROW(readRecord<TSonucBilgisi>(
                     parse(R"({"type":"baglantiu.TTusSonuclari","id":1,"fields":{}})")),
                 RecordFormatError);
    EXPECT_EQ(readTransferObject(parse("null")), nullptr);
}
