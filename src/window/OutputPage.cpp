#include "window/OutputPage.h"

#include "base/OutputFormats.h"
#include "request/RequestChoices.h"
#include "window/FileChooser.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace widgets;

namespace {

struct NameBox {
    const char* label;
    const char* caption;
    const char* box;
    const char* example;
    const char* exampleText;
};

/// A text box in row `row` of `grid`, its label on the left and an example below it.
QLineEdit* addNameBox(QGridLayout* grid, int row, const NameBox& texts)
{
    QLabel* heading = label(texts.label, texts.caption);
    QLineEdit* box = textBox(texts.box, spoken(texts.caption));
    heading->setBuddy(box);
    grid->addWidget(heading, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(label(texts.example, texts.exampleText), row + 1, 1);
    return box;
}

} // namespace

OutputPage::OutputPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pgOutputOptions"));
    auto* layout = new QVBoxLayout(this);
    addSpatialCodes(layout);
    layout->addSpacing(12);
    addFileNames(layout);
    layout->addSpacing(12);
    addFileOptions(layout);
    layout->addSpacing(16);
    addExtractRow(layout);
    // Extra height goes below the form, so Extract stays next to the options it uses.
    layout->addStretch();
    connect(m_browseOutput, &QPushButton::clicked, this, &OutputPage::browseOutputFolder);
    connect(m_extract, &QPushButton::clicked, this, &OutputPage::extractRequested);
}

// Two columns of three, ED first, each box beside a greyed example of the code it adds.
void OutputPage::addSpatialCodes(QVBoxLayout* layout)
{
    layout->addWidget(label("Label26", kSpatialCodesHeading));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    for (int i = 0; i < kNumSpatialCodes; ++i) {
        const int code = kNumSpatialCodes - 1 - i;
        const SpatialCodeInfo& info = kSpatialCodes[static_cast<std::size_t>(code)];
        QCheckBox* box = button<QCheckBox>(info.checkBox, info.caption);
        m_spatialCodes[static_cast<std::size_t>(code)] = box;
        // Greyed, as an example rather than a setting, yet readable.
        QLabel* example = hintLabel(info.exampleLabel, info.example);
        const int column = (i / 3) * 2;
        grid->addWidget(box, i % 3, column);
        grid->addWidget(example, i % 3, column + 1);
    }
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
}

void OutputPage::addFileNames(QVBoxLayout* layout)
{
    auto* files = new QGridLayout;
    files->setColumnStretch(1, 1);
    m_outputFolder = addNameBox(files, 0, { "Label9", kOutputFolderCaption, "txtUserOutput", "Label10", kOutputFolderExample });
    m_browseOutput = button<QPushButton>("btBrowseOutput", kBrowse);
    m_browseOutput->setAccessibleName(text(kBrowseOutputSpoken));
    files->addWidget(m_browseOutput, 0, 2);
    m_rootFileName = addNameBox(files, 2, { "Label22", kRootFileNameCaption, "txtUserRootFilename", "Label23", kRootFileNameExample });
    layout->addLayout(files);
}

void OutputPage::addFileOptions(QVBoxLayout* layout)
{
    layout->addWidget(boldLabel("Label18", kOutputOptionsHeading));
    m_separateFiles = button<QRadioButton>("obSeparateFiles", kObSeparateFiles);
    m_combinedFile = button<QRadioButton>("obCombinedFiles", kObCombinedFiles);
    layout->addWidget(m_separateFiles);
    layout->addWidget(m_combinedFile);
    auto* group = new QButtonGroup(this);
    group->addButton(m_separateFiles);
    group->addButton(m_combinedFile);

    auto* formatRow = new QHBoxLayout;
    QLabel* formatLabel = label("lblFileFormat", kFileFormatLabel);
    m_format = new QComboBox;
    m_format->setObjectName("cboFileFormat");
    m_format->setAccessibleName(kFileFormatLabel);
    for (const OutputFormatInfo& format : kOutputFormats)
        m_format->addItem(QStringLiteral("%1 (%2)").arg(QLatin1String(format.name), QLatin1String(format.suffix)));
    formatLabel->setBuddy(m_format);
    formatRow->addWidget(formatLabel);
    formatRow->addWidget(m_format);
    formatRow->addSpacing(18);
    m_compress = button<QCheckBox>("chkCompress", kCompressFiles);
    formatRow->addWidget(m_compress);
    m_loadingScripts = button<QCheckBox>("chkLoadingScripts", kLoadingScripts);
    m_loadingScripts->setAccessibleDescription(text(kLoadingScriptsDescription));
    m_loadingScripts->setToolTip(text(kLoadingScriptsDescription));
    m_loadingScripts->setChecked(true);
    formatRow->addWidget(m_loadingScripts);
    formatRow->addStretch();
    layout->addLayout(formatRow);
    // Only CSV extracts get loading scripts.
    connect(m_format, &QComboBox::currentIndexChanged, this, [this](int format) {
        m_loadingScripts->setEnabled(static_cast<OutputFormat>(format) == OutputFormat::Csv);
    });
}

void OutputPage::addExtractRow(QVBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    m_extract = button<QPushButton>("btExtract", kBtExtract);
    m_extract->setMinimumWidth(120);
    QFont bold = m_extract->font();
    bold.setBold(true);
    m_extract->setFont(bold);
    row->addWidget(m_extract);
    row->addStretch();
    QLabel* warn = label("Label46", kSizeWarningCaption);
    m_warningSize = textBox("txtFileWarningSize", spoken(kSizeWarningCaption));
    m_warningSize->setMaximumWidth(80);
    warn->setBuddy(m_warningSize);
    row->addWidget(warn);
    row->addWidget(m_warningSize);
    row->addWidget(label("Label47", kSizeWarningUnit));
    layout->addLayout(row);
}

QList<QWidget*> OutputPage::focusOrder() const
{
    QList<QWidget*> order;
    for (auto code = m_spatialCodes.rbegin(); code != m_spatialCodes.rend(); ++code)
        order << *code;
    return order << m_outputFolder << m_browseOutput << m_rootFileName << m_separateFiles << m_combinedFile << m_format
                 << m_compress << m_loadingScripts << m_extract << m_warningSize;
}

void OutputPage::readChoices(RequestChoices& choices) const
{
    for (std::size_t i = 0; i < m_spatialCodes.size(); ++i)
        choices.spatialCodes[i] = m_spatialCodes[i]->isChecked();
    choices.outputFolder = userPath(m_outputFolder->text());
    choices.rootFileName = toPath(m_rootFileName->text());
    // After Extract has cleared the combined option neither button is on: separate files.
    choices.separateFiles = !m_combinedFile->isChecked();
    choices.format = static_cast<OutputFormat>(m_format->currentIndex());
    choices.compress = m_compress->isChecked();
    choices.loadingScripts = m_loadingScripts->isChecked();
    choices.sizeWarningThreshold = m_warningSize->text().toStdString();
}

void OutputPage::setChoices(const RequestChoices& choices)
{
    for (std::size_t i = 0; i < m_spatialCodes.size(); ++i)
        m_spatialCodes[i]->setChecked(choices.spatialCodes[i]);
    (choices.separateFiles ? m_separateFiles : m_combinedFile)->setChecked(true);
    m_outputFolder->setText(fromPath(choices.outputFolder));
    m_rootFileName->setText(fromPath(choices.rootFileName));
    m_format->setCurrentIndex(static_cast<int>(choices.format));
    m_compress->setChecked(choices.compress);
    m_loadingScripts->setChecked(choices.loadingScripts);
    if (choices.sizeWarningThreshold)
        m_warningSize->setText(QString::fromStdString(*choices.sizeWarningThreshold));
}

// The group is exclusive, so it lets go for the moment it takes.
void OutputPage::clearCombinedOption()
{
    QButtonGroup* group = m_combinedFile->group();
    const bool exclusive = group && group->exclusive();
    if (group)
        group->setExclusive(false);
    m_combinedFile->setChecked(false);
    if (group)
        group->setExclusive(exclusive);
}

void OutputPage::browseOutputFolder()
{
    if (!m_chooser)
        return;
    const QString chosen = m_chooser->chooseFolder(this, text(kChooseOutputFolder), m_outputFolder->text());
    if (!chosen.isEmpty())
        m_outputFolder->setText(chosen);
}
