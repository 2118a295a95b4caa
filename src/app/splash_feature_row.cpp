#include "splash_feature_row.h"

#include "text_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kestrix {

SplashFeatureRow::SplashFeatureRow(SplashIcon icon, const QColor &tint, const QString &title,
                                   const QString &description, QWidget *parent)
    : QWidget(parent)
{
    constexpr int kIconSize = 26;
    auto *iconLabel = new QLabel;
    iconLabel->setPixmap(splashPixmap(icon, tint, kIconSize, devicePixelRatioF()));
    iconLabel->setFixedSize(kIconSize, kIconSize);

    auto *titleLabel = new QLabel(title);
    titleLabel->setFont(scaledFont(font(), 1.0, true));
    auto *descriptionLabel = new QLabel(description);
    descriptionLabel->setWordWrap(true);
    descriptionLabel->setFont(scaledFont(font(), 0.9));
    descriptionLabel->setForegroundRole(QPalette::PlaceholderText);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(titleLabel);
    texts->addWidget(descriptionLabel);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(iconLabel, 0, Qt::AlignTop);
    layout->addLayout(texts, 1);
}

} // namespace kestrix
