// kaveltrim-server: the reference application server and its administration commands.
#include <pthread.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "DemoData.h"
#include "Dispatcher.h"
#include "HttpServer.h"
#include "Methods.h"
#include "Sqlite.h"
#include "StockPicture.h"
#include "Storage.h"

using namespace kv::server;

namespace {

const char* const kUsage =
    "Kullanım:\n"
    "  kaveltrim-server init-demo --db DOSYA [--items N] [--seed S] [--force]\n"
    "  kaveltrim-server serve --db DOSYA [--listen ADRES] [--port N] [--threads N]\n"
    "                         [--update-file DOSYA]\n"
    "  kaveltrim-server list-users --db DOSYA\n"
    "  kaveltrim-server register-workstation --db DOSYA --id KIMLIK --user AD\n"
    "  kaveltrim-server set-client-version --db DOSYA N\n"
    "  kaveltrim-server set-rates --db DOSYA USD EUR\n"
    "  kaveltrim-server set-active --db DOSYA --user AD 0|1\n"
    "  kaveltrim-server outbox --db DOSYA\n"
    "  kaveltrim-server orders --db DOSYA\n";

struct Args {
    std::string command;
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;
};

// Options that take a value; any other "--name" is a flag.
bool takesValue(const std::string& o) {
    static const char* const kValued[] = {"--db", "--items", "--seed",    "--listen",     "--port",
                                          "--id", "--user",  "--threads", "--update-file"};
    for (const char* v : kValued) {
        if (o == v)
            return true;
    }
    return false;
}

std::optional<Args> parse(int argc, char** argv) {
    if (argc < 2)
        return std::nullopt;
    Args a;
    a.command = argv[1];
    for (int i = 2; i < argc; ++i) {
        std::string s = argv[i];
        if (s.rfind("--", 0) == 0) {
            if (takesValue(s)) {
                if (i + 1 >= argc)
                    return std::nullopt;
                a.options[s] = argv[++i];
            } else if (s == "--force") {
                a.options[s] = "1";
            } else {
                return std::nullopt;
            }
        } else {
            a.positional.push_back(s);
        }
    }
    return a;
}

int usage() {
    std::cerr << kUsage;
    return 2;
}

int fail(const std::string& message) {
    std::cerr << "Hata: " << message << "\n";
    return 1;
}

bool toInt(const std::string& s, long long lo, long long hi, long long& out) {
    try {
        std::size_t used = 0;
        out = std::stoll(s, &used);
        return used == s.size() && out >= lo && out <= hi;
    } catch (...) {
        return false;
    }
}

int initDemo(const Args& a, const std::string& db) {
    long long items = 50000, seed = 20261210;
    if (a.options.count("--items") && !toInt(a.options.at("--items"), 0, 5000000, items)) {
        return fail("--items 0 ile 5000000 arasında bir sayı olmalı");
    }
    if (a.options.count("--seed") && !toInt(a.options.at("--seed"), 0, LLONG_MAX, seed)) {
        return fail("--seed negatif olmayan bir sayı olmalı");
    }
    const QFileInfo fi(QString::fromStdString(db));
    if (fi.exists() && fi.size() > 0) {
        if (!a.options.count("--force")) {
            return fail("Veritabanı zaten var: " + db + " (üzerine yazmak için --force)");
        }
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((db + suffix).c_str());
    }
    // A half-filled database would be refused by the next init-demo; nothing is left behind.
    try {
        openSqliteStorage(db, true);
        Database d(db, false);
        fillDemoData(d, std::uint64_t(seed), int(items));
        fillDemoStock(d, std::uint64_t(seed), int(items));
    } catch (...) {
        for (const char* suffix : {"", "-wal", "-shm"})
            std::remove((db + suffix).c_str());
        throw;
    }
    std::cout << "Demo veritabanı hazır: " << db << "\n";
    return 0;
}

int serve(const Args& a, const std::string& db) {
    long long port = 9090, threads = 4;
    if (a.options.count("--port") && !toInt(a.options.at("--port"), 0, 65535, port)) {
        return fail("--port 0 ile 65535 arasında olmalı");
    }
    if (a.options.count("--threads") && !toInt(a.options.at("--threads"), 1, 64, threads)) {
        return fail("--threads 1 ile 64 arasında olmalı");
    }
    const std::string listen = a.options.count("--listen") ? a.options.at("--listen") : "127.0.0.1";
    if (!QFileInfo::exists(QString::fromStdString(db))) {
        return fail("Veritabanı yok: " + db + " (önce init-demo)");
    }

    // The signals are taken by this thread alone, with sigwait below.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);

    auto storage = openSqliteStorage(db, false);
    Dispatcher dispatcher(*storage);
    registerMethods(dispatcher);
    WebHostConfig web;
    if (a.options.count("--update-file"))
        web.updateFile = a.options.at("--update-file");
    web.picture =
        [&storage](long long stokno) -> std::optional<std::pair<std::string, std::string>> {
        const auto group = storage->pictureGroup(stokno);
        if (!group)
            return std::nullopt;
        const Picture pic = drawStockPicture(stokno, *group);
        return std::make_pair(pic.bytes.toStdString(), pic.contentType.toStdString());
    };
    HttpServer server(dispatcher, web, listen, static_cast<unsigned short>(port));
    server.start(int(threads));
    std::cout << "listening on " << listen << ":" << server.port() << std::endl;

    int sig = 0;
    sigwait(&set, &sig);
    server.stop();
    std::cerr << "Sunucu durduruldu" << std::endl;
    return 0;
}

// One line per order (number, time, account, status, delivery, cargo type, company, giver),
// its note indented below it with its line breaks kept, then one line per order line.
void printOrders(const std::vector<OrderSummary>& orders) {
    for (const OrderSummary& o : orders) {
        std::cout << "#" << o.sirano << '\t' << o.zaman.toStdString() << '\t' << o.carino << '\t'
                  << o.durum.toStdString() << '\t' << o.teslim.toStdString() << '\t'
                  << o.kargoTuru.toStdString() << '\t' << o.kargoFirma.toStdString() << '\t'
                  << "veren " << o.verenid << '\n';
        if (!o.aciklama.isEmpty()) {
            QString note = o.aciklama;
            note.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            note.replace(QLatin1Char('\n'), QStringLiteral("\n    "));
            std::cout << "  Açıklama: " << note.toStdString() << '\n';
        }
        for (const OrderLineSummary& l : o.satirlar) {
            std::cout << "  " << l.sirano << '\t' << l.barkod.toStdString() << '\t'
                      << l.stokadi.toStdString() << '\t' << l.miktar << '\t'
                      << QString::number(double(l.birimFiyatKr) / 100, 'f', 2).toStdString() << '\t'
                      << "%" << QString::number(l.indirimOnbinde / 100.0).toStdString() << '\t'
                      << QString::number(double(l.netTutarKr) / 100, 'f', 2).toStdString() << '\n';
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const auto args = parse(argc, argv);
    if (!args)
        return usage();
    const Args& a = *args;
    static const char* const kCommands[] = {
        "init-demo",          "serve",      "list-users", "register-workstation",
        "set-client-version", "set-active", "outbox",     "orders",
        "set-rates"};
    if (std::find(std::begin(kCommands), std::end(kCommands), a.command) == std::end(kCommands) ||
        !a.options.count("--db")) {
        return usage();
    }
    const std::string db = a.options.at("--db");

    try {
        if (a.command == "init-demo")
            return initDemo(a, db);
        if (a.command == "serve")
            return serve(a, db);

        if (!QFileInfo::exists(QString::fromStdString(db)))
            return fail("Veritabanı yok: " + db);
        auto storage = openSqliteStorage(db, false);
        if (a.command == "list-users") {
            for (const UserRow& u : storage->users()) {
                std::cout << u.adi.toStdString() << '\t' << u.musteriTipi << '\t' << u.carino
                          << '\t' << u.aktif << '\n';
            }
            return 0;
        }
        if (a.command == "register-workstation") {
            if (!a.options.count("--id") || !a.options.count("--user"))
                return usage();
            storage->registerWorkstation(QString::fromStdString(a.options.at("--id")),
                                         QString::fromStdString(a.options.at("--user")));
            std::cout << "İstasyon " << a.options.at("--id") << " -> " << a.options.at("--user")
                      << "\n";
            return 0;
        }
        if (a.command == "set-client-version") {
            long long v = 0;
            if (a.positional.size() != 1 || !toInt(a.positional[0], 1, 1000000, v))
                return usage();
            storage->setExpectedClientVersion(int(v));
            return 0;
        }
        if (a.command == "set-rates") {
            // Rates in TL with a point for the decimals, e.g. set-rates 42.35 49.1.
            Storage::ExchangeRates r;
            bool okUsd = false, okEur = false;
            if (a.positional.size() == 2) {
                r.usd = QString::fromStdString(a.positional[0]).toDouble(&okUsd);
                r.eur = QString::fromStdString(a.positional[1]).toDouble(&okEur);
            }
            if (!okUsd || !okEur || !(r.usd > 0 && r.usd < 1e6) || !(r.eur > 0 && r.eur < 1e6))
                return usage();
            storage->setExchangeRates(r);
            return 0;
        }
        if (a.command == "set-active") {
            if (!a.options.count("--user") || a.positional.size() != 1 ||
                (a.positional[0] != "0" && a.positional[0] != "1")) {
                return usage();
            }
            storage->setActive(QString::fromStdString(a.options.at("--user")),
                               a.positional[0] == "1");
            return 0;
        }
        if (a.command == "outbox") {
            for (const MailRow& m : storage->outbox()) {
                std::cout << "#" << m.id << '\t' << m.zaman.toStdString() << '\t'
                          << m.tur.toStdString() << '\t' << m.kimlik.toStdString() << '\t'
                          << m.baslik.toStdString() << '\n';
                for (const auto& [k, v] : m.alanlar) {
                    std::cout << "  " << k.toStdString() << ": " << v.toStdString() << '\n';
                }
            }
            return 0;
        }
        if (a.command == "orders") {
            printOrders(storage->orders());
            return 0;
        }
        return usage();
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
