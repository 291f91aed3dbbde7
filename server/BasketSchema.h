// The schema step of baskets, orders and the shipping choices, with the delivery modes, cargo
// types and cargo companies the distributor works with.
//
// Money is kept in whole kuruş (columns ending in _kr) and rates in hundredths of a percent
// (columns ending in _onbinde: 12,5 % is 1250), so that every amount is exact and computed
// once, when the line is written (BasketStore.cpp).
#pragma once

namespace kv::server {

inline constexpr const char kBasketSchema[] = R"sql(
CREATE TABLE teslim_turleri (
  id INTEGER PRIMARY KEY,
  adi TEXT NOT NULL,
  sira INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE kargo_turleri (
  id INTEGER PRIMARY KEY,
  adi TEXT NOT NULL,
  sira INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE kargo_firmalari (
  sirano INTEGER PRIMARY KEY,
  tur INTEGER NOT NULL REFERENCES kargo_turleri(id),
  adi TEXT NOT NULL,
  uyari TEXT NOT NULL DEFAULT '',
  sira INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX kargo_firmalari_tur ON kargo_firmalari(tur, sira, sirano);

-- Basket lines per account. AUTOINCREMENT: a number is never given twice, so a line keeps
-- its number when it moves into an order and a client holding an old number cannot reach
-- a newer line.
CREATE TABLE sepet (
  sirano INTEGER PRIMARY KEY AUTOINCREMENT,
  carino INTEGER NOT NULL REFERENCES cariler(carino),
  stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
  barkod TEXT NOT NULL,
  stokadi TEXT NOT NULL,
  miktar REAL NOT NULL CHECK (miktar > 0),
  birimfiyat_kr INTEGER NOT NULL CHECK (birimfiyat_kr >= 0),
  indirim1_onbinde INTEGER NOT NULL CHECK (indirim1_onbinde BETWEEN 0 AND 10000),
  indirim2_onbinde INTEGER NOT NULL DEFAULT 0,
  indirim3_onbinde INTEGER NOT NULL DEFAULT 0,
  kdv_onbinde INTEGER NOT NULL CHECK (kdv_onbinde BETWEEN 0 AND 10000),
  tutar_kr INTEGER NOT NULL,
  indirimtutar_kr INTEGER NOT NULL,
  netbirimfiyat_kr INTEGER NOT NULL,
  nettutar_kr INTEGER NOT NULL,
  vergitutari_kr INTEGER NOT NULL,
  kampanya INTEGER NOT NULL DEFAULT 0,
  sec INTEGER NOT NULL DEFAULT 1 CHECK (sec IN (0, 1)),
  verenid INTEGER NOT NULL DEFAULT 0,
  verensatici INTEGER NOT NULL DEFAULT 0,
  aciklama TEXT NOT NULL DEFAULT '',
  zaman TEXT NOT NULL
);
CREATE INDEX sepet_cari ON sepet(carino, sec);

-- Basket lines that were deleted, with the description the client sent.
CREATE TABLE sepet_silinenler (
  id INTEGER PRIMARY KEY,
  carino INTEGER NOT NULL,
  sepetsirano INTEGER NOT NULL,
  stokno INTEGER NOT NULL,
  miktar REAL NOT NULL,
  aciklama TEXT NOT NULL,
  silen INTEGER NOT NULL DEFAULT 0,
  zaman TEXT NOT NULL
);

CREATE TABLE siparisler (
  sirano INTEGER PRIMARY KEY AUTOINCREMENT,
  carino INTEGER NOT NULL REFERENCES cariler(carino),
  verenid INTEGER NOT NULL DEFAULT 0,
  teslimid INTEGER NOT NULL REFERENCES teslim_turleri(id),
  kargoturid INTEGER NOT NULL REFERENCES kargo_turleri(id),
  kargofirmaid INTEGER NOT NULL REFERENCES kargo_firmalari(sirano),
  aciklama TEXT NOT NULL DEFAULT '',
  alan_notu TEXT NOT NULL DEFAULT '',
  satici_notu TEXT NOT NULL DEFAULT '',
  durum TEXT NOT NULL,
  kur TEXT NOT NULL DEFAULT 'TL',
  kurtl REAL NOT NULL DEFAULT 1,
  zaman TEXT NOT NULL
);
CREATE INDEX siparisler_cari ON siparisler(carino, sirano);
CREATE TABLE siparis_durumlari (
  id INTEGER PRIMARY KEY,
  siparisno INTEGER NOT NULL REFERENCES siparisler(sirano),
  durum TEXT NOT NULL,
  zaman TEXT NOT NULL
);
CREATE INDEX siparis_durumlari_siparis ON siparis_durumlari(siparisno);

-- Order lines keep the number they had in the basket: a basket line is ordered at most once.
-- bakiye is the quantity still open (not yet delivered).
CREATE TABLE siparis_satirlari (
  sirano INTEGER PRIMARY KEY,
  siparisno INTEGER NOT NULL REFERENCES siparisler(sirano),
  stokno INTEGER NOT NULL REFERENCES stoklar(stokno),
  barkod TEXT NOT NULL,
  stokadi TEXT NOT NULL,
  miktar REAL NOT NULL,
  bakiye REAL NOT NULL,
  birimfiyat_kr INTEGER NOT NULL,
  indirim1_onbinde INTEGER NOT NULL,
  indirim2_onbinde INTEGER NOT NULL,
  indirim3_onbinde INTEGER NOT NULL,
  kdv_onbinde INTEGER NOT NULL,
  tutar_kr INTEGER NOT NULL,
  indirimtutar_kr INTEGER NOT NULL,
  netbirimfiyat_kr INTEGER NOT NULL,
  nettutar_kr INTEGER NOT NULL,
  vergitutari_kr INTEGER NOT NULL,
  kampanya INTEGER NOT NULL,
  verenid INTEGER NOT NULL,
  verensatici INTEGER NOT NULL,
  aciklama TEXT NOT NULL,
  zaman TEXT NOT NULL
);
CREATE INDEX siparis_satirlari_siparis ON siparis_satirlari(siparisno);

INSERT INTO teslim_turleri (id, adi, sira) VALUES
  (1, 'Gel Al', 1),
  (2, 'Kargo ile', 2),
  (3, 'Servis Aracı', 3);
INSERT INTO kargo_turleri (id, adi, sira) VALUES
  (1, 'Alıcı Ödemeli', 1),
  (2, 'Gönderici Ödemeli', 2),
  (3, 'Anlaşmalı Kargo', 3),
  (4, 'Ambar', 4);
INSERT INTO kargo_firmalari (sirano, tur, adi, uyari, sira) VALUES
  (101, 1, 'YURTİÇİ KARGO', 'Kargo ücreti teslimatta alıcıdan tahsil edilir.', 1),
  (102, 1, 'ARAS KARGO', 'Saat 16:00''ya kadar verilen siparişler aynı gün çıkar.', 2),
  (103, 1, 'MNG KARGO', 'Desi hesabı kargo şubesinde yapılır.', 3),
  (104, 1, 'SÜRAT KARGO', '', 4),
  (201, 2, 'YURTİÇİ KARGO', 'Kargo ücreti faturanıza eklenir.', 1),
  (202, 2, 'ARAS KARGO', 'Kargo ücreti faturanıza eklenir.', 2),
  (203, 2, 'PTT KARGO', 'Köy ve mahalle teslimatları için önerilir.', 3),
  (301, 3, 'YURTİÇİ KARGO', 'Anlaşmalı gönderi: 30 desiye kadar ücretsiz.', 1),
  (302, 3, 'YURTİÇİ KARGO', 'Ostim şubesinden çıkar; 30 desi üstü ücretlidir.', 2),
  (303, 3, 'MNG KARGO', 'Anlaşmalı gönderi: 20 desiye kadar ücretsiz.', 3),
  (304, 3, 'HOROZ LOJİSTİK', 'Ağır ve hacimli parçalar (şanzıman, motor bloğu) için.', 4),
  (401, 4, 'ÖZ EGE AMBARI', 'Ege bölgesi; ertesi gün teslim.', 1),
  (402, 4, 'KARADENİZ NAKLİYAT AMBARI', 'Karadeniz hattı; haftada üç sefer.', 2),
  (403, 4, 'DOĞU ANADOLU AMBARI', 'Erzurum, Van, Diyarbakır hattı; teslim 2-3 gün.', 3);
)sql";

}  // namespace kv::server
