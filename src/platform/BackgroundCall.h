// Work off the UI thread: a function runs on the shared thread pool and, when it has finished,
// a continuation runs on the UI thread, unless the window it was started for is gone by then.
// An exception of the work reaches the application's error report on the UI thread after
// the continuation (also when the continuation was dropped: a failure is never lost).
#pragma once

#include <QObject>
#include <QString>
#include <exception>
#include <functional>

namespace kv::platform {

// `context` is the window the continuation works on; nullptr when it needs none (the
// continuation then always runs).
void runInBackground(QObject* context, std::function<void()> work,
                     std::function<void()> continuation);

// Runs f on the UI thread and waits for it; runs it at once when already there. An exception
// of f is raised again in the caller's thread.
void runOnUiThread(const std::function<void()>& f);
bool onUiThread();

// The application's report of an error that nothing else caught: an error box with its text
// by default; tests may install their own. Shown on the UI thread from whichever thread.
using ErrorReport = std::function<void(const QString& message)>;
ErrorReport setErrorReport(ErrorReport report);
void reportError(const QString& message);
// The text of an exception for the report.
QString errorText(const std::exception_ptr& error);
void reportError(const std::exception_ptr& error);

}  // namespace kv::platform
