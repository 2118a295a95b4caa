#include "import_dialog.h"

#include "background_task.h"
#include "bug_report_opener.h"
#include "import_activity.h"
#include "import_marks.h"
#include "import_report_file.h"
#include "log.h"
#include "preflight_alert.h"
#include "ptsl.h"
#include "transcript_view.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdlib>
#include <ctime>

namespace kestrix {

using namespace import;

namespace {

enum Page { kStatusPage, kReadyPage, kImportingPage, kOutcomePage };
constexpr int kMarkSize = 40;

QFont scaled(QFont font, double factor, bool bold)
{
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

QLabel *wrappingLabel(QWidget *parent, Qt::TextInteractionFlags flags = Qt::NoTextInteraction)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(flags);
    return label;
}

QLabel *secondaryLabel(QWidget *parent)
{
    QLabel *label = wrappingLabel(parent);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

std::optional<std::string> takeText(char *text)
{
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    return text ? std::optional<std::string>(text) : std::nullopt;
}

} // namespace

ImportDialog::ImportDialog(const QString &title, ImportDialogInputs inputs, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , inputs_(std::move(inputs))
{
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(600, 560);
    setMinimumSize(480, 440);
    sourceSampleRate_ = inputs_.session ? int(import::sourceSampleRate(*inputs_.session)) : 0;
}

ImportDialog::~ImportDialog()
{
    // A tracks import still running stops before its next track.
    cancel_->store(true);
}

void ImportDialog::finishSetup(QWidget *itemList)
{
    pages_ = new QStackedWidget(this);
    pages_->addWidget(buildStatusPage());
    pages_->addWidget(buildReadyPage(itemList));
    pages_->addWidget(buildImportingPage());
    pages_->addWidget(buildOutcomePage());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);
    setState(ImportState::checking);
}

QWidget *ImportDialog::headerRow(QLabel **label)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *mark = new QLabel(row);
    mark->setPixmap(importMarkPixmap(ImportMark::download, 28, devicePixelRatioF()));
    *label = wrappingLabel(row);
    (*label)->setFont(scaled(font(), 1.3, true));
    (*label)->setText(headerText());
    layout->addWidget(mark);
    layout->addWidget(*label, 1);
    return row;
}

QWidget *ImportDialog::buildStatusPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(32, 24, 32, 20);
    layout->addStretch(1);
    statusSpinner_ = new ImportSpinner(32, page);
    statusMark_ = new QLabel(page);
    statusTitle_ = wrappingLabel(page);
    statusTitle_->setFont(scaled(font(), 1.3, true));
    statusText_ = wrappingLabel(page, Qt::TextSelectableByMouse);
    layout->addWidget(statusSpinner_, 0, Qt::AlignHCenter);
    layout->addWidget(statusMark_, 0, Qt::AlignHCenter);
    layout->addSpacing(6);
    // The texts take the whole width so that they wrap instead of clipping.
    layout->addWidget(statusTitle_);
    layout->addWidget(statusText_);
    statusTitle_->setAlignment(Qt::AlignCenter);
    statusText_->setAlignment(Qt::AlignCenter);
    layout->addStretch(1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    tryAgainButton_ = new QPushButton(tr("Try Again"), page);
    auto *close = new QPushButton(tr("Close"), page);
    buttons->addWidget(tryAgainButton_);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(tryAgainButton_, &QPushButton::clicked, this, &ImportDialog::checkConnection);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

QWidget *ImportDialog::buildReadyPage(QWidget *itemList)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(headerRow(&readyHeader_));

    auto *destinationBox = new QFrame(page);
    destinationBox->setFrameShape(QFrame::StyledPanel);
    auto *destinationLayout = new QVBoxLayout(destinationBox);
    destination_ = wrappingLabel(destinationBox);
    rateLine_ = secondaryLabel(destinationBox);
    mismatch_ = wrappingLabel(destinationBox);
    mismatch_->setStyleSheet(QStringLiteral("color: #d97706;"));
    destinationLayout->addWidget(destination_);
    destinationLayout->addWidget(rateLine_);
    destinationLayout->addWidget(mismatch_);
    layout->addWidget(destinationBox);

    itemList->setParent(page);
    layout->addWidget(itemList, 1);

    auto *mediaTitle = new QLabel(tr("Media"), page);
    mediaTitle->setFont(scaled(font(), 1.0, true));
    linkButton_ = new QRadioButton(tr("Link to source media"), page);
    copyButton_ = new QRadioButton(tr("Copy from source media"), page);
    auto *group = new QButtonGroup(page);
    group->addButton(linkButton_);
    group->addButton(copyButton_);
    copyButton_->setChecked(true);
    mediaExplanation_ = secondaryLabel(page);
    auto *mediaRow = new QHBoxLayout;
    mediaRow->addWidget(linkButton_);
    mediaRow->addWidget(copyButton_);
    mediaRow->addStretch(1);
    layout->addWidget(mediaTitle);
    layout->addLayout(mediaRow);
    layout->addWidget(mediaExplanation_);
    connect(linkButton_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setMediaOption(MediaImportOption::link);
    });
    connect(copyButton_, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            setMediaOption(MediaImportOption::copy);
    });

    auto *buttons = new QHBoxLayout;
    preflightNote_ = secondaryLabel(page);
    auto *cancel = new QPushButton(tr("Cancel"), page);
    importButton_ = new QPushButton(tr("Import to Pro Tools"), page);
    importButton_->setDefault(true);
    buttons->addWidget(preflightNote_, 1);
    buttons->addWidget(cancel);
    buttons->addWidget(importButton_);
    layout->addLayout(buttons);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(importButton_, &QPushButton::clicked, this, &ImportDialog::requestImport);
    return page;
}

QWidget *ImportDialog::buildImportingPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(headerRow(&importingHeader_));
    layout->addStretch(1);
    auto *spinner = new ImportSpinner(32, page);
    layout->addWidget(spinner, 0, Qt::AlignHCenter);
    progressLine_ = wrappingLabel(page);
    progressLine_->setAlignment(Qt::AlignCenter);
    layout->addWidget(progressLine_);
    auto *note = secondaryLabel(page);
    note->setAlignment(Qt::AlignCenter);
    note->setText(tr("The window can be closed; an import of tracks then stops before its next track."));
    layout->addWidget(note);
    layout->addStretch(1);
    return page;
}

QWidget *ImportDialog::buildOutcomePage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    auto *titleRow = new QHBoxLayout;
    outcomeMark_ = new QLabel(page);
    outcomeTitle_ = wrappingLabel(page);
    outcomeTitle_->setFont(scaled(font(), 1.3, true));
    titleRow->addWidget(outcomeMark_);
    titleRow->addWidget(outcomeTitle_, 1);
    layout->addLayout(titleRow);
    outcomeText_ = wrappingLabel(page, Qt::TextSelectableByMouse);
    layout->addWidget(outcomeText_);
    errorList_ = new QListWidget(page);
    errorList_->setMaximumHeight(110);
    errorList_->setWordWrap(true);
    layout->addWidget(errorList_);

    auto *tabs = new QTabWidget(page);
    reportView_ = new QPlainTextEdit(tabs);
    reportView_->setReadOnly(true);
    reportView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    reportView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    transcriptView_ = new TranscriptView(tabs);
    tabs->addTab(reportView_, tr("Report"));
    tabs->addTab(transcriptView_, tr("Transcript"));
    layout->addWidget(tabs, 1);

    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(tr("Save Report\xE2\x80\xA6"), page);
    auto *problem = new QPushButton(tr("Report A Problem\xE2\x80\xA6"), page);
    auto *done = new QPushButton(tr("Done"), page);
    done->setDefault(true);
    buttons->addWidget(save);
    buttons->addWidget(problem);
    buttons->addStretch(1);
    buttons->addWidget(done);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, [this] {
        auto *chooser = new QFileDialog(this, tr("Save Report"), QString(), tr("Text files (*.txt)"));
        chooser->setAttribute(Qt::WA_DeleteOnClose);
        chooser->setAcceptMode(QFileDialog::AcceptSave);
        chooser->setDefaultSuffix(QStringLiteral("txt"));
        chooser->selectFile(QString::fromStdString(
            reportFileName(inputs_.sessionPath.toStdString(), std::time(nullptr))));
        connect(chooser, &QFileDialog::fileSelected, this, &ImportDialog::saveReport);
        chooser->open();
    });
    connect(problem, &QPushButton::clicked, this, &ImportDialog::reportProblem);
    connect(done, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

// States ---------------------------------------------------------------------

void ImportDialog::setState(ImportState state)
{
    state_ = state;
    switch (state) {
    case ImportState::checking:
    case ImportState::noConnection:
    case ImportState::versionTooOld:
    case ImportState::noSession: {
        const bool checking = state == ImportState::checking;
        ConnectionCheck shown = check_;
        shown.state = checking ? ConnectionState::checking : check_.state;
        const StateView view = connectionStateView(shown);
        statusSpinner_->setVisible(checking);
        statusMark_->setVisible(!checking);
        statusMark_->setPixmap(importMarkPixmap(
            state == ImportState::versionTooOld ? ImportMark::warning : ImportMark::notConnected, kMarkSize,
            devicePixelRatioF()));
        statusTitle_->setText(fromStd(view.title));
        statusTitle_->setVisible(!view.title.empty());
        statusText_->setText(fromStd(view.text));
        tryAgainButton_->setVisible(!checking);
        pages_->setCurrentIndex(kStatusPage);
        break;
    }
    case ImportState::ready:
        importButton_->setEnabled(!preflightRunning_);
        pages_->setCurrentIndex(kReadyPage);
        break;
    case ImportState::importing: pages_->setCurrentIndex(kImportingPage); break;
    case ImportState::done:
    case ImportState::error: {
        const bool warnings = !importErrors_.isEmpty();
        const ImportMark mark = state == ImportState::error ? ImportMark::failure
                                : warnings                  ? ImportMark::warning
                                                            : ImportMark::success;
        outcomeMark_->setPixmap(importMarkPixmap(mark, kMarkSize, devicePixelRatioF()));
        if (state == ImportState::error) {
            outcomeTitle_->setText(tr("Import Failed"));
            outcomeText_->setText(tr("Nothing was imported into \"%1\".").arg(sessionName_));
        } else {
            outcomeTitle_->setText(warnings ? tr("Import Completed with %1 Warning%2")
                                                  .arg(importErrors_.size())
                                                  .arg(importErrors_.size() == 1 ? "" : "s")
                                            : tr("Import Complete"));
            outcomeText_->setText(warnings ? tr("The other items were imported into \"%1\".").arg(sessionName_)
                                           : tr("Everything was imported into \"%1\".").arg(sessionName_));
        }
        errorList_->clear();
        errorList_->addItems(importErrors_);
        errorList_->setVisible(!importErrors_.isEmpty());
        reportView_->setPlainText(importReport_);
        transcriptView_->setTranscript(importTranscript_);
        pages_->setCurrentIndex(kOutcomePage);
        break;
    }
    }
    emit stateChanged(state);
}

QString ImportDialog::stateTitle() const
{
    switch (pages_->currentIndex()) {
    case kStatusPage: return statusTitle_->text();
    case kOutcomePage: return outcomeTitle_->text();
    default: return headerText();
    }
}

QString ImportDialog::stateText() const
{
    switch (pages_->currentIndex()) {
    case kStatusPage: return statusText_->text();
    case kImportingPage: return progressLine_->text();
    case kOutcomePage: return outcomeText_->text();
    default: return rateLine_->text();
    }
}

void ImportDialog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!checkedOnce_) {
        checkedOnce_ = true;
        checkConnection();
    }
}

void ImportDialog::closeEvent(QCloseEvent *event)
{
    cancel_->store(true);
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        if (inputs_.onDismiss)
            inputs_.onDismiss();
        emit dismissed();
    }
}

// Connection and media ------------------------------------------------------------

void ImportDialog::checkConnection()
{
    if (state_ == ImportState::importing)
        return;
    setState(ImportState::checking);
    const bool started = runInBackground(this, [] { return import::checkConnection(); },
                                         [this](const ConnectionCheck &check) { applyCheck(check); });
    if (!started) {
        logLine("Import", "No thread for the connection check");
        applyCheck(ConnectionCheck{ConnectionState::noConnection, {}, {}, 0});
    }
}

void ImportDialog::applyCheck(const ConnectionCheck &check)
{
    check_ = check;
    proToolsVersion_ = fromStd(check.proToolsVersion);
    switch (check.state) {
    case ConnectionState::checking:
    case ConnectionState::noConnection: setState(ImportState::noConnection); return;
    case ConnectionState::versionTooOld: setState(ImportState::versionTooOld); return;
    case ConnectionState::noSession: setState(ImportState::noSession); return;
    case ConnectionState::ready: break;
    }
    sessionName_ = fromStd(check.sessionName);
    ptSampleRate_ = check.proToolsSampleRate;
    const MediaOptions media = mediaOptions(scale());
    convertSampleRate_ = media.convert;
    if (!media.linkAvailable)
        mediaOption_ = MediaImportOption::copy;
    destination_->setText(proToolsVersion_.isEmpty()
                              ? tr("Destination: \"%1\"").arg(sessionName_)
                              : tr("Destination: \"%1\" in Pro Tools %2").arg(sessionName_, proToolsVersion_));
    updateMediaTexts();
    setState(ImportState::ready);
}

SampleRateScale ImportDialog::scale() const
{
    return SampleRateScale{ptSampleRate_, sourceSampleRate_};
}

bool ImportDialog::linkAvailable() const
{
    return mediaOptions(scale()).linkAvailable;
}

void ImportDialog::setMediaOption(MediaImportOption option)
{
    if (option == MediaImportOption::link && !linkAvailable())
        return;
    mediaOption_ = option;
    updateMediaTexts();
}

void ImportDialog::updateMediaTexts()
{
    const bool mismatch = scale().converts();
    if (ptSampleRate_ >= 1)
        rateLine_->setText(sourceSampleRate_ >= 1 && !mismatch
                               ? tr("Sample rate: %1 Hz, the same as the source.").arg(ptSampleRate_)
                               : tr("Sample rate: %1 Hz.").arg(ptSampleRate_));
    else
        rateLine_->setText(tr("Pro Tools did not report its sample rate."));
    mismatch_->setVisible(mismatch);
    if (mismatch)
        mismatch_->setText(tr("Sample rate mismatch \xE2\x80\x94 source is %1 Hz, Pro Tools is %2 Hz\n"
                              "Source media will be copied and sample-rate converted on import. Link is "
                              "unavailable.")
                               .arg(sourceSampleRate_)
                               .arg(ptSampleRate_));
    linkButton_->setEnabled(!mismatch);
    (mediaOption_ == MediaImportOption::link ? linkButton_ : copyButton_)->setChecked(true);
    mediaExplanation_->setText(mismatch ? tr("Linking is unavailable because the source and destination sample "
                                             "rates differ \xE2\x80\x94 Pro Tools must copy and convert.")
                                        : tr("Choose whether Pro Tools links to source files or copies them into "
                                             "the destination session."));
}

// Pre-flight and the run ---------------------------------------------------

void ImportDialog::showAlert(QMessageBox *box)
{
    emit alertShown(box);
}

void ImportDialog::requestImport()
{
    if (state_ != ImportState::ready || preflightRunning_)
        return;
    if (ImportActivity::running()) {
        showAlert(showImportMessage(this, tr("Import Already Running"), importAlreadyRunningText()));
        return;
    }
    const ImportPlan plan = makePlan(scale(), false);
    if (!plan.runsPreflight) {
        startImport(plan);
        return;
    }
    askChannelViews(plan);
}

void ImportDialog::askChannelViews(const ImportPlan &plan)
{
    const std::optional<Alert> alert = channelViewAlert(plan.clipNames);
    if (!alert) {
        askExistingNames(false);
        return;
    }
    showAlert(showPreflightAlert(this, *alert, [this](size_t button) {
        // Rename and Import, Import Without Renaming, Cancel.
        if (button < 2)
            askExistingNames(button == 0);
    }));
}

void ImportDialog::askExistingNames(bool renameChannelViews)
{
    preflightRunning_ = true;
    importButton_->setEnabled(false);
    preflightNote_->setText(tr("Checking names in Pro Tools\xE2\x80\xA6"));
    const bool started = runInBackground(this, [] { return queryExistingNames(); },
                                         [this, renameChannelViews](const ExistingNames &existing) {
                                             preflightRunning_ = false;
                                             importButton_->setEnabled(true);
                                             preflightNote_->clear();
                                             const ImportPlan plan = makePlan(scale(), renameChannelViews);
                                             const std::optional<Alert> alert = namesExistAlert(
                                                 plan.trackNames, plan.clipNames, plan.filePaths, existing);
                                             if (!alert) {
                                                 startImport(plan);
                                                 return;
                                             }
                                             showAlert(showPreflightAlert(this, *alert, [this, plan](size_t button) {
                                                 if (button == 0)
                                                     startImport(plan);
                                             }));
                                         });
    if (!started) {
        preflightRunning_ = false;
        importButton_->setEnabled(true);
        preflightNote_->setText(tr("The system could not start the name check."));
    }
}

void ImportDialog::startImport(ImportPlan plan)
{
    if (state_ != ImportState::ready)
        return;
    if (!ImportActivity::tryBegin()) {
        showAlert(showImportMessage(this, tr("Import Already Running"), importAlreadyRunningText()));
        return;
    }
    importErrors_.clear();
    importTranscript_.clear();
    importReport_.clear();
    importProgress_.clear();
    progressLine_->clear();
    setState(ImportState::importing);
    const ImportOptions options{convertSampleRate_, mediaOption_ == MediaImportOption::link};
    const MainThreadPost post(this);
    auto cancel = cancel_;
    auto progress = [post, this](const std::string &line) {
        post([this, text = fromStd(line)] {
            importProgress_ = text;
            progressLine_->setText(text);
        });
    };
    const bool started = runInBackground(
        this,
        [plan, options, progress, cancel] {
            RunResult result;
            result.outcome = plan.run(options, progress, cancel.get());
            result.destinationInfo = takeText(ptsl_get_session_info_text());
            ImportActivity::end();
            return result;
        },
        [this, plan](const RunResult &result) { finishImport(plan, result); });
    if (!started) {
        ImportActivity::end();
        importErrors_ = {tr("The system could not start the import.")};
        setState(ImportState::error);
    }
}

void ImportDialog::finishImport(const ImportPlan &plan, const RunResult &result)
{
    const ImportOutcome &outcome = result.outcome;
    importTranscript_ = fromStd(outcome.transcript);
    importErrors_.clear();
    for (const std::string &error : outcome.errors)
        importErrors_.append(fromStd(error));
    if (outcome.failed && importErrors_.isEmpty())
        importErrors_.append(tr("Unknown error"));
    // A failed run gets its report too: Report A Problem attaches it.
    const ReportInput report{plan.contextLabel,     inputs_.sessionPath.toStdString(),
                             inputs_.session.get(), result.destinationInfo,
                             true,                  plan.trackLines,
                             plan.fileLines,        plan.clipLines,
                             &outcome,              std::time(nullptr)};
    importReport_ = fromStd(import::importReport(report));
    setState(outcome.failed ? ImportState::error : ImportState::done);
}

QString ImportDialog::errorText() const
{
    return importErrors_.join(QLatin1Char('\n'));
}

// Report ---------------------------------------------------------------------

bool ImportDialog::saveReport(const QString &path)
{
    QString error;
    if (writeTextFileAtomically(path, importReport_, &error))
        return true;
    logLine("Import", "Save report failed: " + error.toStdString());
    showAlert(showImportMessage(this, tr("Couldn't Save Report"),
                                tr("The report could not be saved to \"%1\": %2").arg(path, error)));
    return false;
}

void ImportDialog::reportProblem()
{
    QString error;
    const QString path = writeProblemReport(importReport_, inputs_.sessionPath, std::time(nullptr), &error);
    if (path.isEmpty()) {
        logLine("Import", "Could not write transcript: " + error.toStdString());
        showAlert(showImportMessage(this, tr("Couldn't Write Report"),
                                    tr("The import report could not be written: %1").arg(error)));
        return;
    }
    if (!feedback::openBugReportForImport(errorText(), path))
        showAlert(showImportMessage(this, tr("Report Written"),
                                    tr("The bug report form is not available. The import report was written to "
                                       "\"%1\".")
                                        .arg(path)));
}

} // namespace kestrix
