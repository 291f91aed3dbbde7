// The basket tab, the stock item window's sends and the order, through the real widgets
// against the real server.
#include <freexl.h>
#include <gtest/gtest.h>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/SepetIslemleri.h"
#include "app/TForm1.h"
#include "app/Tgirisform.h"
#include "basket/Sepet.h"
#include "basket/TONAYSIP.h"
#include "basket/TeslimKargo.h"
#include "catalogue/StokListesi.h"
#include "catalogue/Tstokayarinti.h"
#include "platform/AmountEdit.h"
#include "platform/CountBadgeTabBar.h"
#include "platform/RadioGroup.h"
#include "remote/TServerMethods1Client.h"
#include "remote/TableJson.h"
#include "support/DialogWatcher.h"
#include "support/TestServer.h"

using namespace kv;
using basket::Sepet;

namespace {

// Runs `f` once on the first visible top-level window of type T, from the event loop of
// whatever modal loop shows it.
template <class T>
void whenShown(std::function<void(T*)> f) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, f = std::move(f)] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* d = qobject_cast<T*>(w); d && d->isVisible()) {
                timer->stop();
                timer->deleteLater();
                f(d);
                return;
            }
        }
    });
    timer->start();
}

class BasketTab : public test::ServerTest {
  protected:
    std::unique_ptr<app::TForm1> window(int kind = 0) {
        auto w = std::make_unique<app::TForm1>();
        w->bagc().setHostName(server.host());
        w->bagc().setPort(QString::number(server.port()));
        w->sbilgi().setCARINO(1001);
        w->sbilgi().setSirano(
            server.query(QStringLiteral("SELECT sirano FROM kullanicilar WHERE adi='DEMO'"))
                .toInt());
        w->sbilgi().setADI(QStringLiteral("DEMO"));
        w->sbilgi().setCariAdi(QStringLiteral("Demo Otomotiv Ltd. Şti."));
        w->sbilgi().setMusteriTipi(kind);
        w->KullaniciTipiUygula();
        w->resize(1344, 800);
        w->show();
        return w;
    }
    // Adds a line straight through the server, as another window of the account would.
    void addLine(int stokno, double miktar, double fiyat, double indirim) {
        remote::ServerConnection c;
        c.setHostName(server.host());
        c.setPort(QString::number(server.port()));
        remote::TServerMethods1Client p(&c);
        ASSERT_EQ(p.SepetEkle(std::make_unique<remote::TSonucBilgisi>(), 1001, stokno,
                              QStringLiteral("B%1").arg(stokno), QStringLiteral("Parça"), miktar,
                              20, fiyat, indirim, 0, 0),
                  1);
    }
    int item(int n) const {
        return server
            .query(QStringLiteral("SELECT stokno FROM stoklar ORDER BY stokno LIMIT 1 OFFSET %1")
                       .arg(n))
            .toInt();
    }
    static QString caption(app::TForm1& w) {
        return w.sPageControl1->tabText(w.sPageControl1->indexOf(w.ssepet));
    }
    static QString totals(Sepet& s) {
        return QStringList{s.aratoplaml->text(), s.indiriml->text(), s.nettutarl->text(),
                           s.vergil->text(), s.geneltoplaml->text()}
            .join(QLatin1Char(' '));
    }
    void search(app::TForm1& w, const QString& text) {
        bool done = false;
        QObject::connect(w.stokListesi, &catalogue::StokListesi::aramaBitti, [&] { done = true; });
        w.araedit->setText(text);
        w.stokListesi->AramaBaslat();
        ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 30000));
    }
    // Opens the stock list's row through the popup entry; `fill` works in the window, which
    // is then confirmed.
    void openAndConfirm(app::TForm1& w, int row,
                        std::function<void(catalogue::Tstokayarinti*)> fill) {
        auto* g = w.stokListesi->cxGrid1DBTableView1;
        g->setCurrentIndex(
            g->model()->index(row, g->gridModel()->columnOf(QStringLiteral("BARKOD"))));
        auto c = QObject::connect(w.sepetIslemleri, &app::SepetIslemleri::pencereAcildi,
                                  [fill](catalogue::Tstokayarinti* p) {
                                      QTimer::singleShot(0, p, [p, fill] {
                                          fill(p);
                                          p->ParcaliTus1->click();
                                      });
                                  });
        w.stokListesi->S1->trigger();
        QObject::disconnect(c);
    }

    test::DialogWatcher watcher{QStringLiteral("Evet")};
};

}  // namespace

TEST_F(BasketTab, TotalsCountOnlySelectedLinesWithTheFlatVat) {
    auto w = window();
    Sepet& s = *w->sepet;
    std::string json =
        R"({"columns":[{"name":"SEC","type":"int32"},{"name":"TUTAR","type":"double"},
        {"name":"INDIRIMTUTAR","type":"double"}],
        "rows":[[1,100.00,10.00],[1,50.55,0],[0,999.99,1.00]]})";
    remote::decodeTable(json, s.sepet);
    s.ToplamlariYaz();
    EXPECT_EQ(totals(s), QStringLiteral("150,55 10,00 140,55 25,30 165,85"));

    w->sPageControl1->setCurrentWidget(w->ssepet);  // an empty basket from the server
    EXPECT_EQ(totals(s), QStringLiteral("0,00 0,00 0,00 0,00 0,00"));
    EXPECT_EQ(caption(*w), QStringLiteral("0=Sepet"));
    EXPECT_TRUE(watcher.seen().isEmpty());
}

TEST_F(BasketTab, AnItemIsAddedOnceAndOpensItsLineAfterwards) {
    auto w = window();
    search(*w, QStringLiteral("FREN"));
    ASSERT_GT(w->stokListesi->stok.rowCount(), 0);
    bool locked = false;
    openAndConfirm(*w, 0, [&](catalogue::Tstokayarinti* p) {
        locked = p->birimfiyat->isReadOnly() && p->indoran->isReadOnly();
        p->adet->setValue(3);
    });
    EXPECT_TRUE(locked) << "a dealer changes only the quantity";
    Sepet& s = *w->sepet;
    ASSERT_EQ(s.sepet.rowCount(), 1);
    EXPECT_EQ(caption(*w), QStringLiteral("1=Sepet"));
    const int miktar = s.sepet.columnIndex(u"MIKTAR");
    EXPECT_EQ(s.sepet.toDouble(0, miktar), 3);

    int shownQuantity = 0;
    openAndConfirm(*w, 0, [&](catalogue::Tstokayarinti* p) {
        shownQuantity = p->adet->value();
        p->adet->setValue(5);
    });
    EXPECT_EQ(shownQuantity, 3) << "the basket line was opened, not a new one";
    ASSERT_EQ(s.sepet.rowCount(), 1);
    EXPECT_EQ(s.sepet.toDouble(0, miktar), 5);
    EXPECT_EQ(server.query(QStringLiteral("SELECT count(*), sum(miktar) FROM sepet")),
              QStringLiteral("1|5.0"));
}

TEST_F(BasketTab, AQuantityThatCannotBeReadSendsNothing) {
    auto w = window();
    search(*w, QStringLiteral("FREN"));
    ASSERT_GT(w->stokListesi->stok.rowCount(), 0);
    watcher.setPress(QStringLiteral("Tamam"));
    openAndConfirm(*w, 0, [](catalogue::Tstokayarinti* p) {
        p->adet->selectAll();
        QTest::keyClick(p->adet, Qt::Key_Backspace);
        QTest::keyClick(p->adet, Qt::Key_Return);  // sends what the box shows
    });
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_EQ(watcher.seen()[0].title, QStringLiteral("Hata"));
    EXPECT_EQ(server.query(QStringLiteral("SELECT count(*) FROM sepet")), QStringLiteral("0"));
}

TEST_F(BasketTab, DeletingALineAndTheWholeBasketAsks) {
    auto w = window();
    Sepet& s = *w->sepet;
    s.HepsiniSil();  // not loaded: nothing asked, nothing called
    EXPECT_TRUE(watcher.seen().isEmpty());
    addLine(item(0), 1, 10, 0);
    addLine(item(1), 2, 20, 0);
    w->sPageControl1->setCurrentWidget(w->ssepet);
    ASSERT_EQ(s.sepet.rowCount(), 2);
    auto* g = s.cxGrid3DBTableView1;
    g->setCurrentIndex(g->model()->index(0, 1));

    watcher.setPress(QStringLiteral("Hayır"));
    s.satirSilMenu->trigger();
    s.hepsiniSilMenu->trigger();
    EXPECT_EQ(watcher.texts(), (QStringList{QStringLiteral("Satırı silmek istiyor musunuz "),
                                            QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz ")}));
    EXPECT_EQ(server.query(QStringLiteral("SELECT count(*) FROM sepet")), QStringLiteral("2"));

    watcher.setPress(QStringLiteral("Evet"));
    s.satirSilMenu->trigger();
    EXPECT_EQ(watcher.texts().mid(2), (QStringList{QStringLiteral("Satırı silmek istiyor musunuz "),
                                                   QStringLiteral("Satır silindi !")}));
    EXPECT_EQ(caption(*w), QStringLiteral("1=Sepet"));
    s.hepsiniSilMenu->trigger();
    EXPECT_EQ(watcher.texts().mid(4),
              (QStringList{QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz "),
                           QStringLiteral("Sepet Silindi !")}));
    EXPECT_EQ(caption(*w), QStringLiteral("0=Sepet"));
    EXPECT_EQ(server.query(QStringLiteral("SELECT count(*) FROM sepet")), QStringLiteral("0"));
}

TEST_F(BasketTab, OrderChecksComeInTheirOrder) {
    auto w = window();
    Sepet& s = *w->sepet;
    basket::TeslimKargo& tk = *s.teslimKargo;
    watcher.setPress(QStringLiteral("Tamam"));
    s.Button1->click();
    addLine(item(0), 1, 10, 0);
    w->sPageControl1->setCurrentWidget(w->ssepet);
    ASSERT_EQ(tk.teslimbox->count(), 3);
    EXPECT_EQ(tk.teslimbox->itemIndex(), 1) << "the second delivery mode is preselected";
    EXPECT_EQ(tk.boxkargo->itemIndex(), -1);

    tk.teslimbox->setItemIndex(-1);
    s.Button1->click();
    tk.teslimbox->setItemIndex(1);
    s.Button1->click();

    // Cargo type "Anlaşmalı Kargo": a blank entry, then its companies; two share a name.
    tk.uyarikargo->setText(QStringLiteral("eski not"));
    tk.boxkargo->findChildren<QAbstractButton*>().at(2)->click();
    EXPECT_TRUE(tk.uyarikargo->text().isEmpty());
    ASSERT_EQ(tk.kargocombo->count(), 5);
    EXPECT_EQ(tk.kargocombo->itemText(0), QStringLiteral(" "));
    EXPECT_EQ(tk.kargocombo->currentIndex(), -1);
    s.Button1->click();

    tk.kargocombo->setCurrentIndex(2);  // the second company of the same name
    EXPECT_EQ(tk.kargocombo->currentText(), QStringLiteral("YURTİÇİ KARGO"));
    EXPECT_EQ(tk.uyarikargo->text(), QStringLiteral("Anlaşmalı gönderi: 30 desiye kadar ücretsiz."))
        << "the first company of that name";
    EXPECT_EQ(tk.kargoFirmaSirano(), 301);
    tk.kargocombo->setCurrentIndex(0);
    EXPECT_TRUE(tk.uyarikargo->text().isEmpty());

    tk.boxkargo->findChildren<QAbstractButton*>().at(0)->click();  // another type
    s.Button1->click();
    EXPECT_EQ(watcher.texts(), (QStringList{QStringLiteral("Gönderilecek Parça Yok "),
                                            QStringLiteral("Lütfen Teslim Durumu Seçiniz !"),
                                            QStringLiteral("Lütfen Kargo Türünü Seçiniz !"),
                                            QStringLiteral("Lütfen Kargo  Seçiniz !"),
                                            QStringLiteral("Lütfen Kargo  Seçiniz !")}));
    for (const auto& b : watcher.seen())
        EXPECT_EQ(b.title, QStringLiteral("Uyarı"));
    EXPECT_EQ(server.query(QStringLiteral("SELECT count(*) FROM siparisler")), QStringLiteral("0"));
}

TEST_F(BasketTab, KindsShapeTheBasketColumns) {
    const auto shown = [](app::TForm1& w, const char* f) {
        auto* g = w.sepet->cxGrid3DBTableView1;
        return !g->isColumnHidden(g->gridModel()->columnOf(QString::fromLatin1(f)));
    };
    auto dealer = window(0);
    EXPECT_TRUE(shown(*dealer, "DURUM"));
    EXPECT_FALSE(shown(*dealer, "KALAN"));
    auto kind3 = window(3);
    EXPECT_FALSE(shown(*kind3, "DURUM"));
    EXPECT_FALSE(
        kind3->sepet->cxGrid3DBTableView1->gridModel()
            ->columns()
            .at(kind3->sepet->cxGrid3DBTableView1->gridModel()->columnOf(QStringLiteral("DURUM")))
            .chooser);
    auto rep = window(1);
    EXPECT_TRUE(shown(*rep, "KALAN"));
}

// Signs in as the demo dealer, finds a part, puts it into the basket and sends the order.
TEST_F(BasketTab, FromSignInToASentOrder) {
    env.set("KAVELTRIM_WORKSTATION_ID", QString::fromLatin1(test::kDealerWorkstation));
    app::TForm1 w;
    whenShown<app::Tgirisform>([](app::Tgirisform* f) {
        f->adi->setText(QStringLiteral("DEMO"));
        f->sifre->setText(QStringLiteral("1234"));
        QTest::keyClick(f->sifre, Qt::Key_Return);
    });
    ASSERT_TRUE(w.FormCreate());
    w.resize(1344, 800);
    w.show();
    search(w, QStringLiteral("FREN BALATA"));
    ASSERT_GT(w.stokListesi->stok.rowCount(), 0);
    openAndConfirm(w, 0, [](catalogue::Tstokayarinti* p) {
        p->adet->selectAll();
        QTest::keyClicks(p->adet, QStringLiteral("2"));
    });
    ASSERT_EQ(w.sepet->sepet.rowCount(), 1);

    w.sPageControl1->setCurrentWidget(w.ssepet);
    Sepet& s = *w.sepet;
    basket::TeslimKargo& tk = *s.teslimKargo;
    tk.boxkargo->findChildren<QAbstractButton*>().at(2)->click();
    tk.kargocombo->setCurrentIndex(3);
    const QString note = QStringLiteral("Sabah teslim.\nArka kapıdan alınacak.");
    s.aciklamagir->setPlainText(note);

    QString summary;
    whenShown<basket::TONAYSIP>([&](basket::TONAYSIP* d) {
        summary = d->Label2->text();
        d->hayir->click();
    });
    s.Button1->click();
    EXPECT_EQ(server.query(QStringLiteral("SELECT count(*) FROM siparisler")), QStringLiteral("0"))
        << "Hayır sends nothing";
    const QString lines[] = {QStringLiteral("Kullanıcı: DEMO"),
                             QStringLiteral("Cari     : ") + w.sbilgi().CariAdi(),
                             QStringLiteral("Teslim   : Kargo ile"),
                             QStringLiteral("Kargo    : Anlaşmalı Kargo"),
                             QStringLiteral("Tutar    : ") + s.geneltoplaml->text(),
                             QStringLiteral("Kargo    : MNG KARGO"),
                             QStringLiteral("Açıklama : ") + note};
    EXPECT_EQ(summary, QStringList(std::begin(lines), std::end(lines)).join(QLatin1Char('\n')));

    whenShown<basket::TONAYSIP>([](basket::TONAYSIP* d) { d->evet->click(); });
    s.Button1->click();
    ASSERT_TRUE(watcher.waitFor(1));
    EXPECT_EQ(watcher.seen().last().text, QStringLiteral("Siparişiniz Gönderildi !"));
    EXPECT_EQ(s.sepet.rowCount(), 0);
    EXPECT_EQ(caption(w), QStringLiteral("0=Sepet"));
    EXPECT_TRUE(s.aciklamagir->toPlainText().isEmpty());
    EXPECT_EQ(server.query(QStringLiteral(
                  "SELECT teslimid, kargoturid, kargofirmaid, aciklama, durum FROM siparisler")),
              QStringLiteral("2|3|303|") + note + QStringLiteral("|Alındı"));
    EXPECT_EQ(server.query(QStringLiteral("SELECT count(*), sum(miktar) FROM siparis_satirlari")),
              QStringLiteral("1|2.0"));
}

// "Excel Kaydet": the name chosen as .xlsx is written as .xls, and every cell reads back.
TEST_F(BasketTab, ExcelExportReadsBackCellByCell) {
    auto w = window();
    Sepet& s = *w->sepet;
    addLine(item(0), 2, 123.45, 12.5);
    addLine(item(1), 1, 10, 0);
    w->sPageControl1->setCurrentWidget(w->ssepet);
    ASSERT_EQ(s.sepet.rowCount(), 2);
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/sepet-XXXXXX"));
    whenShown<QFileDialog>([&](QFileDialog* d) {
        // Typed into the name box, as a user does.
        d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(dir.filePath(QStringLiteral("sepet.xlsx")));
        QMetaObject::invokeMethod(d, "accept");
    });
    const QString path = dir.filePath(QStringLiteral("sepet.xls"));
    {
        QFile old(path);  // an earlier export, replaced after the question
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("eski");
    }
    s.excelbuton->click();
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("sepet.xlsx"))));
    ASSERT_EQ(watcher.seen().size(), 1);
    EXPECT_TRUE(watcher.seen()[0].text.endsWith(QStringLiteral("Üzerine yazılsın mı ?")));

    const void* h = nullptr;
    ASSERT_EQ(freexl_open(QFile::encodeName(path).constData(), &h), FREEXL_OK);
    ASSERT_EQ(freexl_select_active_worksheet(h, 0), FREEXL_OK);
    unsigned rows = 0;
    unsigned short cols = 0;
    ASSERT_EQ(freexl_worksheet_dimensions(h, &rows, &cols), FREEXL_OK);
    const platform::DataGrid* g = s.cxGrid3DBTableView1;
    QList<int> shown;  // grid columns in their on-screen order
    for (int v = 0; v < g->horizontalHeader()->count(); ++v) {
        const int c = g->horizontalHeader()->logicalIndex(v);
        if (!g->isColumnHidden(c))
            shown << c;
    }
    ASSERT_EQ(rows, 3u);
    ASSERT_EQ(cols, shown.size());
    const platform::MemTable& t = s.sepet;
    for (int i = 0; i < shown.size(); ++i) {
        FreeXL_CellValue v;
        ASSERT_EQ(freexl_get_cell_value(h, 0, (unsigned short)i, &v), FREEXL_OK);
        EXPECT_EQ(QString::fromUtf8(v.value.text_value),
                  g->gridModel()->columns().at(shown[i]).caption);
        const int f = g->gridModel()->fieldIndex(shown[i]);
        for (unsigned r = 0; r < 2; ++r) {
            ASSERT_EQ(freexl_get_cell_value(h, r + 1, (unsigned short)i, &v), FREEXL_OK);
            const QString where = g->gridModel()->columns().at(shown[i]).field;
            switch (v.type) {
                case FREEXL_CELL_INT:
                    EXPECT_EQ(v.value.int_value, t.toInt(int(r), f)) << where.toStdString();
                    break;
                case FREEXL_CELL_DOUBLE:
                    EXPECT_DOUBLE_EQ(v.value.double_value, t.toDouble(int(r), f))
                        << where.toStdString();
                    break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME: {
                    // The table keeps dates as day numbers from 30 December 1899.
                    const QString text = QString::fromUtf8(v.value.text_value);
                    QDateTime when =
                        QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
                    if (!when.isValid())
                        when = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
                    const QDateTime base(QDate(1899, 12, 30), QTime(0, 0));
                    EXPECT_NEAR(double(base.secsTo(when)) / 86400, t.toDouble(int(r), f),
                                1.0 / 86400)
                        << where.toStdString() << " " << text.toStdString();
                    break;
                }
                case FREEXL_CELL_NULL:
                    EXPECT_TRUE(t.isNull(int(r), f) || t.displayText(int(r), f).isEmpty())
                        << where.toStdString();
                    break;
                default:
                    EXPECT_EQ(QString::fromUtf8(v.value.text_value), t.displayText(int(r), f))
                        << where.toStdString();
            }
        }
    }
    freexl_close(h);
}
