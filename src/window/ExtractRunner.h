#pragma once

#include "extraction/ExtractCommand.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <cstdint>

class ExtractDialogs;
class ExtractProgressDialog;
class QWidget;
struct ApplicationState;
struct RequestChoices;

/// btExtract_Click: one press of Extract as the window runs it. The checks and
/// questions run here, on the window's thread; the writing runs on a worker while
/// the window stays live behind a modal progress display (shown once the writing
/// has taken a moment), which takes progress by queued signal and whose Cancel or
/// Escape stops the worker. Then it reports a failure or a cancellation and asks
/// the completion question.
class ExtractRunner : public QObject {
    Q_OBJECT

public:
    enum class Ending {
        KeepWindow, ///< a refusal, a failure, or No to the completion question
        Quit, ///< Yes to the completion question, or a close asked for during the press
    };
    struct Result {
        Ending ending = Ending::KeepWindow;
        /// M4 or M5 turned a combined file into separate ones: neither layout option
        /// is to show as chosen.
        bool combinedCleared = false;
        /// The extraction finished and its files are in place.
        bool written = false;
    };

    /// None is owned; all must outlive the runner. The progress display sits over
    /// `window`.
    ExtractRunner(ApplicationState& state, ExtractDialogs& dialogs, QWidget* window);
    ~ExtractRunner() override;

    void setDialogs(ExtractDialogs& dialogs) { m_dialogs = &dialogs; }
    /// How long the writing runs before the progress display appears, so that a
    /// small extraction does not flash it.
    void setProgressDelay(int ms) { m_progressDelayMs = ms; }

    /// `fileTime`: what statistics files are to say, for a re-run; now when absent.
    Result run(const RequestChoices& choices, std::optional<std::int64_t> fileTime);

    /// Whether a press is under way, from its first question to its last.
    bool running() const { return m_running; }
    /// Called for a close request of the window: while a press is under way, asks
    /// whether to cancel a running extraction (Yes cancels it and ends the press
    /// with Quit; a close during the questions is put off until they end) and
    /// returns true; otherwise returns false and nothing happens.
    bool deferClose();
    /// The progress display, while it shows.
    ExtractProgressDialog* progressDisplay() const;

signals:
    /// The writing starts (true) or has ended (false); the window locks its
    /// controls meanwhile.
    void writingChanged(bool writing);
    /// From the worker, after each ED at most every 100 ms; delivered queued.
    void progressed(quint64 done, quint64 total);

private:
    ExtractOutcome execute(ExtractCommand& command);
    void showProgress(quint64 done, quint64 total);

    ApplicationState& m_state;
    ExtractDialogs* m_dialogs;
    QWidget* m_window;
    int m_progressDelayMs = 300;
    bool m_running = false;
    bool m_writing = false;
    bool m_closeRequested = false;
    std::atomic<bool> m_cancel { false };
    QElapsedTimer m_clock;
    bool m_progressDue = false;
    QPointer<ExtractProgressDialog> m_progress;
};
