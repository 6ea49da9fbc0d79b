#pragma once

#include "geography/AreaTables.h"

#include <QWidget>

#include <vector>

class AreaDirectory;
struct AreaEntry;
class QCompleter;
class QLineEdit;
class QStandardItemModel;

/// The "Find area:" box: as the user types, a popup lists up to 50 areas of any level
/// whose name contains the text or whose code starts with it; choosing one (Enter or
/// a click) reports it and clears the box for the next search.
class AreaFinder : public QWidget {
    Q_OBJECT

public:
    /// `directory` is not owned and must outlive the finder.
    explicit AreaFinder(const AreaDirectory& directory, QWidget* parent = nullptr);

    QLineEdit* lineEdit() const { return m_edit; }
    QCompleter* completer() const { return m_completer; }
    /// The suggestions for the current text, as the popup lists them.
    QStringList suggestions() const;

signals:
    void areaChosen(AreaLevel level, int member);

private:
    void refresh(const QString& text);
    void choose(int row);

    const AreaDirectory& m_directory;
    QLineEdit* m_edit = nullptr;
    QCompleter* m_completer = nullptr;
    QStandardItemModel* m_model = nullptr;
    std::vector<const AreaEntry*> m_found;
};
