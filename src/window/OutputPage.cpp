#include "window/OutputPage.h"

#include "base/CurrentSettings.h"
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

QWidget* OutputPage::build()
{
    auto* page = named(new QWidget, "pgOutputOptions");
    auto* layout = new QVBoxLayout(page);
    addSpatialCodes(layout);
    layout->addSpacing(12);
    addFileNames(layout);
    layout->addSpacing(12);
    addFileOptions(page, layout);
    layout->addSpacing(16);
    addExtractRow(layout);
    // Extra height goes below the form, so Extract stays next to the options it uses.
    layout->addStretch();
    return page;
}

// Two columns of three, each box beside a greyed example of the code it adds.
void OutputPage::addSpatialCodes(QVBoxLayout* layout)
{
    layout->addWidget(label("Label26", kLabel26));
    struct Code {
        const char* box;
        const char* caption;
        const char* example;
        const char* exampleText;
        QCheckBox** control;
    };
    const Code codes[] = {
        { "cbED", kCbED, "Label31", kLabel31, &cbED },
        { "cbWard", kCbWard, "Label30", kLabel30, &cbWard },
        { "cbDistrict", kCbDistrict, "Label29", kLabel29, &cbDistrict },
        { "cbCounty", kCbCounty, "Label32", kLabel32, &cbCounty },
        { "cbRegion", kCbRegion, "Label28", kLabel28, &cbRegion },
        { "cbCountry", kCbCountry, "Label27", kLabel27, &cbCountry },
    };
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    for (int i = 0; i < 6; ++i) {
        *codes[i].control = button<QCheckBox>(codes[i].box, codes[i].caption);
        // Greyed, as an example rather than a setting, yet readable.
        QLabel* example = hintLabel(codes[i].example, codes[i].exampleText);
        const int column = (i / 3) * 2;
        grid->addWidget(*codes[i].control, i % 3, column);
        grid->addWidget(example, i % 3, column + 1);
    }
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
}

void OutputPage::addFileNames(QVBoxLayout* layout)
{
    auto* files = new QGridLayout;
    files->setColumnStretch(1, 1);
    txtUserOutput = addNameBox(files, 0, { "Label9", kLabel9, "txtUserOutput", "Label10", kLabel10 });
    btBrowseOutput = button<QPushButton>("btBrowseOutput", kBrowse);
    btBrowseOutput->setAccessibleName(text(kBrowseOutputSpoken));
    files->addWidget(btBrowseOutput, 0, 2);
    txtUserRootFilename = addNameBox(files, 2, { "Label22", kLabel22, "txtUserRootFilename", "Label23", kLabel23 });
    layout->addLayout(files);
}

void OutputPage::addFileOptions(QWidget* page, QVBoxLayout* layout)
{
    layout->addWidget(boldLabel("Label18", kLabel18));
    obSeparateFiles = button<QRadioButton>("obSeparateFiles", kObSeparateFiles);
    obCombinedFiles = button<QRadioButton>("obCombinedFiles", kObCombinedFiles);
    layout->addWidget(obSeparateFiles);
    layout->addWidget(obCombinedFiles);
    auto* group = new QButtonGroup(page);
    group->addButton(obSeparateFiles);
    group->addButton(obCombinedFiles);

    auto* formatRow = new QHBoxLayout;
    QLabel* formatLabel = label("lblFileFormat", kFileFormatLabel);
    cboFileFormat = new QComboBox;
    cboFileFormat->setObjectName("cboFileFormat");
    cboFileFormat->setAccessibleName(kFileFormatLabel);
    for (const char* format : kFileFormats)
        cboFileFormat->addItem(format);
    formatLabel->setBuddy(cboFileFormat);
    formatRow->addWidget(formatLabel);
    formatRow->addWidget(cboFileFormat);
    formatRow->addStretch();
    layout->addLayout(formatRow);
}

void OutputPage::addExtractRow(QVBoxLayout* layout)
{
    auto* row = new QHBoxLayout;
    btExtract = button<QPushButton>("btExtract", kBtExtract);
    btExtract->setMinimumWidth(120);
    QFont bold = btExtract->font();
    bold.setBold(true);
    btExtract->setFont(bold);
    row->addWidget(btExtract);
    row->addStretch();
    QLabel* warn = label("Label46", kLabel46);
    txtFileWarningSize = textBox("txtFileWarningSize", spoken(kLabel46));
    txtFileWarningSize->setMaximumWidth(80);
    warn->setBuddy(txtFileWarningSize);
    row->addWidget(warn);
    row->addWidget(txtFileWarningSize);
    row->addWidget(label("Label47", kLabel47));
    layout->addLayout(row);
}

QList<QWidget*> OutputPage::focusOrder() const
{
    return { cbED, cbWard, cbDistrict, cbCounty, cbRegion, cbCountry, txtUserOutput, btBrowseOutput,
        txtUserRootFilename, obSeparateFiles, obCombinedFiles, cboFileFormat, btExtract, txtFileWarningSize };
}

void OutputPage::mirrorInto(CurrentSettings& settings) const
{
    QObject::connect(txtUserOutput, &QLineEdit::textChanged, txtUserOutput,
        [&settings](const QString& path) { settings.outputFolder = userPath(path); });
    QObject::connect(txtUserRootFilename, &QLineEdit::textChanged, txtUserRootFilename,
        [&settings](const QString& name) { settings.rootFileName = toPath(name); });
    QObject::connect(obSeparateFiles, &QRadioButton::toggled, obSeparateFiles,
        [&settings](bool on) { settings.separateFiles = on; });
    // After Extract has cleared the combined option neither button is on, and
    // choosing combined again does not change obSeparateFiles; this keeps the
    // setting in step.
    QObject::connect(obCombinedFiles, &QRadioButton::toggled, obCombinedFiles,
        [&settings](bool on) { settings.separateFiles = !on; });
}
