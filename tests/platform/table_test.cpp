#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QLocale>

#include "platform/MemTable.h"
#include "platform/MemTableModel.h"
#include "platform/NumberFormat.h"
#include "remote/RemoteError.h"
#include "remote/TableJson.h"

using namespace kv::platform;
using kv::remote::RemoteError;

namespace {

const char* const kStockJson = R"({"columns":[
 {"name":"STOK_STOKNO","type":"int32"},{"name":"BARKOD","type":"text"},
 {"name":"FIYAT","type":"double"},{"name":"MALIYET","type":"currency"},
 {"name":"ADET","type":"int64"},{"name":"AKTIF","type":"bool"},
 {"name":"TARIH","type":"datetime"},{"name":"RESIM","type":"blob"}],
 "rows":[[42,"FR-0042 Şişe",1234567.5,12.5,9007199254740993,true,46000.5,"AAEC"],
         [43,null,null,null,null,null,null,null],
         [-7,"",0.1,0,0,false,46001,""]]})";

MemTable decode(const char* json) {
    std::string s(json);
    MemTable t;
    kv::remote::decodeTable(s, t);
    return t;
}

}  // namespace

TEST(MemTable, DecodesEveryTypeAndNull) {
    const MemTable t = decode(kStockJson);
    ASSERT_TRUE(t.isActive());
    ASSERT_EQ(t.columnCount(), 8);
    ASSERT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.value(0, 0).toInt(), 42);
    EXPECT_EQ(t.toText(0, 1), QStringLiteral("FR-0042 Şişe"));
    EXPECT_EQ(t.toDouble(0, 2), 1234567.5);
    EXPECT_EQ(t.toDouble(0, 3), 12.5);
    EXPECT_EQ(t.toInt(0, 4), 9007199254740993LL);
    EXPECT_EQ(t.value(0, 5), QVariant(true));
    EXPECT_EQ(t.toDouble(0, 6), 46000.5);
    EXPECT_EQ(t.toBlob(0, 7), QByteArray("\x00\x01\x02", 3));
    EXPECT_EQ(t.toInt(1, 0), 43);
    for (int c = 1; c < 8; ++c) {
        EXPECT_TRUE(t.isNull(1, c)) << c;
        EXPECT_FALSE(t.value(1, c).isValid()) << c;
        EXPECT_FALSE(t.isNull(2, c)) << c;
    }
    EXPECT_EQ(t.toText(2, 1), QString());
    EXPECT_EQ(t.columnIndex(u"BARKOD"), 1);
    EXPECT_EQ(t.columnIndex(u"barkod"), -1) << "field names are matched exactly";
}

TEST(MemTable, DisplayTextFollowsFormatAndLocale) {
    MemTable t = decode(kStockJson);
    t.setDisplayFormat(2, QStringLiteral("#,###,##0.00"));
    EXPECT_EQ(t.displayText(0, 2), QStringLiteral("1.234.567,50"));
    EXPECT_EQ(t.displayText(2, 2), QStringLiteral("0,10"));
    EXPECT_EQ(t.displayText(1, 2), QString());
    EXPECT_EQ(t.displayText(0, 3), QStringLiteral("12,5")) << "currency keeps its own form";
    EXPECT_EQ(t.displayText(0, 6), QStringLiteral("09.12.2025 12:00"));
    EXPECT_EQ(t.displayText(2, 6), QStringLiteral("10.12.2025"));
}

TEST(MemTable, CursorFieldByNameAndCopy) {
    MemTable src = decode(kStockJson);
    MemTable t;
    t.copyFrom(src);
    src.clear();
    ASSERT_EQ(t.rowCount(), 3);
    ASSERT_TRUE(t.first());
    EXPECT_EQ(t.fieldByName(u"STOK_STOKNO").toInt(), 42);
    EXPECT_TRUE(t.next());
    EXPECT_TRUE(t.next());
    EXPECT_EQ(t.fieldByName(u"STOK_STOKNO").toInt(), -7);
    EXPECT_FALSE(t.next());
    EXPECT_TRUE(t.eof());
    t.first();
    EXPECT_THROW(t.fieldByName(u"YOK"), MemTableError);
}

TEST(TableJson, WriteThenReadGivesTheSameTable) {
    const MemTable t = decode(kStockJson);
    rapidjson::StringBuffer sb;
    kv::remote::JsonWriter w(sb);
    kv::remote::writeTable(w, t);
    const MemTable back = decode(sb.GetString());
    ASSERT_EQ(back.rowCount(), t.rowCount());
    ASSERT_EQ(back.columnCount(), t.columnCount());
    for (int r = 0; r < t.rowCount(); ++r) {
        for (int c = 0; c < t.columnCount(); ++c) {
            EXPECT_EQ(back.value(r, c), t.value(r, c)) << r << "," << c;
            EXPECT_EQ(back.columnType(c), t.columnType(c));
        }
    }
}

TEST(TableJson, MalformedTablesAreRefusedAndLeaveTheTableEmpty) {
    const char* cases[] = {
        R"({"rows":[[1]],"columns":[{"name":"A","type":"int32"}]})",
        R"({"columns":[{"name":"A","type":"int9"}],"rows":[]})",
        R"({"columns":[{"name":"A","type":"int32"},{"name":"A","type":"text"}],"rows":[]})",
        R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1,2]]})",
        R"({"columns":[{"name":"A","type":"int32"},{"name":"B","type":"text"}],"rows":[[1]]})",
        R"({"columns":[{"name":"A","type":"int32"}],"rows":[["1"]]})",
        R"({"columns":[{"name":"A","type":"int32"}],"rows":[[4294967296]]})",
        R"({"columns":[{"name":"A","type":"text"}],"rows":[[1.5]]})",
        R"({"columns":[{"name":"A","type":"blob"}],"rows":[["!!"]]})",
        R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1]])",
    };
    for (const char* json : cases) {
        std::string s(json);
        MemTable t = decode(kStockJson);
        EXPECT_THROW(kv::remote::decodeTable(s, t), RemoteError) << json;
        EXPECT_FALSE(t.isActive()) << json;
    }
}

TEST(TableJson, ReplyWithTableResultInAnyMemberOrder) {
    using kv::remote::ValueType;
    for (const char* body :
         {R"({"result":{"columns":[{"name":"A","type":"text"}],"rows":[["x"]]},"out":[]})",
          R"({"out":[],"result":{"columns":[{"name":"A","type":"text"}],"rows":[["x"]]}})"}) {
        std::string s(body);
        MemTable t;
        rapidjson::Document r, o;
        kv::remote::decodeReply(s, ValueType::Table, t, r, o);
        ASSERT_EQ(t.rowCount(), 1) << body;
        EXPECT_EQ(t.toText(0, 0), QStringLiteral("x"));
    }
    std::string nullTable(R"({"result":null,"out":[]})");
    MemTable t = decode(kStockJson);
    rapidjson::Document r, o;
    kv::remote::decodeReply(nullTable, ValueType::Table, t, r, o);
    EXPECT_FALSE(t.isActive());

    std::string outs(R"({"out":[7,"a"],"result":3})");
    kv::remote::decodeReply(outs, ValueType::Int32, t, r, o);
    EXPECT_EQ(r.GetInt(), 3);
    EXPECT_EQ(o[0].GetInt(), 7);

    for (const char* bad :
         {"", "[]", R"({"out":[]})", R"({"result":1,"out":{}})", "{\"result\":"}) {
        std::string s(bad);
        EXPECT_THROW(kv::remote::decodeReply(s, ValueType::Int32, t, r, o), RemoteError) << bad;
        std::string s2(bad);
        EXPECT_THROW(kv::remote::decodeReply(s2, ValueType::Table, t, r, o), RemoteError) << bad;
    }
}

TEST(MemTableModel, PassesTheModelTesterThroughDetachRefillAttach) {
    MemTable t = decode(kStockJson);
    MemTableModel model(&t);
    model.setCaption(QStringLiteral("BARKOD"), QStringLiteral("Barkod"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Barkod"));
    model.detach();
    EXPECT_EQ(model.rowCount(), 0);
    std::string s(R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1],[2]]})");
    kv::remote::decodeTable(s, t);  // refilled while detached
    model.attach();
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("2"));
}

TEST(NumberFormat, PicturesUnderTurkishSeparators) {
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    struct Case {
        const char* pattern;
        double value;
        const char* text;
    } cases[] = {
        {"#,###,##0.00", 1234567.5, "1.234.567,50"},
        {"#,###,##0.00", 0, "0,00"},
        {"#,###,##0.00", 2.675, "2,68"},
        {"#,###,##0.00", -1234.005, "-1.234,01"},
        {"#,###,##0.00", -0.001, "0,00"},
        {"#,###,##.00", 0.5, ",50"},
        {"#,###,##.00", 1234.567, "1.234,57"},
        {"#,###,##00.00", 5, "05,00"},
        {"#,###,##00.00", 170, "170,00"},
        {"#,##0", 1234.5, "1.235"},
        {"0.00", 999.995, "1000,00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatFloat(QString::fromLatin1(c.pattern), c.value, tr),
                  QString::fromUtf8(c.text))
            << c.pattern << " " << c.value;
    }
}
