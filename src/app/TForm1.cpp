#include "app/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMovie>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/SepetIslemleri.h"
#include "app/Tgirisform.h"
#include "app/identity/Kimlik.h"
#include "app/settings/Dagitim.h"
#include "basket/Sepet.h"
#include "catalogue/HazirStokListesi.h"
#include "catalogue/StokListesi.h"
#include "common/BaglantiKur.h"
#include "common/CagriKaliplari.h"
#include "common/MesajKutusu.h"
#include "content/Tkullanicikayit.h"
#include "platform/BackgroundCall.h"
#include "platform/CountBadgeTabBar.h"
#include "platform/Fonts.h"
#include "platform/NumberFormat.h"
#include "platform/ProgramExit.h"
#include "platform/UpperCaseEdit.h"
#include "remote/TServerMethods1Client.h"

namespace kv::app {

namespace {

constexpr int kLegendColour = 0x43 << 16 | 0x4C << 8 | 0x58;  // dark slate of the legend texts

QPixmap svgPixmap(const QString& path, const QSize& size) {
    QSvgRenderer r(path);
    QPixmap pm(size * 2);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    r.render(&p);
    p.end();
    pm.setDevicePixelRatio(2.0);
    return pm;
}

QLabel* waitImage(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setFixedSize(32, 32);
    auto* movie = new QMovie(QStringLiteral(":/platform/bekle.gif"), QByteArray(), l);
    l->setMovie(movie);
    l->hide();
    return l;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), bagc_(std::make_unique<remote::ServerConnection>()) {
    setObjectName(QStringLiteral("Form1"));
    resize(1344, 652);
    setFont(platform::uiFont(13, true));

    auto* central = new QWidget(this);
    auto* v = new QVBoxLayout(central);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    auto* header = new QFrame(central);
    header->setObjectName(QStringLiteral("ustpanel"));
    header->setFixedHeight(116);
    buildHeader(header);
    v->addWidget(header);

    auto* search = new QFrame(central);
    search->setObjectName(QStringLiteral("arabar"));
    search->setFixedHeight(35);
    buildSearchBar(search);
    v->addWidget(search);

    auto* tabsHolder = new QWidget(central);
    auto* th = new QHBoxLayout(tabsHolder);
    th->setContentsMargins(20, 4, 20, 4);
    sPageControl1 = new platform::CountBadgeTabWidget(tabsHolder);
    sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
    th->addWidget(sPageControl1);
    buildTabs();
    v->addWidget(tabsHolder, 1);

    auto* legend = new QFrame(central);
    legend->setObjectName(QStringLiteral("durumpanel"));
    legend->setFixedHeight(27);
    buildLegend(legend);
    v->addWidget(legend);

    auto* news = new QFrame(central);
    news->setObjectName(QStringLiteral("haberpanel"));
    news->setFixedHeight(40);
    auto* nl = new QHBoxLayout(news);
    nl->setContentsMargins(20, 0, 20, 0);
    kayanyazi = new QWidget(news);
    kayanyazi->setObjectName(QStringLiteral("kayanyazi"));
    nl->addWidget(kayanyazi);
    v->addWidget(news);

    setCentralWidget(central);
    buildMenu();
}

TForm1::~TForm1() = default;

void TForm1::buildHeader(QFrame* panel) {
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(20, 10, 20, 10);
    h->setSpacing(12);

    auto* logo = new QLabel(panel);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setFixedWidth(258);
    logo->setPixmap(svgPixmap(QStringLiteral(":/app/logo.svg"), QSize(258, 96)));
    logo->setStyleSheet(QStringLiteral("background: #f4f1ea; border-radius: 6px;"));
    h->addWidget(logo);

    auto* grid = new QWidget(panel);
    grid->setFixedWidth(355);
    auto* g = new QGridLayout(grid);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(0);
    g->setColumnStretch(0, 20);
    g->setColumnStretch(1, 80);
    const char* captions[] = {"Kullanıcı: ", "Firma: ", "Temsilci: "};
    QLabel** values[] = {&kullanicilbl, &cariadilbl, &saticilbl};
    const char* names[] = {"kullanicilbl", "cariadilbl", "saticilbl"};
    for (int i = 0; i < 3; ++i) {
        auto* cap = new QLabel(QString::fromUtf8(captions[i]), grid);
        cap->setProperty("baslik", true);
        cap->setFixedHeight(30);
        auto* val = new QLabel(grid);
        val->setObjectName(QLatin1String(names[i]));
        val->setWordWrap(true);
        val->setMinimumHeight(30);
        g->addWidget(cap, i, 0);
        g->addWidget(val, i, 1);
        *values[i] = val;
    }
    h->addWidget(grid);

    banner = new QLabel(panel);
    banner->setObjectName(QStringLiteral("RxGIFAnimator1"));
    // 458 wide where there is room; it gives way on narrow screens.
    banner->setMaximumWidth(458);
    banner->setMinimumWidth(0);
    banner->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    banner->setAlignment(Qt::AlignCenter);
    // The built-in banner until the server's arrives.
    banner->setPixmap(svgPixmap(QStringLiteral(":/app/banner.svg"), QSize(458, 96)));
    h->addWidget(banner, 1, Qt::AlignRight);

    Button3 = new QToolButton(panel);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setFixedSize(84, 106);
    Button3->setIcon(QIcon(QStringLiteral(":/app/menu.svg")));
    Button3->setIconSize(QSize(48, 48));
    Button3->setPopupMode(QToolButton::MenuButtonPopup);
    h->addWidget(Button3);
}

void TForm1::buildSearchBar(QFrame* panel) {
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(20, 1, 20, 1);
    h->setSpacing(6);

    auto* icon = new QLabel(panel);
    icon->setPixmap(svgPixmap(QStringLiteral(":/app/arama-simge.svg"), QSize(24, 24)));
    h->addWidget(icon);

    auto* edit = new platform::UpperCaseEdit(panel);
    araedit = edit;
    araedit->setObjectName(QStringLiteral("araedit"));
    araedit->setFixedWidth(340);
    araedit->setFont(platform::uiFont(20));
    h->addWidget(araedit);

    arabuton = new QPushButton(QIcon(QStringLiteral(":/app/ara.svg")), QString(), panel);
    arabuton->setObjectName(QStringLiteral("arabuton"));
    arabuton->setToolTip(QStringLiteral("Ara"));
    temizlebuton = new QPushButton(QIcon(QStringLiteral(":/app/temizle.svg")), QString(), panel);
    temizlebuton->setObjectName(QStringLiteral("temizlebuton"));
    temizlebuton->setToolTip(QStringLiteral("Temizle"));
    for (auto* b : {arabuton, temizlebuton}) {
        b->setFixedSize(40, 31);
        b->setIconSize(QSize(20, 20));
        h->addWidget(b);
    }

    musteritus = new QPushButton(QStringLiteral("Başka Cari Seç"), panel);
    musteritus->setObjectName(QStringLiteral("musteritus"));
    musteritus->hide();
    h->addWidget(musteritus);

    gifstokara = waitImage(panel, "gifstokara");
    gifyeniler = waitImage(panel, "gifyeniler");
    gifkampanyali = waitImage(panel, "gifkampanyali");
    gifduyuru = waitImage(panel, "gifduyuru");
    gifoncekiler = waitImage(panel, "gifoncekiler");
    gifekstre = waitImage(panel, "gifekstre");
    gifdosyalar = waitImage(panel, "gifdosyalar");
    for (auto* w :
         {gifstokara, gifyeniler, gifkampanyali, gifduyuru, gifoncekiler, gifekstre, gifdosyalar}) {
        h->addWidget(w);
    }

    kurlabel = new QLabel(panel);
    kurlabel->setObjectName(QStringLiteral("kurlabel"));
    kurlabel->hide();
    h->addWidget(kurlabel);
    h->addStretch(1);
}

void TForm1::buildTabs() {
    sPageControl1->setIconSize(QSize(32, 32));
    sPageControl1->badgeBar()->setFont(platform::uiFont(13));
    struct Tab {
        QWidget** page;
        const char* name;
        const char* caption;
        int icon;
    };
    const Tab tabs[] = {
        {&sstoklistesi, "sstoklistesi", "Stok Listesi", 0},
        {&ssepet, "ssepet", "Sepet", 8},
        {&sonceki, "sonceki", "Önceki Siparişler", 3},
        {&sccariekstre, "sccariekstre", "Cari Ekstre", 1},
        {&syeniler, "syeniler", "Yeni Stoklar", 10},
        {&skampanyali, "skampanyali", "Kampanyalı Stoklar", 6},
        {&sTabSheetduyuru, "sTabSheetduyuru", "Duyurular", 5},
        {&sTabbakiyeler, "sTabbakiyeler", "Bakiyeler", 7},
        {&tabdosyalar, "tabdosyalar", "Dosyalar", 13},
    };
    for (const Tab& t : tabs) {
        auto* page = new QWidget(sPageControl1);
        page->setObjectName(QLatin1String(t.name));
        *t.page = page;
        sPageControl1->addTab(page, QIcon(QStringLiteral(":/app/tab-%1.svg").arg(t.icon)),
                              QString::fromUtf8(t.caption));
    }
    sPageControl1->setCurrentWidget(sstoklistesi);

    catalogue::StokListesiBaglami b;
    b.sekmeler = sPageControl1;
    b.araedit = araedit;
    b.gifstokara = gifstokara;
    b.bagc = bagc_.get();
    b.sbilgi = &sbilgi_;
    b.pencereGenisligi = [this] { return width(); };
    auto* l = new QVBoxLayout(sstoklistesi);
    l->setContentsMargins(0, 0, 0, 0);
    stokListesi = new catalogue::StokListesi(std::move(b), sstoklistesi);
    l->addWidget(stokListesi);
    connect(araedit, &QLineEdit::returnPressed, stokListesi, &catalogue::StokListesi::AramaBaslat);
    connect(arabuton, &QPushButton::clicked, stokListesi, &catalogue::StokListesi::AramaBaslat);
    connect(temizlebuton, &QPushButton::clicked, stokListesi, &catalogue::StokListesi::Temizle);

    // The ready-made lists load every time their tab is shown.
    const auto hazirListe = [this](catalogue::HazirStokListesi::Tur tur, QWidget* sayfa,
                                   QLabel* bekle) {
        catalogue::HazirStokListesi::Baglam hb;
        hb.sekmeler = sPageControl1;
        hb.bekleResmi = bekle;
        hb.bagc = bagc_.get();
        hb.sbilgi = &sbilgi_;
        auto* pl = new QVBoxLayout(sayfa);
        pl->setContentsMargins(0, 0, 0, 0);
        auto* liste = new catalogue::HazirStokListesi(tur, std::move(hb), sayfa);
        pl->addWidget(liste);
        return liste;
    };
    yeniStoklar = hazirListe(catalogue::HazirStokListesi::Tur::Yeniler, syeniler, gifyeniler);
    kampanyaliStoklar =
        hazirListe(catalogue::HazirStokListesi::Tur::Kampanyali, skampanyali, gifkampanyali);
    buildBasket();
    connect(sPageControl1, &QTabWidget::currentChanged, this, [this](int i) {
        QWidget* sayfa = sPageControl1->widget(i);
        if (sayfa == syeniler)
            yeniStoklar->Yukle();
        if (sayfa == skampanyali)
            kampanyaliStoklar->Yukle();
        if (sayfa == ssepet)
            sepet->Goster();
        if (sayfa == sstoklistesi)
            stokListesi->cxGrid1DBTableView1->setSkin(platform::GridSkin::Whiteprint);
    });
}

void TForm1::buildBasket() {
    basket::Sepet::Baglam sb;
    sb.sekmeler = sPageControl1;
    sb.bagc = bagc_.get();
    sb.sbilgi = &sbilgi_;
    sb.ekranGenisligi = [this] { return screen() ? screen()->geometry().width() : width(); };
    auto* l = new QVBoxLayout(ssepet);
    l->setContentsMargins(0, 0, 0, 0);
    sepet = new basket::Sepet(std::move(sb), ssepet);
    l->addWidget(sepet);

    SepetIslemleri::Baglam ib;
    ib.anaPencere = this;
    ib.bagc = bagc_.get();
    ib.sbilgi = &sbilgi_;
    ib.sepet = sepet;
    ib.usdKur = [this] { return _USDKUR; };
    ib.eurKur = [this] { return _EURKUR; };
    sepetIslemleri = new SepetIslemleri(std::move(ib), this);
    using K = SepetIslemleri::Kaynak;
    connect(stokListesi, &catalogue::StokListesi::acIstendi, this,
            [this](int r) { sepetIslemleri->Ac(K::StokListesi, stokListesi->stok, r); });
    connect(yeniStoklar, &catalogue::HazirStokListesi::acIstendi, this,
            [this](int r) { sepetIslemleri->Ac(K::Yeniler, yeniStoklar->tablo, r); });
    connect(kampanyaliStoklar, &catalogue::HazirStokListesi::acIstendi, this,
            [this](int r) { sepetIslemleri->Ac(K::Kampanyali, kampanyaliStoklar->tablo, r); });
    connect(sepet, &basket::Sepet::satirDegistir, sepetIslemleri, &SepetIslemleri::SatirDuzenle);
}

void TForm1::buildLegend(QFrame* panel) {
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(20, 0, 20, 0);
    h->setSpacing(2);
    QFont f = platform::uiFont(11, true);
    const QString colour =
        QStringLiteral("color: #%1;").arg(kLegendColour, 6, 16, QLatin1Char('0'));
    auto label = [&](const QString& text) {
        auto* l = new QLabel(text, panel);
        l->setFont(f);
        l->setStyleSheet(colour);
        h->addWidget(l);
    };
    label(QStringLiteral("Durum Açıklaması:    "));
    const std::pair<const char*, const char*> items[] = {
        {"durum-mevcut", " Stok mevcut  "}, {"durum-telefon", " Telefon Açınız  "},
        {"durum-yolda", " Yolda  "},        {"durum-tedarik", " Tedarik Sürecinde "},
        {"durum-ozel", " Özel Sipariş  "},  {"durum-yok", " Yok  "},
    };
    for (const auto& [icon, text] : items) {
        auto* pic = new QLabel(panel);
        pic->setPixmap(
            svgPixmap(QStringLiteral(":/platform/%1.svg").arg(QLatin1String(icon)), QSize(16, 16)));
        h->addWidget(pic);
        label(QString::fromUtf8(text));
    }
    h->addStretch(1);
}

void TForm1::buildMenu() {
    Genelmenu = new QMenu(this);
    Genelmenu->setObjectName(QStringLiteral("Genelmenu"));
    mailMenu = Genelmenu->addAction(QStringLiteral("Mail Gönder"));
    Genelmenu->addSeparator();
    sifreMenu = Genelmenu->addAction(QStringLiteral("Şifre Değiştirme İsteği"));
    Genelmenu->addSeparator();
    webMenu = Genelmenu->addAction(settings::webSitesiAdi());
    Genelmenu->addSeparator();
    cikisMenu = Genelmenu->addAction(QStringLiteral("Çıkış"));
    Button3->setMenu(Genelmenu);
    // A click on the button itself opens the menu under its lower left corner as well.
    connect(Button3, &QToolButton::clicked, this,
            [this] { Genelmenu->popup(Button3->mapToGlobal(QPoint(0, Button3->height()))); });
    connect(sifreMenu, &QAction::triggered, this, &TForm1::sifreDegistirmeIstegi);
    connect(webMenu, &QAction::triggered, this, &TForm1::webSitesiAc);
    connect(cikisMenu, &QAction::triggered, this, &QWidget::close);
}

bool TForm1::FormCreate() {
    _USDKUR = 1.0;
    _EURKUR = 1.0;
    _acilisadet = 0;
    common::setMesajKutusuFontPixelSize(15);
    // The application's own title (the window system's name for the program); a display name
    // would be appended to every window caption here, so the name carries it.
    QCoreApplication::setApplicationName(
        QStringLiteral("Kaveltrim Otomotiv Online Sipariş (Dornep)"));
    setWindowTitle(QStringLiteral("Kaveltrim Otomotiv Sipariş Programı (Dornep)"));

    sbilgi_ = remote::TSonucBilgisi();
    sbilgi_.setBilgiSayarAdi(identity::BilgisayarAdiAl());
    sbilgi_.setBilgisayarKullanici(identity::KullaniciAdiAl());
    sbilgi_.setIcip(identity::IcIpAl());
    sbilgi_.setBILGISAYARID(identity::BilgisayarIdAl());

    settings::sunucuAdresiniAyarla(*bagc_);
    webMenu->setText(settings::webSitesiAdi());

    if (!GirisYap())
        return false;
    baslangicSirasi();
    return true;
}

bool TForm1::GirisYap() {
    {
        Tgirisform giris(bagc_.get(), &sbilgi_, this);
        if (giris.exec() != QDialog::Accepted) {
            platform::endProgram(0);
            return false;
        }
    }
    if (sbilgi_.Disip().trimmed().isEmpty()) {
        platform::endProgram(0);
        return false;
    }
    KullaniciTipiUygula();
    return true;
}

void TForm1::KullaniciTipiUygula() {
    const int tip = sbilgi_.MusteriTipi();
    musteritus->setVisible(tip == 1 || tip == 2);
    if (tip == 4)
        sPageControl1->setTabVisible(sPageControl1->indexOf(skampanyali), false);
    stokListesi->KullaniciTipiUygula(tip);
    yeniStoklar->KullaniciTipiUygula(tip);
    kampanyaliStoklar->KullaniciTipiUygula(tip);
    sepet->KullaniciTipiUygula(tip);
}

void TForm1::AnaBilgiAl() {
    kullanicilbl->setText(sbilgi_.ADI());
    cariadilbl->setText(sbilgi_.CariAdi());
    saticilbl->setText(sbilgi_.SaticiAdi() + QStringLiteral(" Telefonu: ") +
                       sbilgi_.SaticiTelefon() + QStringLiteral(" email: ") + sbilgi_.SaticiMail());
}

void TForm1::baslangicSirasi() {
    platform::runInBackground(
        this,
        [this] {
            platform::runOnUiThread([this] { AnaBilgiAl(); });
            KurlariYaz();
        },
        [] {});
}

void TForm1::KurlariYaz() {
    // On a clone: the main connection is the UI thread's, which may be using it meanwhile.
    double usd = 1.0, eur = 1.0;
    qint32 sonuc = 0;
    const bool cagrildi = common::klondaCagir(*bagc_, [&](remote::ServerConnection& c) {
        remote::TServerMethods1Client proxy(&c);
        sonuc = proxy.KurlariAl(usd, eur);
    });
    if (!cagrildi)
        return;
    platform::runOnUiThread([&] {
        _USDKUR = usd;
        _EURKUR = eur;
        if (sonuc != 1)
            return;
        kurlabel->setText(QStringLiteral("$: ") + platform::formatFloat(u"", usd) +
                          QStringLiteral("      €: ") + platform::formatFloat(u"", eur));
        kurlabel->setVisible(true);
    });
}

void TForm1::webSitesiAc() {
    QDesktopServices::openUrl(QUrl(settings::webAdresi()));
    araedit->selectAll();
    araedit->setFocus();
}

void TForm1::sifreDegistirmeIstegi() {
    content::Tkullanicikayit* w = content::Tkullanicikayit::Ac(this, sbilgi_, *bagc_);
    w->exec();
    delete w;
}

bool TForm1::FormCloseQuery() {
    return common::MesajKutusu(QStringLiteral("Programdan Çıkmak İstiyor musunuz ?"),
                               common::MesajTuru::Soru, QMessageBox::Yes | QMessageBox::No, 0) == 6;
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    exiting_ = true;
    event->accept();
    CikisGonder();
}

void TForm1::CikisGonder() {
    // The program ends right after the notice, so the login record itself travels.
    auto kayit = sbilgi_.kopya();
    auto klon = bagc_->clone();
    platform::runInBackground(
        nullptr,
        [kayit = std::shared_ptr<remote::TSonucBilgisi>(std::move(kayit)),
         klon = std::shared_ptr<remote::ServerConnection>(std::move(klon))]() mutable {
            try {
                if (!common::BaglantiKur(*klon, false))
                    return;
                remote::TServerMethods1Client proxy(klon.get());
                proxy.CikisGonder(std::make_unique<remote::TSonucBilgisi>(*kayit));
                klon->close();
            } catch (...) {
                // A failed exit notice is not reported; the program ends all the same.
            }
        },
        [] { platform::endProgram(0); });
}

}  // namespace kv::app
