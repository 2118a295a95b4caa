// Hand-built sessions and small helpers for driving the views.
#ifndef KESTRIX_TESTS_VIEWS_VIEWS_TEST_SUPPORT_H
#define KESTRIX_TESTS_VIEWS_VIEWS_TEST_SUPPORT_H

#include "clip_key.h"
#include "overview_data.h"
#include "ptx_detail_view.h"
#include "session_info.h"

#include <QEvent>
#include <QMainWindow>
#include <QRect>
#include <QPointF>
#include <QString>
#include <QStringList>

class QWidget;

namespace kestrix {
class RowListView;
class TrackListModel;
} // namespace kestrix

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace viewstest {

kestrix::PTXClipInfo clip(std::string name, int64_t sourceFile = -1, uint64_t position = 0, uint64_t length = 48000);
kestrix::PTXTrackInfo track(std::string name, std::vector<kestrix::PTXClipInfo> clips = {},
                            std::optional<std::string> parent = std::nullopt,
                            kestrix::PTXTrackType type = kestrix::PTXTrackType::audio);
kestrix::PTXTrackInfo folder(std::string name, std::optional<std::string> parent = std::nullopt);
// `count` tracks "T0", "T1", … each holding one clip.
std::vector<kestrix::PTXTrackInfo> lanes(int count, uint64_t position = 0, uint64_t length = 48000);
kestrix::PTXAudioFile audioFile(std::string name, std::string path = {}, std::string typeTag = "WAVE");

// The session's data as a window hands it to the overview.
kestrix::OverviewData overviewData(kestrix::PTXSessionInfo session, kestrix::AudioFileStatus files = {});

// A mouse event at a point of the widget. For a move, `button` is the one
// held (none for hovering).
void sendMouse(QWidget &widget, QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton);
// Press and release of the left button.
void click(QWidget &widget, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// A click, then the second press as a double click and its release.
void doubleClick(QWidget &widget, QPointF at);
// Press, a move half way and to the end, and release.
void drag(QWidget &widget, QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A file window as the application makes one: the detail view is its
// content. Waits for the session to load.
struct Window {
    QMainWindow window;
    kestrix::PTXDetailView *view;

    explicit Window(const QString &path, QRect frame = QRect(100, 100, 1000, 800));
    void activate();
};

// A plain click, or one with modifiers, in the middle of a list row.
void clickRow(kestrix::RowListView *list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Opens the row's context menu and returns its items; triggers the item at
// `choose` (from the end when negative) if given, and closes the menu.
QStringList contextMenu(kestrix::RowListView *list, int row, std::optional<int> choose = std::nullopt);
// The row of the named track in the track list, or -1.
int rowOfTrack(const kestrix::TrackListModel &model, const std::string &name);

// Whether a label showing `text` is visible in the widget.
bool showsLabel(const QWidget &widget, const QString &text);

// Processes events until the condition holds or the time is up.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 5000);

} // namespace viewstest

namespace kestrix {
void PrintTo(const SelectableItem &item, std::ostream *out);
void PrintTo(const ClipKey &key, std::ostream *out);
} // namespace kestrix

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

#endif
