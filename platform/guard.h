#pragma once
// Every handler is entered through guarded(): an error raised inside (database, file, report)
// rolls back an open transaction, shows the standard error box with the error's own text and
// skips the rest of the handler. No exception crosses into Qt.

#include <functional>

class QWidget;
class Db;

// Returns false when the handler was stopped by an error.
bool guarded(QWidget *parent, Db *db, const std::function<void()> &handler);
