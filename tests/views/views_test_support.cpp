#include "views_test_support.h"

#include "row_list_view.h"
#include "track_list_model.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace viewstest {

using namespace kestrix;

PTXClipInfo clip(std::string name, int64_t sourceFile, uint64_t position, uint64_t length)
{
    PTXClipInfo c;
    c.id = name;
    c.name = std::move(name);
    c.sourceFileIndex = sourceFile;
    c.timelinePosition = position;
    c.sampleLength = length;
    return c;
}

PTXTrackInfo track(std::string name, std::vector<PTXClipInfo> clips, std::optional<std::string> parent,
                   PTXTrackType type)
{
    PTXTrackInfo t;
    t.name = std::move(name);
    t.clips = std::move(clips);
    t.depth = parent ? 1 : 0;
    t.parentName = std::move(parent);
    t.type = type;
    t.format.name = "Mono";
    return t;
}

PTXTrackInfo folder(std::string name, std::optional<std::string> parent)
{
    PTXTrackInfo t = track(std::move(name), {}, std::move(parent), PTXTrackType::folder);
    t.isFolder = true;
    return t;
}

std::vector<PTXTrackInfo> lanes(int count, uint64_t position, uint64_t length)
{
    std::vector<PTXTrackInfo> tracks;
    for (int i = 0; i < count; ++i)
        tracks.push_back(track("T" + std::to_string(i), {clip("c" + std::to_string(i), -1, position, length)}));
    return tracks;
}

PTXAudioFile audioFile(std::string name, std::string path, std::string typeTag)
{
    return {std::move(name), std::move(path), std::move(typeTag), false};
}

OverviewData overviewData(PTXSessionInfo session, AudioFileStatus files)
{
    return OverviewData::make(std::make_shared<const PTXSessionInfo>(std::move(session)), std::move(files));
}

namespace {

void sendMouseAt(QWidget &widget, QEvent::Type type, QPointF local, QPointF global, Qt::KeyboardModifiers modifiers,
                 Qt::MouseButton button)
{
    const Qt::MouseButton changed = type == QEvent::MouseMove ? Qt::NoButton : button;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, global, changed, held, modifiers);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

void sendMouse(QWidget &widget, QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers,
               Qt::MouseButton button)
{
    sendMouseAt(widget, type, at, widget.mapToGlobal(at), modifiers, button);
}

void click(QWidget &widget, QPointF at, Qt::KeyboardModifiers modifiers)
{
    sendMouse(widget, QEvent::MouseButtonPress, at, modifiers);
    sendMouse(widget, QEvent::MouseButtonRelease, at, modifiers);
}

void doubleClick(QWidget &widget, QPointF at)
{
    click(widget, at);
    sendMouse(widget, QEvent::MouseButtonDblClick, at);
    sendMouse(widget, QEvent::MouseButtonRelease, at);
}

void drag(QWidget &widget, QPointF from, QPointF to, Qt::KeyboardModifiers modifiers)
{
    // The pointer moves on the screen: a widget that moves while dragged
    // (a handle) sees the later points shifted, as it would under a mouse.
    const QPointF origin = widget.mapToGlobal(QPointF(0, 0));
    const auto send = [&](QEvent::Type type, QPointF at) {
        const QPointF global = origin + at;
        sendMouseAt(widget, type, widget.mapFromGlobal(global), global, modifiers, Qt::LeftButton);
    };
    send(QEvent::MouseButtonPress, from);
    send(QEvent::MouseMove, (from + to) / 2);
    send(QEvent::MouseMove, to);
    send(QEvent::MouseButtonRelease, to);
}

Window::Window(const QString &path, QRect frame)
    : view(new PTXDetailView(path))
{
    window.setCentralWidget(view);
    window.setGeometry(frame);
    window.show();
    EXPECT_TRUE(waitUntil([this] { return !view->isLoading(); }, 10000));
}

void Window::activate()
{
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

void clickRow(RowListView *list, int row, Qt::KeyboardModifiers modifiers)
{
    sendMouse(*list, QEvent::MouseButtonPress, QPointF(80, list->rowRect(row).center().y()), modifiers);
}

QStringList contextMenu(RowListView *list, int row, std::optional<int> choose)
{
    QStringList items;
    QTimer::singleShot(0, [&items, choose] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions())
                items << action->text();
            if (choose)
                menu->actions().at(*choose < 0 ? menu->actions().size() + *choose : *choose)->trigger();
            menu->close();
        }
    });
    const QPoint at(80, list->rowRect(row).center().y());
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->mapToGlobal(at));
    QApplication::sendEvent(list, &event);
    return items;
}

int rowOfTrack(const TrackListModel &model, const std::string &name)
{
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.rowAt(row).kind == TrackListRow::Kind::track && model.trackAt(row).name == name)
            return row;
    return -1;
}

bool showsLabel(const QWidget &widget, const QString &text)
{
    for (const QLabel *label : widget.findChildren<QLabel *>())
        if (label->isVisibleTo(&widget) && label->text() == text)
            return true;
    return false;
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

} // namespace viewstest

void kestrix::PrintTo(const SelectableItem &item, std::ostream *out)
{
    static const char *const kinds[] = {"trackClip", "track", "audioFile", "clip"};
    *out << kinds[int(item.kind.kind)];
    if (!item.kind.trackName.empty())
        *out << "(" << item.kind.trackName << ")";
    *out << " \"" << item.id << '"';
}

void kestrix::PrintTo(const ClipKey &key, std::ostream *out)
{
    *out << '"' << key.trackName.toStdString() << "\" #" << key.placement;
}
