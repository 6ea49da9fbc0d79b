#include "window/AreaFinder.h"

#include "geography/AreaDirectory.h"
#include "window/DisplayText.h"
#include "window/WindowTexts.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>

namespace {

constexpr int kRowRole = Qt::UserRole + 1;

} // namespace

AreaFinder::AreaFinder(const AreaDirectory& directory, QWidget* parent)
    : QWidget(parent)
    , m_directory(directory)
{
    auto* label = new QLabel(QString::fromUtf8(kFindAreaLabel), this);
    label->setObjectName(QStringLiteral("lblFindArea"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("txtFindArea"));
    m_edit->setAccessibleName(QString::fromUtf8(kFindAreaLabel));
    m_edit->setPlaceholderText(QString::fromUtf8(kFindAreaPlaceholder));
    m_edit->setClearButtonEnabled(true);
    label->setBuddy(m_edit);

    // The directory filters and ranks; the completer only shows what it is given.
    m_model = new QStandardItemModel(this);
    m_completer = new QCompleter(m_model, this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(12);
    m_completer->setWidget(m_edit);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_edit, 1);

    connect(m_edit, &QLineEdit::textEdited, this, &AreaFinder::refresh);
    connect(m_completer, QOverload<const QModelIndex&>::of(&QCompleter::activated), this,
        [this](const QModelIndex& index) { choose(index.data(kRowRole).toInt()); });
    connect(m_edit, &QLineEdit::returnPressed, this, [this] {
        // Enter without a highlighted suggestion takes the best one.
        if (!m_found.empty() && !m_completer->popup()->isVisible())
            choose(0);
    });
}

QStringList AreaFinder::suggestions() const
{
    QStringList texts;
    for (int r = 0; r < m_model->rowCount(); ++r)
        texts << m_model->item(r)->text();
    return texts;
}

void AreaFinder::refresh(const QString& text)
{
    m_found = m_directory.find(text.trimmed().toStdString());
    m_model->clear();
    for (std::size_t i = 0; i < m_found.size(); ++i) {
        auto* item = new QStandardItem(displayText(m_directory.describe(*m_found[i])));
        item->setData(static_cast<int>(i), kRowRole);
        item->setEditable(false);
        m_model->appendRow(item);
    }
    if (m_found.empty())
        m_completer->popup()->hide();
    else
        m_completer->complete();
}

void AreaFinder::choose(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_found.size())
        return;
    const AreaEntry* entry = m_found[static_cast<std::size_t>(row)];
    AreaLevel level = entry->level;
    int member = entry->member;
    // Cleared after the completer has written its text into the box.
    QMetaObject::invokeMethod(m_edit, &QLineEdit::clear, Qt::QueuedConnection);
    m_found.clear();
    m_model->clear();
    emit areaChosen(level, member);
}
