// Work off the UI thread: a function runs on the shared thread pool and, when it has finished,
// a continuation runs on the UI thread, unless the window it was started for is gone by then.
// An exception of the work is shown by the application's error report after the continuation.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace kv::platform {

void runInBackground(QObject* context, std::function<void()> work,
                     std::function<void()> continuation);

// Runs f on the UI thread and waits for it; runs it at once when already there.
void runOnUiThread(const std::function<void()>& f);
bool onUiThread();

// The application's report of an error that nothing else caught: an error box with its text
// by default; tests may install their own.
using ErrorReport = std::function<void(const QString& message)>;
ErrorReport setErrorReport(ErrorReport report);
void reportError(const QString& message);

}  // namespace kv::platform
