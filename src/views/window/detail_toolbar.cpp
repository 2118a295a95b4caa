#include "detail_toolbar.h"

#include "toolbar_icons.h"

#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace kestrix {

namespace {

constexpr int kSearchFieldWidth = 240;

} // namespace

QString DetailToolbar::scopeTitle(SearchQuery::Scope scope)
{
    switch (scope) {
        case SearchQuery::Scope::all: return QStringLiteral("All");
        case SearchQuery::Scope::tracks: return QStringLiteral("Tracks");
        case SearchQuery::Scope::files: return QStringLiteral("Audio Files");
        case SearchQuery::Scope::clips: return QStringLiteral("Clips");
    }
    return {};
}

DetailToolbar::DetailToolbar(QWidget *parent)
    : QToolBar(parent)
    , searchField_(new QLineEdit)
    , scopeButton_(new QToolButton)
    , scopes_(new QActionGroup(this))
{
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const QColor iconColor = palette().color(QPalette::ButtonText);

    searchField_->setPlaceholderText(QStringLiteral("Search"));
    searchField_->setClearButtonEnabled(true);
    searchField_->addAction(magnifyingGlassIcon(iconColor), QLineEdit::LeadingPosition);
    searchField_->setFixedWidth(kSearchFieldWidth);
    connect(searchField_, &QLineEdit::textChanged, this, &DetailToolbar::searchTextChanged);
    addWidget(searchField_);

    auto *scopeMenu = new QMenu(scopeButton_);
    for (SearchQuery::Scope scope : kAllSearchScopes) {
        QAction *action = scopeMenu->addAction(scopeTitle(scope));
        action->setCheckable(true);
        action->setChecked(scope == scope_);
        scopes_->addAction(action);
        connect(action, &QAction::triggered, this, [this, scope] {
            setScope(scope);
            emit scopeChanged(scope);
        });
    }
    scopeButton_->setMenu(scopeMenu);
    scopeButton_->setPopupMode(QToolButton::InstantPopup);
    scopeButton_->setToolTip(QStringLiteral("Limit the search to a specific section"));
    scopeButton_->setText(scopeTitle(scope_));
    addWidget(scopeButton_);

    auto *spacer = new QWidget;
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(spacer);

    openWithProTools_ = addAction(openExternallyIcon(iconColor), QStringLiteral("Open with Pro Tools"));
    connect(openWithProTools_, &QAction::triggered, this, &DetailToolbar::openWithProToolsTriggered);
}

void DetailToolbar::setScope(SearchQuery::Scope scope)
{
    scope_ = scope;
    scopeButton_->setText(scopeTitle(scope));
    for (QAction *action : scopes_->actions())
        action->setChecked(action->text() == scopeTitle(scope));
}

void DetailToolbar::setProToolsAvailable(bool available)
{
    openWithProTools_->setEnabled(available);
    openWithProTools_->setToolTip(available ? QStringLiteral("Open this session in Pro Tools")
                                            : QStringLiteral("Pro Tools was not found. Set its application path in "
                                                             "the preference \"proToolsApplicationPath\"."));
}

} // namespace kestrix
