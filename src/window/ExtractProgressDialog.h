#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QProgressBar;

/// The progress display of a running extraction: the EDs done out of the total
/// and the time elapsed. An extraction cannot be interrupted, so the display has
/// no cancel button and refuses to be closed; its owner hides it at the end. It
/// stays above the main window, its parent.
class ExtractProgressDialog : public QDialog {
    Q_OBJECT

public:
    explicit ExtractProgressDialog(QWidget* parent);

    void setProgress(std::uint64_t done, std::uint64_t total, qint64 elapsedMs);

    /// "0:07", "12:34" or "1:02:03".
    static QString elapsedText(qint64 elapsedMs);

    void reject() override { }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* m_bar;
    QLabel* m_count;
    QLabel* m_elapsed;
};
