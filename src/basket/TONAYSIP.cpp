#include "basket/TONAYSIP.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Fonts.h"
#include "platform/WindowPlacement.h"

namespace kv::basket {

TONAYSIP::TONAYSIP(QWidget* owner) : QDialog(owner, Qt::Tool) {
    setObjectName(QStringLiteral("TONAYSIP"));
    setWindowTitle(QStringLiteral("Sipariş Onay"));
    setFixedSize(527, 334);

    auto* cerceve = new QFrame(this);
    cerceve->setFrameShape(QFrame::StyledPanel);
    Label2 = new QLabel(cerceve);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont sabit = platform::fixedFont(16);
    sabit.setBold(true);
    Label2->setFont(sabit);
    Label2->setTextFormat(Qt::PlainText);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* cv = new QVBoxLayout(cerceve);
    cv->addWidget(Label2);

    soru =
        new QLabel(QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"), this);
    soru->setObjectName(QStringLiteral("soru"));
    QFont kalin = platform::uiFont(20);
    kalin.setBold(true);
    soru->setFont(kalin);
    soru->setAlignment(Qt::AlignCenter);
    soru->setWordWrap(true);

    evet = new QPushButton(QStringLiteral("Evet"), this);
    evet->setObjectName(QStringLiteral("evet"));
    hayir = new QPushButton(QStringLiteral("Hayır"), this);
    hayir->setObjectName(QStringLiteral("hayir"));
    connect(evet, &QPushButton::clicked, this, &QDialog::accept);
    connect(hayir, &QPushButton::clicked, this, &QDialog::reject);
    auto* d = new QHBoxLayout;
    d->addWidget(evet);
    d->addStretch();
    d->addWidget(hayir);

    auto* v = new QVBoxLayout(this);
    v->addWidget(cerceve, 1);
    v->addWidget(soru);
    v->addLayout(d);
}

QString TONAYSIP::ozetMetni(const Ozet& o) {
    return QStringLiteral("Kullanıcı: ") + o.kullanici + QLatin1Char('\n') +
           QStringLiteral("Cari     : ") + o.cari + QLatin1Char('\n') +
           QStringLiteral("Teslim   : ") + o.teslim + QLatin1Char('\n') +
           QStringLiteral("Kargo    : ") + o.kargoTuru + QLatin1Char('\n') +
           QStringLiteral("Tutar    : ") + o.tutar + QLatin1Char('\n') +
           QStringLiteral("Kargo    : ") + o.kargo + QLatin1Char('\n') +
           QStringLiteral("Açıklama : ") + o.aciklama;
}

void TONAYSIP::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    platform::centreOnOwner(this);
}

}  // namespace kv::basket
