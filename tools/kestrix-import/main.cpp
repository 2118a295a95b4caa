// kestrix-import: imports tracks (with their clips), clips or audio files
// of a session file into the session open in Pro Tools. Exit status: 0
// complete, 1 failed or completed with warnings, 2 usage, unknown name or
// unreadable session, 3 stopped at a pre-flight alert, 4 Pro Tools not
// ready (no connection, too old, no session).
#include "import_core.h"
#include "import_selection.h"
#include "ptsl.h"
#include "ptsl_settings.h"
#include "session_loader.h"

#include "command_line.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>

namespace {

using namespace kestrix;
using namespace kestrix::import;

enum Exit { kComplete = 0, kFailed = 1, kUsage = 2, kStoppedAtAlert = 3, kNotReady = 4 };

struct Options {
    std::string session;
    std::vector<std::string> tracks, clips, files;
    bool allTracks = false, link = false, copy = false;
    bool rename = false, keepNames = false, continueIfNamesExist = false;
    std::string transcriptPath, reportPath, address = "localhost:31416";
};

int fail(int status, const std::string &message)
{
    std::fprintf(stderr, "kestrix-import: %s\n", message.c_str());
    return status;
}

void showAlert(const Alert &alert)
{
    std::fprintf(stderr, "%s\n%s\n", alert.title.c_str(), alert.text.c_str());
}

bool writeFile(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out.flush());
}

std::optional<std::string> take(char *text)
{
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    return text ? std::optional<std::string>(text) : std::nullopt;
}

// What one kind of import needs: the items' report lines, the names and
// paths pre-flight looks at, and the run itself.
struct Plan {
    const char *context = "";
    std::vector<std::string> trackLines, clipLines, fileLines;
    std::vector<std::string> trackNames, clipNames, filePaths;
    bool clipNamesMatter = true;  // audio files run no pre-flight
    std::function<ImportOutcome(const ImportOptions &, const ProgressCallback &)> run;
};

std::optional<Plan> planImport(const Options &o, const PTXSessionInfo &session, const AudioFileResolution &files,
                               const SampleRateScale &scale, bool rename, std::string &unknown)
{
    Plan plan;
    if (o.allTracks || !o.tracks.empty()) {
        const Selection<PTXTrackInfo> chosen = selectTracks(session, o.tracks, o.allTracks);
        if (chosen.unknownName) {
            unknown = "no track named '" + *chosen.unknownName + "'";
            return std::nullopt;
        }
        std::set<std::string> names;
        for (const PTXTrackInfo *track : chosen.items)
            names.insert(track->name);
        const ClipFileLookup lookup(session, files);
        auto arguments = std::make_shared<std::vector<TrackArguments>>();
        arguments->reserve(chosen.items.size());
        for (const PTXTrackInfo *track : chosen.items) {
            arguments->push_back(trackArguments(*track, lookup, names, scale, rename));
            plan.trackNames.push_back(track->name);
            plan.trackLines.push_back(track->name + " (" + arguments->back().type + ", " + arguments->back().format +
                                      ", " + std::to_string(arguments->back().clips.size()) + " clip(s))");
            for (const ClipArgument &clip : arguments->back().clips)
                plan.clipNames.push_back(clip.name);
        }
        plan.filePaths = lookup.filePaths(chosen.items);
        plan.context = "Import Tracks";
        plan.run = [arguments](const ImportOptions &options, const ProgressCallback &progress) {
            return runTracksImport(*arguments, options, progress, nullptr);
        };
    } else if (!o.clips.empty()) {
        const std::vector<PTXClipGroup> groups = groupClips(session.clips);
        const Selection<PTXClipGroup> chosen = selectClips(groups, o.clips);
        if (chosen.unknownName) {
            unknown = "no clip named '" + *chosen.unknownName + "'";
            return std::nullopt;
        }
        auto records = std::make_shared<std::vector<ClipArgument>>();
        for (const PTXClipGroup *group : chosen.items) {
            for (ClipArgument &record : clipGroupRecords(*group, session, files, scale, rename)) {
                plan.clipNames.push_back(record.name);
                plan.filePaths.push_back(*record.path);
                records->push_back(std::move(record));
            }
            plan.clipLines.push_back(group->baseName);
        }
        plan.context = "Import Clips";
        plan.run = [records](const ImportOptions &options, const ProgressCallback &progress) {
            return runClipsImport(*records, options, progress);
        };
    } else {
        const std::vector<PTXAudioFileGroup> groups = groupAudioFiles(session.audioFiles);
        const Selection<PTXAudioFileGroup> chosen = selectFiles(groups, o.files);
        if (chosen.unknownName) {
            unknown = "no audio file named '" + *chosen.unknownName + "'";
            return std::nullopt;
        }
        auto paths = std::make_shared<std::vector<std::string>>();
        for (const PTXAudioFileGroup *group : chosen.items) {
            for (const std::string &path : audioFileGroupPaths(*group, files))
                paths->push_back(path);
            plan.fileLines.push_back(group->baseName);
        }
        plan.context = "Import Audio Files";
        plan.clipNamesMatter = false;
        plan.run = [paths](const ImportOptions &options, const ProgressCallback &progress) {
            return runAudioImport(*paths, options, progress);
        };
    }
    return plan;
}

int runImport(const Options &o)
{
    auto loaded = loadSession(o.session);
    if (!loaded)
        return fail(kUsage, "cannot read '" + o.session + "': " + loaded.error().description());
    const PTXSessionInfo &session = loaded.value();
    const AudioFileResolution files = resolveSessionAudioFiles(session.audioFiles, o.session);

    // Unknown names are usage errors, found before Pro Tools is asked.
    std::string unknown;
    if (!planImport(o, session, files, {}, false, unknown))
        return fail(kUsage, unknown);

    ptsl::setServerAddress(o.address);
    const ConnectionCheck check = checkConnection();
    if (check.state != ConnectionState::ready) {
        const StateView view = connectionStateView(check);
        std::fprintf(stderr, "%s%s%s\n", view.title.c_str(), view.title.empty() ? "" : "\n", view.text.c_str());
        return kNotReady;
    }
    const SampleRateScale scale{check.proToolsSampleRate, sourceSampleRate(session)};
    const MediaOptions media = mediaOptions(scale);
    if (o.link && !media.linkAvailable)
        return fail(kUsage, "--link is not possible: the session is at " + std::to_string(scale.sourceRate) +
                                " Hz and Pro Tools at " + std::to_string(scale.proToolsRate) +
                                " Hz, so the media must be copied and converted");

    bool rename = false;
    Plan plan = *planImport(o, session, files, scale, false, unknown);
    if (plan.clipNamesMatter) {
        if (const std::optional<Alert> alert = channelViewAlert(plan.clipNames)) {
            if (!o.rename && !o.keepNames) {
                showAlert(*alert);
                return kStoppedAtAlert;
            }
            rename = o.rename;
        }
        if (rename)
            plan = *planImport(o, session, files, scale, true, unknown);
        const ExistingNames existing = queryExistingNames();
        if (const std::optional<Alert> alert = namesExistAlert(plan.trackNames, plan.clipNames, plan.filePaths, existing)) {
            if (!o.continueIfNamesExist) {
                showAlert(*alert);
                return kStoppedAtAlert;
            }
        }
    }

    const ImportOutcome outcome = plan.run(ImportOptions{media.convert, o.link}, [](const std::string &line) {
        std::fprintf(stderr, "%s\n", line.c_str());
    });

    ReportInput report{plan.context, o.session, &session, take(ptsl_get_session_info_text()), true,
                       plan.trackLines, plan.fileLines, plan.clipLines, &outcome, std::time(nullptr)};
    const std::string reportText = importReport(report);
    std::printf("%s\n%s", outcomeTitle(outcome).c_str(), reportText.c_str());
    if (!outcome.errors.empty())
        for (const std::string &error : outcome.errors)
            std::fprintf(stderr, "%s\n", error.c_str());
    if (!o.transcriptPath.empty() && !writeFile(o.transcriptPath, outcome.transcript))
        return fail(kFailed, "cannot write the transcript to '" + o.transcriptPath + "'");
    if (!o.reportPath.empty() && !writeFile(o.reportPath, reportText))
        return fail(kFailed, "cannot write the report to '" + o.reportPath + "'");
    return outcome.failed || !outcome.errors.empty() ? kFailed : kComplete;
}

} // namespace

int main(int argc, char **argv)
{
    CLI::App app{"Imports tracks, clips or audio files of a Pro Tools session file into the session open in "
                 "Pro Tools.",
                 "kestrix-import"};
    app.set_version_flag("--version", "kestrix-import " KESTRIX_VERSION);
    Options o;
    app.add_option("SESSION.ptx", o.session, "the session file to import from")->required();
    auto *track = app.add_option("--track", o.tracks, "a track by name, with its clips (repeatable)");
    auto *all = app.add_flag("--all-tracks", o.allTracks, "every track of the session");
    auto *clip = app.add_option("--clip", o.clips, "a clip-list row by its shown name (repeatable)");
    auto *file = app.add_option("--file", o.files, "an audio-file row by its shown name (repeatable)");
    track->excludes(clip)->excludes(file);
    all->excludes(clip)->excludes(file)->excludes(track);
    clip->excludes(file);
    auto *link = app.add_flag("--link", o.link, "link to the source media");
    auto *copy = app.add_flag("--copy", o.copy, "copy the source media (the default)");
    link->excludes(copy);
    auto *rename = app.add_flag("--rename-channel-views", o.rename, "rename clip names ending in \".A1\"");
    auto *keep = app.add_flag("--keep-channel-view-names", o.keepNames, "import such names unchanged");
    rename->excludes(keep);
    app.add_flag("--continue-if-names-exist", o.continueIfNamesExist, "import even when names exist in Pro Tools");
    app.add_option("--transcript", o.transcriptPath, "write the PTSL transcript to FILE");
    app.add_option("--report", o.reportPath, "write the import report to FILE");
    app.add_option("--address", o.address, "Pro Tools' PTSL address (default localhost:31416)");
    if (const std::optional<int> status = kestrix::cli::parse(app, argc, argv))
        return *status;
    if (!o.allTracks && o.tracks.empty() && o.clips.empty() && o.files.empty())
        return kestrix::cli::usageError(app, "choose what to import: --track, --all-tracks, --clip or --file");
    return runImport(o);
}
