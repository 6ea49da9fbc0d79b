#include "window/ExtractProgressDialog.h"

#include "window/WindowTexts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

ExtractProgressDialog::ExtractProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_bar(new QProgressBar)
    , m_count(new QLabel)
    , m_elapsed(new QLabel)
    , m_cancel(new QPushButton(tr("Cancel")))
{
    setObjectName(QStringLiteral("extractProgress"));
    setWindowTitle(QString::fromUtf8(kProgressTitle));
    // Not modal: a modal dialog would have a close request of the main window
    // refused; the window locks its own controls instead.
    m_bar->setObjectName(QStringLiteral("progressBar"));
    m_count->setObjectName(QStringLiteral("progressCount"));
    m_elapsed->setObjectName(QStringLiteral("progressElapsed"));
    m_bar->setMinimumWidth(360);
    m_cancel->setObjectName(QStringLiteral("btCancelExtract"));
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &ExtractProgressDialog::cancelRequested);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(kProgressHeading)));
    layout->addWidget(m_bar);
    layout->addWidget(m_count);
    layout->addWidget(m_elapsed);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    setProgress(0, 0, 0);
}

void ExtractProgressDialog::setProgress(std::uint64_t done, std::uint64_t total, qint64 elapsedMs)
{
    // The bar counts in thousandths, whatever the number of EDs.
    m_bar->setRange(0, 1000);
    m_bar->setValue(total == 0 ? 0 : static_cast<int>(std::min<std::uint64_t>(done, total) * 1000 / total));
    m_count->setText(QString::fromUtf8(kProgressCount).arg(done).arg(total));
    m_elapsed->setText(QString::fromUtf8(kProgressElapsed).arg(elapsedText(elapsedMs)));
}

QString ExtractProgressDialog::elapsedText(qint64 elapsedMs)
{
    const qint64 seconds = elapsedMs / 1000;
    const QLatin1Char zero('0');
    if (seconds < 3600)
        return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, zero);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, zero)
        .arg(seconds % 60, 2, 10, zero);
}

void ExtractProgressDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
}
