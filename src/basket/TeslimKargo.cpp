#include "basket/TeslimKargo.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "common/CagriKaliplari.h"
#include "platform/RadioGroup.h"
#include "remote/TServerMethods1Client.h"

namespace kv::basket {

namespace {

// Delivery modes and cargo types arrive as tables: the identifier first, the name second.
void konumlaDoldur(platform::RadioGroup* grup, const platform::MemTable& t) {
    grup->clear();
    if (t.columnCount() < 2)
        return;
    for (int r = 0; r < t.rowCount(); ++r)
        grup->addItem(t.displayText(r, 1), int(t.toInt(r, 0)));
}

}  // namespace

TeslimKargo::TeslimKargo(remote::ServerConnection* bagc, QWidget* parent)
    : QWidget(parent), bagc_(bagc) {
    teslimbox = new platform::RadioGroup(QStringLiteral("Teslim Durumu"), this);
    teslimbox->setObjectName(QStringLiteral("teslimbox"));
    teslimbox->setFixedWidth(135);
    boxkargo = new platform::RadioGroup(QStringLiteral("Kargo Türleri"), this);
    boxkargo->setObjectName(QStringLiteral("boxkargo"));
    boxkargo->setFixedWidth(208);

    kargoGrubu = new QGroupBox(QStringLiteral("Kargo"), this);
    kargoGrubu->setObjectName(QStringLiteral("kargogrubu"));
    kargocombo = new QComboBox(kargoGrubu);
    kargocombo->setObjectName(QStringLiteral("kargocombo"));
    kargocombo->setEditable(false);
    uyarikargo = new QLabel(kargoGrubu);
    uyarikargo->setObjectName(QStringLiteral("uyarikargo"));
    uyarikargo->setFixedSize(210, 59);
    uyarikargo->setWordWrap(true);
    uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* kv = new QVBoxLayout(kargoGrubu);
    kv->setContentsMargins(6, 4, 6, 4);
    kv->addWidget(kargocombo);
    kv->addWidget(uyarikargo);

    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(teslimbox);
    h->addWidget(boxkargo);
    h->addWidget(kargoGrubu);

    connect(boxkargo, &platform::RadioGroup::itemClicked, this, &TeslimKargo::boxkargoClick);
    connect(kargocombo, &QComboBox::currentIndexChanged, this, &TeslimKargo::kargocomboChange);
}

void TeslimKargo::TeslimKargoDoldur() {
    common::klondaCagir(*bagc_, [this](remote::ServerConnection& klon) {
        {
            remote::TServerMethods1Client proxy(&klon);
            konumlaDoldur(teslimbox, proxy.TeslimVer());
            teslimbox->setItemIndex(teslimbox->count() > 1 ? 1 : teslimbox->count() - 1);
        }
        remote::TServerMethods1Client proxy(&klon);
        konumlaDoldur(boxkargo, proxy.KargoVer());
        boxkargo->setItemIndex(-1);
    });
}

void TeslimKargo::boxkargoClick() {
    uyarikargo->clear();
    if (boxkargo->itemIndex() >= 0)
        KargolariDoldur(kargoTuruId());
}

void TeslimKargo::KargolariDoldur(int kargoTuru) {
    const bool tamam = common::anaBaglantidaCagir(*bagc_, [&](remote::ServerConnection& c) {
        remote::TServerMethods1Client proxy(&c);
        kargo.copyFrom(proxy.KargolarVer(kargoTuru));
    });
    if (!tamam)
        return;
    const QSignalBlocker sessiz(kargocombo);
    kargocombo->clear();
    kargocombo->addItem(QStringLiteral(" "));
    const int ad = kargo.columnIndex(u"ADI");
    for (int r = 0; ad >= 0 && r < kargo.rowCount(); ++r)
        kargocombo->addItem(kargo.displayText(r, ad));
    kargocombo->setCurrentIndex(-1);
}

int TeslimKargo::firmaSatiri() const {
    const int ad = kargo.isActive() ? kargo.columnIndex(u"ADI") : -1;
    if (ad < 0)
        return -1;
    const QString metin = kargocombo->currentText();
    for (int r = 0; r < kargo.rowCount(); ++r) {
        if (kargo.displayText(r, ad) == metin)
            return r;
    }
    return -1;
}

void TeslimKargo::kargocomboChange() {
    const int r = firmaSatiri();
    const int uyari = kargo.isActive() ? kargo.columnIndex(u"UYARI") : -1;
    if (r < 0 || uyari < 0) {
        uyarikargo->clear();
        return;
    }
    uyarikargo->setText(kargo.displayText(r, uyari));
}

int TeslimKargo::teslimId() const {
    return teslimbox->itemId(teslimbox->itemIndex());
}

int TeslimKargo::kargoTuruId() const {
    return boxkargo->itemId(boxkargo->itemIndex());
}

int TeslimKargo::kargoFirmaSirano() const {
    const int r = firmaSatiri();
    const int s = kargo.isActive() ? kargo.columnIndex(u"SIRANO") : -1;
    return r < 0 || s < 0 ? -1 : int(kargo.toInt(r, s));
}

}  // namespace kv::basket
