#include "basket/Tfiyatdegistir.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/AmountEdit.h"
#include "platform/Fonts.h"
#include "platform/NumberFormat.h"
#include "platform/WindowPlacement.h"

namespace kv::basket {

namespace {

QLabel* kalinEtiket(const QString& metin, QWidget* parent) {
    auto* l = new QLabel(metin, parent);
    l->setFont(platform::uiFont(20, true));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

const QString kTutarBicimi = QStringLiteral(",0.00 TL;-,0.00 TL");

}  // namespace

Tfiyatdegistir::Tfiyatdegistir(QWidget* owner) : QDialog(owner, Qt::Tool) {
    setObjectName(QStringLiteral("Tfiyatdegistir"));
    setWindowTitle(QStringLiteral("Fiyat Değiştir"));
    resize(432, 246);

    _fiyat = new platform::AmountEdit(this);
    _fiyat->setObjectName(QStringLiteral("_fiyat"));
    _iskonto = new platform::AmountEdit(this);
    _iskonto->setObjectName(QStringLiteral("_iskonto"));
    _iskonto->setRange(0, 100);
    for (platform::AmountEdit* e : {_fiyat, _iskonto}) {
        e->setPicture(kTutarBicimi);
        e->setFont(platform::uiFont(20, true));
        e->installEventFilter(this);
    }
    LBLNET = kalinEtiket(QStringLiteral("Net Fiyat:"), this);
    LBLNET->setObjectName(QStringLiteral("LBLNET"));
    LABELKDV = kalinEtiket(QStringLiteral("Net Fiyat:"), this);
    LABELKDV->setObjectName(QStringLiteral("LABELKDV"));

    auto* g = new QGridLayout;
    g->addWidget(kalinEtiket(QStringLiteral("Fiyat:"), this), 0, 0);
    g->addWidget(_fiyat, 0, 1);
    g->addWidget(kalinEtiket(QStringLiteral("İndirim Oranı %:"), this), 1, 0);
    g->addWidget(_iskonto, 1, 1);
    g->addWidget(kalinEtiket(QStringLiteral("Net Fiyat:"), this), 2, 0);
    g->addWidget(LBLNET, 2, 1);
    g->addWidget(kalinEtiket(QStringLiteral("KDV Dahil Fiyat:"), this), 3, 0);
    g->addWidget(LABELKDV, 3, 1);

    degistir = new QPushButton(QStringLiteral("Değiştir"), this);
    degistir->setObjectName(QStringLiteral("degistir"));
    vazgec = new QPushButton(QStringLiteral("Vazgeç"), this);
    vazgec->setObjectName(QStringLiteral("vazgec"));
    connect(degistir, &QPushButton::clicked, this, &QDialog::accept);
    connect(vazgec, &QPushButton::clicked, this, &QDialog::reject);
    auto* d = new QHBoxLayout;
    d->addStretch();
    d->addWidget(degistir);
    d->addWidget(vazgec);

    auto* v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addLayout(d);
}

void Tfiyatdegistir::Hesapla() {
    const double fiyat = _fiyat->value(0.0);
    const double oran = _iskonto->value(0.0);
    const double net = oran > 0 ? fiyat - oran * fiyat / 100 : fiyat;
    LBLNET->setText(platform::formatFloat(u"#,###,##00.00", net));
    LABELKDV->setText(platform::formatFloat(u"#,###,##00.00", net * 1.18));
}

void Tfiyatdegistir::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    platform::centreOnOwner(this);
}

bool Tfiyatdegistir::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyRelease && (o == _fiyat || o == _iskonto))
        Hesapla();
    return QDialog::eventFilter(o, e);
}

}  // namespace kv::basket
