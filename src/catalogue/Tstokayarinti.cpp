#include "catalogue/Tstokayarinti.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

#include "app/settings/Dagitim.h"
#include "catalogue/TAsyncResim.h"
#include "common/Tablolar.h"
#include "platform/AmountEdit.h"
#include "platform/Fonts.h"
#include "platform/WindowPlacement.h"

namespace kv::catalogue {

using common::AlanSayi;
using common::AlanYazi;
using common::Yuvarla;

std::optional<double> FiyatCevir(const QString& metin, double usdKur, double eurKur) {
    double kur = 1.0;
    if (metin.contains(QLatin1Char('$')))
        kur = usdKur;
    if (metin.contains(QChar(0x20AC)))
        kur = eurKur;
    const QLocale yerel;
    QString s = metin;
    s.remove(QChar::Space).remove(QChar(0x00A0));
    s.replace(QLatin1Char('.'), yerel.decimalPoint());
    s.remove(QStringLiteral("TL")).remove(QLatin1Char('$')).remove(QChar(0x20AC));
    bool ok = false;
    const double sayi = yerel.toDouble(s, &ok);
    if (!ok || !std::isfinite(sayi))
        return std::nullopt;
    return Yuvarla(sayi / 1.18 * kur);
}

namespace {

QLabel* baslik(const char* metin, QWidget* parent) {
    auto* l = new QLabel(QString::fromUtf8(metin), parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

Tstokayarinti::Tstokayarinti(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("Tstokayarinti"));
    setWindowTitle(QStringLiteral("Sepete Ekle"));
    resize(640, 600);

    auto* ust = new QGridLayout;
    const auto etiket = [this](const char* ad) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(ad));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    barkod = etiket("barkod");
    adi = etiket("adi");
    adi->setWordWrap(true);
    finishkod = etiket("finishkod");
    marka = etiket("marka");
    model = etiket("model");
    const std::pair<const char*, QLabel*> satirlar[] = {{"Barkod:", barkod},
                                                        {"Açıklama:", adi},
                                                        {"Finish Kod:", finishkod},
                                                        {"Marka:", marka},
                                                        {"Model:", model}};
    int r = 0;
    for (const auto& [metin, l] : satirlar) {
        ust->addWidget(baslik(metin, this), r, 0);
        ust->addWidget(l, r++, 1);
    }
    ust->setColumnStretch(1, 1);

    AsyncResim1 = new TAsyncResim(this);
    AsyncResim1->setObjectName(QStringLiteral("AsyncResim1"));
    AsyncResim1->setMinimumSize(240, 180);

    adet = new QSpinBox(this);
    adet->setObjectName(QStringLiteral("adet"));
    adet->setRange(1, 10000);
    adet->setValue(1);
    adet->setAlignment(Qt::AlignRight);
    const auto tutar = [this](const char* ad) {
        auto* e = new platform::AmountEdit(this);
        e->setObjectName(QString::fromLatin1(ad));
        e->setReadOnly(true);
        e->installEventFilter(this);
        return e;
    };
    birimfiyat = tutar("birimfiyat");
    indoran = tutar("indoran");
    indoran->setMaximumWidth(90);
    indtutar = tutar("indtutar");
    kdvdahiltutar = tutar("kdvdahiltutar");
    geneltutar = tutar("geneltutar");
    adet->installEventFilter(this);
    indirimoran = baslik("İndirim:", this);
    indirimoran->setObjectName(QStringLiteral("indirimoran"));

    auto* alt = new QGridLayout;
    alt->addWidget(baslik("Adet:", this), 0, 0);
    alt->addWidget(adet, 0, 1, 1, 2);
    alt->addWidget(baslik("Fiyat:", this), 1, 0);
    alt->addWidget(birimfiyat, 1, 1, 1, 2);
    alt->addWidget(indirimoran, 2, 0);
    alt->addWidget(indoran, 2, 1);
    alt->addWidget(indtutar, 2, 2);
    alt->addWidget(baslik("KDV Dahil:", this), 3, 0);
    alt->addWidget(kdvdahiltutar, 3, 1, 1, 2);
    alt->addWidget(baslik("Tutar:", this), 4, 0);
    alt->addWidget(geneltutar, 4, 1, 1, 2);
    alt->setColumnStretch(2, 1);

    ParcaliTus1 = new QPushButton(QStringLiteral("Sipariş ekle"), this);
    ParcaliTus1->setObjectName(QStringLiteral("ParcaliTus1"));
    ParcaliTus2 = new QPushButton(QStringLiteral("Vazgeç"), this);
    ParcaliTus2->setObjectName(QStringLiteral("ParcaliTus2"));
    for (QPushButton* b : {ParcaliTus1, ParcaliTus2}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(40);
    }
    connect(ParcaliTus1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ParcaliTus2, &QPushButton::clicked, this, &QDialog::reject);
    auto* dugmeler = new QHBoxLayout;
    dugmeler->addStretch();
    dugmeler->addWidget(ParcaliTus1);
    dugmeler->addWidget(ParcaliTus2);

    auto* v = new QVBoxLayout(this);
    v->addLayout(ust);
    v->addWidget(AsyncResim1, 1);
    v->addLayout(alt);
    v->addLayout(dugmeler);

    connect(adet, &QSpinBox::valueChanged, this, [this] {
        GenelTutarYaz();
        TutarHesapla();
    });
    adet->setFocus();
}

void Tstokayarinti::etiketler(const platform::MemTable& t, int row, QStringView adAlani) {
    barkod->setText(AlanYazi(t, row, u"BARKOD"));
    adi->setText(AlanYazi(t, row, adAlani));
    marka->setText(AlanYazi(t, row, u"MARKA"));
    finishkod->setText(AlanYazi(t, row, u"FINISHKOD"));
    model->setText(AlanYazi(t, row, u"MODEL"));
    kdvoran = AlanSayi(t, row, u"KDV");
}

void Tstokayarinti::stokListesindenDoldur(const platform::MemTable& t, int row) {
    stokno = int(AlanSayi(t, row, u"STOK_STOKNO"));
    etiketler(t, row, u"ADI");
    birimfiyat->setValue(AlanSayi(t, row, u"FIYAT"));
    kdvdahiltutar->setValue(AlanSayi(t, row, u"KDVDAHIL"));
    if (AlanSayi(t, row, u"K") > 0) {
        indirimoran->setText(QStringLiteral("Kampanyalı"));
        indoran->setValue(0.0);
    } else {
        indirimoran->setText(QStringLiteral("İndirim:  % ") + AlanYazi(t, row, u"INDIRIM"));
        indoran->setValue(AlanSayi(t, row, u"INDIRIM"));
    }
    indtutar->setValue(AlanSayi(t, row, u"NETFIYAT"));
    kdvlifiyat = AlanSayi(t, row, u"KDVDAHIL");
}

void Tstokayarinti::yenilerdenDoldur(const platform::MemTable& t, int row) {
    stokno = int(AlanSayi(t, row, u"STOK_STOKNO"));
    etiketler(t, row, u"ADI");
    birimfiyat->setValue(AlanSayi(t, row, u"FIYAT"));
    kdvdahiltutar->setValue(Yuvarla(AlanSayi(t, row, u"NETFIYAT") * (kdvoran / 100 + 1)));
    indirimoran->setText(QStringLiteral("İndirim:  % ") + AlanYazi(t, row, u"INDIRIM"));
    indoran->setValue(AlanSayi(t, row, u"INDIRIM"));
    indtutar->setValue(AlanSayi(t, row, u"NETFIYAT"));
    kdvlifiyat = AlanSayi(t, row, u"KDVDAHIL");
    if (AlanSayi(t, row, u"K") > 0) {
        kdvdahiltutar->setValue(AlanSayi(t, row, u"KDVDAHIL"));
        indirimoran->setText(QStringLiteral("Kampanyalı"));
    }
}

void Tstokayarinti::kampanyalidanDoldur(const platform::MemTable& t, int row, bool bdm,
                                        double usdKur, double eurKur) {
    stokno = int(AlanSayi(t, row, u"STOK_STOKNO"));
    etiketler(t, row, u"ADI");
    birimfiyat->setValue(AlanSayi(t, row, u"FIYAT"));
    kdvdahiltutar->setValue(Yuvarla(AlanSayi(t, row, u"NETFIYAT") * (kdvoran / 100 + 1)));
    indoran->setValue(AlanSayi(t, row, u"INDIRIM"));
    indtutar->setValue(AlanSayi(t, row, u"NETFIYAT"));
    kdvlifiyat = AlanSayi(t, row, u"KDVDAHIL");
    if (!bdm)
        return;
    const QString maliyet = AlanYazi(t, row, u"MALIYET");
    const std::optional<double> c = FiyatCevir(maliyet, usdKur, eurKur);
    if (!c) {
        throw std::runtime_error(
            QStringLiteral("'%1' geçerli bir maliyet fiyatı değil").arg(maliyet).toStdString());
    }
    birimfiyat->setValue(*c);
    kdvdahiltutar->setValue(Yuvarla(*c * (kdvoran / 100 + 1)));
    kdvlifiyat = kdvdahiltutar->value();
    indirimoran->setText(QStringLiteral("İndirim:  % 0"));
    indtutar->setValue(*c);
}

void Tstokayarinti::sepettenDoldur(const platform::MemTable& t, int row) {
    stokno = int(AlanSayi(t, row, u"STOKNO"));
    etiketler(t, row, u"STOKADI");
    birimfiyat->setValue(AlanSayi(t, row, u"BIRIMFIYAT"));
    kdvdahiltutar->setValue(Yuvarla(AlanSayi(t, row, u"NETBIRIMFIYAT") * (kdvoran / 100 + 1)));
    indoran->setValue(AlanSayi(t, row, u"INDIRIMORANI1"));
    indtutar->setValue(AlanSayi(t, row, u"NETBIRIMFIYAT"));
    kdvlifiyat = Yuvarla(AlanSayi(t, row, u"BIRIMFIYAT") * (kdvoran / 100 + 1));
    const QSignalBlocker sessiz(adet);
    adet->setValue(int(std::trunc(AlanSayi(t, row, u"MIKTAR"))));
}

void Tstokayarinti::fiyatDegistirilebilir(bool evet) {
    birimfiyat->setReadOnly(!evet);
    indoran->setReadOnly(!evet);
}

void Tstokayarinti::done(int r) {
    // Read before the box loses the focus: it then puts its last valid number back.
    if (!kapandi_) {
        kapanistakiMiktar_ = miktarOku();
        kapandi_ = true;
    }
    QDialog::done(r);
}

std::optional<double> Tstokayarinti::miktar() const {
    return kapandi_ ? kapanistakiMiktar_ : miktarOku();
}

std::optional<double> Tstokayarinti::miktarOku() const {
    bool ok = false;
    const int n =
        adet->locale().toInt(adet->cleanText().remove(adet->locale().groupSeparator()), &ok);
    if (!ok)
        return std::nullopt;
    return double(n);
}

double Tstokayarinti::fiyat() const {
    return birimfiyat->value();
}

double Tstokayarinti::indirim() const {
    return indoran->value();
}

void Tstokayarinti::TutarHesapla() {
    double p = birimfiyat->value();
    const double oran = indoran->value();
    if (oran > 0.0001)
        p = p - Yuvarla(p * oran / 100);
    indtutar->setValue(p);
    const double kdvli = Yuvarla((kdvoran / 100 + 1) * p);
    kdvdahiltutar->setValue(kdvli);
    geneltutar->setValue(Yuvarla(kdvli * miktar().value_or(adet->value())));
}

void Tstokayarinti::GenelTutarYaz() {
    geneltutar->setValue(Yuvarla(miktar().value_or(1.0) * kdvlifiyat));
}

void Tstokayarinti::ResimIste() {
    AsyncResim1->setUrl(app::settings::ResimAdresi() + QString::number(stokno));
}

void Tstokayarinti::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    kapandi_ = false;
    platform::centreOnOwner(this);
    GenelTutarYaz();
    adet->setFocus();
}

bool Tstokayarinti::event(QEvent* e) {
    const bool sonuc = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate) {
        ResimIste();
        adet->selectAll();
    }
    return sonuc;
}

bool Tstokayarinti::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            if (o == adet) {
                accept();
                return true;
            }
            if (o == birimfiyat) {
                indoran->setFocus();
                indoran->selectAll();
                return true;
            }
            if (o == indoran) {
                birimfiyat->selectAll();
                birimfiyat->setFocus();
                return true;
            }
        }
    } else if (e->type() == QEvent::KeyRelease) {
        if (o == birimfiyat || o == indoran || o == indtutar || o == kdvdahiltutar ||
            o == geneltutar) {
            TutarHesapla();
        }
    }
    return QDialog::eventFilter(o, e);
}

}  // namespace kv::catalogue
