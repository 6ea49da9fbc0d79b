#include "window/TablesPage.h"

#include "extraction/CaseSelector.h"
#include "extraction/ExtractDialogs.h"
#include "extraction/ExtractMessage.h"
#include "extraction/SarTables.h"
#include "extraction/UserEdList.h"
#include "fileio/CancelledError.h"
#include "geography/SelectionSummary.h"
#include "request/RequestChoices.h"
#include "session/ApplicationState.h"
#include "tables/CaseCount.h"
#include "tables/TableDimensions.h"
#include "tables/TableEdList.h"
#include "tables/TableEngine.h"
#include "window/FileChooser.h"
#include "window/PageWidgets.h"
#include "window/TableChart.h"
#include "window/TableModel.h"
#include "window/WindowTexts.h"

#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <cctype>
#include <climits>
#include <exception>
#include <optional>
#include <random>
#include <set>

using widgets::button;
using widgets::label;
using widgets::named;
using widgets::text;

/// One Make Table: its inputs, copied so that the window may change while the
/// worker counts, and its outcome, read once the worker has finished.
struct TablesPage::Job {
    TableRequest request;
    AreaTables areas;
    DataFolders folders;
    const VariableLabels* labels = nullptr;
    std::mt19937 random;
    std::optional<std::string> edListPath;
    /// The cases to count; the catalogue is a copy too, as Extract changes the window's.
    CaseSelection cases;
    VariableCatalogue catalogue;
    QString title;
    QString rowsName;
    QString columnsName;

    std::atomic<bool> cancel { false };
    std::atomic<std::uint64_t> done { 0 };
    std::atomic<std::uint64_t> total { 0 };
    QElapsedTimer clock;

    std::optional<Table> table;
    std::string error;
    SelectionCounts selection;
    std::uint64_t listedCodes = 0;
    qint64 elapsedMs = 0;

    /// On the worker.
    void count()
    {
        try {
            const EdList edList = tableEdList(areas, edListPath.has_value(), edListPath.value_or(std::string()));
            if (edListPath)
                listedCodes = edList.size();
            else
                selection = countFinalWards(areas);
            const SarTables sar = loadSarTables(folders);
            const TableSources sources { areas, sar, folders, labels };
            std::optional<CaseSelector> selector;
            CaseFilter filter;
            if (!cases.empty()) {
                selector.emplace(cases, catalogue, sar, labels);
                filter = caseFilter(*selector);
                request.filter = &filter;
            }
            table = ::makeTable(request, edList, sources, random, [this](std::uint64_t d, std::uint64_t t) {
                done = d;
                total = t;
            }, &cancel);
        } catch (const CancelledError&) {
            // Nothing was counted; the page says so.
        } catch (const std::exception& e) {
            error = e.what();
        }
        elapsedMs = clock.elapsed();
    }
};

namespace {

// Often enough to look alive.
constexpr int kProgressIntervalMs = 100;

QComboBox* comboBox(const char* name, const char* caption, QLabel*& heading, const char* labelName)
{
    auto* box = named(new QComboBox, name);
    box->setAccessibleName(text(caption));
    heading = label(labelName, caption);
    heading->setBuddy(box);
    return box;
}

QString plural(std::uint64_t n, const char* one, const char* many)
{
    return QString::fromStdString(groupedNumber(static_cast<std::int64_t>(n))) + QLatin1Char(' ')
        + QLatin1String(n == 1 ? one : many);
}

// Identifiers count each household or person apart: a poor first choice.
bool isIdentifier(const TableDimension& d)
{
    if (d.kind == TableDimension::Kind::HouseholdVariable)
        return d.variable == kHhHnum;
    if (d.kind == TableDimension::Kind::PersonVariable)
        return d.variable == kIndHnum || d.variable == kIndPnum;
    return false;
}

} // namespace

TablesPage::TablesPage(
    ApplicationState& state, std::function<RequestChoices()> choices, ExtractDialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_choices(std::move(choices))
    , m_dialogs(&dialogs)
    , m_model(new TableModel(this))
    , m_progressTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("pgTables"));
    auto* page = new QVBoxLayout(this);

    auto* request = new QHBoxLayout;
    QLabel* heading = nullptr;
    m_unit = comboBox("cboTableUnit", kTableUnitLabel, heading, "lblTableUnit");
    m_unit->addItem(text(kTableUnitPersons));
    m_unit->addItem(text(kTableUnitHouseholds));
    request->addWidget(heading);
    request->addWidget(m_unit);
    request->addSpacing(12);
    m_rows = comboBox("cboTableRows", kTableRowsLabel, heading, "lblTableRows");
    request->addWidget(heading);
    request->addWidget(m_rows);
    request->addSpacing(12);
    m_columns = comboBox("cboTableColumns", kTableColumnsLabel, heading, "lblTableColumns");
    request->addWidget(heading);
    request->addWidget(m_columns);
    request->addSpacing(12);
    m_show = comboBox("cboTableShow", kTableShowLabel, heading, "lblTableShow");
    for (const char* show : { kTableShowCounts, kTableShowRowPercent, kTableShowColumnPercent, kTableShowTotalPercent })
        m_show->addItem(text(show));
    request->addWidget(heading);
    request->addWidget(m_show);
    request->addSpacing(12);
    m_make = button<QPushButton>("btMakeTable", kMakeTable);
    m_make->setDefault(true);
    request->addWidget(m_make);
    request->addStretch(1);
    page->addLayout(request);

    auto* result = new QHBoxLayout;
    m_view = named(new QTableView, "tblResult");
    m_view->setAccessibleName(text(kTableResult));
    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    result->addWidget(m_view, 4);
    m_chart = named(new TableChart, "chartResult");
    m_chart->setAccessibleName(text(kTableChart));
    auto* chartArea = named(new QScrollArea, "scrollChart");
    chartArea->setWidget(m_chart);
    chartArea->setWidgetResizable(true);
    chartArea->setFrameShape(QFrame::NoFrame);
    chartArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The chart takes the focus itself; the area only scrolls it.
    chartArea->setFocusPolicy(Qt::NoFocus);
    result->addWidget(chartArea, 3);
    page->addLayout(result, 1);

    auto* status = new QHBoxLayout;
    m_summary = label("lblTableSummary", "");
    m_summary->setAccessibleName(text(kTableSummarySpoken));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status->addWidget(m_summary, 1);
    m_progress = named(new QProgressBar, "pbTable");
    m_progress->setAccessibleName(text(kTableProgress));
    m_progress->hide();
    status->addWidget(m_progress);
    m_cancel = button<QPushButton>("btCancelTable", kTableCancel);
    m_cancel->setEnabled(false);
    status->addWidget(m_cancel);
    m_copy = button<QPushButton>("btCopyTable", kTableCopy);
    m_copy->setEnabled(false);
    status->addWidget(m_copy);
    m_save = button<QPushButton>("btSaveTable", kTableSave);
    m_save->setEnabled(false);
    status->addWidget(m_save);
    page->addLayout(status);

    fillDimensions();
    m_progressTimer->setInterval(kProgressIntervalMs);
    connect(m_progressTimer, &QTimer::timeout, this, &TablesPage::showProgress);
    connect(m_unit, &QComboBox::currentIndexChanged, this, &TablesPage::fillDimensions);
    connect(m_show, &QComboBox::currentIndexChanged, this, [this](int show) {
        m_model->setShow(static_cast<TableShow>(show));
        showResult();
    });
    connect(m_make, &QPushButton::clicked, this, &TablesPage::makeTable);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_job)
            m_job->cancel = true;
        m_cancel->setEnabled(false);
    });
    connect(m_copy, &QPushButton::clicked, this, &TablesPage::copyTable);
    connect(m_save, &QPushButton::clicked, this, &TablesPage::saveTable);
}

TablesPage::~TablesPage()
{
    if (m_worker) {
        m_job->cancel = true;
        m_worker->wait();
        delete m_worker.data();
    }
}

QSize TablesPage::sizeHint() const
{
    static constexpr int kWidth = 1240;
    return QWidget::sizeHint().expandedTo(QSize(kWidth, 0));
}

QList<QWidget*> TablesPage::focusOrder() const
{
    return { m_unit, m_rows, m_columns, m_show, m_make, m_view, m_chart, m_cancel, m_copy, m_save };
}

// Both lists keep their choice where the other unit has it too.
void TablesPage::fillDimensions()
{
    const auto unit = static_cast<TableUnit>(m_unit->currentIndex());
    const QString rows = m_rows->currentData().toString();
    const QString columns = m_columns->currentData().toString();
    m_rows->clear();
    m_columns->clear();
    m_columns->addItem(text(kTableNoColumns), QString());
    std::set<std::string> seen;
    QString firstChoice;
    for (const std::string& name : tableDimensionNames(unit, m_state.variables)) {
        std::string key = name;
        for (char& c : key)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        // HNUM names a person and a household variable; a persons table takes the person one, listed once.
        if (!seen.insert(key).second)
            continue;
        const std::optional<TableDimension> dimension = findTableDimension(name, unit, m_state.variables);
        const QString value = QString::fromStdString(name);
        const QString shown = dimension && dimension->isArea() ? text(kTableAreaItem).arg(value) : value;
        m_rows->addItem(shown, value);
        m_columns->addItem(shown, value);
        if (firstChoice.isEmpty() && dimension && !isIdentifier(*dimension))
            firstChoice = value;
    }
    const int row = m_rows->findData(rows);
    m_rows->setCurrentIndex(row >= 0 ? row : std::max(0, m_rows->findData(firstChoice)));
    m_columns->setCurrentIndex(std::max(0, m_columns->findData(columns)));
}

void TablesPage::makeTable()
{
    if (m_worker)
        return;
    const RequestChoices chosen = m_choices();
    auto job = std::make_shared<Job>();
    job->clock.start();
    job->request.unit = static_cast<TableUnit>(m_unit->currentIndex());
    const QString rows = m_rows->currentData().toString();
    const QString columns = m_columns->currentData().toString();
    const std::optional<TableDimension> rowSide
        = findTableDimension(rows.toStdString(), job->request.unit, m_state.variables);
    if (!rowSide)
        return;
    job->request.rows = *rowSide;
    if (!columns.isEmpty())
        job->request.columns = findTableDimension(columns.toStdString(), job->request.unit, m_state.variables);
    if (chosen.edList) {
        // As Extract, which asks for the list before anything else.
        if (!regularFileExists(chosen.edList->path)) {
            m_dialogs->inform(ExtractMessage::edListMissing(chosen.edList->path));
            return;
        }
        job->edListPath = chosen.edList->path;
    }
    // The engine rewrites finalWards and moves its generator: both are copies.
    job->areas = m_state.areas;
    job->random = m_state.random;
    job->folders = m_state.folders;
    job->labels = m_state.labels ? &*m_state.labels : nullptr;
    job->cases = chosen.caseSelection;
    job->catalogue = m_state.variables;
    const QString unitName = m_unit->currentText();
    job->rowsName = rows;
    job->columnsName = job->request.columns ? columns : QString();
    job->title = job->request.columns ? text(kTableTitleTwoWay).arg(unitName, rows, columns)
                                      : text(kTableTitleOneWay).arg(unitName, rows);

    m_job = job;
    m_make->setEnabled(false);
    m_summary->setText(text(kTableCounting));
    m_worker = QThread::create([job] { job->count(); });
    connect(m_worker.data(), &QThread::finished, this, &TablesPage::finishTable);
    m_progress->setRange(0, 0);
    m_worker->start();
    if (m_progressDelayMs <= 0)
        showProgress();
    m_progressTimer->start();
}

void TablesPage::showProgress()
{
    if (!m_job || m_job->clock.elapsed() < m_progressDelayMs)
        return;
    if (const std::uint64_t total = m_job->total; total > 0) {
        m_progress->setRange(0, static_cast<int>(std::min<std::uint64_t>(total, INT_MAX)));
        m_progress->setValue(static_cast<int>(std::min<std::uint64_t>(m_job->done, INT_MAX)));
    }
    m_progress->show();
    m_cancel->setEnabled(!m_job->cancel);
}

void TablesPage::finishTable()
{
    m_progressTimer->stop();
    m_progress->hide();
    m_cancel->setEnabled(false);
    // finished comes just before the thread's end.
    m_worker->wait();
    delete m_worker.data();
    m_make->setEnabled(true);
    const std::shared_ptr<Job> job = std::move(m_job);

    QString summary;
    if (job->cancel) {
        // Whatever the worker had finished, a Cancel leaves no table behind.
        m_model->clear();
        m_chart->clear();
        summary = text(kTableCancelled);
    } else if (!job->table) {
        m_model->clear();
        m_chart->clear();
        m_summary->clear();
        m_dialogs->inform(ExtractMessage { MessageId::ExtractionFailed, MessageButtons::Ok, MessageIcon::Critical,
            { kTableFailed, job->error } });
    } else {
        m_title = job->title;
        const bool empty = !job->table->emptyReason.empty();
        const std::string reason = job->table->emptyReason;
        m_model->setTable(std::move(*job->table), job->rowsName, job->columnsName);
        summary = empty ? text(kTableEmpty).arg(QString::fromStdString(reason)) : this->summary(*job);
        showResult();
    }
    m_summary->setText(summary);
    emit tableFinished();
}

QString TablesPage::summary(const Job& job) const
{
    const Table& table = m_model->table();
    QString where;
    if (job.edListPath)
        where = text(kTableEdList).arg(plural(job.listedCodes, "code", "codes"));
    else if (job.selection.allAreas)
        where = text(kTableAllAreas);
    else
        where = plural(static_cast<std::uint64_t>(job.selection.wards), "ward", "wards");
    QString line = text(kTableCounted)
                       .arg(text(table.unit == TableUnit::Persons ? kTableUnitPersons : kTableUnitHouseholds), where,
                           plural(table.eds, "ED", "EDs"),
                           QString::fromStdString(groupedNumber(static_cast<std::int64_t>(table.total()))),
                           QString::number(job.elapsedMs));
    if (table.codesWithoutFile > 0)
        line += text(kTableCodesWithoutFile).arg(plural(table.codesWithoutFile, "listed code", "listed codes"));
    return line;
}

// The chart and the export buttons follow the table and Show.
void TablesPage::showResult()
{
    const bool shown = m_model->rowCount() > 0;
    m_copy->setEnabled(shown);
    m_save->setEnabled(shown);
    if (!m_model->hasTable())
        return;
    if (shown)
        m_chart->showTable(m_model->table(), m_model->show(), m_title, m_model->text(QLatin1Char('\t')));
    else
        m_chart->clear(QString::fromStdString(m_model->table().emptyReason));
}

void TablesPage::copyTable()
{
    QGuiApplication::clipboard()->setText(m_model->text(QLatin1Char('\t')));
}

void TablesPage::saveTable()
{
    if (!m_chooser || m_model->rowCount() == 0)
        return;
    const QString start = widgets::fromPath(m_state.settings.outputFolder) + QStringLiteral("table.csv");
    const QString path = m_chooser->chooseSaveFile(this, text(kTableSaveTitle), start, text(kTableSaveFilter));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray csv = m_model->text(QLatin1Char(',')).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit()) {
        m_dialogs->inform(ExtractMessage { MessageId::ExtractionFailed, MessageButtons::Ok, MessageIcon::Critical,
            { kTableSaveFailed,
                "cannot write file " + widgets::toPath(path) + ": " + file.errorString().toStdString() } });
    }
}
