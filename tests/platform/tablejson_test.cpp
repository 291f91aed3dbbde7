// The table and reply decoder: round trips through the writer, every refusal with its reason,
// replies in any member order, and the reference server's own answers.
#include <gtest/gtest.h>
#include <rapidjson/stringbuffer.h>
#include <cmath>
#include <limits>

#include "platform/MemTable.h"
#include "remote/RemoteError.h"
#include "remote/ServerConnection.h"
#include "remote/TableJson.h"
#include "support/TestServer.h"

using kv::platform::FieldType;
using kv::platform::MemTable;
using kv::remote::RemoteError;
using kv::remote::ValueType;

namespace {

std::string write(const MemTable& t) {
    rapidjson::StringBuffer sb;
    kv::remote::JsonWriter w(sb);
    kv::remote::writeTable(w, t);
    return std::string(sb.GetString(), sb.GetSize());
}

MemTable decode(std::string json) {
    MemTable t;
    kv::remote::decodeTable(json, t);
    return t;
}

void expectSameTable(const MemTable& a, const MemTable& b) {
    ASSERT_EQ(a.isActive(), b.isActive());
    ASSERT_EQ(a.columnCount(), b.columnCount());
    ASSERT_EQ(a.rowCount(), b.rowCount());
    for (int c = 0; c < a.columnCount(); ++c) {
        ASSERT_EQ(a.columnName(c), b.columnName(c));
        ASSERT_EQ(a.columnType(c), b.columnType(c));
        for (int r = 0; r < a.rowCount(); ++r) {
            ASSERT_EQ(a.isNull(r, c), b.isNull(r, c)) << r << "," << c;
            ASSERT_EQ(a.value(r, c), b.value(r, c)) << r << "," << c;
        }
    }
}

// A table with every type and awkward values, long enough that the decoder sizes its columns
// from the first rows.
MemTable awkwardTable(int rows) {
    const QByteArray allBytes = [] {
        QByteArray b;
        for (int i = 0; i < 256; ++i)
            b.append(char(i));
        return b;
    }();
    const std::string texts[] = {"Şanzıman \"dişlisi\" \\ yağ",
                                 "ĞÜŞİÖÇ ğüşıöç",
                                 std::string("sıfır\0bayt", 10),
                                 "satır\nsonu\ttab",
                                 "",
                                 "€"};
    const double reals[] = {0.1,     2.675,   -0.0,  1e-300, 1.7976931348623157e308,
                            46000.5, 12.3456, -1e15, 5e-324};
    MemTable t;
    t.beginBuild();
    const FieldType types[] = {FieldType::Int32,    FieldType::Int64, FieldType::Double,
                               FieldType::Currency, FieldType::Text,  FieldType::Bool,
                               FieldType::DateTime, FieldType::Blob};
    for (FieldType ft : types)
        t.addColumn(QStringLiteral("K_") + QLatin1String(kv::platform::fieldTypeName(ft)), ft);
    t.addColumn(QStringLiteral("Açıklama"), FieldType::Text);
    t.endColumns();
    for (int r = 0; r < rows; ++r) {
        const bool null = r % 7 == 3;
        auto real = [&](int col) {
            null ? t.appendNull(col) : t.appendReal(col, reals[std::size_t(r) % std::size(reals)]);
        };
        if (null) {
            t.appendNull(0);
            t.appendNull(1);
        } else {
            t.appendInt(0, r % 2 ? std::numeric_limits<std::int32_t>::min() + r
                                 : std::numeric_limits<std::int32_t>::max() - r);
            t.appendInt(1, r % 2 ? std::numeric_limits<std::int64_t>::min()
                                 : std::numeric_limits<std::int64_t>::max() - r);
        }
        real(2);
        real(3);
        const std::string& s = texts[std::size_t(r) % std::size(texts)];
        null ? t.appendNull(4) : t.appendBytes(4, s.data(), s.size());
        null ? t.appendNull(5) : t.appendInt(5, r % 2);
        real(6);
        const QByteArray blob = allBytes.left(r % 257);
        null ? t.appendNull(7) : t.appendBytes(7, blob.constData(), std::size_t(blob.size()));
        t.appendBytes(8, s.data(), s.size());
        t.endRow();
    }
    t.endBuild();
    return t;
}

}  // namespace

TEST(TableJson, WriteThenReadGivesTheSameTable) {
    for (int rows : {0, 1, 3000}) {
        const MemTable t = awkwardTable(rows);
        const MemTable back = decode(write(t));
        expectSameTable(t, back);
        if (rows > 2) {
            EXPECT_EQ(back.bytes(2, 4), std::string_view("sıfır\0bayt", 10));
            EXPECT_TRUE(std::signbit(back.toDouble(2, 2))) << "-0 keeps its sign";
        }
        // The decoder sizes its columns once: the table holds little unused room.
        if (rows == 3000) {
            EXPECT_LT(back.memoryBytes(), t.memoryBytes() + t.memoryBytes() / 8);
        }
    }
    EXPECT_EQ(write(MemTable()), "null");
    EXPECT_FALSE(decode("null").isActive());
}

TEST(TableJson, AcceptsTheShapesTheWireAllows) {
    // Unknown members are skipped wherever they are; numbers fit every numeric column.
    const MemTable t = decode(R"( {"meta":{"a":[1,{"b":null}]},
        "columns":[{"type":"int64","x":[],"name":"A"},{"name":"B","type":"double"},
                   {"name":"C","type":"datetime"},{"name":"D","type":"currency"}],
        "extra":"yok say", "rows":[[9223372036854775807,1,2,3],[-9223372036854775808,
        18446744073709551615,-1.5e3,1E2]], "sonra":true } )");
    ASSERT_EQ(t.rowCount(), 2);
    EXPECT_EQ(t.toInt(0, 0), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(t.toInt(1, 0), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(t.value(0, 1), QVariant(1.0));
    EXPECT_EQ(t.toDouble(1, 1), 18446744073709551615.0);
    EXPECT_EQ(t.toDouble(1, 2), -1500.0);
    EXPECT_EQ(t.toDouble(1, 3), 100.0);

    const MemTable empty = decode(R"({"columns":[{"name":"A","type":"text"}],"rows":[]})");
    EXPECT_TRUE(empty.isActive());
    EXPECT_EQ(empty.rowCount(), 0);
}

TEST(TableJson, RefusesMalformedTablesWithTheReason) {
    struct Case {
        const char* json;
        const char* reason;
    } cases[] = {
        {R"({"rows":[[1]],"columns":[{"name":"A","type":"int32"}]})",
         "\"rows\" üyesi \"columns\" üyesinden önce geliyor"},
        {R"({"columns":[{"name":"A","type":"int9"}],"rows":[]})", "bilinmeyen sütun türü \"int9\""},
        {R"({"columns":[{"name":"A","type":"INT32"}],"rows":[]})",
         "bilinmeyen sütun türü \"INT32\""},
        {R"({"columns":[{"name":"A","type":"int32"},{"name":"A","type":"text"}],"rows":[]})",
         "\"A\" sütun adı iki kez geçiyor"},
        {R"({"columns":[{"type":"int32"}],"rows":[]})", "1. sütunun adı yok"},
        {R"({"columns":[{"name":"A"}],"rows":[]})", "1. sütunun (\"A\") türü yok"},
        {R"({"columns":[{"name":1,"type":"int32"}],"rows":[]})", "1. sütunun adı metin olmalı"},
        {R"({"columns":["A"],"rows":[]})", "1. sütunun tanımı bir nesne olmalı"},
        {R"({"columns":{},"rows":[]})", "\"columns\" üyesi bir dizi olmalı"},
        {R"({"columns":[],"rows":{}})", "\"rows\" üyesi bir dizi olmalı"},
        {R"({"columns":[{"name":"A","type":"int32"}]})", "tablonun \"rows\" üyesi yok"},
        {R"({"rows":[]})", "\"rows\" üyesi \"columns\" üyesinden önce geliyor"},
        {R"({})", "tablonun \"columns\" üyesi yok"},
        {R"({"columns":[],"columns":[],"rows":[]})", "\"columns\" iki kez geçiyor"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1]],"rows":[[2]]})",
         "\"rows\" iki kez geçiyor"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1],2]})", "2. satır bir dizi olmalı"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1,2]]})",
         "1. satırda sütun sayısından (1) fazla hücre var"},
        {R"({"columns":[{"name":"A","type":"int32"},{"name":"B","type":"text"}],"rows":[[1,"a"],[1]]})",
         "2. satırda 1 hücre var, 2 olmalı"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[["1"]]})",
         "1. satır, \"A\" sütunu: int32 sütununda metin olamaz"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1.5]]})",
         "1. satır, \"A\" sütunu: int32 sütununda kesirli sayı olamaz"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[[2147483648]]})",
         "1. satır, \"A\" sütunu: 2147483648 int32 sınırları dışında"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[[-2147483649]]})",
         "-2147483649 int32 sınırları dışında"},
        {R"({"columns":[{"name":"A","type":"int64"}],"rows":[[9223372036854775808]]})",
         "9223372036854775808 int64 sınırları dışında"},
        {R"({"columns":[{"name":"A","type":"text"}],"rows":[[1]]})", "text sütununda sayı olamaz"},
        {R"({"columns":[{"name":"A","type":"bool"}],"rows":[[1]]})", "bool sütununda sayı olamaz"},
        {R"({"columns":[{"name":"A","type":"double"}],"rows":[[true]]})",
         "double sütununda mantıksal değer olamaz"},
        {R"({"columns":[{"name":"A","type":"datetime"}],"rows":[["2025-01-01"]]})",
         "datetime sütununda metin olamaz"},
        {R"({"columns":[{"name":"A","type":"text"}],"rows":[[["x"]]]})",
         "text sütununda dizi olamaz"},
        {R"({"columns":[{"name":"A","type":"text"}],"rows":[[{}]]})",
         "text sütununda nesne olamaz"},
        {R"({"columns":[{"name":"A","type":"blob"}],"rows":[["!!"]]})",
         "1. satır, \"A\" sütunu: geçerli base64 değil"},
        {R"([])", "tablo bekleniyordu, dizi geldi"},
        {R"("tablo")", "tablo bekleniyordu, metin geldi"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1]])", "nesnede ',' ya da '}' eksik"},
        {R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1]]} x)",
         "değerden sonra fazladan veri var"},
        {"", "cevap boş"},
        {R"({"columns":[{"name":"A","type":"double"}],"rows":[[1e999]]})", "sayı çok büyük"},
        {R"({"columns":[{"name":"A","type":"double"}],"rows":[[NaN]]})",
         "geçersiz ya da eksik değer"},
    };
    for (const Case& c : cases) {
        std::string s(c.json);
        MemTable t = decode(R"({"columns":[{"name":"ESKI","type":"text"}],"rows":[["a"]]})");
        try {
            kv::remote::decodeTable(s, t);
            ADD_FAILURE() << "accepted: " << c.json;
        } catch (const RemoteError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Sunucunun cevabı okunamadı: ")))
                << e.what();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.reason)))
                << c.json << "\n  got: " << e.what() << "\n  want: " << c.reason;
        }
        EXPECT_FALSE(t.isActive()) << c.json;
        EXPECT_EQ(t.rowCount(), 0) << c.json;
    }
    // A NUL inside the text ends what the parser reads: the rest is not silently dropped.
    std::string withNul = R"({"columns":[],"rows":[]})";
    withNul += std::string("\0 {}", 4);
    MemTable t;
    EXPECT_THROW(kv::remote::decodeTable(withNul, t), RemoteError);
}

TEST(TableJson, ReplyMembersInAnyOrder) {
    const char* tableText = R"({"columns":[{"name":"A","type":"text"}],"rows":[["x"],["y"]]})";
    const std::string bodies[] = {
        std::string(R"({"result":)") + tableText + R"(,"out":[7,"a",{"k":[1.5,null]}]})",
        std::string(R"({"out":[7,"a",{"k":[1.5,null]}],"result":)") + tableText + "}",
        std::string(R"({"extra":{"result":1},"out":[7,"a",{"k":[1.5,null]}],"result":)") +
            tableText + R"(,"son":[1,[2]]})",
    };
    for (const std::string& b : bodies) {
        std::string body = b;
        MemTable t;
        rapidjson::Document result, out;
        kv::remote::decodeReply(body, ValueType::Table, t, result, out);
        ASSERT_EQ(t.rowCount(), 2) << b;
        EXPECT_EQ(t.toText(1, 0), QStringLiteral("y"));
        EXPECT_TRUE(result.IsNull());
        ASSERT_TRUE(out.IsArray()) << b;
        ASSERT_EQ(out.Size(), 3u) << b;
        EXPECT_EQ(out[0].GetInt(), 7);
        EXPECT_STREQ(out[1].GetString(), "a");
        EXPECT_EQ(out[2]["k"][0].GetDouble(), 1.5);
        EXPECT_TRUE(out[2]["k"][1].IsNull());
    }

    // A null table: empty and inactive; a missing out: an empty array.
    std::string nullTable(R"({"result":null})");
    MemTable t = decode(tableText);
    rapidjson::Document result, out;
    kv::remote::decodeReply(nullTable, ValueType::Table, t, result, out);
    EXPECT_FALSE(t.isActive());
    ASSERT_TRUE(out.IsArray());
    EXPECT_EQ(out.Size(), 0u);

    // Other results land in `result`, owning their text after the body is gone.
    struct Case {
        ValueType type;
        const char* body;
    } others[] = {
        {ValueType::Int32, R"({"out":[1.25,"Çıkış"],"result":3})"},
        {ValueType::Text, R"({"result":"Şanzıman \"dişlisi\"","out":[1.25,"Çıkış"]})"},
        {ValueType::Record, R"({"result":{"type":"u.T","id":1,"fields":{}},"out":[1.25,"Çıkış"]})"},
    };
    for (const Case& c : others) {
        auto body = std::make_unique<std::string>(c.body);
        kv::remote::decodeReply(*body, c.type, t, result, out);
        body.reset();
        ASSERT_EQ(out.Size(), 2u) << c.body;
        EXPECT_EQ(out[0].GetDouble(), 1.25);
        EXPECT_STREQ(out[1].GetString(), "Çıkış");
        if (c.type == ValueType::Int32) {
            EXPECT_EQ(result.GetInt(), 3);
        } else if (c.type == ValueType::Text) {
            EXPECT_STREQ(result.GetString(), "Şanzıman \"dişlisi\"");
        } else {
            EXPECT_STREQ(result["type"].GetString(), "u.T");
        }
    }
    std::string none(R"({"result":null,"out":[]})");
    kv::remote::decodeReply(none, ValueType::None, t, result, out);
    EXPECT_TRUE(result.IsNull());
    EXPECT_EQ(out.Size(), 0u);
}

TEST(TableJson, RefusesMalformedReplies) {
    struct Case {
        const char* body;
        const char* reason;
    } cases[] = {
        {"", "cevap boş"},
        {"[]", "cevap bir nesne olmalı"},
        {"5", "cevap bir nesne olmalı"},
        {R"({"out":[]})", "cevapta \"result\" yok"},
        {R"({"result":null,"out":{}})", "\"out\" üyesi bir dizi olmalı"},
        {R"({"result":null,"out":5})", "\"out\" üyesi bir dizi olmalı"},
        {R"({"result":null,"result":null})", "cevapta \"result\" iki kez geçiyor"},
        {R"({"result":null,"out":[],"out":[]})", "cevapta \"out\" iki kez geçiyor"},
        {R"({"result":)", "geçersiz ya da eksik değer"},
        {R"({"result":null} {})", "değerden sonra fazladan veri var"},
        {R"({"result":null,"out":[1,]})", "geçersiz ya da eksik değer"},
    };
    for (ValueType type : {ValueType::Int32, ValueType::Table}) {
        for (const Case& c : cases) {
            std::string body(c.body);
            MemTable t = decode(R"({"columns":[{"name":"A","type":"int32"}],"rows":[[1]]})");
            rapidjson::Document result, out;
            try {
                kv::remote::decodeReply(body, type, t, result, out);
                ADD_FAILURE() << "accepted: " << c.body;
            } catch (const RemoteError& e) {
                EXPECT_TRUE(e.message().startsWith(QStringLiteral("Sunucunun cevabı okunamadı: ")));
                EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.reason)))
                    << c.body << "\n  got: " << e.what() << "\n  want: " << c.reason;
            }
            if (type == ValueType::Table) {
                EXPECT_FALSE(t.isActive()) << c.body;
            }
        }
    }
    // A NUL ends what a parser reads: what follows one is refused, not silently dropped.
    for (ValueType type : {ValueType::Int32, ValueType::Table}) {
        std::string body(R"({"result":null,"out":[]})");
        body += std::string("\0{}", 3);
        MemTable t;
        rapidjson::Document result, out;
        EXPECT_THROW(kv::remote::decodeReply(body, type, t, result, out), RemoteError);
    }
    // A table method's result must be a table (or null).
    std::string body(R"({"result":5,"out":[]})");
    MemTable t;
    rapidjson::Document result, out;
    try {
        kv::remote::decodeReply(body, ValueType::Table, t, result, out);
        ADD_FAILURE() << "a number was taken for a table";
    } catch (const RemoteError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Sunucunun cevabı okunamadı: tablo bekleniyordu, sayı geldi"));
    }
}

TEST(TableJson, WriterRefusesWhatTheWireCannotCarry) {
    MemTable t;
    t.beginBuild();
    t.addColumn(QStringLiteral("FIYAT"), FieldType::Double);
    t.endColumns();
    t.appendReal(0, 1.0);
    t.endRow();
    t.appendReal(0, std::numeric_limits<double>::quiet_NaN());
    t.endRow();
    t.endBuild();
    try {
        write(t);
        FAIL() << "NaN was written";
    } catch (const RemoteError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Tablo gönderilemedi: 2. satır, \"FIYAT\" "
                                              "sütununda sayı olmayan değer"));
    }
}

// The reference server's own answers, over a real socket.
class ServerReplyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        server.start();
        conn.setHostName(server.host());
        conn.setPort(QString::number(server.port()));
        conn.open();
    }
    kv::test::TestServer server;
    kv::remote::ServerConnection conn;
};

TEST_F(ServerReplyTest, DecodesTheServersTablesAndValues) {
    for (const char* method : {"YenilerVer", "KampanyaliVer"}) {
        const std::string params =
            std::string(method) == "YenilerVer" ? R"({"params":[1001]})" : R"({"params":[1001,0]})";
        auto reply = conn.post(method, params);
        ASSERT_EQ(reply.status, 200) << reply.body;
        MemTable t;
        rapidjson::Document result, out;
        kv::remote::decodeReply(reply.body, ValueType::Table, t, result, out);
        ASSERT_TRUE(t.isActive()) << method;
        EXPECT_GT(t.rowCount(), 0) << method;
        const int no = t.columnIndex(u"STOK_STOKNO");
        ASSERT_GE(no, 0) << method;
        EXPECT_EQ(t.columnType(no), FieldType::Int32);
        EXPECT_TRUE(out.IsArray());
        EXPECT_EQ(out.Size(), 0u);
        // What the decoder built writes back to the same table.
        expectSameTable(t, decode(write(t)));
    }

    auto reply = conn.post("EchoString", R"({"params":["Debriyaj seti ĞÜŞ"]})");
    ASSERT_EQ(reply.status, 200);
    MemTable t;
    rapidjson::Document result, out;
    kv::remote::decodeReply(reply.body, ValueType::Text, t, result, out);
    ASSERT_TRUE(result.IsString());
    EXPECT_STREQ(result.GetString(), "Debriyaj seti ĞÜŞ");
    EXPECT_FALSE(t.isActive()) << "a value result leaves the table alone";
}
