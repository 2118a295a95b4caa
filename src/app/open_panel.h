// The modal file chooser for session files.
#ifndef KESTRIX_APP_OPEN_PANEL_H
#define KESTRIX_APP_OPEN_PANEL_H

#include <QStringList>

class QWidget;

namespace kestrix {

// The .ptx files the user chose, in the order chosen; empty when cancelled.
QStringList chooseSessionFiles(QWidget *parent);

} // namespace kestrix

#endif
