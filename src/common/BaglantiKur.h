// Opening a connection with retries.
#pragma once

#include <functional>

#include "remote/ServerConnection.h"

namespace kv::common {

// Closes the connection, then tries to open it up to 11 times with a 500 ms pause after each
// failure (the last one too). When it stays closed and `mesaj` is set, shows the connection
// message as an error box (on the UI thread, also when called from a worker). Returns whether
// the connection is open. `basarisizlikta`, when given, is called after each failed attempt
// with the number of failures so far (before the pause).
bool BaglantiKur(remote::ServerConnection& baglanti, bool mesaj,
                 const std::function<void(int)>& basarisizlikta = {});

inline constexpr int kBaglantiDenemeSayisi = 11;
inline constexpr int kBaglantiBeklemeMs = 500;

}  // namespace kv::common
