// Shows a pre-flight alert of the import core as a window-modal warning:
// its buttons in order, the last one (Cancel) also on Escape.
#ifndef KESTRIX_VIEWS_IMPORT_PREFLIGHT_ALERT_H
#define KESTRIX_VIEWS_IMPORT_PREFLIGHT_ALERT_H

#include "preflight.h"

#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

namespace kestrix {

// answered gets the index of the button chosen (closing the alert counts
// as the last button). The alert deletes itself once answered.
QMessageBox *showPreflightAlert(QWidget *parent, const import::Alert &alert, std::function<void(size_t)> answered);

// A window-modal alert with one OK button, deleted once closed.
QMessageBox *showImportMessage(QWidget *parent, const QString &title, const QString &text);

} // namespace kestrix

#endif
