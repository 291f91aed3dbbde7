// Delivery and cargo choices of the basket's bottom panel: the delivery modes and cargo types
// as radio groups, the cargo companies of the chosen type in a drop-down list, and the chosen
// company's note.
#pragma once

#include <QWidget>

#include "platform/MemTable.h"
#include "remote/ServerConnection.h"

class QComboBox;
class QGroupBox;
class QLabel;

namespace kv::platform {
class RadioGroup;
}

namespace kv::basket {

class TeslimKargo : public QWidget {
    Q_OBJECT
  public:
    TeslimKargo(remote::ServerConnection* bagc, QWidget* parent = nullptr);

    // Refills both radio groups: the second delivery mode selected, no cargo type.
    void TeslimKargoDoldur();
    // Refills the company table and the list with the companies of a cargo type.
    void KargolariDoldur(int kargoTuru);

    // What an order takes from here. The delivery mode's and cargo type's identifiers are
    // meaningful only when one is selected.
    int teslimId() const;
    int kargoTuruId() const;
    // The SIRANO of the first company whose name equals the list's text; -1 when none does.
    int kargoFirmaSirano() const;

    platform::MemTable kargo;
    platform::RadioGroup* teslimbox;
    platform::RadioGroup* boxkargo;
    QGroupBox* kargoGrubu;
    QComboBox* kargocombo;
    QLabel* uyarikargo;

  private:
    void boxkargoClick();
    void kargocomboChange();
    int firmaSatiri() const;

    remote::ServerConnection* bagc_;
};

}  // namespace kv::basket
