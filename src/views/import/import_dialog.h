// What the three import dialogs share: the connection check when the window
// opens, the destination and its sample rate, the media choice, the two
// pre-flight alerts, the import on a background thread and the outcome with
// its report and transcript. A dialog is a window of its own; closing it
// stops a tracks import before its next track and calls onDismiss.
#ifndef KESTRIX_VIEWS_IMPORT_IMPORT_DIALOG_H
#define KESTRIX_VIEWS_IMPORT_IMPORT_DIALOG_H

#include "import_core.h"
#include "import_plan.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QLabel;
class QListWidget;
class QMessageBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;

namespace kestrix {

class ImportSpinner;
class TranscriptView;

enum class ImportState { error, checking, noConnection, versionTooOld, noSession, ready, importing, done };
enum class MediaImportOption { link, copy };

// What the session window hands every dialog.
struct ImportDialogInputs {
    std::shared_ptr<const PTXSessionInfo> session;  // may be null for clips and audio files
    QString sessionPath;                            // may be empty
    import::AudioFileResolution files;
    FileFormats fileFormats;  // audio file name -> format text
    std::function<void()> onDismiss;
};

class ImportDialog : public QWidget {
    Q_OBJECT
public:
    ~ImportDialog() override;

    ImportState state() const { return state_; }
    const QString &proToolsVersion() const { return proToolsVersion_; }
    const QString &sessionName() const { return sessionName_; }
    const QString &importProgress() const { return importProgress_; }
    // Every failure of the run: the tracks' warnings, or the one error.
    const QStringList &importErrors() const { return importErrors_; }
    const QString &importTranscript() const { return importTranscript_; }
    const QString &importReport() const { return importReport_; }
    bool convertSampleRate() const { return convertSampleRate_; }
    int ptSampleRate() const { return ptSampleRate_; }
    int sourceSampleRate() const { return sourceSampleRate_; }
    MediaImportOption mediaOption() const { return mediaOption_; }
    bool linkAvailable() const;
    void setMediaOption(MediaImportOption option);

    virtual QString headerText() const = 0;
    // The title and text of the page shown now.
    QString stateTitle() const;
    QString stateText() const;
    QPushButton *importButton() const { return importButton_; }
    TranscriptView *transcriptView() const { return transcriptView_; }

    // Checks the connection again (the dialog does it when it is first shown).
    void checkConnection();
    // Writes the report where the user chose; "Couldn't Save Report" when
    // it cannot be written.
    bool saveReport(const QString &path);

public slots:
    // The import button: pre-flight, then the import.
    void requestImport();
    void reportProblem();

signals:
    void stateChanged(kestrix::ImportState state);
    // A pre-flight alert or a message opened (window-modal).
    void alertShown(QMessageBox *alert);
    void dismissed();

protected:
    ImportDialog(const QString &title, ImportDialogInputs inputs, QWidget *parent);
    // Builds the window around the list of items; subclasses call it last in
    // their constructor.
    void finishSetup(QWidget *itemList);
    virtual ImportPlan makePlan(const import::SampleRateScale &scale, bool renameChannelViews) const = 0;

    const ImportDialogInputs &inputs() const { return inputs_; }

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    struct RunResult {
        import::ImportOutcome outcome;
        std::optional<std::string> destinationInfo;
    };

    QWidget *buildStatusPage();
    QWidget *buildReadyPage(QWidget *itemList);
    QWidget *buildImportingPage();
    QWidget *buildOutcomePage();
    QWidget *headerRow(QLabel **label);
    void setState(ImportState state);
    void applyCheck(const import::ConnectionCheck &check);
    void updateMediaTexts();
    void askChannelViews(const ImportPlan &plan);
    void askExistingNames(bool renameChannelViews);
    void startImport(ImportPlan plan);
    void finishImport(const ImportPlan &plan, const RunResult &result);
    void showAlert(QMessageBox *box);
    import::SampleRateScale scale() const;
    QString errorText() const;

    ImportDialogInputs inputs_;
    ImportState state_ = ImportState::checking;
    import::ConnectionCheck check_;
    QString proToolsVersion_, sessionName_, importProgress_, importTranscript_, importReport_;
    QStringList importErrors_;
    bool convertSampleRate_ = false;
    int ptSampleRate_ = 0, sourceSampleRate_ = 0;
    MediaImportOption mediaOption_ = MediaImportOption::copy;
    bool checkedOnce_ = false;
    bool preflightRunning_ = false;
    // Read by the import thread before each track.
    std::shared_ptr<std::atomic<bool>> cancel_ = std::make_shared<std::atomic<bool>>(false);

    QStackedWidget *pages_ = nullptr;
    // Status page: checking and the states that stop before an import.
    ImportSpinner *statusSpinner_ = nullptr;
    QLabel *statusMark_ = nullptr, *statusTitle_ = nullptr, *statusText_ = nullptr;
    QPushButton *tryAgainButton_ = nullptr;
    // Ready page.
    QLabel *readyHeader_ = nullptr, *destination_ = nullptr, *rateLine_ = nullptr, *mismatch_ = nullptr;
    QRadioButton *linkButton_ = nullptr, *copyButton_ = nullptr;
    QLabel *mediaExplanation_ = nullptr, *preflightNote_ = nullptr;
    QPushButton *importButton_ = nullptr;
    // Importing page.
    QLabel *importingHeader_ = nullptr, *progressLine_ = nullptr;
    // Outcome page.
    QLabel *outcomeMark_ = nullptr, *outcomeTitle_ = nullptr, *outcomeText_ = nullptr;
    QListWidget *errorList_ = nullptr;
    QPlainTextEdit *reportView_ = nullptr;
    TranscriptView *transcriptView_ = nullptr;
};

} // namespace kestrix

#endif
