#include "catalogue/HazirStokListesi.h"

#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

#include "common/CagriKaliplari.h"
#include "common/Kolonlar.h"
#include "common/Tablolar.h"
#include "remote/TServerMethods1Client.h"

namespace kv::catalogue {

using common::durumResimleri;
using common::evetHayirResimleri;
using common::kolon;
using common::resimVarResimleri;

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
    connect(grid, &platform::DataGrid::rowDoubleClicked, this, [this](int) {
        if (const int r = odakSatiri(); r >= 0)
            emit acIstendi(r);
    });
}

int HazirStokListesi::odakSatiri() const {
    return grid->currentTableRow();
}

void HazirStokListesi::KolonBoyutla() {
    // The campaign list fits its columns to their content on a screen of 1152 pixels or
    // less; otherwise both lists share the width by weight.
    const int ekran = b_.ekranGenisligi ? b_.ekranGenisligi()
                                        : (screen() ? screen()->geometry().width() : width());
    if (tur_ == Tur::Kampanyali && ekran <= 1152)
        grid->bestFit();
    else
        grid->KolonBoyutla(grid->viewport()->width() - 30);
}

void HazirStokListesi::kolonlariKur() {
    QList<platform::GridColumn> ortak = {
        kolon("OEM1", "Oem1", false, false, 2),
        kolon("OEM2", "Oem2", false, false, 2),
        kolon("OEM3", "Oem3", false, false, 2),
        kolon("ADI", "Açıklama", true, true, 3),
    };
    if (tur_ == Tur::Yeniler) {
        ortak << kolon("RESIM", "Resim", true, true, 1, resimVarResimleri())
              << kolon("BARKOD", "Barkod", false, true, 2);
    } else {
        ortak << kolon("BARKOD", "Barkod", false, true, 2);
    }
    ortak << kolon("OEM4", "Oem4", false, false, 2) << kolon("STOK_STOKNO", "", false, false, 1);
    if (tur_ == Tur::Kampanyali)
        ortak << kolon("RESIM", "Resim", true, true, 1, resimVarResimleri());
    ortak << kolon("FINISHKOD", "Finish Kod", true, true, 2)
          << kolon("URETICIKODU", "Üretici Kod", false, true, 2)
          << kolon("BARKOD_BARKODNO", "", false, false, 1)
          << kolon("DIGERADI", "Diğer Adı", false, true, 3) << kolon("DPKOD", "", false, false, 2)
          << kolon("OEMNO", "Oem No", false, true, 2) << kolon("BIRIM", "Birim", true, true, 1)
          << kolon("MARKA", "Marka", true, true, 2) << kolon("MODEL", "Model", true, true, 2)
          << kolon("ANAGRUP", "Ana Grup", false, true, 2)
          << kolon("OZELKOD", "Özel Kod", false, true, 2) << kolon("KALAN", "", false, false, 1)
          << kolon("PKOD", "", false, false, 1) << kolon("KDV", "", false, true, 1)
          << kolon("ALINANSIPARIS", "", false, false, 1)
          << kolon("VERILENSIPARIS", "", false, false, 1);
    if (tur_ == Tur::Yeniler) {
        ortak << kolon("FIYAT", "Liste Fiyatı2", false, true, 2)
              << kolon("K", "Kampanyalı", true, true, 1, evetHayirResimleri())
              << kolon("LISTEFIYAT1", "Liste Fiyatı", true, true, 2)
              << kolon("KAMPFIYAT", "Kampanyalı Fiyatı", true, true, 2)
              << kolon("INDIRIM", "İndirim Oran", true, true, 1)
              << kolon("NETFIYAT", "Net Fiyatı", true, true, 2)
              << kolon("KDVDAHIL", "KDV Dahil Fiyat", true, true, 3);
    } else {
        ortak << kolon("ESKIFIYAT", "Liste Fiyatı", true, true, 2)
              << kolon("FIYAT", "Kampanyalı Fiyatı", true, true, 2)
              << kolon("Y", "Yeni", true, true, 1, evetHayirResimleri())
              << kolon("K", "Kampanyalı", true, true, 1, evetHayirResimleri())
              << kolon("INDIRIM", "İndirim Oran", true, true, 1)
              << kolon("NETFIYAT", "Net Fiyatı", true, true, 2)
              << kolon("KDVDAHIL", "KDV Dahil Fiyat", true, true, 2)
              << kolon("DURUM", "Durum", true, true, 1, durumResimleri());
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
            KolonBoyutla();
            emit yuklendi();
        });
}

}  // namespace kv::catalogue
