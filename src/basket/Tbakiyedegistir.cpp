#include "basket/Tbakiyedegistir.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include "platform/WindowPlacement.h"

namespace kv::basket {

Tbakiyedegistir::Tbakiyedegistir(QWidget* owner) : QDialog(owner, Qt::Tool) {
    setObjectName(QStringLiteral("Tbakiyedegistir"));
    setWindowTitle(QStringLiteral("Bakiye Değiştir"));
    resize(545, 320);

    auto* g = new QGridLayout;
    int r = 0;
    const auto satir = [&](const char* baslik, const char* ad, QLabel** baslikEtiketi = nullptr) {
        auto* b = new QLabel(QString::fromUtf8(baslik), this);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        b->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(ad));
        g->addWidget(b, r, 0);
        g->addWidget(l, r++, 1);
        if (baslikEtiketi)
            *baslikEtiketi = b;
        return l;
    };
    barkod = satir("Barkod:", "barkod");
    adi = satir("Açıklama:", "adi");
    finishkod = satir("Finish Kod:", "finishkod");
    marka = satir("Marka:", "marka");
    model = satir("Model:", "model");
    alinansiparis = satir("Alınan sipariş:", "alinansiparis");
    teslimedilen = satir("Teslim Edilen:", "teslimedilen");
    elimizde = satir("Elimizde:", "elimizde", &elimizdeBaslik);
    eskibakiye = satir("Eski bakiye:", "eskibakiye");
    auto* yeni = new QLabel(QStringLiteral("Yeni bakiye:"), this);
    QFont f = yeni->font();
    f.setBold(true);
    yeni->setFont(f);
    yeni->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    adet = new QSpinBox(this);
    adet->setObjectName(QStringLiteral("adet"));
    adet->setRange(1, 1000);
    adet->setValue(1);
    adet->installEventFilter(this);
    g->addWidget(yeni, r, 0);
    g->addWidget(adet, r++, 1);
    g->setColumnStretch(1, 1);

    degistir = new QPushButton(QStringLiteral("Değiştir"), this);
    degistir->setObjectName(QStringLiteral("degistir"));
    vazgec = new QPushButton(QStringLiteral("Vazgeç"), this);
    vazgec->setObjectName(QStringLiteral("vazgec"));
    for (QPushButton* b : {degistir, vazgec})
        b->setAutoDefault(false);
    connect(degistir, &QPushButton::clicked, this, &QDialog::accept);
    connect(vazgec, &QPushButton::clicked, this, &QDialog::reject);
    auto* d = new QHBoxLayout;
    d->addStretch();
    d->addWidget(degistir);
    d->addWidget(vazgec);

    auto* v = new QVBoxLayout(this);
    v->addLayout(g);
    v->addLayout(d);
    adet->setFocus();
}

void Tbakiyedegistir::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    platform::centreOnOwner(this);
    adet->setFocus();
}

bool Tbakiyedegistir::eventFilter(QObject* o, QEvent* e) {
    if (o == adet && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            // Only a quantity written in the box and above zero closes the dialog.
            bool ok = false;
            const int n = adet->cleanText().toInt(&ok);
            if (ok && n > 0)
                accept();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

}  // namespace kv::basket
