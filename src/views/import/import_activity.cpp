#include "import_activity.h"

#include <QCoreApplication>

#include <atomic>

namespace kestrix {

namespace {

std::atomic<bool> &importRunning()
{
    static std::atomic<bool> running{false};
    return running;
}

} // namespace

bool ImportActivity::tryBegin()
{
    bool expected = false;
    return importRunning().compare_exchange_strong(expected, true);
}

void ImportActivity::end()
{
    importRunning().store(false);
}

bool ImportActivity::running()
{
    return importRunning().load();
}

QString importAlreadyRunningText()
{
    return QCoreApplication::translate("ImportActivity",
                                       "An import into Pro Tools is already running. Wait until it has finished, "
                                       "then try again.");
}

} // namespace kestrix
