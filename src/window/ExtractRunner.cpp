#include "window/ExtractRunner.h"

#include "extraction/ExtractDialogs.h"
#include "session/ApplicationState.h"
#include "tables/CaseCount.h"
#include "window/ExtractProgressDialog.h"

#include <QEventLoop>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <exception>
#include <memory>

namespace {

// Often enough to look alive, rarely enough to cost nothing next to the writing.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

} // namespace

ExtractRunner::ExtractRunner(ApplicationState& state, ExtractDialogs& dialogs, QWidget* window)
    : m_state(state)
    , m_dialogs(&dialogs)
    , m_window(window)
{
    connect(this, &ExtractRunner::progressed, this, &ExtractRunner::showProgress, Qt::QueuedConnection);
}

ExtractRunner::~ExtractRunner()
{
    delete m_progress.data();
}

bool ExtractRunner::deferClose()
{
    if (!m_running)
        return false;
    if (m_closeRequested)
        return true;
    if (!m_writing) {
        // Questions are still being asked; the press ends by itself.
        m_closeRequested = true;
        return true;
    }
    if (m_dialogs->askYesNo(ExtractMessage::cancelToClose()) && m_writing) {
        m_closeRequested = true;
        m_cancel = true;
    }
    return true;
}

ExtractRunner::Result ExtractRunner::run(const RequestChoices& choices, std::optional<std::int64_t> fileTime)
{
    m_running = true;
    m_closeRequested = false;
    m_cancel = false;
    auto ended = qScopeGuard([this] { m_running = false; });

    ExtractCommand command(
        m_state.folders, m_state.areas, m_state.variables, m_state.settings, *m_dialogs, m_state.random);
    command.setRecording({ m_state.labels ? &*m_state.labels : nullptr, &m_state.randomDraws });
    command.setCancelFlag(&m_cancel);
    command.setCaseCounter(
        tableCaseCounter(m_state.areas, m_state.folders, m_state.labels ? &*m_state.labels : nullptr));
    ExtractOutcome outcome;
    try {
        std::optional<ExtractOutcome> refused = command.prepare(choices, { false, fileTime });
        outcome = refused ? std::move(*refused) : execute(command);
    } catch (const std::exception& e) {
        // The command turns data and output errors into Failed; this catches the
        // rest (memory, say), which must not escape a slot.
        outcome.status = ExtractStatus::Failed;
        outcome.error = e.what();
    }
    if (m_progress)
        m_progress->hide();

    Result result;
    result.combinedCleared = outcome.combinedCleared;
    result.written = outcome.succeeded();
    if (outcome.status == ExtractStatus::Failed)
        m_dialogs->inform(ExtractMessage::extractionFailed(outcome.error));
    // A close asked for during the press wins over the rest.
    if (m_closeRequested) {
        result.ending = Ending::Quit;
        return result;
    }
    if (outcome.cancelledAt == MessageId::ExtractionCancelled)
        m_dialogs->inform(ExtractMessage::extractionCancelled());
    if (outcome.succeeded() && !choices.caseSelection.empty() && outcome.result.households == 0)
        m_dialogs->inform(ExtractMessage::noCaseMatched());
    if (outcome.succeeded() && m_dialogs->askYesNo(outcome.completionMessage()))
        result.ending = Ending::Quit;
    return result;
}

// The writing runs on a worker while the window's thread waits in an event loop,
// answering the window system and assistive technology. The window's controls are
// disabled meanwhile (writingChanged), so that what is typed or clicked is
// dropped, but its close request still arrives; the display's Cancel and Escape
// set the flag the worker reads after every ED.
ExtractOutcome ExtractRunner::execute(ExtractCommand& command)
{
    m_writing = true;
    emit writingChanged(true);
    auto written = qScopeGuard([this] {
        m_writing = false;
        m_progressDue = false;
        emit writingChanged(false);
    });
    m_clock.start();
    auto last = std::chrono::steady_clock::now() - kProgressInterval;
    command.setProgress([this, &last](std::uint64_t done, std::uint64_t total) {
        const auto now = std::chrono::steady_clock::now();
        if (now - last < kProgressInterval && done != total)
            return;
        last = now;
        emit progressed(done, total);
    });

    ExtractOutcome outcome;
    std::exception_ptr failure;
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            outcome = command.execute();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer delay;
    delay.setSingleShot(true);
    connect(&delay, &QTimer::timeout, this, [this] {
        m_progressDue = true;
        showProgress(0, 0);
    });
    delay.start(m_progressDelayMs);
    worker->start();
    loop.exec();
    worker->wait();
    if (failure)
        std::rethrow_exception(failure);
    return outcome;
}

void ExtractRunner::showProgress(quint64 done, quint64 total)
{
    if (!m_progressDue)
        return;
    if (!m_progress) {
        m_progress = new ExtractProgressDialog(m_window);
        connect(m_progress, &ExtractProgressDialog::cancelRequested, this, [this] { m_cancel = true; });
    }
    if (total > 0)
        m_progress->setProgress(done, total, m_clock.elapsed());
    if (!m_progress->isVisible())
        m_progress->show();
}

ExtractProgressDialog* ExtractRunner::progressDisplay() const
{
    return m_progress.data();
}
