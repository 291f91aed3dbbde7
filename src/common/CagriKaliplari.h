// The three ways a window calls the server: in the background with the tab's wait image, in
// place on a clone of the main connection, and in place on the main connection itself.
#pragma once

#include <QPointer>
#include <functional>
#include <memory>

#include "common/BaglantiKur.h"
#include "remote/ServerConnection.h"

class QLabel;
class QWidget;

namespace kv::platform {
class DetachableModel;
}

namespace kv::common {

struct ArkaPlanYukleme {
    // The window that owns the wait image, the grid and its model: the continuation is
    // dropped once it is gone (the grid stands in for it when it is not given).
    QObject* pencere = nullptr;
    QLabel* bekleResmi = nullptr;                // the tab's wait image, shown and started
    QWidget* grid = nullptr;                     // disabled while loading
    platform::DetachableModel* model = nullptr;  // detached while the worker fills its table
    // Guarded loads turn any error of the work into the connection message; unguarded ones
    // let it reach the application's error report.
    bool korumali = true;
};

// Starts a background load: `is` runs on a worker with an opened clone of `ana` (the proxy
// work and the copy into the tab's table); `devam` runs on the UI thread afterwards, after
// the grid is bound and enabled again and before the connection message, if any.
void arkaPlandaYukle(const ArkaPlanYukleme& y, const remote::ServerConnection& ana,
                     std::function<void(remote::ServerConnection&)> is,
                     std::function<void()> devam = {});

// In place on a clone: opens it (with the connection message on failure), runs `is`, closes
// it. An exception of `is` goes to the application's error report, as an unhandled error of
// a user action would. Returns true when `is` ran to its end. Usable on a worker thread.
bool klondaCagir(const remote::ServerConnection& ana,
                 const std::function<void(remote::ServerConnection&)>& is);

// In place on the main connection: opens it (with the connection message on failure), runs
// `is`, closes it afterwards whatever happened; errors of `is` as in klondaCagir.
bool anaBaglantidaCagir(remote::ServerConnection& ana,
                        const std::function<void(remote::ServerConnection&)>& is);

}  // namespace kv::common
