#include "window/ExtractRunner.h"

#include "extraction/ExtractCommand.h"
#include "extraction/ExtractDialogs.h"
#include "session/ApplicationState.h"
#include "window/ExtractProgressDialog.h"
#include "window/MainWindow.h"
#include "window/RequestActions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QWindow>
#include <QScopeGuard>

#include <exception>

namespace {

// Often enough to look alive, rarely enough to cost nothing next to the writing.
constexpr qint64 kRepaintIntervalMs = 100;

/// Drops the user's input to every window while an extraction runs, except to the
/// progress display (its Cancel button and Escape). Input is dropped rather than
/// held back, so that nothing typed or clicked meanwhile acts afterwards;
/// everything else, a close request included, is still delivered.
class InputBlocker : public QObject {
public:
    QPointer<QWidget> allowed;

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (allowed && isInside(target))
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }

private:
    // Input reaches the display's native window first, then its widgets.
    bool isInside(QObject* target) const
    {
        if (target == allowed->windowHandle())
            return true;
        auto* widget = qobject_cast<QWidget*>(target);
        return widget && (widget == allowed || allowed->isAncestorOf(widget));
    }
};

} // namespace

ExtractRunner::ExtractRunner(MainWindow& window, ExtractDialogs& dialogs)
    : m_window(window)
    , m_dialogs(&dialogs)
    , m_inputBlocker(std::make_unique<InputBlocker>())
{
}

ExtractRunner::~ExtractRunner()
{
    delete m_progress.data();
}

bool ExtractRunner::deferClose()
{
    if (m_running)
        m_closeRequested = true;
    return m_running;
}

ExtractRunner::Ending ExtractRunner::run()
{
    m_running = true;
    m_closeRequested = false;
    m_cancel = false;
    auto ended = qScopeGuard([this] { m_running = false; });

    ExtractOutcome outcome;
    {
        auto unblock = qScopeGuard([this] { unblockInput(); });
        try {
            outcome = extract();
        } catch (const std::exception& e) {
            // The command turns data and output errors into Failed; this catches
            // the rest (memory, say), which must not escape a slot.
            outcome.status = ExtractStatus::Failed;
            outcome.error = e.what();
        }
    }
    if (m_progress)
        m_progress->hide();
    if (outcome.combinedCleared)
        clearCombinedOption();

    if (outcome.status == ExtractStatus::Failed)
        m_dialogs->inform(ExtractMessage::extractionFailed(outcome.error));
    if (outcome.cancelledAt == MessageId::ExtractionCancelled)
        m_dialogs->inform(ExtractMessage::extractionCancelled());
    // A close asked for during the press wins over the completion question.
    if (m_closeRequested)
        return Ending::Quit;
    if (outcome.succeeded() && m_dialogs->askYesNo(outcome.completionMessage()))
        return Ending::Quit;
    return Ending::KeepWindow;
}

ExtractOutcome ExtractRunner::extract()
{
    const MainWindow::Controls& c = m_window.controls();
    ExtractInputs inputs;
    inputs.useUserEdList = c.obUserEDlist->isChecked();
    inputs.edListText = QFile::encodeName(c.txtUserEDlist->text()).toStdString();
    inputs.combinedChosen = c.obCombinedFiles->isChecked();
    inputs.spatialCodeFlags = { c.cbCountry->isChecked(), c.cbRegion->isChecked(), c.cbCounty->isChecked(),
        c.cbDistrict->isChecked(), c.cbWard->isChecked(), c.cbED->isChecked() };
    inputs.thresholdText = c.txtFileWarningSize->text().toStdString();
    inputs.format = static_cast<OutputFormat>(c.cboFileFormat->currentIndex());

    ApplicationState& state = m_window.state();
    ExtractCommand command(state.folders, state.areas, state.variables, m_window.householdVariables(),
        m_window.individualVariables(), state.settings, *m_dialogs, state.random);
    command.setRecording({ state.labels ? &*state.labels : nullptr, &state.randomDraws });
    m_clock.invalidate();
    command.setCancelFlag(&m_cancel);
    command.setProgress([this](std::uint64_t done, std::uint64_t total) { progress(done, total); });
    inputs.fileTime = m_window.requests().recordedFileTime();
    return command.run(inputs);
}

// Runs after every ED. The extraction keeps the thread, so this is where the
// windows get painted and a close request is heard (and put off).
void ExtractRunner::progress(std::uint64_t done, std::uint64_t total)
{
    if (!m_clock.isValid()) {
        m_clock.start();
        m_lastRepaintMs = -kRepaintIntervalMs;
        QCoreApplication::instance()->installEventFilter(m_inputBlocker.get());
        m_inputBlocked = true;
    }
    const qint64 now = m_clock.elapsed();
    if (now - m_lastRepaintMs < kRepaintIntervalMs)
        return;
    m_lastRepaintMs = now;
    if (now >= m_progressDelayMs) {
        if (!m_progress) {
            m_progress = new ExtractProgressDialog(&m_window);
            QObject::connect(m_progress, &ExtractProgressDialog::cancelRequested, [this] { m_cancel = true; });
            static_cast<InputBlocker*>(m_inputBlocker.get())->allowed = m_progress.data();
        }
        m_progress->setProgress(done, total, now);
        if (!m_progress->isVisible())
            m_progress->show();
    }
    // Not ExcludeUserInputEvents: some platforms count a window's close request as
    // input and would hold it back until the completion question, which then
    // blocks it for good.
    QCoreApplication::processEvents();
}

void ExtractRunner::unblockInput()
{
    if (!m_inputBlocked)
        return;
    // Input that came in since the last repaint is dropped too.
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(m_inputBlocker.get());
    m_inputBlocked = false;
}

// Neither output option shows as chosen afterwards; the group is exclusive, so it
// lets go for the moment it takes.
void ExtractRunner::clearCombinedOption()
{
    QRadioButton* combined = m_window.controls().obCombinedFiles;
    QButtonGroup* group = combined->group();
    const bool exclusive = group && group->exclusive();
    if (group)
        group->setExclusive(false);
    combined->setChecked(false);
    if (group)
        group->setExclusive(exclusive);
}
