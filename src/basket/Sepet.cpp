#include "basket/Sepet.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "basket/TONAYSIP.h"
#include "basket/TeslimKargo.h"
#include "common/CagriKaliplari.h"
#include "common/Kolonlar.h"
#include "common/MesajKutusu.h"
#include "common/Tablolar.h"
#include "platform/GridExport.h"
#include "platform/NumberFormat.h"
#include "platform/RadioGroup.h"
#include "remote/TServerMethods1Client.h"

namespace kv::basket {

using common::kolon;
using common::MesajKutusu;
using common::MesajTuru;
using common::Yuvarla;

namespace {

const QString kBaslik = QStringLiteral("Sepet");
constexpr int kGenislikSiniri = 1152;

QString para(double v) {
    return platform::formatFloat(u"#,###,##0.00", v);
}

QLabel* toplamEtiketi(const char* ad, bool kalin, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(ad));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (kalin) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

platform::GridColumn secKolonu() {
    platform::GridColumn c = kolon("SEC", "Seç", false, false, 1);
    c.display = platform::GridColumn::Display::CheckBox;
    return c;
}

}  // namespace

Sepet::Sepet(Baglam baglam, QWidget* parent) : QWidget(parent), b_(std::move(baglam)) {
    cxGrid3DBTableView1 = new platform::DataGrid(&sepet, this);
    cxGrid3DBTableView1->setObjectName(QStringLiteral("cxGrid3DBTableView1"));
    cxGrid3DBTableView1->setDataRowHeight(40);
    cxGrid3DBTableView1->setHeaderHeight(40);
    cxGrid3DBTableView1->setSkin(platform::GridSkin::Whiteprint);
    kolonlariKur();
    // Footer: the number of lines, the quantities and the net amounts of every line.
    const auto ozet = [this](const char* alan, platform::GridSummary::Kind tur, const char* resim) {
        cxGrid3DBTableView1->setFooterSummary(
            cxGrid3DBTableView1->gridModel()->columnOf(QString::fromLatin1(alan)),
            {tur, QString::fromLatin1(resim)});
    };
    ozet("VERILISTARIHI", platform::GridSummary::Kind::Count, "");
    ozet("MIKTAR", platform::GridSummary::Kind::Sum, "#,###,##0.00");
    ozet("NETTUTAR", platform::GridSummary::Kind::Sum, "#,###,##0.00");
    cxGrid3DBTableView1->setFooterVisible(true);

    popsepet = new QMenu(this);
    popsepet->setObjectName(QStringLiteral("popsepet"));
    satirDegistirMenu = popsepet->addAction(QStringLiteral("Satır Değiştir"));
    popsepet->addSeparator();
    satirSilMenu = popsepet->addAction(QStringLiteral("Satır Sil"));
    popsepet->addSeparator();
    hepsiniSilMenu = popsepet->addAction(QStringLiteral("Hepsini Sil"));
    connect(satirDegistirMenu, &QAction::triggered, this, &Sepet::degistir);
    connect(satirSilMenu, &QAction::triggered, this, &Sepet::SatirSil);
    connect(hepsiniSilMenu, &QAction::triggered, this, &Sepet::HepsiniSil);
    cxGrid3DBTableView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cxGrid3DBTableView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { popsepet->popup(cxGrid3DBTableView1->mapToGlobal(p)); });
    connect(cxGrid3DBTableView1, &platform::DataGrid::rowDoubleClicked, this,
            [this](int) { degistir(); });

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(cxGrid3DBTableView1, 1);
    v->addWidget(altPanel());
    ToplamlariYaz();
}

void Sepet::kolonlariKur() {
    QList<platform::GridColumn> cols = {
        kolon("VERILISTARIHI", "Sipariş Tarihi", true, true, 1),
        kolon("BARKOD", "Barkod", true, true, 2),
        kolon("STOKADI", "Stok Açıklama", true, true, 3),
        kolon("MIKTAR", "Miktar", true, true, 1),
        kolon("BIRIMFIYAT", "Birim Fiyat", true, true, 1),
        kolon("TUTAR", "Tutar", true, true, 1),
        kolon("INDIRIMORANI1", "İndirim Oranı %", true, true, 1),
        kolon("NETBIRIMFIYAT", "Net Fiyat", true, true, 1),
        kolon("KDV", "KDV", true, true, 1),
        kolon("VERGITUTARI", "Vergi Tutarı", true, true, 1),
        kolon("NETTUTAR", "Net Tutar", true, true, 1),
        kolon("VEREN", "Veren", true, true, 1),
        kolon("DURUM", "Durum", true, true, 1, common::durumResimleri()),
        // Offered in the column chooser.
        kolon("SIPARISNO", "Sipariş No", false, true, 1),
        kolon("TARIH", "Tarih", false, true, 1),
        kolon("FINISHKOD", "FinishKod", false, true, 1),
        kolon("OEMNO", "OEMNo", false, true, 1),
        kolon("KUR", "Kur", false, true, 1),
        kolon("SAAT", "Saat", false, true, 1),
        kolon("ACIKLAMA", "Açıklama", false, true, 1),
        kolon("OEM1", "OEM1", false, true, 1),
        kolon("OEM2", "OEM2", false, true, 1),
        kolon("OEM3", "OEM3", false, true, 1),
        kolon("OEM4", "OEM4", false, true, 1),
        kolon("DIGERADI", "DIGERADI", false, true, 1),
        kolon("DPKOD", "DPKOD", false, true, 1),
        kolon("MARKA", "Marka", false, true, 1),
        kolon("MODEL", "Model", false, true, 1),
        kolon("ANAGRUP", "Ana Grup", false, true, 1),
        kolon("OZELKOD", "Özel Kod", false, true, 1),
        kolon("PKOD", "PKOD", false, true, 1),
        // Neither shown nor offered.
        secKolonu(),
        kolon("SIRANO", "SIRANO", false, false, 1),
        kolon("CARINO", "CARINO", false, false, 1),
        kolon("AKTAR", "AKTAR", false, false, 1),
        kolon("STOKNO", "STOKNO", false, false, 1),
        kolon("INDIRIMORANI2", "INDIRIMORANI2", false, false, 1),
        kolon("INDIRIMORANI3", "INDIRIMORANI3", false, false, 1),
        kolon("INDIRIMTUTAR", "İndirim Tutar", false, false, 1),
        kolon("KURTL", "KURTL", false, false, 1),
        kolon("VERENIDNO", "VERENIDNO", false, false, 1),
        kolon("TESLIMID", "TESLIMID", false, false, 1),
        kolon("KARGOID", "KARGOID", false, false, 1),
        kolon("IDNO", "IDNO", false, false, 1),
        kolon("VERENSIRANO", "VERENSIRANO", false, false, 1),
        kolon("CARIKOD", "Cari Kod", false, false, 1),
        kolon("CARIADI", "Cari Adı", false, false, 1),
        kolon("STOK_STOKNO", "STOK_STOKNO", false, false, 1),
        kolon("URETICIKODU", "URETICIKODU", false, false, 1),
        kolon("KALAN", "Kalan", false, false, 1),
    };
    cxGrid3DBTableView1->setColumns(std::move(cols));
}

QWidget* Sepet::altPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("sepetaltpanel"));
    panel->setFixedHeight(131);

    teslimKargo = new TeslimKargo(b_.bagc, panel);

    auto* mesaj = new QGroupBox(QStringLiteral("Mesaj"), panel);
    mesaj->setObjectName(QStringLiteral("mesajgrubu"));
    aciklamagir = new QPlainTextEdit(mesaj);
    aciklamagir->setObjectName(QStringLiteral("aciklamagir"));
    aratoplaml = toplamEtiketi("aratoplaml", false, mesaj);
    indiriml = toplamEtiketi("indiriml", false, mesaj);
    nettutarl = toplamEtiketi("nettutarl", false, mesaj);
    vergil = toplamEtiketi("vergil", false, mesaj);
    geneltoplaml = toplamEtiketi("geneltoplaml", true, mesaj);
    auto* toplamlar = new QGridLayout;
    toplamlar->setVerticalSpacing(0);
    const std::pair<const char*, QLabel*> satirlar[] = {{"Toplam:", aratoplaml},
                                                        {"İndirim Toplam:", indiriml},
                                                        {"Ara Toplam:", nettutarl},
                                                        {"Vergi:", vergil},
                                                        {"Genel Toplam:", geneltoplaml}};
    int r = 0;
    for (const auto& [baslik, deger] : satirlar) {
        auto* l = new QLabel(QString::fromUtf8(baslik), mesaj);
        l->setFont(deger->font());
        toplamlar->addWidget(l, r, 0);
        deger->setMinimumWidth(110);
        toplamlar->addWidget(deger, r++, 1);
    }
    auto* mh = new QHBoxLayout(mesaj);
    mh->setContentsMargins(6, 2, 6, 2);
    mh->addWidget(aciklamagir, 1);
    mh->addLayout(toplamlar);

    Button1 = new QPushButton(QStringLiteral("Gönder"), panel);
    Button1->setObjectName(QStringLiteral("Button1"));
    excelbuton = new QPushButton(QStringLiteral("Excel Kaydet"), panel);
    excelbuton->setObjectName(QStringLiteral("excelbuton"));
    for (QPushButton* b : {Button1, excelbuton})
        b->setMinimumSize(110, 50);
    connect(Button1, &QPushButton::clicked, this, &Sepet::Button1Click);
    connect(excelbuton, &QPushButton::clicked, this, &Sepet::ExcelKaydet);
    auto* dugmeler = new QVBoxLayout;
    dugmeler->addWidget(Button1);
    dugmeler->addWidget(excelbuton);

    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(2, 2, 2, 2);
    h->addWidget(teslimKargo);
    h->addWidget(mesaj, 1);
    h->addLayout(dugmeler);
    return panel;
}

void Sepet::KullaniciTipiUygula(int tip) {
    tip_ = tip;
    platform::DataGrid* g = cxGrid3DBTableView1;
    const auto c = [g](const char* f) { return g->gridModel()->columnOf(QString::fromLatin1(f)); };
    if (tip == 3) {
        g->setColumnShown(c("DURUM"), false);
        g->setColumnOffered(c("DURUM"), false);
    }
    if (tip == 1 || tip == 2) {
        g->setColumnShown(c("KALAN"), true);
        g->setColumnOffered(c("KALAN"), true);
    }
}

void Sepet::SepetYenile() {
    const bool tamam = common::klondaCagir(*b_.bagc, [this](remote::ServerConnection& klon) {
        remote::TServerMethods1Client proxy(&klon);
        const platform::MemTable& sonuc = proxy.SepetVer(b_.sbilgi->CARINO());
        cxGrid3DBTableView1->gridModel()->detach();
        sepet.disableControls();
        sepet.copyFrom(sonuc);
        common::ParaBicimi(sepet);
        sepet.enableControls();
        cxGrid3DBTableView1->gridModel()->attach();
    });
    if (!tamam)
        return;
    if (b_.sekmeler) {
        const int i = b_.sekmeler->indexOf(parentWidget() ? parentWidget() : this);
        if (i >= 0)
            b_.sekmeler->setTabText(i,
                                    QString::number(sepet.rowCount()) + QLatin1Char('=') + kBaslik);
    }
    ToplamlariYaz();
    KolonBoyutla();
}

void Sepet::ToplamlariYaz() {
    double brut = 0, indirim = 0;
    if (sepet.isActive()) {
        const int sec = sepet.columnIndex(u"SEC");
        const int tutar = sepet.columnIndex(u"TUTAR");
        const int ind = sepet.columnIndex(u"INDIRIMTUTAR");
        for (int r = 0; sec >= 0 && r < sepet.rowCount(); ++r) {
            if (sepet.toInt(r, sec) != 1)
                continue;
            brut = Yuvarla(brut + (tutar < 0 ? 0.0 : sepet.toDouble(r, tutar)));
            indirim = Yuvarla(indirim + (ind < 0 ? 0.0 : sepet.toDouble(r, ind)));
        }
    }
    const double net = Yuvarla(brut - indirim);
    const double vergi = Yuvarla(net * 1.18) - net;
    const double genel = Yuvarla(net + vergi);
    aratoplaml->setText(para(brut));
    indiriml->setText(para(indirim));
    nettutarl->setText(para(net));
    vergil->setText(para(vergi));
    geneltoplaml->setText(para(genel));
}

void Sepet::Goster() {
    SepetYenile();
    teslimKargo->TeslimKargoDoldur();
}

void Sepet::KolonBoyutla() {
    platform::DataGrid* g = cxGrid3DBTableView1;
    const int ekran = b_.ekranGenisligi ? b_.ekranGenisligi() : width();
    if (ekran > kGenislikSiniri)
        g->KolonBoyutla(g->width() - 30);
    else
        g->bestFit();
}

void Sepet::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (cxGrid3DBTableView1->isEnabled())
        KolonBoyutla();
}

int Sepet::odakSatiri() const {
    return cxGrid3DBTableView1->currentTableRow();
}

int Sepet::stokSatiri(int stokno) const {
    const int c = sepet.isActive() ? sepet.columnIndex(u"STOKNO") : -1;
    for (int r = 0; c >= 0 && r < sepet.rowCount(); ++r) {
        if (sepet.toInt(r, c) == stokno)
            return r;
    }
    return -1;
}

void Sepet::degistir() {
    const int r = odakSatiri();
    if (r < 0)
        return;
    sepet.setRecNo(r);
    emit satirDegistir(r);
}

void Sepet::SatirSil() {
    const int r = odakSatiri();
    if (r < 0)
        return;
    sepet.setRecNo(r);
    if (MesajKutusu(QStringLiteral("Satırı silmek istiyor musunuz "), MesajTuru::Soru,
                    QMessageBox::Yes | QMessageBox::No, 1) != 6) {
        return;
    }
    const int sirano = int(common::AlanSayi(sepet, r, u"SIRANO"));
    const QString aciklama = common::AlanYazi(sepet, r, u"BARKOD") + QLatin1Char('-') +
                             common::AlanYazi(sepet, r, u"STOKADI");
    const bool tamam = common::anaBaglantidaCagir(*b_.bagc, [&](remote::ServerConnection& c) {
        remote::TServerMethods1Client proxy(&c);
        proxy.SepetSatirSil(b_.sbilgi->kopya(), sirano, aciklama);
    });
    if (!tamam)
        return;
    SepetYenile();
    MesajKutusu(QStringLiteral("Satır silindi !"), MesajTuru::Bilgi, QMessageBox::Ok, 2);
}

void Sepet::HepsiniSil() {
    if (!common::TabloDolu(sepet))
        return;
    if (MesajKutusu(QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz "), MesajTuru::Soru,
                    QMessageBox::Yes | QMessageBox::No, 1) != 6) {
        return;
    }
    const bool tamam = common::anaBaglantidaCagir(*b_.bagc, [&](remote::ServerConnection& c) {
        remote::TServerMethods1Client proxy(&c);
        proxy.SepetHepsiniSil(b_.sbilgi->kopya());
        MesajKutusu(QStringLiteral("Sepet Silindi !"), MesajTuru::Bilgi, QMessageBox::Ok, 2);
    });
    if (!tamam)
        return;
    SepetYenile();
}

void Sepet::ExcelKaydet() {
    const QString ad = platform::askXlsFileName(window());
    if (ad.isEmpty())
        return;
    try {
        platform::exportGridToXls(*cxGrid3DBTableView1, ad);
    } catch (const std::exception& e) {
        MesajKutusu(QString::fromUtf8(e.what()), MesajTuru::Hata, QMessageBox::Ok, 2);
    }
}

void Sepet::Button1Click() {
    const auto uyar = [](const char* metin) {
        MesajKutusu(QString::fromUtf8(metin), MesajTuru::Uyari, QMessageBox::Ok, 2);
    };
    if (!sepet.isActive() || !common::SeciliVar(sepet)) {
        uyar("Gönderilecek Parça Yok ");
        return;
    }
    TeslimKargo* tk = teslimKargo;
    if (tk->teslimbox->itemIndex() < 0) {
        uyar("Lütfen Teslim Durumu Seçiniz !");
        return;
    }
    if (tk->boxkargo->itemIndex() < 0) {
        uyar("Lütfen Kargo Türünü Seçiniz !");
        return;
    }
    if (tk->kargocombo->currentIndex() <= 0) {
        uyar("Lütfen Kargo  Seçiniz !");
        if (QLineEdit* e = tk->kargocombo->lineEdit())
            e->selectAll();
        tk->kargocombo->setFocus();
        return;
    }
    const int firma = tk->kargoFirmaSirano();
    const int tur = tk->kargoTuruId();
    const int teslim = tk->teslimId();

    TONAYSIP onay(window());
    onay.Label2->setText(TONAYSIP::ozetMetni({b_.sbilgi->ADI(), b_.sbilgi->CariAdi(),
                                              tk->teslimbox->itemText(tk->teslimbox->itemIndex()),
                                              tk->boxkargo->itemText(tk->boxkargo->itemIndex()),
                                              geneltoplaml->text(), tk->kargocombo->currentText(),
                                              aciklamagir->toPlainText()}));
    if (onay.exec() != QDialog::Accepted)
        return;
    if (SiparisGonder(firma, tur, teslim)) {
        MesajKutusu(QStringLiteral("Siparişiniz Gönderildi !"), MesajTuru::Bilgi, QMessageBox::Ok,
                    2);
        SepetYenile();
        aciklamagir->clear();
    } else {
        MesajKutusu(QStringLiteral("Sipariş Göndermede Hata"), MesajTuru::Hata, QMessageBox::Ok, 2);
    }
}

bool Sepet::SiparisGonder(int kargoFirma, int kargoTuru, int teslim) {
    auto kayit = b_.sbilgi->kopya();
    const qint32 carino = kayit->CARINO();
    const qint32 veren = kayit->Sirano();
    bool sonuc = false;
    common::anaBaglantidaCagir(*b_.bagc, [&](remote::ServerConnection& c) {
        remote::TServerMethods1Client proxy(&c);
        sonuc = proxy.SiparisKaydet(std::move(kayit), carino, teslim, kargoTuru,
                                    aciklamagir->toPlainText(), veren, kargoFirma);
    });
    return sonuc;
}

}  // namespace kv::basket
