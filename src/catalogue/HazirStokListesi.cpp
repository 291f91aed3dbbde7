#include "catalogue/HazirStokListesi.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

#include "common/CagriKaliplari.h"
#include "common/Tablolar.h"
#include "remote/TServerMethods1Client.h"

namespace kv::catalogue {

using platform::GridColumn;

namespace {

QIcon picture(const char* name) {
    return QIcon(QStringLiteral(":/platform/%1.svg").arg(QLatin1String(name)));
}

GridColumn col(const char* field, const char* caption, bool shown, bool chooser, int weight,
               GridColumn::Display display = GridColumn::Display::Text,
               QHash<qint64, QIcon> pics = {}) {
    GridColumn c;
    c.field = QString::fromLatin1(field);
    c.caption = QString::fromUtf8(caption);
    c.visible = shown;
    c.chooser = chooser;
    c.weight = weight;
    c.display = display;
    c.pictures = std::move(pics);
    return c;
}

}  // namespace

HazirStokListesi::HazirStokListesi(Tur tur, Baglam baglam, QWidget* parent)
    : QWidget(parent), tur_(tur), b_(std::move(baglam)) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    grid = new platform::DataGrid(&tablo, this);
    grid->setObjectName(tur == Tur::Yeniler ? QStringLiteral("cxGridDBTableView5")
                                            : QStringLiteral("cxGridDBTableViewkampanyali"));
    grid->setHeaderHeight(tur == Tur::Yeniler ? 55 : 40);
    grid->setDataRowHeight(55);
    v->addWidget(grid);
    kolonlariKur();
}

void HazirStokListesi::kolonlariKur() {
    using D = GridColumn::Display;
    const QHash<qint64, QIcon> durum = {
        {0, picture("durum-yok")},   {1, picture("durum-mevcut")}, {2, picture("durum-telefon")},
        {3, picture("durum-yolda")}, {4, picture("durum-ozel")},   {5, picture("durum-tedarik")}};
    const QHash<qint64, QIcon> evetHayir = {{0, picture("hayir")}, {1, picture("evet")}};
    const QHash<qint64, QIcon> resim = {{1, picture("resim-var")}};
    QList<GridColumn> ortak = {
        col("OEM1", "Oem1", false, false, 2),
        col("OEM2", "Oem2", false, false, 2),
        col("OEM3", "Oem3", false, false, 2),
        col("ADI", "Açıklama", true, true, 3),
    };
    if (tur_ == Tur::Yeniler) {
        ortak << col("RESIM", "Resim", true, true, 1, D::Pictures, resim)
              << col("BARKOD", "Barkod", false, true, 2);
    } else {
        ortak << col("BARKOD", "Barkod", false, true, 2);
    }
    ortak << col("OEM4", "Oem4", false, false, 2) << col("STOK_STOKNO", "", false, false, 1);
    if (tur_ == Tur::Kampanyali)
        ortak << col("RESIM", "Resim", true, true, 1, D::Pictures, resim);
    ortak << col("FINISHKOD", "Finish Kod", true, true, 2)
          << col("URETICIKODU", "Üretici Kod", false, true, 2)
          << col("BARKOD_BARKODNO", "", false, false, 1)
          << col("DIGERADI", "Diğer Adı", false, true, 3) << col("DPKOD", "", false, false, 2)
          << col("OEMNO", "Oem No", false, true, 2) << col("BIRIM", "Birim", true, true, 1)
          << col("MARKA", "Marka", true, true, 2) << col("MODEL", "Model", true, true, 2)
          << col("ANAGRUP", "Ana Grup", false, true, 2)
          << col("OZELKOD", "Özel Kod", false, true, 2) << col("KALAN", "", false, false, 1)
          << col("PKOD", "", false, false, 1) << col("KDV", "", false, true, 1)
          << col("ALINANSIPARIS", "", false, false, 1)
          << col("VERILENSIPARIS", "", false, false, 1);
    if (tur_ == Tur::Yeniler) {
        ortak << col("FIYAT", "Liste Fiyatı2", false, true, 2)
              << col("K", "Kampanyalı", true, true, 1, D::Pictures, evetHayir)
              << col("LISTEFIYAT1", "Liste Fiyatı", true, true, 2)
              << col("KAMPFIYAT", "Kampanyalı Fiyatı", true, true, 2)
              << col("INDIRIM", "İndirim Oran", true, true, 1)
              << col("NETFIYAT", "Net Fiyatı", true, true, 2)
              << col("KDVDAHIL", "KDV Dahil Fiyat", true, true, 3);
    } else {
        ortak << col("ESKIFIYAT", "Liste Fiyatı", true, true, 2)
              << col("FIYAT", "Kampanyalı Fiyatı", true, true, 2)
              << col("Y", "Yeni", true, true, 1, D::Pictures, evetHayir)
              << col("K", "Kampanyalı", true, true, 1, D::Pictures, evetHayir)
              << col("INDIRIM", "İndirim Oran", true, true, 1)
              << col("NETFIYAT", "Net Fiyatı", true, true, 2)
              << col("KDVDAHIL", "KDV Dahil Fiyat", true, true, 2)
              << col("DURUM", "Durum", true, true, 1, D::Pictures, durum);
    }
    grid->setColumns(std::move(ortak));
}

void HazirStokListesi::KullaniciTipiUygula(int tip) {
    const auto c = [this](const char* f) {
        return grid->gridModel()->columnOf(QString::fromLatin1(f));
    };
    if (tip == 1 || tip == 2) {
        for (const char* f : {"KALAN", "ALINANSIPARIS", "VERILENSIPARIS"}) {
            grid->setColumnShown(c(f), true);
            grid->setColumnOffered(c(f), true);
        }
    }
    if (tip == 4 && tur_ == Tur::Yeniler) {
        for (const char* f : {"K", "KAMPFIYAT"}) {
            grid->setColumnShown(c(f), false);
            grid->setColumnOffered(c(f), false);
        }
    }
}

void HazirStokListesi::Yukle() {
    ++yuklemeSayisi_;
    common::ArkaPlanYukleme y;
    y.pencere = this;
    y.bekleResmi = b_.bekleResmi;
    y.grid = grid;
    y.model = grid->gridModel();
    y.korumali = false;  // an error of the call itself goes to the error report
    auto kayit = std::shared_ptr<remote::TSonucBilgisi>(b_.sbilgi->kopya());
    auto adet = std::make_shared<int>(-1);
    platform::MemTable* t = &tablo;
    const Tur tur = tur_;
    common::arkaPlandaYukle(
        y, *b_.bagc,
        [kayit, adet, t, tur](remote::ServerConnection& klon) {
            remote::TServerMethods1Client proxy(&klon);
            const platform::MemTable& sonuc =
                tur == Tur::Yeniler ? proxy.YenilerVer(kayit->CARINO())
                                    : proxy.KampanyaliVer(kayit->CARINO(), kayit->MusteriTipi());
            t->disableControls();
            t->copyFrom(sonuc);
            common::ParaBicimi(*t);
            t->enableControls();
            *adet = t->rowCount();
        },
        [this, adet] {
            if (*adet >= 0) {
                const int i = b_.sekmeler->indexOf(parentWidget() ? parentWidget() : this);
                const QString baslik = tur_ == Tur::Yeniler ? QStringLiteral("=Yeni Stoklar")
                                                            : QStringLiteral("=Kampanyalı");
                if (i >= 0)
                    b_.sekmeler->setTabText(i, QString::number(*adet) + baslik);
            }
            grid->KolonBoyutla(grid->viewport()->width() - 30);
            emit yuklendi();
        });
}

}  // namespace kv::catalogue
