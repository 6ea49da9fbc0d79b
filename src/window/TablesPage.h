#pragma once

#include "tables/Table.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class ExtractDialogs;
class FileChooser;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QThread;
class QTimer;
class TableChart;
class TableModel;
struct ApplicationState;
struct RequestChoices;

/// The Tables page, pgTables: counts of persons or households of what Extract
/// would take right now, by one variable or area level or by two, as a table and
/// a chart, copied as tab-separated text or saved as CSV.
///
/// Make Table reads the window's choices, then counts on a worker thread from
/// copies of the area tables and the generator, so the window stays usable and
/// the next Extract draws what it would have drawn. A table that takes longer than
/// a moment shows a progress bar and Cancel; Cancel discards everything counted.
/// A table of nothing shows empty, with the reason below it; a bad data file is
/// reported through the dialogs, as Extract reports it.
class TablesPage : public QWidget {
    Q_OBJECT

public:
    /// `state` and `dialogs` are not owned and must outlive the page; `choices`
    /// reads what the window's other pages show.
    TablesPage(ApplicationState& state, std::function<RequestChoices()> choices, ExtractDialogs& dialogs,
        QWidget* parent = nullptr);
    ~TablesPage() override;

    void setDialogs(ExtractDialogs& dialogs) { m_dialogs = &dialogs; }
    void setFileChooser(FileChooser* chooser) { m_chooser = chooser; }
    /// How long a table counts before the progress bar and Cancel appear; 0 shows
    /// them at once.
    void setProgressDelay(int ms) { m_progressDelayMs = ms; }

    /// Wide enough for a table and its chart side by side; the window takes its size
    /// from its pages' hints, within the screen.
    QSize sizeHint() const override;
    /// The page's controls in the order the keyboard walks them.
    QList<QWidget*> focusOrder() const;
    const TableModel& model() const { return *m_model; }

signals:
    /// A Make Table has ended: its table, an empty table, a cancellation or a failure is shown.
    void tableFinished();

private:
    struct Job;

    void fillDimensions();
    void makeTable();
    void finishTable();
    void showProgress();
    void showResult();
    void copyTable();
    void saveTable();
    QString summary(const Job& job) const;

    ApplicationState& m_state;
    std::function<RequestChoices()> m_choices;
    ExtractDialogs* m_dialogs;
    FileChooser* m_chooser = nullptr;
    int m_progressDelayMs = 300;

    QComboBox* m_unit = nullptr;
    QComboBox* m_rows = nullptr;
    QComboBox* m_columns = nullptr;
    QComboBox* m_show = nullptr;
    QPushButton* m_make = nullptr;
    QTableView* m_view = nullptr;
    TableChart* m_chart = nullptr;
    QLabel* m_summary = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_save = nullptr;
    TableModel* m_model = nullptr;
    QTimer* m_progressTimer = nullptr;

    std::shared_ptr<Job> m_job;
    QPointer<QThread> m_worker;
    QString m_title;
};
