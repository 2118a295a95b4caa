#include "open_panel.h"

#include <QFileDialog>

namespace kestrix {

QStringList chooseSessionFiles(QWidget *parent)
{
    return QFileDialog::getOpenFileNames(parent, QObject::tr("Open"), QString(),
                                         QObject::tr("Pro Tools Sessions (*.ptx)"));
}

} // namespace kestrix
