#pragma once

#include <QList>

class QComboBox;

struct CurrentSettings;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

/// The Select Output Options page, pgOutputOptions: the spatial codes to write,
/// the output folder and root file name, separate or combined files, Extract and
/// the file-size warning threshold.
struct OutputPage {
    QCheckBox* cbED = nullptr;
    QCheckBox* cbWard = nullptr;
    QCheckBox* cbDistrict = nullptr;
    QCheckBox* cbCounty = nullptr;
    QCheckBox* cbRegion = nullptr;
    QCheckBox* cbCountry = nullptr;
    QLineEdit* txtUserOutput = nullptr;
    QPushButton* btBrowseOutput = nullptr;
    QLineEdit* txtUserRootFilename = nullptr;
    QRadioButton* obSeparateFiles = nullptr;
    QRadioButton* obCombinedFiles = nullptr;
    QPushButton* btExtract = nullptr;
    QLineEdit* txtFileWarningSize = nullptr;
    QComboBox* cboFileFormat = nullptr; ///< rows in OutputFormat order

    /// Creates the page and its controls; the window takes the page.
    QWidget* build();
    /// The page's controls in the order the keyboard walks them.
    QList<QWidget*> focusOrder() const;
    /// Keeps the output folder, root file name and separate-files choice in
    /// `settings` in step with their controls.
    void mirrorInto(CurrentSettings& settings) const;

private:
    void addSpatialCodes(QVBoxLayout* layout);
    void addFileNames(QVBoxLayout* layout);
    void addFileOptions(QWidget* page, QVBoxLayout* layout);
    void addExtractRow(QVBoxLayout* layout);
};
