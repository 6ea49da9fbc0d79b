#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

/// The progress display of a running extraction: the EDs done out of the total,
/// the time elapsed and a Cancel button. Cancel and Escape ask the owner to stop
/// the extraction (cancelRequested); closing the display is refused, and its owner
/// hides it at the end. It stays above the main window, its parent.
class ExtractProgressDialog : public QDialog {
    Q_OBJECT

public:
    explicit ExtractProgressDialog(QWidget* parent);

    void setProgress(std::uint64_t done, std::uint64_t total, qint64 elapsedMs);

    /// "0:07", "12:34" or "1:02:03".
    static QString elapsedText(qint64 elapsedMs);

    /// Escape: the same as Cancel.
    void reject() override { emit cancelRequested(); }

    QPushButton* cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QProgressBar* m_bar;
    QLabel* m_count;
    QLabel* m_elapsed;
    QPushButton* m_cancel;
};
