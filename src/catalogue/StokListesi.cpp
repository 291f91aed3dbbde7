#include "catalogue/StokListesi.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMovie>
#include <QPainter>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

#include "common/BaglantiKur.h"
#include "common/Kolonlar.h"
#include "common/MesajKutusu.h"
#include "common/Tablolar.h"
#include "platform/BackgroundCall.h"
#include "platform/NumberFormat.h"
#include "platform/TurkishFold.h"
#include "remote/TServerMethods1Client.h"

namespace kv::catalogue {

using common::durumResimleri;
using common::evetHayirResimleri;
using common::kolon;
using common::resimVarResimleri;

namespace {

const QString kBaslik = QStringLiteral("Stok Listesi");
constexpr int kGenislikSiniri = 1152;

}  // namespace

QString AramaTusFiltresi::donustur(const QString& s) {
    return platform::foldTurkishToLatinUpper(s);
}

QValidator::State AramaTusFiltresi::validate(QString& input, int&) const {
    input = donustur(input);
    return Acceptable;
}

StokListesi::StokListesi(StokListesiBaglami baglam, QWidget* parent)
    : QWidget(parent), b_(std::move(baglam)) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    cxGrid1DBTableView1 = new platform::DataGrid(&stok, this);
    cxGrid1DBTableView1->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    cxGrid1DBTableView1->setHeaderHeight(40);
    v->addWidget(cxGrid1DBTableView1);
    kolonlariKur();
    b_.araedit->setValidator(new AramaTusFiltresi(b_.araedit));

    popstok = new QMenu(this);
    popstok->setObjectName(QStringLiteral("popstok"));
    S1 = popstok->addAction(QStringLiteral("Sepete Ekle"));
    popstok->addSeparator();
    B1 = popstok->addAction(QStringLiteral("Sipariş Bakiyeleriniz"));
    popstok->addSeparator();
    s3 = popstok->addAction(QStringLiteral("Siparişleri Göster"));
    connect(S1, &QAction::triggered, this, [this] {
        if (const int r = odakSatiri(); r >= 0)
            emit acIstendi(r);
    });
    connect(B1, &QAction::triggered, this, &StokListesi::bakiyelerIstendi);
    connect(s3, &QAction::triggered, this, [this] {
        if (const int r = odakSatiri(); r >= 0)
            emit siparisleriGosterIstendi(int(common::AlanSayi(stok, r, u"STOK_STOKNO")));
    });
    cxGrid1DBTableView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cxGrid1DBTableView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { popstok->popup(cxGrid1DBTableView1->mapToGlobal(p)); });
    connect(cxGrid1DBTableView1, &platform::DataGrid::rowDoubleClicked, this, [this](int) {
        if (const int r = odakSatiri(); r >= 0)
            emit acIstendi(r);
    });
    StokGridDuzenle();
}

int StokListesi::odakSatiri() const {
    return cxGrid1DBTableView1->currentTableRow();
}

void StokListesi::kolonlariKur() {
    QList<platform::GridColumn> cols = {
        kolon("DURUM", "Durum", true, true, 1, durumResimleri()),
        kolon("OEM1", "Oem1", false, false, 2),
        kolon("OEM2", "Oem2", false, false, 2),
        kolon("OEM3", "Oem3", false, false, 2),
        kolon("BARKOD", "Barkod", true, true, 2),
        kolon("ADI", "Açıklama", true, true, 3),
        kolon("OEM4", "Oem4", false, true, 2),
        kolon("STOK_STOKNO", "", false, false, 1),
        kolon("FINISHKOD", "Finish Kod", true, true, 2),
        kolon("URETICIKODU", "Üretici Kod", false, true, 2),
        kolon("RESIM", "Resim", true, true, 1, resimVarResimleri()),
        kolon("BARKOD_BARKODNO", "", false, false, 1),
        kolon("DIGERADI", "Diğer Adı", false, true, 3),
        kolon("DPKOD", "", false, false, 2),
        kolon("OEMNO", "Oem No", false, true, 2),
        kolon("BIRIM", "Birim", false, true, 1),
        kolon("MARKA", "Marka", true, true, 2),
        kolon("MODEL", "Model", false, true, 2),
        kolon("ANAGRUP", "Ana Grup", false, true, 2),
        kolon("OZELKOD", "Özel Kod", false, true, 2),
        kolon("KALAN", "", false, false, 1),
        kolon("PKOD", "", false, false, 1),
        kolon("KDV", "", false, true, 1),
        kolon("ALINANSIPARIS", "", false, false, 1),
        kolon("VERILENSIPARIS", "", false, false, 1),
        kolon("LISTEFIYAT1", "Liste Fiyatı", true, true, 2),
        kolon("KAMPFIYAT", "Kampanyalı Fiyat", true, true, 2),
        kolon("FIYAT", "Liste Fiyatı", false, true, 2),
        kolon("Y", "Yeni", true, true, 1, evetHayirResimleri()),
        kolon("K", "Kampanyalı", true, true, 1, evetHayirResimleri()),
        kolon("INDIRIM", "İndirim Oran", true, true, 1),
        kolon("NETFIYAT", "Net Fiyatı", true, true, 2),
        kolon("KDVDAHIL", "KDV Dahil Fiyat", true, true, 3),
        kolon("", "Fiyat Bilgisi", false, true, 2),
    };
    cxGrid1DBTableView1->setColumns(std::move(cols));
    cxGrid1DBTableView1->setCellPainter(
        cxGrid1DBTableView1->gridModel()->columnOf(QStringLiteral("Fiyat Bilgisi")),
        [this](QPainter* p, const QStyleOptionViewItem& o, int row) {
            fiyatBilgisiCiz(p, o, row);
        });
}

void StokListesi::KullaniciTipiUygula(int tip) {
    platform::DataGrid* g = cxGrid1DBTableView1;
    const auto c = [g](const char* f) { return g->gridModel()->columnOf(QString::fromLatin1(f)); };
    if (tip == 1 || tip == 2) {
        for (const char* f : {"KALAN", "ALINANSIPARIS", "VERILENSIPARIS"}) {
            g->setColumnShown(c(f), true);
            g->setColumnOffered(c(f), true);
        }
    }
    if (tip == 4) {
        for (const char* f : {"KAMPFIYAT", "K"}) {
            g->setColumnShown(c(f), false);
            g->setColumnOffered(c(f), false);
        }
    }
    StokGridDuzenle();
}

QString StokListesi::fiyatBilgisi(const platform::MemTable& t, int row) {
    const auto deger = [&](QStringView f) { return common::AlanSayi(t, row, f); };
    const auto para = [](double v) { return platform::formatFloat(u"#,###,##0.00", v); };
    QString s = QStringLiteral("Liste Fiyatı: ") + para(deger(u"LISTEFIYAT1")) + QLatin1Char('\n');
    if (deger(u"KAMPFIYAT") > 0)
        s += QStringLiteral("Kampanyalı Fiyat: ") + para(deger(u"KAMPFIYAT")) + QLatin1Char('\n');
    if (deger(u"INDIRIM") > 0)
        s += QStringLiteral("İskonto %: ") + para(deger(u"INDIRIM")) + QLatin1Char('\n');
    s += QStringLiteral("NetFiyat: ") + para(deger(u"NETFIYAT")) + QLatin1Char('\n');
    s += QStringLiteral("KDV li Fiyat: ") + para(deger(u"KDVDAHIL")) + QLatin1Char('\n');
    return s;
}

void StokListesi::fiyatBilgisiCiz(QPainter* p, const QStyleOptionViewItem& o, int row) {
    const bool secili = o.state & QStyle::State_Selected;
    const QPalette& pal = o.palette;
    p->fillRect(o.rect, secili ? pal.highlight() : (row % 2 ? pal.alternateBase() : pal.base()));
    p->setPen(secili ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
    p->drawText(o.rect.adjusted(10, 0, -10, 0),
                Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap,
                fiyatBilgisi(stok, row).trimmed());
}

void StokListesi::baslikYaz(const QString& baslik) {
    const int i = b_.sekmeler->indexOf(parentWidget() ? parentWidget() : this);
    if (i >= 0)
        b_.sekmeler->setTabText(i, baslik);
}

void StokListesi::StokGridDuzenle() {
    if (araniyor_)
        return;
    platform::DataGrid* g = cxGrid1DBTableView1;
    const bool genis = b_.pencereGenisligi && b_.pencereGenisligi() > kGenislikSiniri;
    const auto c = [g](const char* f) { return g->gridModel()->columnOf(QString::fromUtf8(f)); };
    g->setUpdatesEnabled(false);
    for (const char* f : {"KDVDAHIL", "NETFIYAT", "INDIRIM", "KAMPFIYAT", "LISTEFIYAT1"}) {
        g->setColumnShown(c(f), genis);
    }
    g->setColumnShown(c("Fiyat Bilgisi"), !genis);
    g->setDataRowHeight(genis ? 60 : 100);
    const int kaydirma = g->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    g->KolonBoyutla(g->width() - kaydirma - 10);
    if (!genis) {
        g->setColumnWidth(c("OEM1"), 80);
        g->setColumnWidth(c("OEM2"), 70);
        g->setColumnWidth(c("OEM3"), 70);
        g->setColumnWidth(c("OZELKOD"), 60);
        g->setColumnWidth(c("Fiyat Bilgisi"), 150 - kaydirma);
    }
    g->setUpdatesEnabled(true);
}

void StokListesi::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (b_.araedit->isEnabled())
        StokGridDuzenle();
}

void StokListesi::AramaBaslat() {
    if (!b_.araedit->isEnabled())
        return;
    QWidget* sayfa = parentWidget() ? parentWidget() : this;
    if (b_.sekmeler->currentWidget() != sayfa)
        b_.sekmeler->setCurrentWidget(sayfa);
    if (b_.araedit->text().trimmed().size() < 3) {
        common::MesajKutusu(QStringLiteral("Lütfen en az 3 harf giriniz !"),
                            common::MesajTuru::Uyari, QMessageBox::Ok, 2);
        return;
    }
    araniyor_ = true;
    b_.araedit->setEnabled(false);
    b_.gifstokara->show();
    if (QMovie* m = b_.gifstokara->movie())
        m->start();
    cxGrid1DBTableView1->gridModel()->detach();
    cxGrid1DBTableView1->clearFilters();

    const QString metin = b_.araedit->text();
    auto kayit = std::shared_ptr<remote::TSonucBilgisi>(b_.sbilgi->kopya());
    std::shared_ptr<remote::ServerConnection> klon = b_.bagc->clone();
    auto hata = std::make_shared<bool>(false);
    auto adet = std::make_shared<int>(0);
    platform::MemTable* tablo = &stok;
    platform::runInBackground(
        this,
        [=] {
            if (!common::BaglantiKur(*klon, false)) {
                *hata = true;
                return;
            }
            try {
                remote::TServerMethods1Client proxy(klon.get());
                const platform::MemTable& sonuc =
                    proxy.Kaveltrim(metin, std::make_unique<remote::TSonucBilgisi>(*kayit));
                tablo->disableControls();
                tablo->copyFrom(sonuc);
                common::ParaBicimi(*tablo);
                tablo->enableControls();
                *adet = tablo->rowCount();
            } catch (const std::exception&) {
                *hata = true;
            }
            klon->close();
        },
        [this, hata, adet] {
            araniyor_ = false;
            b_.araedit->setEnabled(true);
            cxGrid1DBTableView1->gridModel()->attach();
            b_.araedit->selectAll();
            b_.araedit->setFocus();
            if (QMovie* m = b_.gifstokara->movie())
                m->stop();
            b_.gifstokara->hide();
            if (*hata) {
                common::MesajKutusu(
                    QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"),
                    common::MesajTuru::Hata, QMessageBox::Ok, 2);
                cxGrid1DBTableView1->gridModel()->detach();
                stok.clear();
                cxGrid1DBTableView1->gridModel()->attach();
                baslikYaz(kBaslik);
            } else {
                baslikYaz(QString::number(*adet) + QLatin1Char('=') + kBaslik);
            }
            StokGridDuzenle();
            emit aramaBitti();
        });
}

void StokListesi::Temizle() {
    if (!b_.araedit->isEnabled())
        return;
    if (stok.isActive()) {
        cxGrid1DBTableView1->gridModel()->detach();
        stok.clear();
        cxGrid1DBTableView1->gridModel()->attach();
        baslikYaz(kBaslik);
    }
    QWidget* sayfa = parentWidget() ? parentWidget() : this;
    b_.sekmeler->setCurrentWidget(sayfa);
    cxGrid1DBTableView1->clearFilters();
    b_.araedit->clear();
    b_.araedit->selectAll();
    b_.araedit->setFocus();
}

}  // namespace kv::catalogue
