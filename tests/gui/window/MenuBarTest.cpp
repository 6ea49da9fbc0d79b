// The menu bar: request files saved and opened, refused files, help, About, contrast.

#include "TestWindow.h"

#include "base/ListBox.h"
#include "base/Version.h"
#include "request/SavedRequest.h"
#include "window/PageWidgets.h"
#include "window/WindowTexts.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

#include <cmath>

namespace {

/// Everything Open sets: the controls, the areas Extract would take, the draws
/// and the generator's next number.
QStringList everything(const TestWindow& w)
{
    std::mt19937 generator = w.state->random;
    QStringList values = w.snapshot() << QString::number(w.c().cboFileFormat->currentIndex())
                                      << QString::number(w.state->randomDraws) << QString::number(generator());
    for (const AreaTables::Level& level : w.state->areas.levels)
        values << QString::number(level.flags[0]) + QLatin1Char(' ')
                + QString::number(std::count(level.flags.begin() + 1, level.flags.end(), 1));
    return values;
}

/// Non-default choices in every control, saved through the File menu to `file`.
void chooseAndSave(TestWindow& w, ScriptedChooser& chooser, const QString& file, bool edList)
{
    const Controls c = w.c();
    w.chooseWard(30);
    w.list(AreaLevel::Ward)->item(w.state->areas.level(AreaLevel::Ward).listPos[500])->setSelected(true);
    // A district chosen afterwards leaves the ward list as it was.
    QListWidget* districts = w.list(AreaLevel::District);
    districts->setCurrentRow(1, QItemSelectionModel::ClearAndSelect);
    districts->setCurrentRow(districts->count() - 1, QItemSelectionModel::ClearAndSelect);
    if (edList) {
        c.obUserEDlist->setChecked(true);
        c.txtUserEDlist->setText(w.path("my EDs.txt"));
    }
    selectRows(c.lstHHVars_Orig, { 2, 5 });
    selectRows(c.lstIndVars_Orig, { 1, 3, 4 });
    for (QCheckBox* box : { c.cbED, c.cbWard, c.cbCountry })
        box->toggle();
    c.obCombinedFiles->setChecked(true);
    c.cboFileFormat->setCurrentIndex(2);
    c.find<QCheckBox>("chkCompress")->setChecked(true);
    c.txtUserOutput->setText(w.path("out"));
    c.txtUserRootFilename->setText(QStringLiteral("Rün7"));
    // As if an extraction had drawn 1234 numbers.
    w.state->random.discard(1234);
    w.state->randomDraws = 1234;
    chooser.answers = QStringList { file };
    w.window->setFileChooser(chooser);
    w.window->menu().actSaveRequest->trigger();
}

void openThroughMenu(TestWindow& w, ScriptedChooser& chooser, const QString& file)
{
    chooser.answers = QStringList { file };
    w.window->setFileChooser(chooser);
    w.window->menu().actOpenRequest->trigger();
}

} // namespace

class MenuBarTest : public QObject {
    Q_OBJECT

private slots:
    void saveThenOpenRestoresEveryControl_data()
    {
        QTest::addColumn<bool>("edList");
        QTest::addColumn<bool>("otherReferences"); // run on other reference files: the window says so
        QTest::newRow("areas") << false << false;
        QTest::newRow("ED list") << true << false;
        QTest::newRow("run on other reference files") << false << true;
    }

    void saveThenOpenRestoresEveryControl()
    {
        QFETCH(bool, edList);
        QFETCH(bool, otherReferences);
        TestWindow saved;
        ScriptedChooser chooser;
        chooseAndSave(saved, chooser, saved.path("run.json"), edList);
        QCOMPARE(chooser.offered.last(), saved.path("out/Rün7_request.json"));
        if (otherReferences) {
            SavedRequest request = readRequestFile(saved.dir.file("run.json"));
            request.run = RunRecord {};
            request.run->referenceSha256 = std::string(64, '0');
            request.run->fileTime = "2001-09-09T01:46:40Z";
            writeRequestFile(saved.dir.file("run.json"), request);
        }
        TestWindow opened;
        if (!edList) // an area request leaves the ED list box as it is
            opened.c().txtUserEDlist->setText(saved.c().txtUserEDlist->text());
        openThroughMenu(opened, chooser, saved.path("run.json"));
        QCOMPARE(everything(opened), everything(saved));
        auto* note = opened.window->findChild<QMessageBox*>(QStringLiteral("msgRequestNotes"));
        QCOMPARE(note != nullptr, otherReferences);
        if (!note)
            return;
        QVERIFY2(note->text().contains(QStringLiteral("the reference files (ProgramData, SARData) differ")),
            qPrintable(note->text()));
        // Extract writes the recorded time into the file while the choices stand as
        // opened, and the present time once one has changed.
        opened.dialogs.script("M2=Yes");
        opened.extract();
        QVERIFY2(readFile(saved.dir.file("out/Rün7_hhind.zsav")).find("09 Sep 0101:46:40") != std::string::npos,
            qPrintable(opened.asked()));
        opened.c().cbED->toggle();
        opened.c().txtUserRootFilename->setText(QStringLiteral("Changed"));
        opened.extract();
        const std::string changed = readFile(saved.dir.file("out/Changed_hhind.zsav"));
        QVERIFY(!changed.empty() && changed.find("09 Sep 01") == std::string::npos);
    }

    void refusedFileChangesNothing_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("problem");
        auto row = [](const char* name, QString from, QString to, QString problem) {
            QTest::newRow(name) << from << to << problem;
        };
        row("ward code", FixtureData::wardCode(500).c_str(), "ZZ99ZZ", "unknown ward \"ZZ99ZZ\"");
        // The first name of each variable list.
        row("variable", "Variables\": [\n    \"", "Variables\": [\n    \"NOSUCH",
            "unknown household variable \"NOSUCH");
    }

    void refusedFileChangesNothing()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, problem);
        TestWindow w;
        ScriptedChooser chooser;
        chooseAndSave(w, chooser, w.path("good.json"), false);
        QString json = QString::fromStdString(readFile(w.dir.file("good.json")));
        const std::string bad = w.dir.write("bad.json", json.replace(from, to).toStdString());
        TestWindow fresh;
        const QStringList before = everything(fresh);
        openThroughMenu(fresh, chooser, QString::fromStdString(bad));
        auto* box = fresh.window->findChild<QMessageBox*>(QStringLiteral("msgRequestError"));
        QVERIFY(box);
        QVERIFY2(box->text().contains(bad.c_str()) && box->text().contains(problem), qPrintable(box->text()));
        QCOMPARE(everything(fresh), before);
    }

    void aboutNamesTheVersionLicenceAndTheDemoNotice()
    {
        TestWindow w;
        w.window->menu().actAbout->trigger();
        auto* about = w.window->findChild<QMessageBox*>(QStringLiteral("aboutBox"));
        QVERIFY(about && about->isVisible() && about->text().contains(QLatin1String(kProgramVersion)));
        QVERIFY(about->text().contains(widgets::text(kDemoDataNotice).trimmed()));
        QVERIFY(about->text().contains(QStringLiteral("Licensed under the MIT licence")));
    }

    // WCAG 2 contrast of each greyed example against the page it is drawn on.
    void hintLabelsAreReadable()
    {
        TestWindow w;
        auto luminance = [](const QColor& c) {
            auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
        };
        double lowest = 21;
        for (const char* name : { "Label27", "Label28", "Label29", "Label30", "Label31", "Label32" }) {
            auto* hint = w.window->findChild<QLabel*>(QLatin1String(name));
            QWidget* page = hint->parentWidget();
            const double fg = luminance(hint->palette().color(hint->foregroundRole()));
            const double bg = luminance(page->palette().color(page->backgroundRole()));
            lowest = std::min(lowest, (std::max(fg, bg) + 0.05) / (std::min(fg, bg) + 0.05));
        }
        qDebug("lowest contrast of the example labels: %.2f:1", lowest);
        QVERIFY(lowest >= 4.5);
    }
};

QTEST_MAIN(MenuBarTest)
#include "MenuBarTest.moc"
