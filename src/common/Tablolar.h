// Helpers over in-memory tables and money amounts.
#pragma once

#include "platform/MemTable.h"

namespace kv::common {

// The table is open and holds at least one row.
bool TabloDolu(const platform::MemTable& tablo);

// Whether a row has "SEC" equal to 1; walks from the first row and leaves the cursor on the
// first such row (or past the end).
bool SeciliVar(platform::MemTable& tablo);

// A named field of a row: as a number (0 for a field the table lacks or a null cell), or as
// the text the grid shows (empty for a field the table lacks).
double AlanSayi(const platform::MemTable& tablo, int row, QStringView alan);
QString AlanYazi(const platform::MemTable& tablo, int row, QStringView alan);

// Gives every plain floating-point column (not currency) the money format "#,###,##0.00".
void ParaBicimi(platform::MemTable& tablo);

// The rounding of every money step: formatted with "#,###,##.00", the locale's group
// separators removed, read back with the locale; leaves two decimals.
double Yuvarla(double tutar);

inline constexpr const char* kParaBicimi = "#,###,##0.00";

}  // namespace kv::common
