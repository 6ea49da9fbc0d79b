#pragma once

#include "base/SpatialCodes.h"

#include <QList>
#include <QWidget>

#include <array>

class FileChooser;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
struct RequestChoices;

/// The Select Output Options page, pgOutputOptions: the spatial codes to write,
/// the output folder and root file name, separate or combined files, the format,
/// Extract and the file-size warning threshold.
class OutputPage : public QWidget {
    Q_OBJECT

public:
    explicit OutputPage(QWidget* parent = nullptr);

    /// The spatial codes, file names, layout, format and threshold as chosen.
    void readChoices(RequestChoices& choices) const;
    /// Shows the choices; a threshold is shown only when they carry one.
    void setChoices(const RequestChoices& choices);
    /// Neither layout shows as chosen, as after Extract turned a combined file into
    /// separate ones.
    void clearCombinedOption();
    void setFileChooser(FileChooser* chooser) { m_chooser = chooser; }

    /// The page's controls in the order the keyboard walks them.
    QList<QWidget*> focusOrder() const;
    /// The buttons that take Alt+letter.
    QRadioButton* separateFilesOption() const { return m_separateFiles; }
    QRadioButton* combinedFileOption() const { return m_combinedFile; }
    QPushButton* extractButton() const { return m_extract; }

signals:
    void extractRequested();

private:
    void addSpatialCodes(QVBoxLayout* layout);
    void addFileNames(QVBoxLayout* layout);
    void addFileOptions(QVBoxLayout* layout);
    void addExtractRow(QVBoxLayout* layout);
    void browseOutputFolder();

    std::array<QCheckBox*, kNumSpatialCodes> m_spatialCodes {}; // by SpatialCode
    QLineEdit* m_outputFolder = nullptr;
    QPushButton* m_browseOutput = nullptr;
    QLineEdit* m_rootFileName = nullptr;
    QRadioButton* m_separateFiles = nullptr;
    QRadioButton* m_combinedFile = nullptr;
    QComboBox* m_format = nullptr; ///< rows in OutputFormat order
    QCheckBox* m_compress = nullptr;
    QCheckBox* m_loadingScripts = nullptr;
    QPushButton* m_extract = nullptr;
    QLineEdit* m_warningSize = nullptr;
    FileChooser* m_chooser = nullptr;
};
