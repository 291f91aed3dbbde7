#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QScreen>
#include <cstdio>

#include "app/AuricStil.h"
#include "app/TForm1.h"
#include "app/identity/Kimlik.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(app);
    Q_INIT_RESOURCE(platform);

    // For the administrator registering this machine with the server.
    if (QApplication::arguments().contains(QStringLiteral("--istasyon-kimligi"))) {
        std::printf("%s\n", qPrintable(kv::app::identity::BilgisayarIdAl()));
        return 0;
    }

    // Amounts and dates are written with the user's Turkish separators; on a machine set up
    // in another language (a fresh Linux is often C or English) the texts are Turkish all the
    // same, so the numbers follow them.
    if (QLocale::system().language() != QLocale::Turkish)
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));

    kv::app::AuricStiliniUygula(app);
    kv::app::TForm1 form;
    if (!form.FormCreate())
        return 0;
    // Maximised; without a window manager (a bare X server) the size is set by hand.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    form.araedit->setFocus();
    return app.exec();
}
