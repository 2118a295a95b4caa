// The compare window: what changed from the session of a file window (the
// old version) to another file (the new one), as a list grouped by section
// and on a timeline with a legend. The other file is read and compared on a
// background thread. Choosing a row selects its track or clip in the file
// window it came from.
#ifndef KESTRIX_VIEWS_COMPARE_COMPARE_WINDOW_H
#define KESTRIX_VIEWS_COMPARE_COMPARE_WINDOW_H

#include "clip_key.h"
#include "session_info.h"

#include <QFutureWatcher>
#include <QString>
#include <QWidget>

class QLabel;
class QStackedWidget;
class QTreeWidget;

namespace kestrix {

class PTXDetailView;
class UniverseOverview;
struct ComparisonResult;

class CompareWindow : public QWidget {
    Q_OBJECT
public:
    CompareWindow(PTXSessionInfo oldSession, const QString &oldPath, const QString &newPath, QWidget *parent = nullptr);
    ~CompareWindow() override;

    // Opens a window comparing the view's session with the file, its rows
    // selecting in the view. Null when the view has no session to compare.
    static CompareWindow *openFor(PTXDetailView *view, const QString &newPath);

    // Until the result is shown.
    bool isComparing() const { return comparing_; }
    // Why the comparison failed; empty otherwise.
    const QString &errorText() const { return errorText_; }
    QTreeWidget *differenceList() const { return list_; }
    UniverseOverview *timeline() const { return timeline_; }
    QLabel *summary() const { return summary_; }

signals:
    // A row that points into the old session was chosen.
    void targetChosen(const kestrix::ClipKey &key);
    void comparisonFinished();

private:
    void showResult(const ComparisonResult &result);
    void rowChosen();

    bool comparing_ = true;
    QString errorText_;
    QFutureWatcher<ComparisonResult> *watcher_;
    QLabel *summary_;
    QStackedWidget *pages_;
    QLabel *message_;
    QTreeWidget *list_;
    UniverseOverview *timeline_;
};

} // namespace kestrix

#endif
