#pragma once

#include <QElapsedTimer>
#include <QPointer>

#include <atomic>
#include <cstdint>
#include <memory>

class ExtractDialogs;
class ExtractProgressDialog;
class MainWindow;
class QObject;
struct ExtractOutcome;

/// btExtract_Click: one press of Extract as the window runs it. Reads the request
/// from the controls, runs the ExtractCommand over the window's variable lists and
/// the process's generator, keeps the windows painted behind a progress display
/// while the extraction runs (the user's input is dropped meanwhile, except on the
/// display's Cancel button, and a close request put off until the end), reports a
/// failure or a cancellation and asks the completion question.
class ExtractRunner {
public:
    enum class Ending {
        KeepWindow, ///< a refusal, a failure, or No to the completion question
        Quit, ///< Yes to the completion question, or a close deferred during the press
    };

    /// Neither is owned; both must outlive the runner.
    ExtractRunner(MainWindow& window, ExtractDialogs& dialogs);
    ~ExtractRunner();

    void setDialogs(ExtractDialogs& dialogs) { m_dialogs = &dialogs; }

    /// How long an extraction runs before the progress display appears, so that a
    /// small one does not flash it.
    void setProgressDelay(int ms) { m_progressDelayMs = ms; }

    Ending run();

    /// Whether a press is under way, from its first question to its last.
    bool running() const { return m_running; }
    /// Called for a close request of the window: while a press is under way the
    /// request is remembered and honoured once the press has ended, and true is
    /// returned; otherwise false and nothing happens.
    bool deferClose();

private:
    ExtractOutcome extract();
    void progress(std::uint64_t done, std::uint64_t total);
    void unblockInput();
    void clearCombinedOption();

    MainWindow& m_window;
    ExtractDialogs* m_dialogs;
    int m_progressDelayMs = 300;
    bool m_running = false;
    bool m_closeRequested = false;
    std::unique_ptr<QObject> m_inputBlocker;
    std::atomic<bool> m_cancel { false };
    bool m_inputBlocked = false;
    QElapsedTimer m_clock;
    qint64 m_lastRepaintMs = 0;
    QPointer<ExtractProgressDialog> m_progress;
};
