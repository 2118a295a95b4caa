// The file window's toolbar: the search field with its scope menu, the
// output device menu and "Open with Pro Tools".
#ifndef KESTRIX_VIEWS_WINDOW_DETAIL_TOOLBAR_H
#define KESTRIX_VIEWS_WINDOW_DETAIL_TOOLBAR_H

#include "search_query.h"

#include <QToolBar>

class QActionGroup;
class QLineEdit;
class QToolButton;

namespace kestrix {

class DetailToolbar : public QToolBar {
    Q_OBJECT
public:
    explicit DetailToolbar(QWidget *parent = nullptr);

    QLineEdit *searchField() const { return searchField_; }
    QToolButton *scopeButton() const { return scopeButton_; }
    QAction *openWithProToolsAction() const { return openWithProTools_; }

    SearchQuery::Scope scope() const { return scope_; }
    void setScope(SearchQuery::Scope scope);
    // The application to open sessions with; none disables the item and says why.
    void setProToolsAvailable(bool available);

    // "All", "Tracks", "Audio Files", "Clips".
    static QString scopeTitle(SearchQuery::Scope scope);

signals:
    void searchTextChanged(const QString &text);
    void scopeChanged(kestrix::SearchQuery::Scope scope);
    void openWithProToolsTriggered();

private:
    QLineEdit *searchField_;
    QToolButton *scopeButton_;
    QActionGroup *scopes_;
    QAction *openWithProTools_;
    SearchQuery::Scope scope_ = SearchQuery::Scope::all;
};

} // namespace kestrix

#endif
