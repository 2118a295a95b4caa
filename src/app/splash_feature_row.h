// One feature of the start window: a tinted icon beside a title and a short
// description.
#ifndef KESTRIX_APP_SPLASH_FEATURE_ROW_H
#define KESTRIX_APP_SPLASH_FEATURE_ROW_H

#include "splash_icons.h"

#include <QWidget>

namespace kestrix {

class SplashFeatureRow : public QWidget {
    Q_OBJECT
public:
    SplashFeatureRow(SplashIcon icon, const QColor &tint, const QString &title, const QString &description,
                     QWidget *parent = nullptr);
};

} // namespace kestrix

#endif
